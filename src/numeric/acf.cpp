#include "numeric/acf.h"

#include <algorithm>
#include <cmath>

#include "numeric/acvf_fft.h"

namespace zelk {
namespace {

// Beyond this many lags one FFT of the whole series costs less than the
// direct sums.
constexpr int kFftLags = 256;
// Values per block: a block and the lag window after it stay in L1/L2.
constexpr std::size_t kBlock = 2048;
constexpr int kGroup = 8;

// c(k) += sum over t in [b, e) with t + k < n of y(t) y(t+k), k = 0..K.
// Eight lags share each load of y(t); their sums are eight independent
// chains held in registers, which the compiler pairs into vector lanes.
void add_block(const double* y, std::size_t n, std::size_t b, std::size_t e, int K, double* c) {
  int k0 = 0;
  for (; k0 + kGroup - 1 <= K; k0 += kGroup) {
    const std::size_t last_lag = static_cast<std::size_t>(k0 + kGroup - 1);
    const std::size_t full_end = n > last_lag ? std::max(b, std::min(e, n - last_lag)) : b;
    double a0 = 0, a1 = 0, a2 = 0, a3 = 0, a4 = 0, a5 = 0, a6 = 0, a7 = 0;
    std::size_t t = b;
    for (; t < full_end; ++t) {
      const double yt = y[t];
      const double* w = y + t + k0;
      a0 += yt * w[0];
      a1 += yt * w[1];
      a2 += yt * w[2];
      a3 += yt * w[3];
      a4 += yt * w[4];
      a5 += yt * w[5];
      a6 += yt * w[6];
      a7 += yt * w[7];
    }
    const double acc[kGroup] = {a0, a1, a2, a3, a4, a5, a6, a7};
    // Near the end of the series some lags of the group run out first.
    for (int j = 0; j < kGroup; ++j) {
      const std::size_t k = static_cast<std::size_t>(k0 + j);
      const std::size_t end = n > k ? std::min(e, n - k) : b;
      double s = acc[j];
      for (std::size_t u = t; u < end; ++u) s += y[u] * y[u + k];
      c[k0 + j] += s;
    }
  }
  for (int k = k0; k <= K; ++k) {
    const std::size_t ks = static_cast<std::size_t>(k);
    const std::size_t end = n > ks ? std::min(e, n - ks) : b;
    double s = 0;
    for (std::size_t t = b; t < end; ++t) s += y[t] * y[t + ks];
    c[k] += s;
  }
}

}  // namespace

double sample_mean(std::span<const double> x) {
  if (x.empty()) return 0.0;
  double s = 0;
  for (double v : x) s += v;
  return s / static_cast<double>(x.size());
}

std::vector<double> sample_acvf(std::span<const double> x, int lags) {
  std::vector<double> c(static_cast<std::size_t>(std::max(lags, 0)) + 1, 0.0);
  const std::size_t n = x.size();
  if (n == 0) return c;
  const int K = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(lags, 0)), n - 1));
  const double m = sample_mean(x);
  if (K >= kFftLags) {
    std::vector<double> y(x.begin(), x.end());
    for (double& v : y) v -= m;
    acvf_sums_fft(y, K, c.data());
  } else {
    // Each block is centred into a small window (the block and the K values
    // after it), so a long series is never copied whole.
    std::vector<double> window(kBlock + static_cast<std::size_t>(K));
    for (std::size_t b = 0; b < n; b += kBlock) {
      const std::size_t e = std::min(n, b + kBlock), end = std::min(n, e + static_cast<std::size_t>(K));
      for (std::size_t i = b; i < end; ++i) window[i - b] = x[i] - m;
      add_block(window.data(), end - b, 0, e - b, K, c.data());
    }
  }
  const double dn = static_cast<double>(n);
  for (int k = 0; k <= K; ++k) c[k] /= dn;
  return c;
}

DurbinLevinson durbin_levinson(std::span<const double> rho) {
  const int L = rho.empty() ? 0 : static_cast<int>(rho.size()) - 1;
  DurbinLevinson r;
  r.pacf.assign(L + 1, 0.0);
  r.phi.assign(L, 0.0);
  r.v.assign(L + 1, 0.0);
  r.pacf[0] = 1.0;
  r.v[0] = 1.0;
  std::vector<double> prev(L, 0.0);
  // Relative variance below this is rounding noise around an exact 0.
  constexpr double kZero = 1e-14;
  for (int k = 1; k <= L; ++k) {
    if (r.exhausted_at >= 0) {
      r.v[k] = 0.0;
      continue;
    }
    double num = rho[k];
    for (int j = 1; j < k; ++j) num -= prev[j - 1] * rho[k - j];
    const double a = num / r.v[k - 1];
    for (int j = 1; j < k; ++j) r.phi[j - 1] = prev[j - 1] - a * prev[k - j - 1];
    r.phi[k - 1] = a;
    r.pacf[k] = a;
    r.v[k] = (1.0 - a * a) * r.v[k - 1];
    if (!(r.v[k] > kZero)) {
      r.v[k] = 0.0;
      r.exhausted_at = k;
    }
    std::copy(r.phi.begin(), r.phi.begin() + k, prev.begin());
  }
  return r;
}

std::vector<double> partial_autocorrelations(std::span<const double> rho) { return durbin_levinson(rho).pacf; }

SampleCorrelations sample_correlations(std::span<const double> x, int lags) {
  if (lags < 1) lags = kDefaultLags;
  SampleCorrelations s;
  std::vector<double> c = sample_acvf(x, lags);
  s.gamma0 = c[0];
  s.acf.assign(c.size(), 0.0);
  s.acf[0] = 1.0;
  if (s.gamma0 > 0)
    for (std::size_t k = 1; k < c.size(); ++k) s.acf[k] = c[k] / s.gamma0;
  s.pacf = partial_autocorrelations(s.acf);
  return s;
}

double mean_standard_error(std::span<const double> x) {
  const std::size_t n = x.size();
  if (n == 0) return 0.0;
  int r = static_cast<int>(std::sqrt(static_cast<double>(n)));
  while (static_cast<std::size_t>(r + 1) * static_cast<std::size_t>(r + 1) <= n) ++r;  // exact floor
  while (static_cast<std::size_t>(r) * static_cast<std::size_t>(r) > n) --r;
  const std::vector<double> c = sample_acvf(x, r);
  if (!(c[0] > 0)) return 0.0;
  double S = 1.0;
  for (int h = 1; h < r; ++h) S += 2.0 * (1.0 - static_cast<double>(h) / r) * c[h] / c[0];
  return std::sqrt(std::max(S, 0.0) * c[0] / static_cast<double>(n));
}

}  // namespace zelk
