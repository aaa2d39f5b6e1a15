#pragma once
// Three smoothers of a series: exponential smoothing, low-pass filtering by
// the discrete Fourier transform, and a symmetric moving average whose ends
// repeat the first and last values. None of them changes the series.
#include <optional>
#include <span>
#include <vector>

namespace zelk {

struct ExponentialSmooth {
  double alpha = 0;
  std::vector<double> smoothed;  // m(1..n)
  double sse1 = 0;               // sum over t = 2..n of (x(t) - m(t-1))^2
};

// m(1) = x(1), m(t) = (1 - alpha) m(t-1) + alpha x(t).
ExponentialSmooth exponential_smooth(std::span<const double> x, double alpha);

// The grid 0, 0.01, ..., 0.99 (0.01 added 99 times, as a hand search would
// step), the smallest SSE1 winning, earlier values keeping ties.
double best_exponential_alpha(std::span<const double> x);

// Keeps the Fourier coefficients at frequencies 2 pi k / n with |frequency|
// <= pi f: f = 1 keeps all, f = 0 only the mean. O(n log n) for every n.
std::vector<double> fft_smooth(std::span<const double> x, double f);

// w(0..q): w(0) the centre weight, w(j) the weight of lags -j and +j. The
// weights are normalized by w(0) + 2 (w(1) + ... + w(q)); nullopt when that
// sum is zero. Beyond either end the end value is repeated.
std::optional<std::vector<double>> moving_average_smooth(std::span<const double> x, std::span<const double> w);

// (1/n) sum (x(t) - s(t))^2; 0 for an empty series.
double smoothing_mse(std::span<const double> x, std::span<const double> s);

}  // namespace zelk
