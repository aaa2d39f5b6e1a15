#include "numeric/minimize_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelk::numeric {
namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr double kSufficientDecrease = 1e-4;
constexpr double kMinBacktrack = 0.1;

// In-place Cholesky H = L L' of a column-major matrix; false at a pivot that
// is not safely positive.
bool cholesky(std::vector<double>& a, std::size_t k, double min_pivot) {
  for (std::size_t j = 0; j < k; ++j) {
    double d = a[j * k + j];
    for (std::size_t m = 0; m < j; ++m) d -= a[m * k + j] * a[m * k + j];
    if (!(d > min_pivot)) return false;
    d = std::sqrt(d);
    a[j * k + j] = d;
    for (std::size_t i = j + 1; i < k; ++i) {
      double v = a[j * k + i];
      for (std::size_t m = 0; m < j; ++m) v -= a[m * k + i] * a[m * k + j];
      a[j * k + i] = v / d;
    }
  }
  return true;
}

}  // namespace

double norm2(std::span<const double> v) {
  double s = 0;
  for (double e : v) s += e * e;
  return std::sqrt(s);
}

double relative_gradient(std::span<const double> g, std::span<const double> x, double f) {
  double r = 0;
  double scale = std::max(std::abs(f), 1.0);
  for (std::size_t i = 0; i < g.size(); ++i) r = std::max(r, std::abs(g[i]) * std::max(std::abs(x[i]), 1.0) / scale);
  return r;
}

std::vector<double> gradient(Objective& f, std::span<const double> x, double fx, bool central) {
  std::vector<double> g(x.size());
  std::vector<double> xt(x.begin(), x.end());
  const double rel = central ? std::cbrt(kEps) : std::sqrt(kEps);
  for (std::size_t j = 0; j < x.size(); ++j) {
    const double xj = x[j];
    double h = rel * std::max(std::abs(xj), 1.0) * (xj < 0 ? -1.0 : 1.0);
    xt[j] = xj + h;
    h = xt[j] - xj;  // the step actually taken, free of rounding
    double fp = f(xt);
    if (central) {
      xt[j] = xj - h;
      double fm = f(xt);
      if (std::isfinite(fp) && std::isfinite(fm)) g[j] = (fp - fm) / (2 * h);
      else if (std::isfinite(fp)) g[j] = (fp - fx) / h;
      else g[j] = (fx - fm) / h;
    } else if (std::isfinite(fp)) {
      g[j] = (fp - fx) / h;
    } else {
      // The forward point is rejected by f: look back instead.
      xt[j] = xj - h;
      g[j] = (fx - f(xt)) / h;
    }
    if (!std::isfinite(g[j])) g[j] = 0;
    xt[j] = xj;
  }
  return g;
}

std::vector<double> newton_direction(std::span<const double> hessian, std::span<const double> g) {
  const std::size_t k = g.size();
  double max_diag = 0;
  for (std::size_t i = 0; i < k; ++i) max_diag = std::max(max_diag, std::abs(hessian[i * k + i]));
  if (max_diag == 0) max_diag = 1;
  std::vector<double> l;
  double shift = 0;
  for (int attempt = 0; attempt < 60; ++attempt) {
    l.assign(hessian.begin(), hessian.end());
    for (std::size_t i = 0; i < k; ++i) l[i * k + i] += shift;
    if (cholesky(l, k, std::sqrt(kEps) * max_diag * 1e-8)) break;
    shift = shift == 0 ? std::sqrt(kEps) * max_diag : shift * 10;
  }
  // Solve L L' p = -g.
  std::vector<double> p(g.begin(), g.end());
  for (auto& v : p) v = -v;
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t m = 0; m < i; ++m) p[i] -= l[m * k + i] * p[m];
    p[i] /= l[i * k + i];
  }
  for (std::size_t i = k; i-- > 0;) {
    for (std::size_t m = i + 1; m < k; ++m) p[i] -= l[i * k + m] * p[m];
    p[i] /= l[i * k + i];
  }
  return p;
}

