#include "forecast/smoothing.h"

#include <algorithm>
#include <complex>

#include "numeric/fft.h"

namespace zelk {

ExponentialSmooth exponential_smooth(std::span<const double> x, double alpha) {
  ExponentialSmooth out;
  out.alpha = alpha;
  const std::size_t n = x.size();
  out.smoothed.resize(n);
  if (n == 0) return out;
  double m = x[0], sse = 0;
  out.smoothed[0] = m;
  for (std::size_t t = 1; t < n; ++t) {
    const double e = x[t] - m;
    sse += e * e;
    m = (1 - alpha) * m + alpha * x[t];
    out.smoothed[t] = m;
  }
  out.sse1 = sse;
  return out;
}

double best_exponential_alpha(std::span<const double> x) {
  const std::size_t n = x.size();
  double best_alpha = 0, best = 0, alpha = 0;
  for (int i = 0; i < 100; ++i) {
    double m = n ? x[0] : 0, sse = 0;
    for (std::size_t t = 1; t < n; ++t) {
      const double e = x[t] - m;
      sse += e * e;
      m = (1 - alpha) * m + alpha * x[t];
    }
    if (i == 0 || sse < best) {
      best = sse;
      best_alpha = alpha;
    }
    alpha += 0.01;
  }
  return best_alpha;
}

std::vector<double> fft_smooth(std::span<const double> x, double f) {
  const std::size_t n = x.size();
  if (n == 0) return {};
  std::vector<std::complex<double>> z(x.begin(), x.end());
  auto Z = numeric::fft(z);
  const double nf = static_cast<double>(n) * f;
  // Frequencies up to pi f on both sides of zero survive; the mask is
  // symmetric in k and n - k, so the result is real.
  for (std::size_t k = 0; k < n; ++k) {
    const double low = 2.0 * static_cast<double>(k), high = 2.0 * static_cast<double>(n - k);
    const bool cut = (low <= static_cast<double>(n) && low > nf) || (low >= static_cast<double>(n) && high > nf);
    if (cut) Z[k] = 0;
  }
  const auto back = numeric::inverse_fft(Z);
  std::vector<double> out(n);
  const double scale = 1.0 / static_cast<double>(n);
  for (std::size_t t = 0; t < n; ++t) out[t] = back[t].real() * scale;
  return out;
}

std::optional<std::vector<double>> moving_average_smooth(std::span<const double> x, std::span<const double> w) {
  if (w.empty()) return std::nullopt;
  const int q = static_cast<int>(w.size()) - 1;
  double s = w[0];
  for (int j = 1; j <= q; ++j) s += 2 * w[j];
  if (s == 0) return std::nullopt;
  std::vector<double> c(w.begin(), w.end());
  for (double& v : c) v /= s;
  const long n = static_cast<long>(x.size());
  std::vector<double> out(x.size());
  for (long t = 0; t < n; ++t) {
    double v = c[0] * x[t];
    for (long j = 1; j <= q; ++j) v += c[j] * (x[std::min(t + j, n - 1)] + x[std::max(t - j, 0L)]);
    out[t] = v;
  }
  return out;
}

double smoothing_mse(std::span<const double> x, std::span<const double> s) {
  if (x.empty()) return 0;
  double sum = 0;
  for (std::size_t t = 0; t < x.size(); ++t) sum += (x[t] - s[t]) * (x[t] - s[t]);
  return sum / static_cast<double>(x.size());
}

}  // namespace zelk
