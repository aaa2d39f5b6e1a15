#include "forecast/smoothing.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

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

namespace {

// True when every prime factor of n is at most 37: the transform of length
// n then runs without a chirp-z convolution.
bool smooth_length(std::size_t n) {
  for (std::size_t p = 2; p <= 37 && n > 1; ++p)
    while (n % p == 0) n /= p;
  return n == 1;
}

// sin(pi m / n) for any whole m, reduced exactly so that large m lose nothing.
double sin_pi_ratio(long long m, long long n) {
  m %= 2 * n;
  if (m < 0) m += 2 * n;
  double sign = 1;
  if (m >= n) m -= n, sign = -1;
  if (2 * m > n) m = n - m;  // sin(pi - a) = sin(a), with a small a exact
  return sign * std::sin(std::numbers::pi * static_cast<double>(m) / static_cast<double>(n));
}

// Keeping frequencies k = -K..K is a circular convolution with the Dirichlet
// kernel h(j) = sin((2K+1) pi j / n) / (n sin(pi j / n)). A circular
// convolution of length n is the linear one folded at n, and the linear one
// fits a power-of-two transform of at most 4n points: no chirp-z transforms
// of length n are needed.
std::vector<double> dirichlet_smooth(std::span<const double> x, long long K) {
  const std::size_t n = x.size();
  const long long N = static_cast<long long>(n);
  std::vector<double> h(n);
  h[0] = static_cast<double>(2 * K + 1) / static_cast<double>(n);
  for (long long j = 1; j < N; ++j)
    h[j] = sin_pi_ratio((2 * K + 1) * j, N) / (static_cast<double>(n) * sin_pi_ratio(j, N));
  std::size_t M = 1;
  while (M < 2 * n - 1) M <<= 1;
  const auto X = numeric::real_fft(x, M - n);
  const auto H = numeric::real_fft(h, M - n);
  std::vector<std::complex<double>> C(M);
  for (std::size_t k = 0; k <= M / 2; ++k) {
    C[k] = X[k] * H[k];
    if (k > 0 && k < M - k) C[M - k] = std::conj(C[k]);
  }
  const auto c = numeric::inverse_fft(C);
  std::vector<double> out(n);
  const double scale = 1.0 / static_cast<double>(M);
  for (std::size_t t = 0; t < n; ++t) out[t] = (c[t].real() + (t + n < M ? c[t + n].real() : 0.0)) * scale;
  return out;
}

}  // namespace

std::vector<double> fft_smooth(std::span<const double> x, double f) {
  const std::size_t n = x.size();
  if (n == 0) return {};
  const double nf = static_cast<double>(n) * f;
  if (!smooth_length(n)) {
    // Kept: 2k <= n f below n/2 (and the mirror images); the middle term of
    // an even n only with f >= 1, when everything is kept.
    if (nf >= static_cast<double>(n)) return {x.begin(), x.end()};
    long long K = nf < 0 ? -1 : static_cast<long long>(std::floor(nf / 2));
    K = std::min<long long>(K, (static_cast<long long>(n) - 1) / 2);
    if (K >= 0) return dirichlet_smooth(x, K);
    return std::vector<double>(n, 0.0);
  }
  std::vector<std::complex<double>> z(x.begin(), x.end());
  auto Z = numeric::fft(z);
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
