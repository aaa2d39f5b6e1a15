#include "univariate/acvf_fft.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace zelk {
namespace {

using cd = std::complex<double>;

// In-place iterative radix-2 transform; `inverse` flips the sign of the
// exponent and leaves the 1/m scaling to the caller.
void fft(std::vector<cd>& a, bool inverse) {
  const std::size_t m = a.size();
  for (std::size_t i = 1, j = 0; i < m; ++i) {
    std::size_t bit = m >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  std::vector<cd> w(m / 2);
  for (std::size_t i = 0; i < m / 2; ++i) {
    const double ang = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(m) * (inverse ? 1 : -1);
    w[i] = {std::cos(ang), std::sin(ang)};
  }
  for (std::size_t len = 2; len <= m; len <<= 1) {
    const std::size_t half = len / 2, step = m / len;
    for (std::size_t s = 0; s < m; s += len)
      for (std::size_t k = 0; k < half; ++k) {
        const cd u = a[s + k], v = a[s + k + half] * w[k * step];
        a[s + k] = u + v;
        a[s + k + half] = u - v;
      }
  }
}

}  // namespace

void acvf_sums_fft(std::span<const double> y, int K, double* c) {
  const std::size_t n = y.size();
  // Padding to n + K keeps the circular products of lags 0..K free of wrap-around.
  std::size_t m = 1;
  while (m < n + static_cast<std::size_t>(K)) m <<= 1;
  std::vector<cd> a(m);
  for (std::size_t t = 0; t < n; ++t) a[t] = y[t];
  fft(a, false);
  for (cd& z : a) z = std::norm(z);
  fft(a, true);
  for (int k = 0; k <= K; ++k) c[k] = a[static_cast<std::size_t>(k)].real() / static_cast<double>(m);
}

}  // namespace zelk
