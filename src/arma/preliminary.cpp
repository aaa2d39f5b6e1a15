#include "arma/preliminary.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "arma/likelihood.h"
#include "arma/std_errors.h"
#include "numeric/acf.h"

namespace zelk {

std::vector<ArFit> yule_walker_path(std::span<const double> gamma) {
  const int K = static_cast<int>(gamma.size()) - 1;
  std::vector<ArFit> fits(std::max(K + 1, 1));
  if (gamma.empty() || !(gamma[0] > 0)) {
    for (int k = 0; k <= K; ++k) fits[k].phi.assign(k, 0.0);
    return fits;
  }
  fits[0].sigma2 = gamma[0];
  std::vector<double> rho(gamma.begin(), gamma.end());
  for (double& r : rho) r /= gamma[0];
  for (int k = 1; k <= K; ++k) {
    // Degenerate (v reaching 0) steps are handled inside the recursion.
    const DurbinLevinson dl = durbin_levinson(std::span<const double>(rho).first(k + 1));
    ArFit& f = fits[k];
    f.phi = dl.phi;
    double s = gamma[0];
    for (int j = 1; j <= k; ++j) s -= f.phi[j - 1] * gamma[j];
    f.sigma2 = std::max(s, 0.0);
  }
  return fits;
}

std::vector<ArFit> burg_path(std::span<const double> x, int K) {
  const int n = static_cast<int>(x.size());
  K = std::clamp(K, 0, std::max(n - 1, 0));
  std::vector<ArFit> fits(K + 1);
  if (n == 0) return fits;
  const double mean = sample_mean(x);
  std::vector<double> f(n), b(n);
  double power = 0;
  for (int t = 0; t < n; ++t) {
    f[t] = b[t] = x[t] - mean;
    power += f[t] * f[t];
  }
  power /= n;
  fits[0].sigma2 = power;
  std::vector<double> a;
  for (int k = 1; k <= K; ++k) {
    // f(t): forward error of order k-1 at t; b(t-1): backward error of x(t-k).
    double num = 0, den = 0;
    for (int t = k; t < n; ++t) {
      num += f[t] * b[t - 1];
      den += f[t] * f[t] + b[t - 1] * b[t - 1];
    }
    const double kappa = den > 0 ? 2 * num / den : 0.0;
    // Downwards, so b(t-1) is still of the previous order when b(t) is formed.
    for (int t = n - 1; t >= k; --t) {
      const double ft = f[t];
      f[t] = ft - kappa * b[t - 1];
      b[t] = b[t - 1] - kappa * ft;
    }
    std::vector<double> next(k);
    for (int j = 1; j < k; ++j) next[j - 1] = a[j - 1] - kappa * a[k - j - 1];
    next[k - 1] = kappa;
    a = std::move(next);
    power *= 1 - kappa * kappa;
    fits[k].phi = a;
    fits[k].sigma2 = std::max(power, 0.0);
  }
  return fits;
}

OrderSearch min_aicc_order(std::span<const double> x, std::span<const ArFit> fits) {
  OrderSearch out;
  const int n = static_cast<int>(x.size());
  if (n <= 2) return out;
  double s = 0;
  for (double v : x) s += v * v;
  s /= n;
  if (!(s > 0) || !std::isfinite(s)) return out;
  const int last = std::min({static_cast<int>(fits.size()) - 1, n - 3, kMaxSearchOrder});
  out.aicc.assign(std::max(last, 0) + 1, std::numeric_limits<double>::infinity());
  out.aicc[0] = n * (std::log(s) + std::log(kTwoPi) + 1) + 2.0 * n / (n - 2);
  double best = out.aicc[0];
  LikelihoodOptions options;
  options.residuals = false;
  for (int k = 1; k <= last; ++k) {
    const ArFit& f = fits[k];
    // A variance at rounding level (a constant series after mean correction)
    // would make any order look perfect.
    if (!(f.sigma2 > 1e-13 * s)) continue;
    const LikelihoodResult lr = arma_likelihood(x, f.phi, {}, options);
    if (!lr.causal || lr.degenerate) continue;
    const double value = aicc(minus2_log_likelihood(lr, n, f.sigma2), n, k);
    if (!std::isfinite(value)) continue;
    out.aicc[k] = value;
    if (value < best) {
      best = value;
      out.order = k;
    }
  }
  return out;
}

int innovations_acvf_count(int entered_m, int p, int q, int n) {
  if (entered_m >= p + q && entered_m + 1 < 76 && entered_m + 1 <= n) return entered_m + 1;
  return std::min(p + q + 16, n - 1);
}

int hannan_rissanen_long_order(int p, int q, int n) { return std::min({p + q + 20, n / 2, 54}); }

std::vector<double> ar_standard_errors(std::span<const double> gamma, double sigma2, int p, int n) {
  if (p <= 0 || n <= 0 || static_cast<int>(gamma.size()) < p || !(sigma2 > 0)) return {};
  std::vector<double> g(static_cast<std::size_t>(p) * p);
  for (int i = 0; i < p; ++i)
    for (int j = 0; j < p; ++j) g[static_cast<std::size_t>(j) * p + i] = gamma[std::abs(i - j)];
  if (!cholesky_inverse(g, p)) return {};
  std::vector<double> se(p);
  for (int j = 0; j < p; ++j) {
    const double v = sigma2 * g[static_cast<std::size_t>(j) * p + j] / n;
    if (!(v > 0) || !std::isfinite(v)) return {};
    se[j] = std::sqrt(v);
  }
  return se;
}

namespace {

// The exact likelihood of the fit; a non-causal AR part is first replaced by
// the all-0.001 model.
void score(std::span<const double> x, PreliminaryResult& r) {
  const int n = static_cast<int>(x.size());
  LikelihoodOptions options;
  options.residuals = false;
  LikelihoodResult lr = arma_likelihood(x, r.phi, r.theta, options);
  if (!lr.causal) {
    r.noncausal = true;
    std::fill(r.phi.begin(), r.phi.end(), 0.001);
    std::fill(r.theta.begin(), r.theta.end(), 0.001);
    lr = arma_likelihood(x, r.phi, r.theta, options);
  }
  if (!lr.causal || lr.degenerate || !(r.sigma2 > 0)) return;
  r.likelihood_defined = true;
  r.residual_ss_n = lr.S / n;
  r.minus2_log_likelihood = minus2_log_likelihood(lr, n, r.sigma2);
  r.aicc = aicc(r.minus2_log_likelihood, n, r.p + r.q);
}

PreliminaryResult autoregression(std::span<const double> x, const PreliminaryOptions& o) {
  PreliminaryResult r;
  const int n = static_cast<int>(x.size());
  const bool burg = o.method == PreliminaryMethod::Burg || o.method == PreliminaryMethod::BurgAicc;
  const bool search = o.method == PreliminaryMethod::YuleWalkerAicc || o.method == PreliminaryMethod::BurgAicc;
  const int K = search ? std::clamp(n - 3, 0, kMaxSearchOrder) : o.p;
  if (K > n - 1) {
    r.failure = PreliminaryFailure::TooFewData;
    return r;
  }
  const std::vector<double> gamma = sample_acvf(x, K);
  const std::vector<ArFit> fits = burg ? burg_path(x, K) : yule_walker_path(gamma);
  int p = o.p;
  if (search) {
    r.search = min_aicc_order(x, fits);
    p = r.search.order;
  }
  r.p = p;
  r.phi = fits[p].phi;
  r.sigma2 = fits[p].sigma2;
  r.standard_errors = ar_standard_errors(gamma, r.sigma2, p, n);
  return r;
}

}  // namespace

PreliminaryResult preliminary_estimate(std::span<const double> x, const PreliminaryOptions& o) {
  PreliminaryResult r;
  const int n = static_cast<int>(x.size());
  if (o.p < 0 || o.q < 0 || n == 0) {
    r.failure = PreliminaryFailure::TooFewData;
    return r;
  }
  switch (o.method) {
    case PreliminaryMethod::YuleWalkerAicc:
    case PreliminaryMethod::BurgAicc:
    case PreliminaryMethod::YuleWalker:
    case PreliminaryMethod::Burg:
      r = autoregression(x, o);
      break;
    case PreliminaryMethod::Innovations: {
      const int count = o.acvf_count;
      if (count < o.p + o.q + 1 || count > n) {
        r.failure = PreliminaryFailure::TooFewData;
        return r;
      }
      r = innovations_fit(sample_acvf(x, count - 1), o.p, o.q, n);
      break;
    }
    case PreliminaryMethod::HannanRissanen:
      r = hannan_rissanen_fit(x, o.p, o.q);
      break;
  }
  if (r.failure == PreliminaryFailure::None) score(x, r);
  return r;
}

}  // namespace zelk
