#include "multivariate/var.h"

#include <algorithm>
#include <cmath>

namespace zelk {
namespace {

constexpr double kNoAicc = 1e20;

// Forward predictors and error covariances of every order 0..J:
// phi[j][l - 1] = PHI(j, l), V[j] the order-j forward error covariance.
struct Predictors {
  std::vector<std::vector<Matrix>> phi;
  std::vector<Matrix> V;
};

Matrix gamma_matrix(const CrossCovariances& g, int h) {
  Matrix m(g.k);
  for (int i = 0; i < g.k; ++i)
    for (int j = 0; j < g.k; ++j) m(i, j) = g(h, i, j);
  return m;
}

bool positive_definite(const Matrix& m) { return cholesky(m).has_value(); }

Matrix symmetric(const Matrix& m) {
  Matrix r = m;
  for (int i = 0; i < m.k; ++i)
    for (int j = 0; j < i; ++j) r(i, j) = r(j, i) = 0.5 * (m(i, j) + m(j, i));
  return r;
}

// One Levinson step shared by both methods: the order-j predictors from the
// order j-1 ones and the new forward and backward partial coefficients.
void extend(std::vector<Matrix>& fwd, std::vector<Matrix>& bwd, const Matrix& A, const Matrix& B) {
  const int j = static_cast<int>(fwd.size()) + 1;
  std::vector<Matrix> f(j), b(j);
  for (int l = 1; l < j; ++l) {
    f[l - 1] = fwd[l - 1] - A * bwd[j - l - 1];
    b[l - 1] = bwd[l - 1] - B * fwd[j - l - 1];
  }
  f[j - 1] = A;
  b[j - 1] = B;
  fwd = std::move(f);
  bwd = std::move(b);
}

// Whittle's recursion on Gamma(0..J) (Brockwell & Davis 1991, Prop. 11.4.1).
bool whittle(const CrossCovariances& g, int J, Predictors& out) {
  Matrix V = gamma_matrix(g, 0), U = V;
  std::vector<Matrix> fwd, bwd;
  out.phi.assign(1, {});
  out.V.assign(1, V);
  for (int j = 1; j <= J; ++j) {
    Matrix delta = gamma_matrix(g, j);
    for (int l = 1; l < j; ++l) delta = delta - fwd[l - 1] * gamma_matrix(g, j - l);
    const auto Ui = inverse(U), Vi = inverse(V);
    if (!Ui || !Vi) return false;
    const Matrix A = delta * *Ui, B = transpose(delta) * *Vi;
    V = symmetric(V - A * transpose(delta));
    U = symmetric(U - B * delta);
    if (!positive_definite(V) || !positive_definite(U)) return false;
    extend(fwd, bwd, A, B);
    out.phi.push_back(fwd);
    out.V.push_back(V);
  }
  return true;
}

// Sum over t of a(t) b(t)' over t in [from, to), components as rows.
Matrix products(const std::vector<std::vector<double>>& a, std::ptrdiff_t a_shift,
                const std::vector<std::vector<double>>& b, std::ptrdiff_t b_shift, std::size_t from, std::size_t to) {
  const int k = static_cast<int>(a.size());
  Matrix m(k);
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) {
      const double* x = a[i].data() + (static_cast<std::ptrdiff_t>(from) + a_shift);
      const double* y = b[j].data() + (static_cast<std::ptrdiff_t>(from) + b_shift);
      const std::size_t len = to - from;
      double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
      std::size_t t = 0;
      for (; t + 4 <= len; t += 4) {
        s0 += x[t] * y[t];
        s1 += x[t + 1] * y[t + 1];
        s2 += x[t + 2] * y[t + 2];
        s3 += x[t + 3] * y[t + 3];
      }
      for (; t < len; ++t) s0 += x[t] * y[t];
      m(i, j) = (s0 + s1) + (s2 + s3);
    }
  return m;
}

// Multivariate Burg with Nuttall-Strand weighting: the forward partial
// coefficient A minimizes the sum of the forward and backward error powers,
// each weighted by the inverse of its covariance, subject to the Levinson
// relation B = Vb A' Vf^-1. Setting the gradient to zero gives the Sylvester
// equation Pff Vf^-1 A Vb + A Pbb = 2 Pfb; for k = 1 it is the univariate
// a = 2 sum f b / (sum f^2 + sum b^2). Errors are updated in place, in blocks
// from the end of the series so that b(t-1) is still the old value when used.
bool burg(std::vector<std::vector<double>> f, const Matrix& gamma0, int J, Predictors& out) {
  const int k = static_cast<int>(f.size());
  const std::size_t n = f[0].size();
  std::vector<std::vector<double>> b = f;
  Matrix Vf = gamma0, Vb = gamma0;
  std::vector<Matrix> fwd, bwd;
  out.phi.assign(1, {});
  out.V.assign(1, Vf);
  constexpr std::size_t kBlock = 1024;
  std::vector<double> fn(static_cast<std::size_t>(k) * kBlock), bn(fn.size());
  for (int j = 1; j <= J; ++j) {
    const std::size_t first = static_cast<std::size_t>(j);
    Matrix Pff(k), Pbb(k), Pfb(k);
    // Block by block, so that the 3 k^2 sums read the errors once from memory.
    for (std::size_t lo = first; lo < n; lo += kBlock) {
      const std::size_t hi = std::min(n, lo + kBlock);
      Pff = Pff + products(f, 0, f, 0, lo, hi);
      Pbb = Pbb + products(b, -1, b, -1, lo, hi);
      Pfb = Pfb + products(f, 0, b, -1, lo, hi);
    }
    const auto Vfi = inverse(Vf), Vbi = inverse(Vb);
    if (!Vfi || !Vbi) return false;
    Matrix F = *Vfi * Pfb;
    for (double& v : F.a) v *= 2.0;
    const auto X = solve_sylvester(*Vfi * Pff, Vb, Pbb, F);
    if (!X) return false;
    const Matrix A = Vf * *X;
    const Matrix B = Vb * transpose(A) * *Vfi;
    const Matrix Vf_old = Vf;
    Vf = symmetric(Vf - A * Vb * transpose(A));
    Vb = symmetric(Vb - B * Vf_old * transpose(B));
    if (!positive_definite(Vf) || !positive_definite(Vb)) return false;
    extend(fwd, bwd, A, B);
    out.phi.push_back(fwd);
    out.V.push_back(Vf);
    if (j == J) break;
    for (std::size_t hi = n; hi > first;) {
      const std::size_t lo = hi - std::min(kBlock, hi - first);
      for (int i = 0; i < k; ++i) {
        double* fo = fn.data() + static_cast<std::size_t>(i) * kBlock;
        double* bo = bn.data() + static_cast<std::size_t>(i) * kBlock;
        for (std::size_t t = lo; t < hi; ++t) {
          fo[t - lo] = f[i][t];
          bo[t - lo] = b[i][t - 1];
        }
        for (int l = 0; l < k; ++l) {
          const double a = A(i, l), c = B(i, l);
          const double* bl = b[l].data() + (lo - 1);
          const double* fl = f[l].data() + lo;
          for (std::size_t t = 0; t < hi - lo; ++t) {
            fo[t] -= a * bl[t];
            bo[t] -= c * fl[t];
          }
        }
      }
      for (int i = 0; i < k; ++i)
        for (std::size_t t = lo; t < hi; ++t) {
          f[i][t] = fn[static_cast<std::size_t>(i) * kBlock + t - lo];
          b[i][t] = bn[static_cast<std::size_t>(i) * kBlock + t - lo];
        }
      hi = lo;
    }
  }
  return true;
}

// Sum over t = j+1..n (1-based) of X(t-l) X(t-m)' from n Gamma(d), d = m - l
// >= 0, less the few terms outside the window: the sum over s of X(s+d) X(s)'
// runs over s = 1..n-d in full and over s = j+1-m..n-m here.
Matrix window(const std::vector<std::vector<double>>& x, const CrossCovariances& g, int j, int l, int m) {
  if (l > m) return transpose(window(x, g, j, m, l));
  const int d = m - l;
  const std::size_t n = x[0].size();
  Matrix s = gamma_matrix(g, d);
  for (double& v : s.a) v *= static_cast<double>(n);
  // 0-based s - 1 runs over [0, j - m) at the head and [n - m, n - d) at the tail.
  const Matrix head = products(x, d, x, 0, 0, static_cast<std::size_t>(j - m));
  const Matrix tail = products(x, d, x, 0, n - static_cast<std::size_t>(m), n - static_cast<std::size_t>(d));
  return s - head - tail;
}

struct Likelihood {
  bool ok = true;
  std::vector<double> minus2;  // -2 ln L of orders 0..J, without the constant n k ln(2 pi)
};

// -2 ln L(j) = sum over t of ln det V(i(t)) + e(t)' V(i(t))^-1 e(t), i(t) = min(t-1, j).
// The first j terms are shared with order j-1 and one more; the remaining
// n - j are (n - j) ln det V(j) + tr(V(j)^-1 Q) with
// Q = sum over t > j of e(t) e(t)' = sum over l, m of A_l S(l, m) A_m', A_0 = I, A_l = -PHI(j, l).
Likelihood likelihoods(const std::vector<std::vector<double>>& x, const CrossCovariances& g, const Predictors& pr) {
  const int k = static_cast<int>(x.size());
  const int J = static_cast<int>(pr.V.size()) - 1;
  const std::size_t n = x[0].size();
  Likelihood out;
  std::vector<double> logdet(J + 1);
  std::vector<Matrix> Vinv(J + 1);
  for (int j = 0; j <= J; ++j) {
    const double det = determinant(pr.V[j]);
    const auto inv = inverse(pr.V[j]);
    if (!(det > 0) || !inv) {
      out.ok = false;
      return out;
    }
    logdet[j] = std::log(det);
    Vinv[j] = *inv;
  }
  double head = 0;
  std::vector<double> e(k);
  for (int j = 0; j <= J; ++j) {
    if (j >= 1) {
      // Time t = j (1-based) predicted by the order j-1 predictor.
      const int i = j - 1;
      const std::size_t t = static_cast<std::size_t>(j - 1);
      for (int a = 0; a < k; ++a) {
        double s = x[a][t];
        for (int l = 1; l <= i; ++l)
          for (int b = 0; b < k; ++b) s -= pr.phi[i][l - 1](a, b) * x[b][t - l];
        e[a] = s;
      }
      double q = 0;
      for (int a = 0; a < k; ++a)
        for (int b = 0; b < k; ++b) q += e[a] * Vinv[i](a, b) * e[b];
      head += logdet[i] + q;
    }
    std::vector<Matrix> A(j + 1, Matrix(k, 1.0));
    for (int l = 1; l <= j; ++l) {
      A[l] = pr.phi[j][l - 1];
      for (double& v : A[l].a) v = -v;
    }
    Matrix Q(k);
    for (int l = 0; l <= j; ++l)
      for (int m = 0; m <= j; ++m) Q = Q + A[l] * window(x, g, j, l, m) * transpose(A[m]);
    double tr = 0;
    for (int a = 0; a < k; ++a)
      for (int b = 0; b < k; ++b) tr += Vinv[j](a, b) * Q(b, a);
    out.minus2.push_back(head + static_cast<double>(n - static_cast<std::size_t>(j)) * logdet[j] + tr);
  }
  return out;
}

}  // namespace

