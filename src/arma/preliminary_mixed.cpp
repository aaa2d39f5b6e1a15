// The two estimators of mixed ARMA models: innovations and Hannan-Rissanen.
#include <algorithm>
#include <cmath>

#include "arma/preliminary.h"
#include "arma/std_errors.h"
#include "numeric/acf.h"

namespace zelk {
namespace {

// Solves the k x k system (column-major) by elimination with partial
// pivoting; false when a pivot vanishes against the matrix's scale.
bool solve(std::vector<double> m, std::vector<double>& b, int k) {
  auto M = [&](int i, int j) -> double& { return m[static_cast<std::size_t>(j) * k + i]; };
  double scale = 0;
  for (double v : m) scale = std::max(scale, std::fabs(v));
  if (!(scale > 0) || !std::isfinite(scale)) return k == 0;
  for (int c = 0; c < k; ++c) {
    int piv = c;
    for (int i = c + 1; i < k; ++i)
      if (std::fabs(M(i, c)) > std::fabs(M(piv, c))) piv = i;
    if (!(std::fabs(M(piv, c)) > 1e-13 * scale)) return false;
    if (piv != c) {
      for (int j = 0; j < k; ++j) std::swap(M(c, j), M(piv, j));
      std::swap(b[c], b[piv]);
    }
    for (int i = c + 1; i < k; ++i) {
      const double f = M(i, c) / M(c, c);
      for (int j = c; j < k; ++j) M(i, j) -= f * M(c, j);
      b[i] -= f * b[c];
    }
  }
  for (int i = k - 1; i >= 0; --i) {
    double s = b[i];
    for (int j = i + 1; j < k; ++j) s -= M(i, j) * b[j];
    b[i] = s / M(i, i);
  }
  return true;
}

// (phi, theta) from psi(1..p+q) estimates a (a(0) = 1 implied).
bool mixed_from_psi(std::span<const double> a, int p, int q, std::vector<double>& phi, std::vector<double>& theta) {
  auto A = [&](int k) { return k < 0 ? 0.0 : k == 0 ? 1.0 : a[k - 1]; };
  phi.assign(p, 0.0);
  if (p > 0) {
    std::vector<double> m(static_cast<std::size_t>(p) * p);
    for (int j = 1; j <= p; ++j) {
      phi[j - 1] = A(q + j);
      for (int i = 1; i <= p; ++i) m[static_cast<std::size_t>(i - 1) * p + (j - 1)] = A(q + j - i);
    }
    if (!solve(std::move(m), phi, p)) return false;
  }
  theta.assign(q, 0.0);
  for (int j = 1; j <= q; ++j) {
    double s = A(j);
    for (int i = 1; i <= std::min(j, p); ++i) s -= phi[i - 1] * A(j - i);
    theta[j - 1] = s;
  }
  return true;
}

// Delta-method standard errors of (phi, theta) = g(a), Cov(a) = A / n.
std::vector<double> innovations_standard_errors(const std::vector<double>& a, int p, int q, int n) {
  const int k = p + q;
  std::vector<double> cov_a(static_cast<std::size_t>(k) * k);
  auto psi = [&](int j) { return j == 0 ? 1.0 : a[j - 1]; };
  for (int i = 1; i <= k; ++i)
    for (int j = 1; j <= k; ++j) {
      double s = 0;
      for (int r = 1; r <= std::min(i, j); ++r) s += psi(i - r) * psi(j - r);
      cov_a[static_cast<std::size_t>(j - 1) * k + (i - 1)] = s;
    }
  // Jacobian by central differences: g is smooth away from a singular system.
  std::vector<double> jac(static_cast<std::size_t>(k) * k);  // jac(row = output, col = input)
  std::vector<double> up_phi, up_theta, dn_phi, dn_theta;
  for (int l = 0; l < k; ++l) {
    const double h = 1e-6 * std::max(1.0, std::fabs(a[l]));
    std::vector<double> up(a.begin(), a.begin() + k), dn = up;
    up[l] += h;
    dn[l] -= h;
    if (!mixed_from_psi(up, p, q, up_phi, up_theta) || !mixed_from_psi(dn, p, q, dn_phi, dn_theta)) return {};
    for (int r = 0; r < k; ++r) {
      const double gu = r < p ? up_phi[r] : up_theta[r - p];
      const double gd = r < p ? dn_phi[r] : dn_theta[r - p];
      jac[static_cast<std::size_t>(l) * k + r] = (gu - gd) / (2 * h);
    }
  }
  std::vector<double> se(k);
  for (int r = 0; r < k; ++r) {
    double v = 0;
    for (int i = 0; i < k; ++i)
      for (int j = 0; j < k; ++j)
        v += jac[static_cast<std::size_t>(i) * k + r] * cov_a[static_cast<std::size_t>(j) * k + i] *
             jac[static_cast<std::size_t>(j) * k + r];
    v /= n;
    if (!(v > 0) || !std::isfinite(v)) return {};
    se[r] = std::sqrt(v);
  }
  return se;
}

}  // namespace

PreliminaryResult innovations_fit(std::span<const double> gamma, int p, int q, int n) {
  PreliminaryResult r;
  r.p = p;
  r.q = q;
  const int m = static_cast<int>(gamma.size()) - 1;
  r.acvfs_used = m;
  if (m < p + q || m < 1 || n <= 0) {
    r.failure = PreliminaryFailure::TooFewData;
    return r;
  }
  // theta(i, 1..i) in row i; Brockwell & Davis (1991), Prop. 5.2.2.
  std::vector<std::vector<double>> th(m + 1);
  std::vector<double> v(m + 1);
  v[0] = gamma[0];
  for (int i = 1; i <= m; ++i) {
    th[i].assign(i + 1, 0.0);
    for (int k = 0; k < i; ++k) {
      if (!(v[k] > 0)) {
        r.failure = PreliminaryFailure::Singular;
        return r;
      }
      double s = gamma[i - k];
      for (int j = 0; j < k; ++j) s -= th[k][k - j] * th[i][i - j] * v[j];
      th[i][i - k] = s / v[k];
    }
    double s = gamma[0];
    for (int j = 0; j < i; ++j) s -= th[i][i - j] * th[i][i - j] * v[j];
    v[i] = s;
  }
  if (!(v[m] > 0)) {
    r.failure = PreliminaryFailure::Singular;
    return r;
  }
  const std::vector<double> a(th[m].begin() + 1, th[m].end());
  if (!mixed_from_psi(a, p, q, r.phi, r.theta)) {
    r.failure = PreliminaryFailure::Singular;
    return r;
  }
  r.sigma2 = v[m];
  r.standard_errors = innovations_standard_errors(a, p, q, n);
  return r;
}

PreliminaryResult hannan_rissanen_fit(std::span<const double> x, int p, int q) {
  PreliminaryResult r;
  r.p = p;
  r.q = q;
  const int n = static_cast<int>(x.size());
  const int L = hannan_rissanen_long_order(p, q, n);
  r.long_order = L;
  const int k = p + q;
  const int first = L + std::max(p, q);  // 0-based index of the first equation
  const int rows = n - first;
  if (L < 1 || k < 1 || rows <= k) {
    r.failure = PreliminaryFailure::TooFewData;
    return r;
  }
  const std::vector<ArFit> path = yule_walker_path(sample_acvf(x, L));
  const std::vector<double>& a = path[L].phi;
  std::vector<double> z(n, 0.0);
  for (int t = L; t < n; ++t) {
    double s = x[t];
    for (int j = 1; j <= L; ++j) s -= a[j - 1] * x[t - j];
    z[t] = s;
  }
  // Normal equations A'A beta = A'y, row t of A = (x(t-1..t-p), z(t-1..t-q)).
  std::vector<double> ata(static_cast<std::size_t>(k) * k, 0.0), aty(k, 0.0), row(k);
  for (int t = first; t < n; ++t) {
    for (int i = 0; i < p; ++i) row[i] = x[t - 1 - i];
    for (int j = 0; j < q; ++j) row[p + j] = z[t - 1 - j];
    for (int i = 0; i < k; ++i) {
      aty[i] += row[i] * x[t];
      for (int j = 0; j <= i; ++j) ata[static_cast<std::size_t>(j) * k + i] += row[i] * row[j];
    }
  }
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < i; ++j) ata[static_cast<std::size_t>(i) * k + j] = ata[static_cast<std::size_t>(j) * k + i];
  if (!cholesky_inverse(ata, k)) {
    r.failure = PreliminaryFailure::Singular;
    return r;
  }
  std::vector<double> beta(k, 0.0);
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) beta[i] += ata[static_cast<std::size_t>(j) * k + i] * aty[j];
  double rss = 0;
  for (int t = first; t < n; ++t) {
    double e = x[t];
    for (int i = 0; i < p; ++i) e -= beta[i] * x[t - 1 - i];
    for (int j = 0; j < q; ++j) e -= beta[p + j] * z[t - 1 - j];
    rss += e * e;
  }
  r.phi.assign(beta.begin(), beta.begin() + p);
  r.theta.assign(beta.begin() + p, beta.end());
  r.sigma2 = rss / rows;
  std::vector<double> se(k);
  for (int i = 0; i < k; ++i) {
    const double v = r.sigma2 * ata[static_cast<std::size_t>(i) * k + i];
    if (!(v > 0) || !std::isfinite(v)) {
      se.clear();
      break;
    }
    se[i] = std::sqrt(v);
  }
  r.standard_errors = std::move(se);
  return r;
}

}  // namespace zelk
