#pragma once
// Exact Gaussian likelihood of a causal ARMA(p,q) model for a zero-mean
// series by the innovations algorithm (Brockwell & Davis 1991, Sec. 8.7):
// one-step predictors xhat(t) with mean-square errors sigma2 r(t-1), the
// weighted sum of squares S and the reduced likelihood
//   l = ln(S/n) + (1/n) sum ln r(t-1),
// whose minimum over the coefficients is the maximum-likelihood estimate.
#include <span>
#include <vector>

namespace zelk {

inline constexpr double kTwoPi = 6.28318;  // 2 pi as the reports have always used it

struct LikelihoodOptions {
  double tolerance = 0.00001;  // settling of the innovation coefficients
  bool residuals = true;       // also fill e(t), W(t)
};

struct LikelihoodResult {
  bool causal = false;      // false: nothing else is filled
  bool degenerate = false;  // S = 0 (a series of zeros) or S overflows: l is not finite
  bool overflow = false;    // degenerate because S is too large for a double
  double S = 0;             // sum (x(t) - xhat(t))^2 / r(t-1)
  double sum_log_r = 0;
  double reduced = 0;       // l
  int steps = 0;            // innovation steps computed before the coefficients settled
  std::vector<double> residuals;           // e(t) = x(t) - xhat(t)
  std::vector<double> rescaled_residuals;  // W(t) = e(t) / sqrt(r(t-1))
};

LikelihoodResult arma_likelihood(std::span<const double> x, std::span<const double> phi,
                                 std::span<const double> theta, const LikelihoodOptions& options = {});

// -2 ln L at white-noise variance sigma2 from an evaluation over n values.
double minus2_log_likelihood(const LikelihoodResult& r, int n, double sigma2);
// AICC with k free parameters; the penalty is infinite when n <= k + 2.
double aicc(double minus2_log_l, int n, int k);

}  // namespace zelk
