#include "multivariate/cross_correlation.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "numeric/fft.h"

namespace zelk {
namespace {

// Beyond this many lags the transforms cost less than the direct sums.
constexpr int kFftLags = 128;
constexpr std::size_t kBlock = 2048;
constexpr int kGroup = 8;

// c(h) += sum over t in [0, e) with t + h < len of a(t+h) b(t), h = 0..K.
// Eight lags share each load of b(t) in independent register chains.
void add_cross_block(const double* a, const double* b, std::size_t len, std::size_t e, int K, double* c) {
  int k0 = 0;
  for (; k0 + kGroup - 1 <= K; k0 += kGroup) {
    const std::size_t last = static_cast<std::size_t>(k0 + kGroup - 1);
    const std::size_t full_end = len > last ? std::min(e, len - last) : 0;
    double s[kGroup] = {};
    std::size_t t = 0;
    for (; t < full_end; ++t) {
      const double bt = b[t];
      const double* w = a + t + k0;
      for (int g = 0; g < kGroup; ++g) s[g] += w[g] * bt;
    }
    for (int g = 0; g < kGroup; ++g) {
      const std::size_t h = static_cast<std::size_t>(k0 + g);
      const std::size_t end = len > h ? std::min(e, len - h) : 0;
      for (std::size_t u = t; u < end; ++u) s[g] += a[u + h] * b[u];
      c[k0 + g] += s[g];
    }
  }
  for (int h = k0; h <= K; ++h) {
    const std::size_t hs = static_cast<std::size_t>(h);
    const std::size_t end = len > hs ? std::min(e, len - hs) : 0;
    double s = 0;
    for (std::size_t t = 0; t < end; ++t) s += a[t + hs] * b[t];
    c[h] += s;
  }
}


// sums[(h k + i) k + j] = sum_t y_i(t+h) y_j(t) through the transforms of the
// zero-padded series: the inverse transform of Y_i conj(Y_j) holds lag h at h
// and lag -h at N - h. Its result is real, so two pairs share one inverse as
// its real and imaginary parts.
void sums_by_fft(Components x, const std::vector<double>& means, int K, std::vector<double>& sums) {
  const int k = static_cast<int>(x.size());
  const std::size_t n = x[0].size();
  const std::size_t N = numeric::fast_fft_length(n + static_cast<std::size_t>(K));
  std::vector<std::vector<std::complex<double>>> Y(k);
  std::vector<double> y(n);
  for (int i = 0; i < k; ++i) {
    for (std::size_t t = 0; t < n; ++t) y[t] = x[i][t] - means[i];
    Y[i] = numeric::real_fft(y, N - n);
  }
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < k; ++i)
    for (int j = i; j < k; ++j) pairs.emplace_back(i, j);
  const std::size_t half = N / 2;
  std::vector<std::complex<double>> z(N);
  auto store = [&](std::pair<int, int> p, auto part) {
    const auto [i, j] = p;
    for (int h = 0; h <= K; ++h) {
      sums[(static_cast<std::size_t>(h) * k + i) * k + j] = part(z[h]) / static_cast<double>(N);
      sums[(static_cast<std::size_t>(h) * k + j) * k + i] = part(z[h == 0 ? 0 : N - h]) / static_cast<double>(N);
    }
  };
  for (std::size_t p = 0; p < pairs.size(); p += 2) {
    const bool two = p + 1 < pairs.size();
    const std::complex<double> I(0, 1);
    for (std::size_t f = 0; f <= half; ++f) {
      const std::complex<double> a = Y[pairs[p].first][f] * std::conj(Y[pairs[p].second][f]);
      const std::complex<double> b = two ? Y[pairs[p + 1].first][f] * std::conj(Y[pairs[p + 1].second][f]) : 0.0;
      z[f] = a + I * b;
      // The other half of each Hermitian spectrum, conj(a) + i conj(b).
      if (f > 0 && f < N - f) z[N - f] = std::conj(a) + I * std::conj(b);
    }
    z = numeric::inverse_fft(z);
    store(pairs[p], [](std::complex<double> v) { return v.real(); });
    if (two) store(pairs[p + 1], [](std::complex<double> v) { return v.imag(); });
  }
}

void sums_direct(Components x, const std::vector<double>& means, int K, std::vector<double>& sums) {
  const int k = static_cast<int>(x.size());
  const std::size_t n = x[0].size();
  // Each block is centred into a small window (the block and the K values
  // after it) per component, so both operands of every product stay in cache.
  std::vector<std::vector<double>> w(k, std::vector<double>(kBlock + static_cast<std::size_t>(K)));
  std::vector<double> c(static_cast<std::size_t>(K) + 1);
  for (std::size_t b = 0; b < n; b += kBlock) {
    const std::size_t e = std::min(n, b + kBlock), end = std::min(n, e + static_cast<std::size_t>(K));
    for (int i = 0; i < k; ++i)
      for (std::size_t t = b; t < end; ++t) w[i][t - b] = x[i][t] - means[i];
    for (int i = 0; i < k; ++i)
      for (int j = 0; j < k; ++j) {
        std::fill(c.begin(), c.end(), 0.0);
        add_cross_block(w[i].data(), w[j].data(), end - b, e - b, K, c.data());
        for (int h = 0; h <= K; ++h) sums[(static_cast<std::size_t>(h) * k + i) * k + j] += c[h];
      }
  }
}

}  // namespace

int ccf_lag_count(int requested, int n) { return std::max(0, std::min(requested, n / 2 - 1)); }

CrossCovariances sample_cross_covariances(Components x, int lags, bool centre) {
  CrossCovariances g;
  g.k = static_cast<int>(x.size());
  g.lags = std::max(lags, 0);
  g.means.assign(g.k, 0.0);
  g.values.assign(static_cast<std::size_t>(g.lags + 1) * g.k * g.k, 0.0);
  if (g.k == 0 || x[0].empty()) return g;
  const std::size_t n = x[0].size();
  if (centre)
    for (int i = 0; i < g.k; ++i) {
      double s = 0;
      for (double v : x[i]) s += v;
      g.means[i] = s / static_cast<double>(n);
    }
  const int K = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(g.lags), n - 1));
  std::vector<double> sums(static_cast<std::size_t>(K + 1) * g.k * g.k, 0.0);
  if (K >= kFftLags)
    sums_by_fft(x, g.means, K, sums);
  else
    sums_direct(x, g.means, K, sums);
  for (std::size_t i = 0; i < sums.size(); ++i) g.values[i] = sums[i] / static_cast<double>(n);
  return g;
}

const std::vector<double>& SampleCcf::pair(int i, int j) const { return pairs[pair_index(i, j, k)]; }

SampleCcf sample_ccf(Components x, int lags) {
  SampleCcf r;
  r.k = static_cast<int>(x.size());
  r.lags = std::max(lags, 0);
  const CrossCovariances g = sample_cross_covariances(x, r.lags);
  const int L = r.lags;
  for (int i = 0; i < r.k; ++i)
    for (int j = i; j < r.k; ++j) {
      std::vector<double> rho(2 * static_cast<std::size_t>(L) + 1, 0.0);
      const double scale = std::sqrt(g(0, i, i) * g(0, j, j));
      if (scale > 0) {
        for (int h = -L; h <= L; ++h) rho[h + L] = g(h, i, j) / scale;
      } else if (i == j) {
        rho[L] = 1.0;
      }
      r.pairs.push_back(std::move(rho));
    }
  return r;
}

}  // namespace zelk
