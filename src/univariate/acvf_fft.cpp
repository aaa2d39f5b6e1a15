#include "univariate/acvf_fft.h"

#include <complex>
#include <vector>

#include "numeric/fft.h"

namespace zelk {

void acvf_sums_fft(std::span<const double> y, int K, double* c) {
  const std::size_t n = y.size();
  // Padding to n + K keeps the circular products of lags 0..K free of
  // wrap-around; a power of two keeps the transform on its fastest path.
  std::size_t m = 1;
  while (m < n + static_cast<std::size_t>(K)) m <<= 1;
  const std::vector<std::complex<double>> half = numeric::real_fft(y, m - n);
  // |Y|^2 is real and even: fill the whole circle from the half transform.
  std::vector<std::complex<double>> power(m);
  for (std::size_t k = 0; k < half.size() && k < m; ++k) {
    power[k] = std::norm(half[k]);
    if (k > 0) power[m - k] = power[k];
  }
  const std::vector<std::complex<double>> back = numeric::inverse_fft(power);
  for (int k = 0; k <= K; ++k) c[k] = back[static_cast<std::size_t>(k)].real() / static_cast<double>(m);
}

}  // namespace zelk
