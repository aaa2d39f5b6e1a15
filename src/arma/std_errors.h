#pragma once
// Standard errors of maximum-likelihood ARMA estimates.
//
// First from the Hessian H of the reduced likelihood l at the optimum: since
// -2 ln L = n l + const, the covariance is 2 H^-1 / n. When H is not positive
// definite, from the large-sample covariance of the model (Brockwell & Davis
// 1991, Theorem 8.8.1 and eq. 8.8.3): V = [E UU', E UV'; E VU', E VV']^-1 with
// phi(B) U(t) = Z(t) and theta(B) V(t) = Z(t), Var Z = 1.
#include <functional>
#include <span>
#include <vector>

#include "model/arma_model.h"

namespace zelk {

// Central-difference Hessian of f at x (k x k, column-major), steps
// 1e-4 max(|x(i)|, 1).
std::vector<double> difference_hessian(const std::function<double(std::span<const double>)>& f,
                                       const std::vector<double>& x);

// Inverts a symmetric k x k matrix (column-major) in place through its
// Cholesky factor; false at the first pivot that is not positive.
bool cholesky_inverse(std::vector<double>& a, int k);

// Standard errors of the free coefficients (free-list order) from the Hessian
// of l; empty when H cannot be inverted or a variance is not positive.
std::vector<double> hessian_standard_errors(std::vector<double> hessian, int k, int n);

// The same from the model's large-sample covariance; empty when the model is
// not causal and invertible or the matrix cannot be inverted.
std::vector<double> model_standard_errors(const ArmaModel& model, const std::vector<int>& free, int n);

}  // namespace zelk
