// Periodograms by FFT.
//
// With N = nobs + npad (the series followed by npad zeros) and the Fourier
// frequencies w_k = 2 pi k / N, k = 0..INT(N/2):
//   DPFFT  I(w_k) = |sum_t x_t e^{-i w_k t}|^2 / N
//   DCPFFT I_xy(w_k) = X(w_k) conj(Y(w_k)) / N
// This one scaling serves every caller: the spectral estimate on the scale of
// a spectral density is I / (2 pi). The result always has INT(N/2)+1 entries,
// so the leading-dimension check of a caller-supplied array cannot arise.
// Bad arguments are recorded on the error stack and give an empty result.
#pragma once

#include <complex>
#include <span>
#include <vector>

namespace zelk::numeric {

std::vector<double> DPFFT(std::span<const double> x, int npad);
// The same for x - centre (for example the series mean).
std::vector<double> DPFFT(std::span<const double> x, int npad, double centre);

std::vector<std::complex<double>> DCPFFT(std::span<const double> x, std::span<const double> y, int npad);

// Forward complex transform of any length >= 1 (see fft.h), with the checks.
std::vector<std::complex<double>> DC2FFT(std::span<const std::complex<double>> x);

}  // namespace zelk::numeric
