#pragma once
// Preliminary (moment-type) estimation of ARMA models for a zero-mean series:
// Yule-Walker and Burg autoregressions with an optional minimum-AICC order
// search, the innovations estimates of a mixed model and the Hannan-Rissanen
// regression, with standard errors. The fitted model is then scored by the
// exact likelihood of likelihood.h.
//
// Brockwell & Davis, Time Series: Theory and Methods (1991), Sec. 8.1-8.4;
// Introduction to Time Series and Forecasting (2002), Sec. 5.1. Burg, J. P.
// (1968), "A new analysis technique for time series data". Hannan, E. J. &
// Rissanen, J. (1982), Biometrika 69, 81-94.
#include <span>
#include <vector>

namespace zelk {

// The method code of the model record.
enum class PreliminaryMethod {
  YuleWalkerAicc = 1,
  BurgAicc = 2,
  YuleWalker = 3,
  Burg = 4,
  Innovations = 5,
  HannanRissanen = 6
};

inline constexpr int kMaxSearchOrder = 26;

struct ArFit {
  std::vector<double> phi;  // phi(1..p)
  double sigma2 = 0;        // the method's white-noise variance
};

// Yule-Walker fits of orders 0..K from gamma(0..K) (K = gamma.size() - 1) by
// the Durbin-Levinson recursion; sigma2 = gamma(0) - phi' gamma(1..p). A zero
// gamma(0) gives zero coefficients and variance.
std::vector<ArFit> yule_walker_path(std::span<const double> gamma);

// Burg fits of orders 0..K of the mean-corrected x: each reflection
// coefficient minimizes the summed forward and backward prediction error
// powers; sigma2 is the error power P(k) = P(k-1) (1 - kappa(k)^2), P(0) the
// mean square of the corrected series. O(nK), one pass a order.
std::vector<ArFit> burg_path(std::span<const double> x, int K);

// Minimum-AICC order among the fits[0..K] of x: AICC(k) = -2 ln L + 2(k+1)n/(n-k-2)
// from the exact likelihood at the fit's sigma2; AICC(0) = n (ln s + ln 2pi + 1)
// + 2n/(n-2) with s the mean square of x. Only a strictly smaller AICC
// replaces the best, so ties keep the lower order. Orders above n-3 are never
// tried (n <= 3 keeps order 0); an order whose likelihood is not defined
// (zero variance) is skipped. A series of zeros has no defined AICC at all:
// order 0 and aicc empty.
struct OrderSearch {
  int order = 0;
  std::vector<double> aicc;  // AICC(0..last order tried); empty when undefined
};
OrderSearch min_aicc_order(std::span<const double> x, std::span<const ArFit> fits);

// The number of sample autocovariances the innovations estimator receives:
// the entered m + 1 when m >= p+q, m+1 < 76 and m+1 <= n, else
// min(p+q+16, n-1).
int innovations_acvf_count(int entered_m, int p, int q, int n);
// The long autoregression of Hannan-Rissanen: min(p+q+20, n/2, 54).
int hannan_rissanen_long_order(int p, int q, int n);

struct PreliminaryOptions {
  PreliminaryMethod method = PreliminaryMethod::YuleWalker;
  int p = 0, q = 0;      // p is chosen by the search for the two AICC codes
  int acvf_count = 0;    // innovations: autocovariances received, gamma(0..count-1)
};

enum class PreliminaryFailure {
  None,
  TooFewData,  // not enough values or autocovariances for the orders asked
  Singular     // the estimating equations have no unique solution
};

struct PreliminaryResult {
  PreliminaryFailure failure = PreliminaryFailure::None;
  int p = 0, q = 0;
  std::vector<double> phi, theta;
  double sigma2 = 0;                     // the method's own white-noise estimate
  std::vector<double> standard_errors;  // beta = (phi, theta) order; empty = not available
  bool noncausal = false;                // AR part not causal: every coefficient set to 0.001
  int acvfs_used = 0;                    // innovations: m, one less than the count received
  int long_order = 0;                    // Hannan-Rissanen: L
  OrderSearch search;                    // the two AICC codes
  // The exact likelihood of the fitted (or replaced) model at sigma2.
  bool likelihood_defined = false;
  double residual_ss_n = 0;  // S/n
  double minus2_log_likelihood = 0;
  double aicc = 0;           // k = p + q; not finite when n <= k + 2
};

// x is the working series (mean correction is the caller's choice; the
// sample autocovariances and Burg correct for the mean themselves).
PreliminaryResult preliminary_estimate(std::span<const double> x, const PreliminaryOptions& options);

// The two mixed-model estimators on their own (used by preliminary_estimate;
// the likelihood fields are left empty).
// Innovations: the innovations algorithm on gamma(0..m) gives theta(m,1..m)
// and v(m); phi solves theta(m,q+j) = sum_i phi(i) theta(m,q+j-i), j = 1..p,
// and theta(j) = theta(m,j) - sum_i phi(i) theta(m,j-i) (Brockwell & Davis
// 1991, Sec. 8.4); sigma2 = v(m). Standard errors by the delta method from
// the asymptotic covariance of theta(m,1..k), a(i,j) = sum over r = 1..min(i,j)
// of psi(i-r) psi(j-r) (ibid., Theorem 8.3.1), psi estimated by theta(m,.).
PreliminaryResult innovations_fit(std::span<const double> gamma, int p, int q, int n);
// Hannan-Rissanen: residuals of the long Yule-Walker autoregression stand in
// for the noise; X(t) is regressed on X(t-1..t-p) and Z(t-1..t-q). sigma2 is
// the residual sum of squares over the number of equations; standard errors
// are those of least squares, sigma2 (A'A)^-1.
PreliminaryResult hannan_rissanen_fit(std::span<const double> x, int p, int q);

// se(phi(j)) = sqrt(sigma2 [Gamma(p)^-1](j,j) / n), Gamma(p) the Toeplitz
// matrix of gamma(0..p-1); empty when it cannot be inverted.
std::vector<double> ar_standard_errors(std::span<const double> gamma, double sigma2, int p, int n);

}  // namespace zelk
