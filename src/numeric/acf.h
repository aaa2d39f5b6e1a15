#pragma once
// Sample autocovariances, autocorrelations and partial autocorrelations of a
// series, and the Durbin-Levinson recursion that turns autocorrelations into
// partial autocorrelations (Brockwell & Davis, Time Series: Theory and
// Methods, 1991, sections 5.2 and 7.2).
#include <span>
#include <vector>

namespace zelk {

// Mean of x; 0 for an empty series.
double sample_mean(std::span<const double> x);

// gamma(0..lags) of x with divisor n for every lag; lags at or beyond n are 0.
// Sums run block by block so that both operands stay in cache, and by FFT
// when the lag count is large compared with log n. An empty x gives zeros.
std::vector<double> sample_acvf(std::span<const double> x, int lags);

// Durbin-Levinson on rho(0..L) (rho(0) = 1 is assumed, rho(0) itself is not
// read). Degenerate cases give defined values instead of NaN: once the
// relative prediction variance v(k) reaches 0 (the series is perfectly
// predictable from k past values), every later partial autocorrelation is 0,
// phi keeps the order-k predictor and v stays 0.
struct DurbinLevinson {
  std::vector<double> pacf;  // alpha(0..L), alpha(0) = 1
  std::vector<double> phi;   // phi(L,1..L) at [0..L-1]
  std::vector<double> v;     // v(0..L), v(0) = 1, relative to gamma(0)
  int exhausted_at = -1;     // the first k with v(k) = 0, or -1
};
DurbinLevinson durbin_levinson(std::span<const double> rho);

// Partial autocorrelations alpha(0..L) of rho(0..L).
std::vector<double> partial_autocorrelations(std::span<const double> rho);

struct SampleCorrelations {
  double gamma0 = 0;         // lag-0 autocovariance, divisor n
  std::vector<double> acf;   // rho(0..L), rho(0) = 1
  std::vector<double> pacf;  // alpha(0..L), alpha(0) = 1
};

// Sample ACF and PACF up to `lags` (L < 1 means 40). A constant series
// (gamma(0) = 0) has no defined correlations: its ACF and PACF are taken as
// 1 at lag 0 and 0 elsewhere, the correlations of white noise.
SampleCorrelations sample_correlations(std::span<const double> x, int lags);

inline constexpr int kDefaultLags = 40;

// Standard error of the sample mean from the Bartlett-weighted sample
// autocorrelations: sqrt((gamma(0)/n) (1 + 2 sum over h < r of (1 - h/r) rho(h))),
// r = floor(sqrt(n)). A constant series gives 0; rounding never makes the
// weighted sum negative.
double mean_standard_error(std::span<const double> x);

}  // namespace zelk
