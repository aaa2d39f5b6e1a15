#include "forecast/holt_winters.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "forecast/arar.h"
#include "forecast/arma_forecast.h"
#include "forecast/forecast_units.h"
#include "forecast/pattern_search.h"

namespace zelk {
namespace {

bool outside(double p) { return p * (1 - p) < -1e-6; }

// K recursions run side by side over the data: each is a chain of dependent
// operations, so interleaving independent ones keeps the processor busy.
template <int K>
void trend_batch(std::span<const double> y, const double* alpha, const double* beta, double* out) {
  const std::size_t n = y.size();
  std::array<double, K> L, T, sse, a, b;
  for (int j = 0; j < K; ++j) {
    L[j] = y[1];
    T[j] = y[1] - y[0];
    sse[j] = 0;
    a[j] = alpha[j];
    b[j] = beta[j];
  }
  for (std::size_t t = 2; t < n; ++t) {
    const double yt = y[t];
    for (int j = 0; j < K; ++j) {
      // Error-correction form of the same recursions: a perfect prediction
      // leaves level and trend exactly as they were, so an exactly linear
      // series scores 0 at every constant instead of rounding noise.
      const double p = L[j] + T[j];
      const double e = yt - p;
      sse[j] += e * e;
      L[j] = p + a[j] * e;
      T[j] += a[j] * b[j] * e;
    }
  }
  for (int j = 0; j < K; ++j) out[j] = sse[j] / static_cast<double>(n - 2);
}

template <int K>
void seasonal_batch(std::span<const double> y, int d, const double* alpha, const double* beta, const double* gamma,
                    double* out) {
  const int n = static_cast<int>(y.size());
  std::array<double, K> L, T, sse;
  // S(t) for the last d times of every chain, chain-minor.
  std::vector<double> S(static_cast<std::size_t>(d) * K);
  const double T0 = (y[d] - y[0]) / d;
  for (int j = 0; j < K; ++j) {
    L[j] = y[d];
    T[j] = T0;
    sse[j] = 0;
    for (int i = 0; i < d; ++i) S[i * K + j] = y[i] - (y[0] + i * T0);
  }
  // S(d+1) = S(1) lands on slot 0 already. Slot (t mod d) holds S(t-d)
  // until it is overwritten with S(t).
  for (int t = d + 1, slot = (d + 1) % d; t < n; ++t, slot = slot + 1 == d ? 0 : slot + 1) {
    const double yt = y[t];
    double* s = &S[static_cast<std::size_t>(slot) * K];
    for (int j = 0; j < K; ++j) {
      const double trend = L[j] + T[j];
      const double e = yt - (trend + s[j]);
      sse[j] += e * e;
      const double level = alpha[j] * (yt - s[j]) + (1 - alpha[j]) * trend;
      T[j] = beta[j] * (level - L[j]) + (1 - beta[j]) * T[j];
      s[j] = gamma[j] * (yt - level) + (1 - gamma[j]) * s[j];
      L[j] = level;
    }
  }
  for (int j = 0; j < K; ++j) out[j] = sse[j] / static_cast<double>(n - d - 1);
}

// Parameter vectors are (alpha, beta) or, with a season, (alpha, gamma, beta).
void objective_batch(std::span<const double> y, int d, std::span<const std::vector<double>> points,
                     std::span<double> values) {
  constexpr int kChains = 4;
  std::array<double, kChains> a{}, b{}, g{}, v{};
  std::array<std::size_t, kChains> where{};
  int k = 0;
  auto flush = [&] {
    if (k == 0) return;
    for (int j = k; j < kChains; ++j) a[j] = a[0], b[j] = b[0], g[j] = g[0];
    if (d == 0) {
      if (k == 1) trend_batch<1>(y, a.data(), b.data(), v.data());
      else if (k == 2) trend_batch<2>(y, a.data(), b.data(), v.data());
      else trend_batch<kChains>(y, a.data(), b.data(), v.data());
    } else {
      if (k == 1) seasonal_batch<1>(y, d, a.data(), b.data(), g.data(), v.data());
      else if (k == 2) seasonal_batch<2>(y, d, a.data(), b.data(), g.data(), v.data());
      else seasonal_batch<kChains>(y, d, a.data(), b.data(), g.data(), v.data());
    }
    for (int j = 0; j < k; ++j) values[where[j]] = v[j];
    k = 0;
  };
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto& p = points[i];
    if (std::any_of(p.begin(), p.end(), outside)) {
      values[i] = kHoltWintersOutside;
      continue;
    }
    a[k] = p[0];
    b[k] = d == 0 ? p[1] : p[2];
    g[k] = d == 0 ? 0.0 : p[1];
    where[k++] = i;
    if (k == kChains) flush();
  }
  flush();
}

}  // namespace

