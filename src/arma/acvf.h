#pragma once
// Kernels of a causal ARMA model
//   X(t) - phi(1) X(t-1) - ... - phi(p) X(t-p) = Z(t) + theta(1) Z(t-1) + ... + theta(q) Z(t-q):
// the step-down (Schur-Cohn) test of causality and invertibility, the model
// autocovariance, and the MA- and AR-infinity weights.
//
// Brockwell & Davis, Time Series: Theory and Methods (1991): the step-down
// form of the Durbin-Levinson recursion (Sec. 5.2, Problem 8.3) maps the AR
// coefficients to the partial autocorrelations, which lie strictly inside
// (-1, 1) exactly when phi(z) has no zero in the closed unit disc; the step-up
// recursion gives the AR autocorrelations back (Sec. 3.3), and the MA factor
// enters by convolution with the autocovariance of theta(B) Z(t).
#include <span>
#include <vector>

#include "model/causality.h"

namespace zelk {

enum class AcvfMode {
  Invertibility,  // step-down test of 1 + theta(1) z + ... + theta(q) z^q
  Causality,      // step-down test of 1 - phi(1) z - ... - phi(p) z^p
  Autocovariance  // gamma(0..K) of a causal model (fails when it is not causal)
};

struct AcvfResult {
  bool ok = false;             // the test passed / the model is causal
  std::vector<double> gamma;   // Autocovariance mode: gamma(0..K)
};

// One routine for the three uses. phi and theta are phi(1..p), theta(1..q).
AcvfResult model_acvf(AcvfMode mode, std::span<const double> phi, std::span<const double> theta, double sigma2,
                      int K);

// psi(0..J-1) of theta(z)/phi(z), psi(0) = 1.
std::vector<double> psi_weights(std::span<const double> phi, std::span<const double> theta, int J);
// pi(0..J-1) of phi(z)/theta(z): Z(t) = sum pi(j) X(t-j).
std::vector<double> pi_weights(std::span<const double> phi, std::span<const double> theta, int J);

}  // namespace zelk
