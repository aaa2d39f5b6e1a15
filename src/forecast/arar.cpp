#include "forecast/arar.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "arma/likelihood.h"
#include "forecast/arma_forecast.h"
#include "forecast/forecast_units.h"
#include "numeric/distributions.h"

namespace zelk {
namespace {

constexpr int kMaxShorteningLag = 15;
constexpr int kMaxWhiteningDegree = 50;
constexpr double kUnusable = 1e30;

struct LagFit {
  int tau = 0;
  double phi = 0;
  double err = std::numeric_limits<double>::infinity();
};

// The lag whose one-coefficient filter leaves the smallest relative error;
// ties keep the smaller lag.
LagFit best_lag(const std::vector<double>& Y) {
  const int N = static_cast<int>(Y.size());
  LagFit best;
  for (int tau = 1; tau <= std::min(kMaxShorteningLag, N - 2); ++tau) {
    double num = 0, den = 0;
    for (int t = 0; t + tau < N; ++t) {
      num += Y[t] * Y[t + tau];
      den += Y[t] * Y[t];
    }
    if (!(den > 0)) continue;
    const double phi = num / den;
    double e = 0, e_den = 0;
    for (int t = 0; t + tau < N; ++t) {
      const double d = Y[t + tau] - phi * Y[t];
      e += d * d;
      e_den += Y[t + tau] * Y[t + tau];
    }
    if (!(e_den > 0)) continue;
    const double err = e / e_den;
    if (err < best.err) best = {tau, phi, err};
  }
  return best;
}

// Least-squares AR(2) coefficients; false when the normal equations are singular.
bool fit_ar2(const std::vector<double>& Y, double& phi1, double& phi2) {
  const int N = static_cast<int>(Y.size());
  double A = 0, B = 0, C = 0, D = 0, E = 0;
  for (int t = 1; t + 1 < N; ++t) {
    A += Y[t] * Y[t];
    B += Y[t - 1] * Y[t];
    C += Y[t + 1] * Y[t];
    D += Y[t - 1] * Y[t - 1];
    E += Y[t - 1] * Y[t + 1];
  }
  const double Q = D * A - B * B;
  if (!(Q != 0) || !std::isfinite(Q)) return false;
  phi1 = (D * C - E * B) / Q;
  phi2 = (E * A - C * B) / Q;
  return std::isfinite(phi1) && std::isfinite(phi2);
}

std::vector<double> multiply(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> c(a.size() + b.size() - 1, 0.0);
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < b.size(); ++j) c[i + j] += a[i] * b[j];
  return c;
}

// Solves the 4x4 system in place by Gaussian elimination with partial
// pivoting; false when it is singular.
bool solve4(std::array<std::array<double, 4>, 4> R, std::array<double, 4> r, std::array<double, 4>& c) {
  for (int k = 0; k < 4; ++k) {
    int piv = k;
    for (int i = k + 1; i < 4; ++i)
      if (std::abs(R[i][k]) > std::abs(R[piv][k])) piv = i;
    if (!(std::abs(R[piv][k]) > 1e-300)) return false;
    std::swap(R[k], R[piv]);
    std::swap(r[k], r[piv]);
    for (int i = k + 1; i < 4; ++i) {
      const double f = R[i][k] / R[k][k];
      for (int j = k; j < 4; ++j) R[i][j] -= f * R[k][j];
      r[i] -= f * r[k];
    }
  }
  for (int k = 3; k >= 0; --k) {
    double s = r[k];
    for (int j = k + 1; j < 4; ++j) s -= R[k][j] * c[j];
    c[k] = s / R[k][k];
  }
  for (double v : c)
    if (!std::isfinite(v)) return false;
  return true;
}

double likelihood_value(const std::array<int, 4>& lag, const std::array<double, 4>& c, std::span<const double> x) {
  std::vector<double> phi(lag[3], 0.0);
  for (int i = 0; i < 4; ++i) phi[lag[i] - 1] = c[i];
  LikelihoodOptions opt;
  opt.residuals = false;
  const LikelihoodResult r = arma_likelihood(x, phi, {}, opt);
  if (!r.causal || r.degenerate || !std::isfinite(r.reduced)) return kUnusable;
  return static_cast<double>(x.size()) * r.reduced + 2.0 * 4;
}

}  // namespace

int arar_filter_limit(int n) { return n >= 50 ? 3 : n >= 35 ? 2 : 1; }

MemoryShortening shorten_memory(std::span<const double> y, bool skip) {
  MemoryShortening out;
  if (skip) return out;
  std::vector<double> Y(y.begin(), y.end()), next;
  const int allowed = arar_filter_limit(static_cast<int>(y.size()));
  while (static_cast<int>(out.filters.size()) < allowed) {
    const int N = static_cast<int>(Y.size());
    const LagFit best = best_lag(Y);
    if (best.tau == 0) break;  // nothing left to filter
    ShorteningFilter f;
    if (best.err <= 8.0 / N || (best.phi >= 0.93 && best.tau >= 3)) {
      f = {best.tau, best.phi, 0, 0};
    } else if (best.phi >= 0.93) {
      double phi1 = 0, phi2 = 0;
      // A singular AR(2) fit still has long memory: fall back on the lag filter.
      f = fit_ar2(Y, phi1, phi2) ? ShorteningFilter{1, phi1, 2, phi2} : ShorteningFilter{best.tau, best.phi, 0, 0};
    } else {
      break;
    }
    const int shift = f.lag2 ? 2 : f.lag1;
    next.assign(N - shift, 0.0);
    if (f.lag2)
      for (int t = 0; t < N - 2; ++t) next[t] = Y[t + 2] - f.c1 * Y[t + 1] - f.c2 * Y[t];
    else
      for (int t = 0; t < N - shift; ++t) next[t] = Y[t + shift] - f.c1 * Y[t];
    Y.swap(next);
    std::vector<double> poly(shift + 1, 0.0);
    poly[0] = 1;
    if (f.lag2) {
      poly[1] = -f.c1;
      poly[2] = -f.c2;
    } else {
      poly[shift] = -f.c1;
    }
    out.psi = multiply(out.psi, poly);
    out.m += shift;
    out.filters.push_back(f);
  }
  return out;
}

