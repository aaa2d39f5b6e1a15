#pragma once
// Lagged products of a series through one FFT of the zero-padded series
// (the Wiener-Khinchin route: |Y|^2 transformed back), O(n log n).
#include <span>

namespace zelk {

// c(k) = sum over t of y(t) y(t+k) for k = 0..K, K < n.
void acvf_sums_fft(std::span<const double> y, int K, double* c);

}  // namespace zelk
