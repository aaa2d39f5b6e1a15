// Fast Fourier transforms of any length n >= 1.
//
// Lengths whose prime factors are all small use a mixed-radix Stockham
// autosort transform (radices 4, 2, 3, 5 and a general odd radix; Stockham 1966,
// described by Cochran et al., "What is the fast Fourier transform?", IEEE
// Trans. Audio Electroacoust. 15, 1967). A length with a prime factor above 37 is computed by Bluestein's chirp-z
// convolution (Bluestein 1970, "A linear filtering approach to the computation
// of the discrete Fourier transform", IEEE Trans. Audio Electroacoust. 18) with
// a power-of-two transform, so that no length costs more than O(n log n).
//
// Plans are built on first use of a length and kept per thread.
#pragma once

#include <complex>
#include <span>
#include <vector>

// The periodograms DPFFT and DCPFFT and the checked transform DC2FFT.
#include "numeric/periodogram.h"

namespace zelk::numeric {

// X_k = sum_{t=0}^{n-1} x_t e^{-2 pi i k t / n}, k = 0..n-1, no scaling.
std::vector<std::complex<double>> fft(std::span<const std::complex<double>> x);

// x_t = sum_k X_k e^{+2 pi i k t / n}, also without scaling, so that
// inverse_fft(fft(x)) = n x.
std::vector<std::complex<double>> inverse_fft(std::span<const std::complex<double>> x);

// The transform of the real sequence x followed by npad zeros (N = size + npad),
// at k = 0..INT(N/2); the rest follow from X_{N-k} = conj(X_k).
std::vector<std::complex<double>> real_fft(std::span<const double> x, std::size_t npad = 0);

// The smallest 2^a 3^b 5^c >= need: the transform's fast lengths, at most
// 25% above need instead of up to 100% for a power of two.
std::size_t fast_fft_length(std::size_t need);

}  // namespace zelk::numeric
