#pragma once
// ARAR forecasting (Brockwell & Davis, Introduction to Time Series and
// Forecasting, 2nd ed. 2002, Sec. 9.1, after Parzen 1982): up to three
// memory-shortening filters remove near-unit-root and seasonal behaviour, a
// subset autoregression with lags 1 < l1 < l2 < l3 is fitted to the
// shortened, mean-corrected series, and the product of the two polynomials,
// the whitening filter xi(B), is used to forecast.
//
// Series are 0-based here: y[0] is the first observation used.
#include <array>
#include <span>
#include <vector>

namespace zelk {

// One applied memory-shortening filter: a lag filter Y(t+tau) - phi Y(t)
// (lag2 = 0, c2 = 0) or an AR(2) filter Y(t+2) - phi1 Y(t+1) - phi2 Y(t).
struct ShorteningFilter {
  int lag1 = 0;
  double c1 = 0;
  int lag2 = 0;
  double c2 = 0;
};

struct MemoryShortening {
  std::vector<double> psi{1.0};  // psi(0..m), psi(0) = 1
  int m = 0;                     // degree: the sum of the filter lags
  std::vector<ShorteningFilter> filters;
};

// Filters allowed for n observations: 1 below 35, 2 below 50, else 3.
int arar_filter_limit(int n);

// The shortening polynomial of y; psi = 1, m = 0 when skipped. A series
// whose filtered remainder has no energy left stops the filtering, so a
// constant or exactly periodic series never divides by zero.
MemoryShortening shorten_memory(std::span<const double> y, bool skip);

enum class ArarCriterion { MinVariance13 = 1, MinVariance26 = 2, MaxLikelihood13 = 3 };

struct SubsetAr {
  std::array<int, 4> lags{1, 2, 3, 4};
  std::array<double, 4> coefs{0, 0, 0, 0};
  double value = 0;  // criterion value of the winning triple
};

// Best triple 2 <= l1 < l2 < l3 <= L in lexicographic order; a later triple
// wins only with a strictly smaller value. rho holds rho(0..L), x the
// mean-corrected shortened series (used by the likelihood criterion only).
// L must be at least 4.
SubsetAr subset_ar_search(std::span<const double> rho, double gamma0, int L, ArarCriterion criterion,
                          std::span<const double> x);

enum class ArarStatus {
  Ok,
  NoLagTriple,    // maximum lag L below 4: the shortened series is too short
  FilterTooLong,  // L + m above 50
};

struct ArarOptions {
  int h = 1;
  ArarCriterion criterion = ArarCriterion::MinVariance13;
  bool skip_shortening = false;
  double confidence = 95;  // percent, for the bounds
};

struct ArarResult {
  ArarStatus status = ArarStatus::Ok;
  MemoryShortening shortening;
  SubsetAr subset;
  int max_lag = 0;            // L
  double mean = 0;            // S-bar
  double constant = 0;        // k0
  std::vector<double> xi;     // xi(0..L+m), xi(0) = 1
  double rmse = 0;
  std::vector<double> forecasts;  // y-hat(n+1..n+h)
  std::vector<double> sqrt_mse;   // sqrt(MSE(1..h))
  std::vector<double> lower, upper;
};

// The whole method on y (n = y.size() >= 2). On a status other than Ok only
// the shortening and max_lag are filled.
ArarResult arar_forecast(std::span<const double> y, const ArarOptions& options);

}  // namespace zelk