LineSearchResult line_search(Objective& f, std::span<const double> x, double fx, std::span<const double> g,
                             std::vector<double> p, double max_step, double step_tolerance) {
  const std::size_t k = x.size();
  LineSearchResult out;
  double length = norm2(p);
  if (length > max_step) {
    for (auto& v : p) v *= max_step / length;
  }
  double slope = 0;
  for (std::size_t i = 0; i < k; ++i) slope += g[i] * p[i];
  double rel_length = 0;
  for (std::size_t i = 0; i < k; ++i) rel_length = std::max(rel_length, std::abs(p[i]) / std::max(std::abs(x[i]), 1.0));
  if (!(slope < 0) || rel_length == 0) {
    out.failed = true;
    return out;
  }
  const double min_lambda = step_tolerance / rel_length;
  double lambda = 1, lambda_prev = 1, f_prev = fx;
  out.x.resize(k);
  for (int tries = 0; tries < 2000; ++tries) {
    for (std::size_t i = 0; i < k; ++i) out.x[i] = x[i] + lambda * p[i];
    out.f = f(out.x);
    if (std::isfinite(out.f) && out.f <= fx + kSufficientDecrease * lambda * slope) return out;
    // A step too small to move x counts as failure even with a zero tolerance.
    bool moved = false;
    for (std::size_t i = 0; i < k; ++i) moved = moved || out.x[i] != x[i];
    if (lambda < min_lambda || !moved) break;
    double next;
    if (!std::isfinite(out.f)) {
      next = kMinBacktrack * lambda;
    } else if (tries == 0 || !std::isfinite(f_prev)) {
      next = -slope / (2 * (out.f - fx - slope));
    } else {
      double r1 = out.f - fx - lambda * slope;
      double r2 = f_prev - fx - lambda_prev * slope;
      double d = lambda - lambda_prev;
      double a = (r1 / (lambda * lambda) - r2 / (lambda_prev * lambda_prev)) / d;
      double b = (-lambda_prev * r1 / (lambda * lambda) + lambda * r2 / (lambda_prev * lambda_prev)) / d;
      double disc = b * b - 3 * a * slope;
      if (a == 0) next = -slope / (2 * b);
      else next = disc >= 0 ? (-b + std::sqrt(disc)) / (3 * a) : 0.5 * lambda;
      if (!(next <= 0.5 * lambda)) next = 0.5 * lambda;
    }
    lambda_prev = lambda;
    f_prev = out.f;
    lambda = std::max(next, kMinBacktrack * lambda);
  }
  out.failed = true;
  out.x.assign(x.begin(), x.end());
  out.f = fx;
  return out;
}

void bfgs_update(std::vector<double>& h, std::span<const double> s, std::span<const double> y,
                 std::span<const double> g, std::span<const double> g_new, double noise) {
  const std::size_t k = s.size();
  double ys = 0;
  for (std::size_t i = 0; i < k; ++i) ys += y[i] * s[i];
  if (!(ys >= std::sqrt(kEps) * norm2(s) * norm2(y)) || ys == 0) return;
  std::vector<double> t(k, 0.0);
  for (std::size_t j = 0; j < k; ++j)
    for (std::size_t i = 0; i < k; ++i) t[i] += h[j * k + i] * s[j];
  bool skip = true;
  for (std::size_t i = 0; i < k; ++i)
    if (std::abs(y[i] - t[i]) >= noise * std::max(std::abs(g[i]), std::abs(g_new[i]))) skip = false;
  if (skip) return;
  double sts = 0;
  for (std::size_t i = 0; i < k; ++i) sts += s[i] * t[i];
  if (!(sts > 0)) return;
  for (std::size_t j = 0; j < k; ++j)
    for (std::size_t i = 0; i < k; ++i) h[j * k + i] += y[i] * y[j] / ys - t[i] * t[j] / sts;
}

}  // namespace zelk::numeric
