#include "arma/std_errors.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "arma/acvf.h"

namespace zelk {

std::vector<double> difference_hessian(const std::function<double(std::span<const double>)>& f,
                                       const std::vector<double>& x) {
  const int k = static_cast<int>(x.size());
  std::vector<double> h(static_cast<std::size_t>(k) * k);
  std::vector<double> step(k);
  for (int i = 0; i < k; ++i) step[i] = 1e-4 * std::max(std::fabs(x[i]), 1.0);
  const double f0 = f(x);
  auto at = [&](int i, double si, int j, double sj) {
    std::vector<double> y = x;
    y[i] += si;
    y[j] += sj;
    return f(y);
  };
  for (int i = 0; i < k; ++i) {
    const double hi = step[i];
    h[i * k + i] = (at(i, hi, i, 0) - 2 * f0 + at(i, -hi, i, 0)) / (hi * hi);
    for (int j = 0; j < i; ++j) {
      const double hj = step[j];
      const double v = (at(i, hi, j, hj) - at(i, hi, j, -hj) - at(i, -hi, j, hj) + at(i, -hi, j, -hj)) / (4 * hi * hj);
      h[j * k + i] = h[i * k + j] = v;
    }
  }
  return h;
}

bool cholesky_inverse(std::vector<double>& a, int k) {
  auto A = [&](int i, int j) -> double& { return a[static_cast<std::size_t>(j) * k + i]; };
  // Lower factor L in the lower triangle.
  for (int j = 0; j < k; ++j) {
    double d = A(j, j);
    for (int s = 0; s < j; ++s) d -= A(j, s) * A(j, s);
    if (!(d > 0) || !std::isfinite(d)) return false;
    const double l = std::sqrt(d);
    A(j, j) = l;
    for (int i = j + 1; i < k; ++i) {
      double v = A(i, j);
      for (int s = 0; s < j; ++s) v -= A(i, s) * A(j, s);
      A(i, j) = v / l;
    }
  }
  // L^-1 in the lower triangle, then (L^-1)' L^-1.
  std::vector<double> inv(static_cast<std::size_t>(k) * k, 0.0);
  auto I = [&](int i, int j) -> double& { return inv[static_cast<std::size_t>(j) * k + i]; };
  for (int j = 0; j < k; ++j) {
    I(j, j) = 1 / A(j, j);
    for (int i = j + 1; i < k; ++i) {
      double v = 0;
      for (int s = j; s < i; ++s) v -= A(i, s) * I(s, j);
      I(i, j) = v / A(i, i);
    }
  }
  for (int i = 0; i < k; ++i)
    for (int j = 0; j <= i; ++j) {
      double v = 0;
      for (int s = i; s < k; ++s) v += I(s, i) * I(s, j);
      A(i, j) = A(j, i) = v;
    }
  return true;
}

std::vector<double> hessian_standard_errors(std::vector<double> hessian, int k, int n) {
  if (k <= 0 || n <= 0 || static_cast<int>(hessian.size()) != k * k) return {};
  // Symmetrize: a secant or finite-difference Hessian is only nearly symmetric.
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < i; ++j) hessian[j * k + i] = hessian[i * k + j] = 0.5 * (hessian[j * k + i] + hessian[i * k + j]);
  if (!cholesky_inverse(hessian, k)) return {};
  std::vector<double> se(k);
  for (int j = 0; j < k; ++j) {
    const double v = 2 * hessian[j * k + j] / n;
    if (!(v > 0) || !std::isfinite(v)) return {};
    se[j] = std::sqrt(v);
  }
  return se;
}

std::vector<double> model_standard_errors(const ArmaModel& m, const std::vector<int>& free, int n) {
  const int p = m.p, q = m.q, k = static_cast<int>(free.size());
  if (k == 0 || n <= 0) return {};
  std::span<const double> phi(m.phi.data(), p), theta(m.theta.data(), q);
  std::vector<double> minus_theta(q);
  for (int j = 0; j < q; ++j) minus_theta[j] = -theta[j];
  // U: AR with phi; V: AR with -theta (theta(B) V = Z).
  auto gu = model_acvf(AcvfMode::Autocovariance, phi, {}, 1, std::max(p, 1));
  auto gv = model_acvf(AcvfMode::Autocovariance, minus_theta, {}, 1, std::max(q, 1));
  if (!gu.ok || !gv.ok) return {};
  // Cross covariances E U(t-i) V(t-j) = sum_k a(k) b(k+i-j) from the MA-infinity weights.
  const int J = 2000;
  auto a = psi_weights(phi, {}, J), b = psi_weights(minus_theta, {}, J);
  auto cross = [&](int h) {  // h = i - j
    double s = 0;
    for (int t = 0; t + std::abs(h) < J; ++t) s += h >= 0 ? a[t] * b[t + h] : a[t - h] * b[t];
    return s;
  };
  auto info = [&](int r, int c) {  // 1-based beta indices
    if (r <= p && c <= p) return gu.gamma[std::abs(r - c)];
    if (r > p && c > p) return gv.gamma[std::abs(r - c)];
    return r <= p ? cross(r - (c - p)) : cross(c - (r - p));
  };
  std::vector<double> mat(static_cast<std::size_t>(k) * k);
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) mat[j * k + i] = info(free[i], free[j]);
  if (!cholesky_inverse(mat, k)) return {};
  std::vector<double> se(k);
  for (int j = 0; j < k; ++j) {
    const double v = mat[j * k + j];
    if (!(v > 0) || !std::isfinite(v)) return {};
    se[j] = std::sqrt(v / n);
  }
  return se;
}

}  // namespace zelk