SubsetAr subset_ar_search(std::span<const double> rho, double gamma0, int L, ArarCriterion criterion,
                          std::span<const double> x) {
  SubsetAr best;
  bool first = true;
  for (int l1 = 2; l1 <= L; ++l1)
    for (int l2 = l1 + 1; l2 <= L; ++l2)
      for (int l3 = l2 + 1; l3 <= L; ++l3) {
        const std::array<int, 4> lag{1, l1, l2, l3};
        std::array<std::array<double, 4>, 4> R;
        std::array<double, 4> r, c{0, 0, 0, 0};
        for (int i = 0; i < 4; ++i) {
          r[i] = rho[lag[i]];
          for (int j = 0; j < 4; ++j) R[i][j] = rho[std::abs(lag[i] - lag[j])];
        }
        double value = kUnusable;
        if (solve4(R, r, c)) {
          if (criterion == ArarCriterion::MaxLikelihood13)
            value = likelihood_value(lag, c, x);
          else
            value = gamma0 * (1 - c[0] * r[0] - c[1] * r[1] - c[2] * r[2] - c[3] * r[3]);
        } else {
          c = {0, 0, 0, 0};
        }
        if (first || value < best.value) {
          best.lags = lag;
          best.coefs = c;
          best.value = value;
          first = false;
        }
      }
  return best;
}

ArarResult arar_forecast(std::span<const double> y, const ArarOptions& options) {
  ArarResult out;
  const int n = static_cast<int>(y.size());
  out.shortening = shorten_memory(y, options.skip_shortening);
  const std::vector<double>& psi = out.shortening.psi;
  const int m = out.shortening.m;
  const int n1 = n - m;  // n'

  const int cap = options.criterion == ArarCriterion::MinVariance26 ? 26 : 13;
  out.max_lag = std::min(n1 - m - 1, cap);
  const int L = out.max_lag;
  if (L < 4) {
    out.status = ArarStatus::NoLagTriple;
    return out;
  }
  if (L + m > kMaxWhiteningDegree) {
    out.status = ArarStatus::FilterTooLong;
    return out;
  }

  std::vector<double> X(n1);
  double sum = 0;
  for (int t = 0; t < n1; ++t) {
    double s = 0;
    for (int i = 0; i <= m; ++i) s += psi[i] * y[t + m - i];
    X[t] = s;
    sum += s;
  }
  out.mean = sum / n1;
  for (double& v : X) v -= out.mean;

  std::vector<double> gamma(L + 1, 0.0), rho(L + 1, 0.0);
  for (int k = 0; k <= L; ++k) {
    double s = 0;
    for (int t = 0; t + k < n1; ++t) s += X[t] * X[t + k];
    gamma[k] = s / n1;
  }
  // A shortened series without variation is predicted by psi alone.
  if (gamma[0] > 0) {
    for (int k = 0; k <= L; ++k) rho[k] = gamma[k] / gamma[0];
    out.subset = subset_ar_search(rho, gamma[0], L, options.criterion, X);
  }
  const auto& lag = out.subset.lags;
  const auto& c = out.subset.coefs;

  std::vector<double> phi(L + 1, 0.0);
  phi[0] = 1;
  for (int i = 0; i < 4; ++i) phi[lag[i]] -= c[i];
  out.xi = multiply(psi, phi);
  out.xi.resize(L + m + 1);
  out.constant = (1 - c[0] - c[1] - c[2] - c[3]) * out.mean;

  const int K = lag[3] + m;
  const double* xi = out.xi.data();
  double sse = 0;
  for (int t = K; t < n; ++t) {
    double p = out.constant;
    for (int i = 1; i <= K; ++i) p -= xi[i] * y[t - i];
    const double e = y[t] - p;
    sse += e * e;
  }
  out.rmse = std::sqrt(sse / (n - K));

  const int h = std::max(options.h, 0);
  std::vector<double> ext(y.begin() + (n - K), y.end());  // the last K values, then forecasts
  out.forecasts.resize(h);
  for (int j = 0; j < h; ++j) {
    const int t = K + j;
    double p = out.constant;
    for (int i = 1; i <= K; ++i) p -= xi[i] * ext[t - i];
    ext.push_back(p);
    out.forecasts[j] = p;
  }

  std::vector<double> a(K);
  for (int i = 1; i <= K; ++i) a[i - 1] = -xi[i];
  const std::vector<double> F = forecast_variance_factors(h, a, {}, {});
  FactorBounds b = bounds_from_factors(out.forecasts, out.rmse, F, bound_quantile(options.confidence));
  out.sqrt_mse = std::move(b.sqrt_mse);
  out.lower = std::move(b.lower);
  out.upper = std::move(b.upper);
  return out;
}

}  // namespace zelk