int var_order_limit(int n, int k) {
  if (k < 1 || static_cast<long long>(n) * k < 2) return 0;
  return static_cast<int>(std::min<long long>((static_cast<long long>(n) * k - 2) / (static_cast<long long>(k) * k), 21));
}

VarFit fit_var(Components x, const VarFitOptions& options) {
  VarFit fit;
  const int k = static_cast<int>(x.size());
  const int n = k > 0 ? static_cast<int>(x[0].size()) : 0;
  const int P = var_order_limit(n, k);
  if (k < 1 || k > kMaxVarComponents || n < 2) {
    fit.message = "The fit needs 1 to 5 components of at least 2 observations.";
    return fit;
  }
  for (auto c : x)
    if (static_cast<int>(c.size()) != n) {
      fit.message = "The components differ in length.";
      return fit;
    }
  if (!options.minimize_aicc && (options.order < 0 || options.order >= P)) {
    fit.message = "The order must be at least 0 and below " + std::to_string(P) + ".";
    return fit;
  }
  const int J = options.minimize_aicc ? std::max(P - 1, 0) : options.order;

  const CrossCovariances raw = sample_cross_covariances(x, J);
  std::vector<double> s(k);
  for (int i = 0; i < k; ++i) s[i] = std::sqrt(raw(0, i, i));
  fit.status = VarFitStatus::NumericalDifficulties;
  fit.message = "Numerical difficulties";
  for (double v : s)
    if (!(v > 0)) return fit;
  // Standardized copies: the recursions and the likelihood's edge terms.
  CrossCovariances g = raw;
  for (int h = 0; h <= J; ++h)
    for (int i = 0; i < k; ++i)
      for (int j = 0; j < k; ++j) g.values[(static_cast<std::size_t>(h) * k + i) * k + j] /= s[i] * s[j];
  std::vector<std::vector<double>> z(k, std::vector<double>(static_cast<std::size_t>(n)));
  for (int i = 0; i < k; ++i)
    for (int t = 0; t < n; ++t) z[i][t] = (x[i][t] - raw.means[i]) / s[i];
  if (!positive_definite(gamma_matrix(g, 0))) return fit;

  Predictors pr;
  const bool ok = options.method == VarMethod::YuleWalker ? whittle(g, J, pr) : burg(z, gamma_matrix(g, 0), J, pr);
  if (!ok) return fit;
  const Likelihood like = likelihoods(z, g, pr);
  if (!like.ok) return fit;

  const double nk = static_cast<double>(n) * k;
  double scale = 0;  // ln of the Jacobian: n ln s(i)^2 per component
  for (double v : s) scale += static_cast<double>(n) * std::log(v * v);
  for (int j = 0; j <= J; ++j) {
    const double params = static_cast<double>(j) * k * k;
    const double m2 = nk * (kLog2PiPlusOne - 1.0) + like.minus2[j];
    fit.aicc.push_back(nk > params + 2 ? m2 + 2.0 * (params + 1.0) * nk / (nk - params - 2.0) + scale : kNoAicc);
  }
  int best = options.order;
  if (options.minimize_aicc) {
    best = 0;
    for (int j = 1; j <= J; ++j)
      if (fit.aicc[j] < fit.aicc[best]) best = j;
  }
  VarModel& m = fit.model;
  m.k = k;
  m.n = n;
  m.p = best;
  m.mean = raw.means;
  m.method = options.method;
  m.aicc = fit.aicc[best];
  m.phi = pr.phi[best];
  for (Matrix& ph : m.phi)
    for (int i = 0; i < k; ++i)
      for (int l = 0; l < k; ++l) ph(i, l) *= s[i] / s[l];
  m.V = pr.V[best];
  for (int i = 0; i < k; ++i)
    for (int l = 0; l < k; ++l) m.V(i, l) *= s[i] * s[l];
  fit.status = VarFitStatus::Ok;
  fit.message.clear();
  return fit;
}

}  // namespace zelk
