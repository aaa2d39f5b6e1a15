#pragma once
// Uses of a fitted vector AR model (Brockwell & Davis, "Time Series: Theory
// and Methods", 1991, 11.4-11.5): h-step forecasts with their MSE matrices
// from the Psi weights, the one-step residuals, and simulation by the
// Cholesky factor of V.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "multivariate/var.h"

namespace zelk {

struct VarForecast {
  int k = 0, h = 0;
  std::vector<std::vector<double>> value;  // per component, steps 1..h at [0..h-1]
  std::vector<std::vector<double>> rmse;   // sqrt(MSE(j)(i, i)), likewise
  std::vector<Matrix> psi;                 // Psi(0..h-1)
  std::vector<Matrix> mse;                 // MSE(1..h) at [0..h-1]
  // value -+ z rmse
  double lower(int i, int j, double z) const { return value[i][j] - z * rmse[i][j]; }
  double upper(int i, int j, double z) const { return value[i][j] + z * rmse[i][j]; }
};

// Forecasts of the h values after `history` (k components of equal length T,
// T >= p + the differencing lags). With difference_lags empty the history is
// the series the model was fitted to: X(T+j) = mu + sum PHI(l)(X(T+j-l) - mu).
// Otherwise the history is the undifferenced series Y, X = (1 - B^d1)..(1 - B^dr) Y,
// and the AR operator is multiplied by those factors, so that forecasts, Psi
// weights and MSE refer to Y and continue from its last values.
VarForecast forecast_var(const VarModel& model, Components history, int h, std::span<const int> difference_lags = {});

// Z(t) = X(t) - mu - sum over l of PHI(l)(X(t-l) - mu), t = p+1..n (1-based),
// per component; empty components when n <= p.
std::vector<std::vector<double>> var_residuals(const VarModel& model, Components x);

struct VarSimulationOptions {
  int count = 100;       // N
  int seed = 1;          // > 0
  int burn_in = 10;      // M > p: start-up values discarded
  bool add_mean = false;
};

struct VarSimulation {
  bool ok = false;
  std::string message;                     // why nothing was simulated
  std::vector<std::vector<double>> series;  // k components of N values
};

// Y(t) = sum PHI(l) Y(t-l) + Z(t) from Y = 0, Z(t) = the rows of DRNMVN with
// the Cholesky factor of V after seeding the shared generator, the first M
// values dropped. A V that is not positive definite is refused.
VarSimulation simulate_var(const VarModel& model, const VarSimulationOptions& options);

// Undoes a differencing at lag d: Y(t) = start(t) for t = 1..d, then
// Y(t) = X(t - d) + Y(t - d); each component grows by d values.
std::vector<std::vector<double>> integrate_difference(Components x, int d, Components start);

}  // namespace zelk
