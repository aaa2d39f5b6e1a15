#include "numeric/acvf_fft.h"

#include <algorithm>
#include <complex>
#include <vector>

#include "numeric/fft.h"

namespace zelk {

void acvf_sums_fft(std::span<const double> y, int K, double* c) {
  const std::size_t n = y.size();
  // Padding to n + K keeps the circular products of lags 0..K free of wrap-around.
  const std::size_t m = numeric::fast_fft_length(n + static_cast<std::size_t>(K));
  std::vector<double> power(m);
  {
    const std::vector<std::complex<double>> half = numeric::real_fft(y, m - n);
    for (std::size_t k = 0; k < half.size() && k < m; ++k) {
      power[k] = std::norm(half[k]);
      if (k > 0) power[m - k] = power[k];
    }
  }
  // |Y|^2 is real and even, so its inverse transform is the real part of its
  // forward one: a second real transform, half the memory of a complex one.
  const std::vector<std::complex<double>> back = numeric::real_fft(power);
  for (int k = 0; k <= K; ++k) c[k] = back[static_cast<std::size_t>(k)].real() / static_cast<double>(m);
}

}  // namespace zelk
