#include "arma/likelihood.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "arma/acvf.h"
#include "arma/innovations.h"

namespace zelk {

LikelihoodResult arma_likelihood(std::span<const double> x, std::span<const double> phi,
                                 std::span<const double> theta, const LikelihoodOptions& options) {
  LikelihoodResult out;
  if (!check_causal(phi)) return out;
  out.causal = true;
  const int n = static_cast<int>(x.size());
  const int p = static_cast<int>(phi.size());
  if (options.residuals) {
    out.residuals.resize(n);
    out.rescaled_residuals.resize(n);
  }
  ArmaInnovations inn(phi, theta, options.tolerance);
  const int m = inn.m();
  // The last innovations in a ring whose size is a power of two.
  int cap = 1;
  while (cap < m + 1) cap *= 2;
  const int mask = cap - 1;
  std::vector<double> e(cap, 0.0);
  double S = 0, sum_log = 0;
  int t = 0;
  for (; t < n && !inn.settled(); ++t) {
    inn.next();  // step t predicts x[t] from x[0..t-1]
    double xhat = 0;
    const double* th = inn.row();
    const int w = std::min(inn.width(), t);
    for (int j = 1; j <= w; ++j) xhat += th[j - 1] * e[(t - j) & mask];
    if (t >= m)
      for (int k = 1; k <= p; ++k) xhat += phi[k - 1] * x[t - k];
    const double r = inn.v();
    const double et = x[t] - xhat;
    e[t & mask] = et;
    S += et * et / r;
    sum_log += std::log(r);
    if (options.residuals) {
      out.residuals[t] = et;
      out.rescaled_residuals[t] = et / std::sqrt(r);
    }
  }
  if (t < n) {
    // Settled (t > m): fixed coefficients from here on, O(p + q) a step.
    const int w = inn.width();
    const std::vector<double> th(inn.row(), inn.row() + w);
    const double r = inn.v(), inv_r = 1 / r, scale = 1 / std::sqrt(r);
    sum_log += (n - t) * std::log(r);
    double s_rest = 0;
    for (; t < n; ++t) {
      double xhat = 0;
      for (int j = 1; j <= w; ++j) xhat += th[j - 1] * e[(t - j) & mask];
      for (int k = 1; k <= p; ++k) xhat += phi[k - 1] * x[t - k];
      const double et = x[t] - xhat;
      e[t & mask] = et;
      s_rest += et * et;
      if (options.residuals) {
        out.residuals[t] = et;
        out.rescaled_residuals[t] = et * scale;
      }
    }
    S += s_rest * inv_r;
  }
  out.S = S;
  out.sum_log_r = sum_log;
  out.steps = inn.steps_computed();
  if (n == 0 || !(S > 0) || !std::isfinite(S)) {
    out.degenerate = true;
    out.overflow = n > 0 && !(S <= std::numeric_limits<double>::max());
    out.reduced = std::numeric_limits<double>::quiet_NaN();
  } else {
    out.reduced = std::log(S / n) + sum_log / n;
  }
  return out;
}

double minus2_log_likelihood(const LikelihoodResult& r, int n, double sigma2) {
  const double s_n = r.S / n;
  return n * (std::log(kTwoPi) + r.reduced + std::log(sigma2) - std::log(s_n) + s_n / sigma2);
}

double aicc(double minus2_log_l, int n, int k) {
  if (n - k - 2 <= 0) return std::numeric_limits<double>::infinity();
  return minus2_log_l + 2.0 * (k + 1) * n / (n - k - 2);
}

}  // namespace zelk
