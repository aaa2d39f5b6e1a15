#pragma once
// Holt-Winters exponential smoothing with level and trend (Holt 1957), and
// with an additive seasonal component of period d (Winters 1960), as in
// Brockwell & Davis, Introduction to Time Series and Forecasting (2002),
// Sec. 9.2-9.3. The constants are given or fitted by a Hooke-Jeeves pattern
// search from 0.2 that minimizes the mean squared one-step prediction error.
//
// Series are 0-based: y[0] is the first observation used.
#include <span>
#include <vector>

namespace zelk {

// Objective value of a constant outside [0, 1] (beyond a 1e-6 tolerance on
// p(1 - p)): such a point never wins a comparison.
inline constexpr double kHoltWintersOutside = 1e30;

// Mean squared one-step error over t = 3..n (1-based), divided by n - 2.
// Needs n >= 3.
double holt_winters_mse(std::span<const double> y, double alpha, double beta);
// Over t = d+2..n, divided by n - d - 1. Needs d >= 2 and n >= d + 2.
double seasonal_holt_winters_mse(std::span<const double> y, int d, double alpha, double beta, double gamma);

struct HoltWintersOptions {
  int period = 0;  // 0: no seasonal component; else d >= 2
  bool optimize = true;
  double alpha = 0.2, beta = 0.2, gamma = 0.2;  // used as given without optimize
  int h = 1;
  double confidence = 95;  // percent; bounds for the non-seasonal method only
};

enum class HoltWintersStatus { Ok, TooShort };

struct HoltWintersResult {
  HoltWintersStatus status = HoltWintersStatus::Ok;
  double alpha = 0, beta = 0, gamma = 0;
  double rmse = 0;
  int evaluations = 0;            // objective evaluations of the fit
  std::vector<double> forecasts;  // F(n+1..n+h)
  // Non-seasonal only: the method read as (1 - B)^2 y(t) = Z(t) + theta1 Z(t-1)
  // + theta2 Z(t-2), theta1 = alpha (1 + beta) - 2, theta2 = 1 - alpha.
  std::vector<double> sqrt_mse, lower, upper;
};

// n - 2 <= 0 (or n - d - 1 <= 0 with a season, or d < 2) gives TooShort and
// nothing else.
HoltWintersResult holt_winters_forecast(std::span<const double> y, const HoltWintersOptions& options);

// Shortest series either method accepts.
int holt_winters_min_length(int period);

}  // namespace zelk
