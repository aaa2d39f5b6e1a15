// Sample cross-covariances and cross-correlations of two series.
//
// With means xbar, ybar and n observations, for lags h = -maxlag..maxlag
//   c(h) = (1/n) sum_t (x_{t+h} - xbar)(y_t - ybar),   c(-h) likewise with x
//   lagging, r(h) = c(h) / sqrt(c_xx(0) c_yy(0)).
// Standard errors of r(h) (Box & Jenkins, "Time Series Analysis", 1976,
// eq. 11.1.7, Bartlett's approximation with the sample correlations in place of
// the true ones, summed over |v| <= maxlag):
//   iseopt = 0 none, 1 the general formula, 2 the formula for two series that
//   are not cross-correlated, (1/(n - |h|)) sum_v r_xx(v) r_yy(v).
// Bad arguments are recorded on the error stack and give an empty result.
#pragma once

#include <span>
#include <vector>

namespace zelk::numeric {

struct CrossCorrelation {
  double x_mean = 0, y_mean = 0;
  double x_variance = 0, y_variance = 0;  // c_xx(0), c_yy(0)
  std::vector<double> covariances;        // 2 maxlag + 1 values, lag h at index h + maxlag
  std::vector<double> correlations;       // likewise; 0 when a variance is 0 (with a warning)
  std::vector<double> standard_errors;    // likewise; empty when iseopt = 0
};

CrossCorrelation DCCF(std::span<const double> x, std::span<const double> y, int maxlag, int iseopt = 0);

}  // namespace zelk::numeric
