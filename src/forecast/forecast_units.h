#pragma once
// Carrying forecasts of the working series back through the regression
// trend and the transformation list to the units of the data, with
// prediction bounds. Steps are taken newest first and only when chosen.
#include <span>
#include <vector>

#include "model/transforms.h"

namespace zelk {

struct ForecastModel {
  std::span<const double> phi, theta;  // for the undifferenced error
  double sigma2 = 1;
  bool fractional = false;
  double d = 0;
};

struct ForecastRequest {
  std::span<const double> series;        // working series x(1..n), trend removed
  std::span<const double> prediction;    // xhat(n+1..n+h)
  std::span<const double> mse;           // MSE(1..h)
  std::span<const Transformation> transforms;  // oldest first
  std::span<const double> fitted_trend;  // M(1..n), empty without an estimated regression
  std::span<const double> trend_ahead;   // M(n+1..n+h)
  ForecastModel model;
  double z = 1.959963985;                // normal quantile of the bounds
};

struct ForecastInUnits {
  std::vector<double> data;              // the series in the chosen units, up to the forecast origin
  std::vector<double> prediction, mse, lower, upper;
  // False where an inverse Box-Cox is undefined; the value is then stored as 0.
  std::vector<bool> prediction_ok, lower_ok, upper_ok;
};

ForecastInUnits carry_back(const ForecastRequest& request, const BackSteps& steps);

// The quantile z of 1 - (1 - level/100)/2 for a level in percent.
double bound_quantile(double level_percent);

// Bounds forecast(j) -+ z sqrt(MSE(j)) with sqrt(MSE(j)) = rmse sqrt(F(j)),
// F the forecast variance factors.
struct FactorBounds {
  std::vector<double> sqrt_mse, lower, upper;
};
FactorBounds bounds_from_factors(std::span<const double> forecasts, double rmse, std::span<const double> F, double z);

}  // namespace zelk
