#pragma once
// Vector autoregression X(t) - mu = PHI(1)(X(t-1) - mu) + .. + PHI(p)(X(t-p) - mu) + Z(t),
// Z white noise with covariance V, fitted by the multivariate Yule-Walker
// equations (Whittle's recursion) or by the multivariate Burg recursion
// (Brockwell & Davis, "Time Series: Theory and Methods", 1991, 11.4; Nuttall
// 1976, "Multivariate linear predictive spectral analysis employing weighted
// forward and backward averaging", NUSC TD 5501, with Strand's 1977 weighting).
//
// Steps: means subtracted, each component divided by s(i) = sqrt(gamma_ii(0));
// sample cross-covariances Gamma(h) = (1/n) sum X(t+h) X(t)'; the recursion;
// the AICC of each order from the exact innovations form of the Gaussian
// likelihood (the order-j predictor and V(j) for t > j, the lower orders
// before); the coefficients and V rescaled to the data.
#include <span>
#include <string>
#include <vector>

#include "multivariate/cross_correlation.h"
#include "multivariate/small_matrix.h"

namespace zelk {

inline constexpr int kMaxVarOrder = 20;
inline constexpr int kMaxVarComponents = 5;

enum class VarMethod { YuleWalker, Burg };

struct VarModel {
  int k = 0;
  int n = 0;                  // observations the model was fitted to
  int p = 0;
  std::vector<double> mean;   // mu
  std::vector<Matrix> phi;    // PHI(1..p) at [0..p-1]; phi[l](i, j) multiplies component j at lag l+1 in equation i
  Matrix V;                   // white-noise covariance
  double aicc = 0;
  VarMethod method = VarMethod::YuleWalker;
};

// P = min((n k - 2) div k^2, 21): orders below it can be fitted (n k < 2 gives 0).
int var_order_limit(int n, int k);

struct VarFitOptions {
  VarMethod method = VarMethod::YuleWalker;
  int order = 1;                // used when minimize_aicc is false
  bool minimize_aicc = false;   // fit 0..P-1 and keep the smallest AICC (ties keep the lower order)
};

enum class VarFitStatus { Ok, NumericalDifficulties, BadInput };

struct VarFit {
  VarFitStatus status = VarFitStatus::BadInput;
  VarModel model;
  std::vector<double> aicc;   // per order tried, from 0; 1e20 where the penalty is undefined
  std::string message;        // "Numerical difficulties" or what is wrong with the input
};

// Components of equal length n >= 2, 1 <= k <= kMaxVarComponents, the order
// 0 <= p < var_order_limit(n, k) when given. A covariance matrix that is not
// positive definite (an exactly collinear pair, a constant component) gives
// NumericalDifficulties and no model.
VarFit fit_var(Components x, const VarFitOptions& options);

// The likelihood's constant ln(2 pi) + 1, written as the one number the
// white-noise AICC uses.
inline constexpr double kLog2PiPlusOne = 2.837877;

}  // namespace zelk
