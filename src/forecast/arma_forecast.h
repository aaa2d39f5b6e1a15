#pragma once
// h-step predictors of a zero-mean series from an ARMA model, their
// mean-square errors, and the variance factors of an ARIMA-type operator.
//
// ARMA: the innovations algorithm run over x(1..n) and carried h steps on
// (Brockwell & Davis, Time Series: Theory and Methods, 1991, Sec. 5.3):
//   P_n X(n+k) = sum phi(i) P_n X(n+k-i) + sum_{j=k..q} theta(n+k-1, j) e(n+k-j),
//   MSE(k) = sum_{j<k} (sum_{r<=j} chi(r) theta(n+k-r-1, j-r))^2 v(n+k-j-1),
// chi(z) = 1/phi(z). The one-step pass costs O(n (p+q)) once the coefficients
// settle; the h extra steps cost O(h^3) at most, independent of n.
//
// Fractionally integrated: the Durbin-Levinson recursion on the model
// autocovariance (Sec. 5.2) gives P_n X(n+k) by substituting earlier
// predictions, and MSE(k) as the sum over the innovations after n of
// Cov(X(n+k), U(i))^2 / v(i-1).
#include <span>
#include <vector>

namespace zelk {

// Longest stretch of the past the Durbin-Levinson predictors use: the
// recursion is quadratic in it.
inline constexpr int kMaxForecastMemory = 2200;

struct Predictions {
  bool ok = false;                // false: AR part not causal, no data or h < 1
  std::vector<double> prediction; // xhat(n+1..n+h)
  std::vector<double> mse;        // MSE(1..h) at white-noise variance sigma2
};

// ARMA(p,q) predictors. A non-invertible MA part is replaced by the invertible
// one with the same autocovariance (and white-noise variance scaled to match)
// for the computation; the caller's coefficients are untouched.
Predictions arma_predict(std::span<const double> x, std::span<const double> phi, std::span<const double> theta,
                         double sigma2, int h, double tolerance = 0.00001);

// Predictors from the autocovariance gamma(0..K) of a stationary series, at
// least K >= n + h - 1, by Durbin-Levinson. Used for short series and for
// fractionally integrated models.
Predictions autocovariance_predict(std::span<const double> x, std::span<const double> gamma, int h);

// (1-B)^d ARMA(p,q) predictors: the model autocovariance with M psi terms,
// then autocovariance_predict on the last kMaxForecastMemory values.
Predictions fractional_predict(std::span<const double> x, std::span<const double> phi,
                               std::span<const double> theta, double d, int M, double sigma2, int h);

// F(1..h): cumulative sums of squared MA-infinity weights of
// theta(B) / (phi(B) prod (1 - B^L) (1 - B)^d), F(1) = 1. The lags L are
// applied in turn (empty: no differencing); d enters only when fractional.
// MSE(k) = sigma2 F(k). ARMA, ARAR and Holt-Winters forecasts share it.
std::vector<double> forecast_variance_factors(int h, std::span<const double> phi, std::span<const double> theta,
                                              std::span<const int> lags, bool fractional = false, double d = 0.0);

}  // namespace zelk
