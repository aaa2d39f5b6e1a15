#include "arma/whittle.h"

#include <cmath>
#include <limits>

#include "arma/acvf.h"
#include "arma/likelihood.h"
#include "arma/std_errors.h"
#include "numeric/periodogram.h"

namespace zelk {

std::vector<double> whittle_periodogram(std::span<const double> x) {
  const int n = static_cast<int>(x.size());
  std::vector<double> all = numeric::DPFFT(x, 0);
  const int m = n / 2;
  if (static_cast<int>(all.size()) < m + 1) return {};
  return std::vector<double>(all.begin() + 1, all.begin() + 1 + m);
}

WhittleValue whittle_value(std::span<const double> I, int n, std::span<const double> phi,
                           std::span<const double> theta, double d) {
  WhittleValue out;
  const int m = static_cast<int>(I.size());
  if (m == 0 || !(d > -0.5 && d < 0.5) || !check_causal(phi) || !check_invertible(theta)) return out;
  const double pi = std::acos(-1.0);
  double ratio = 0, log_g = 0;
  for (int j = 1; j <= m; ++j) {
    const double w = 2 * pi * j / n;
    // |1 + sum theta(k) e^{-ikw}|^2 and |1 - sum phi(k) e^{-ikw}|^2.
    double tr = 1, ti = 0, pr = 1, pim = 0;
    for (std::size_t k = 0; k < theta.size(); ++k) {
      tr += theta[k] * std::cos((k + 1) * w);
      ti -= theta[k] * std::sin((k + 1) * w);
    }
    for (std::size_t k = 0; k < phi.size(); ++k) {
      pr -= phi[k] * std::cos((k + 1) * w);
      pim += phi[k] * std::sin((k + 1) * w);
    }
    const double s = 2 * std::sin(w / 2);
    const double g = (tr * tr + ti * ti) / (pr * pr + pim * pim) * std::pow(s * s, -d);
    if (!(g > 0) || !std::isfinite(g)) return out;
    ratio += I[j - 1] / g;
    log_g += std::log(g);
  }
  out.sigma2 = ratio / m;
  if (!(out.sigma2 > 0)) return out;
  out.minus2_log_l = n * std::log(kTwoPi) + n * std::log(out.sigma2) + static_cast<double>(n) / m * log_g + n;
  out.ok = std::isfinite(out.minus2_log_l);
  return out;
}

WhittleFit fit_whittle(std::span<const double> x, ArmaModel& model, const ArmaEstimation& settings, ArmaFit& fit) {
  WhittleFit out;
  const int n = static_cast<int>(x.size());
  const int p = model.p, q = model.q, k = p + q;
  if (n < 4) return out;
  fit.iterations = fit.evaluations = 0;
  const std::vector<double> I = whittle_periodogram(x);
  const bool with_d = settings.estimate_d;
  // Parameters: beta(1..p+q), then d when it is estimated.
  std::vector<double> v(k + (with_d ? 1 : 0));
  for (int i = 1; i <= k; ++i) v[i - 1] = model.beta(i);
  if (with_d) v[k] = model.d;
  auto value_at = [&](std::span<const double> y) {
    ++fit.evaluations;
    std::vector<double> phi(y.begin(), y.begin() + p), theta(y.begin() + p, y.begin() + k);
    return whittle_value(I, n, phi, theta, with_d ? y[k] : model.d);
  };
  auto f = [&](std::span<const double> y) {
    const WhittleValue w = value_at(y);
    return w.ok ? w.minus2_log_l : std::numeric_limits<double>::infinity();
  };
  double fbase = f(v);
  if (!std::isfinite(fbase)) return out;
  out.ok = true;
  if (!settings.no_optimization && !v.empty()) {
    const double s0 = settings.whittle_step;
    double s = s0;
    // Each accepted move lowers f over a bounded region, so the search ends;
    // the evaluation cap is a guard against a pathological criterion.
    constexpr int kMaxEvaluations = 200000;
    auto explore = [&](std::vector<double>& y, double& fy) {
      for (std::size_t i = 0; i < y.size(); ++i) {
        for (double sign : {1.0, -1.0}) {
          y[i] += sign * s;
          const double ft = f(y);
          if (ft < fy) {
            fy = ft;
            break;
          }
          y[i] -= sign * s;
        }
      }
    };
    while (s >= 0.4 * s0 && fit.evaluations < kMaxEvaluations) {
      ++fit.iterations;
      std::vector<double> y = v;
      double fy = fbase;
      explore(y, fy);
      if (!(fy < fbase)) {
        s /= 2;
        continue;
      }
      // Pattern moves while they keep paying.
      while (fy < fbase && fit.evaluations < kMaxEvaluations) {
        std::vector<double> previous = v;
        v = y;
        fbase = fy;
        for (std::size_t i = 0; i < y.size(); ++i) y[i] = 2 * v[i] - previous[i];
        fy = f(y);
        explore(y, fy);
      }
    }
  }
  for (int i = 1; i <= k; ++i) model.beta(i) = v[i - 1];
  if (with_d) model.d = v[k];
  out.value = value_at(v);
  model.sigma2 = out.value.sigma2;
  fit.saved_wn = out.value.sigma2;
  fit.minus2_log_likelihood = out.value.minus2_log_l;
  fit.aicc = out.value.minus2_log_l + 2.0 * (k + 1) + (with_d ? 2.0 : 0.0);
  fit.stop_code = 0;
  fit.standard_errors.assign(k, 0.0);
  const int evaluations = fit.evaluations;  // the search's, not the Hessian's
  if (!settings.no_optimization && k > 0) {
    auto l = [&](std::span<const double> y) { return f(y) / n; };
    std::vector<double> se = hessian_standard_errors(difference_hessian(l, v), static_cast<int>(v.size()), n);
    if (se.empty())
      fit.standard_errors.clear();
    else
      for (int i = 0; i < k; ++i) fit.standard_errors[i] = se[i];
  }
  fit.evaluations = evaluations;
  return out;
}

}  // namespace zelk
