#include "arma/acvf.h"

#include <algorithm>
#include <cmath>

namespace zelk {


namespace {

// Autocovariances gamma(0..K) of the causal AR process phi(B) Y = Z, Var Z = 1.
std::vector<double> ar_acvf(std::span<const double> phi, const std::vector<double>& partial, int K) {
  const int p = static_cast<int>(phi.size());
  std::vector<double> rho(std::max(K, p) + 1, 0.0);
  rho[0] = 1;
  // Step-up: rebuild rho(1..p) from the partial autocorrelations.
  std::vector<double> c(p + 1, 0.0), prev(p + 1, 0.0);
  double v = 1;
  for (int m = 1; m <= p; ++m) {
    const double alpha = partial[m - 1];
    double r = alpha * v;
    for (int j = 1; j < m; ++j) r += prev[j] * rho[m - j];
    rho[m] = r;
    for (int j = 1; j < m; ++j) c[j] = prev[j] - alpha * prev[m - j];
    c[m] = alpha;
    prev = c;
    v *= 1 - alpha * alpha;
  }
  for (int h = p + 1; h <= K; ++h) {
    double r = 0;
    for (int j = 1; j <= p; ++j) r += phi[j - 1] * rho[h - j];
    rho[h] = r;
  }
  rho.resize(K + 1);
  const double g0 = 1 / v;
  for (double& r : rho) r *= g0;
  return rho;
}

}  // namespace

AcvfResult model_acvf(AcvfMode mode, std::span<const double> phi, std::span<const double> theta, double sigma2,
                      int K) {
  AcvfResult out;
  if (mode == AcvfMode::Invertibility) {
    std::vector<double> a(theta.size());
    for (std::size_t j = 0; j < theta.size(); ++j) a[j] = -theta[j];
    out.ok = theta.empty() || !step_down(a).empty();
    return out;
  }
  const std::vector<double> partial = step_down(phi);
  out.ok = phi.empty() || !partial.empty();
  if (mode == AcvfMode::Causality || !out.ok) return out;
  if (K < 0) K = 0;
  const int q = static_cast<int>(theta.size());
  const std::vector<double> gy = ar_acvf(phi, partial, K + q);
  // c(l) = sum_j theta(j) theta(j+l), theta(0) = 1.
  std::vector<double> c(q + 1, 0.0);
  for (int l = 0; l <= q; ++l)
    for (int j = 0; j + l <= q; ++j) c[l] += (j == 0 ? 1.0 : theta[j - 1]) * (j + l == 0 ? 1.0 : theta[j + l - 1]);
  out.gamma.assign(K + 1, 0.0);
  for (int h = 0; h <= K; ++h) {
    double g = c[0] * gy[h];
    for (int l = 1; l <= q; ++l) g += c[l] * (gy[std::abs(h - l)] + gy[h + l]);
    out.gamma[h] = sigma2 * g;
  }
  return out;
}


std::vector<double> psi_weights(std::span<const double> phi, std::span<const double> theta, int J) {
  const int p = static_cast<int>(phi.size()), q = static_cast<int>(theta.size());
  std::vector<double> psi(std::max(J, 0), 0.0);
  for (int j = 0; j < J; ++j) {
    double v = j == 0 ? 1.0 : (j <= q ? theta[j - 1] : 0.0);
    for (int k = 1; k <= std::min(j, p); ++k) v += phi[k - 1] * psi[j - k];
    psi[j] = v;
  }
  return psi;
}

std::vector<double> pi_weights(std::span<const double> phi, std::span<const double> theta, int J) {
  std::vector<double> a(theta.size()), b(phi.size());
  for (std::size_t j = 0; j < theta.size(); ++j) a[j] = -theta[j];
  for (std::size_t j = 0; j < phi.size(); ++j) b[j] = -phi[j];
  return psi_weights(a, b, J);
}

}  // namespace zelk