int holt_winters_min_length(int period) { return period == 0 ? 3 : period + 2; }

double holt_winters_mse(std::span<const double> y, double alpha, double beta) {
  if (outside(alpha) || outside(beta)) return kHoltWintersOutside;
  double v = 0;
  trend_batch<1>(y, &alpha, &beta, &v);
  return v;
}

double seasonal_holt_winters_mse(std::span<const double> y, int d, double alpha, double beta, double gamma) {
  if (outside(alpha) || outside(beta) || outside(gamma)) return kHoltWintersOutside;
  double v = 0;
  seasonal_batch<1>(y, d, &alpha, &beta, &gamma, &v);
  return v;
}

HoltWintersResult holt_winters_forecast(std::span<const double> y, const HoltWintersOptions& o) {
  HoltWintersResult out;
  const int n = static_cast<int>(y.size());
  const int d = o.period;
  if ((d != 0 && d < 2) || n < holt_winters_min_length(d)) {
    out.status = HoltWintersStatus::TooShort;
    return out;
  }
  double alpha = o.alpha, beta = o.beta, gamma = o.gamma, mse = 0;
  if (o.optimize) {
    const BatchObjective f = [&](std::span<const std::vector<double>> points, std::span<double> values) {
      objective_batch(y, d, points, values);
    };
    const auto r = pattern_search(f, std::vector<double>(d == 0 ? 2 : 3, 0.2));
    // Steps of 0.02 summed from 0.2 can land a rounding error past 0 or 1,
    // inside the objective's tolerance: report the constant on the interval.
    auto clamp = [](double p) { return std::clamp(p, 0.0, 1.0); };
    alpha = clamp(r.x[0]);
    beta = clamp(d == 0 ? r.x[1] : r.x[2]);
    gamma = d == 0 ? 0.0 : clamp(r.x[1]);
    const bool moved = alpha != r.x[0] || beta != (d == 0 ? r.x[1] : r.x[2]) || (d != 0 && gamma != r.x[1]);
    mse = !moved ? r.value
          : d == 0 ? holt_winters_mse(y, alpha, beta)
                   : seasonal_holt_winters_mse(y, d, alpha, beta, gamma);
    out.evaluations = r.evaluations;
  } else {
    mse = d == 0 ? holt_winters_mse(y, alpha, beta) : seasonal_holt_winters_mse(y, d, alpha, beta, gamma);
    out.evaluations = 1;
  }
  out.alpha = alpha;
  out.beta = beta;
  out.gamma = d == 0 ? 0.0 : gamma;
  out.rmse = std::sqrt(mse);

  // The recursions once more at the result, keeping the final states.
  const int h = std::max(o.h, 0);
  out.forecasts.resize(h);
  if (d == 0) {
    double L = y[1], T = y[1] - y[0];
    for (int t = 2; t < n; ++t) {
      const double p = L + T, e = y[t] - p;
      L = p + alpha * e;
      T += alpha * beta * e;
    }
    for (int j = 1; j <= h; ++j) out.forecasts[j - 1] = L + j * T;
    // (1 - B)^2 as two differences at lag 1.
    const std::array<double, 2> ma{alpha * (1 + beta) - 2, 1 - alpha};
    const std::array<int, 2> lags{1, 1};
    const std::vector<double> F = forecast_variance_factors(h, {}, ma, lags);
    FactorBounds b = bounds_from_factors(out.forecasts, out.rmse, F, bound_quantile(o.confidence));
    out.sqrt_mse = std::move(b.sqrt_mse);
    out.lower = std::move(b.lower);
    out.upper = std::move(b.upper);
  } else {
    std::vector<double> S(static_cast<std::size_t>(n) + h);
    double T = (y[d] - y[0]) / d, L = y[d];
    for (int i = 0; i < d; ++i) S[i] = y[i] - (y[0] + i * T);
    S[d] = S[0];
    for (int t = d + 1; t < n; ++t) {
      const double level = alpha * (y[t] - S[t - d]) + (1 - alpha) * (L + T);
      T = beta * (level - L) + (1 - beta) * T;
      S[t] = gamma * (y[t] - level) + (1 - gamma) * S[t - d];
      L = level;
    }
    for (int j = 1; j <= h; ++j) {
      S[n - 1 + j] = S[n - 1 + j - d];
      out.forecasts[j - 1] = L + j * T + S[n - 1 + j];
    }
  }
  return out;
}

}  // namespace zelk
