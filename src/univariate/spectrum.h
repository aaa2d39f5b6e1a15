#pragma once
// Spectral analysis of a series and of an ARMA model: the periodogram, the
// composite Daniell smoother, the model spectral density (ordinary or
// fractionally integrated), log scales, Fisher's test for a hidden
// periodicity and cumulative spectra with Kolmogorov-Smirnov bounds.
// Brockwell & Davis, Time Series: Theory and Methods (1991), sections 10.1-10.4
// and 13.2; Fisher (1929), "Tests of significance in harmonic analysis",
// Proc. R. Soc. A 125.
//
// Indexing: the periodogram is stored as I(w_j), j = 1..m, at [j-1]; every
// array on a frequency grid that includes 0 (smoothed periodogram, model
// spectrum) keeps the point j at [j].
#include <cstddef>
#include <numbers>
#include <span>
#include <vector>

#include "numeric/daniell.h"

namespace zelk {

// 1/(2 pi) to the last bit; the 0.15915494309188485 seen in older tables is
// off by 7e-14 relative.
inline constexpr double kInvTwoPi = 0.5 * std::numbers::inv_pi;

// m = floor(n/2): the Fourier frequencies w_j = 2 pi j / n, j = 1..m.
std::size_t fourier_frequency_count(std::size_t n);
// q = floor((n-1)/2): the frequencies strictly inside (0, pi) that Fisher's
// test and the cumulative periodogram use; 0 for n < 3.
std::size_t fisher_frequency_count(std::size_t n);

// I(w_j) = |sum_t (x(t) - mean) e^{-i t w_j}|^2 / (2 pi n), j = 1..m, by one FFT
// of length n (O(n log n) for any n). A constant series gives exact zeros
// rather than the rounding noise of its centred values; n < 2 gives nothing.
std::vector<double> periodogram(std::span<const double> x);


// s(j), j = 0..m, of the periodogram I(1..m) (n the series length):
//   s(j) = W(0) E(j) + sum_{k=1..L} W(k) (E(j-k) + E(j+k))
// where E is I extended by its own symmetries, E(-i) = E(i) and
// E(n-i) = E(i) (the exact mirrors about 0 and pi), and E(0) = s(0) with
//   s(0) = W(0) I(1) + 2 sum_k W(k) E(1+k),
// since the centred periodogram at frequency 0 carries no information.
// The filters are applied one after the other by running sums, so the cost
// is O(m + L) per filter; with W = {1} the result is (I(1), I(1..m)).
std::vector<double> smoothed_periodogram(std::span<const double> I, std::size_t n, std::span<const int> orders);

// An ARMA(p, q) model, optionally fractionally integrated:
// phi(B) (1-B)^d X(t) = theta(B) Z(t), Z white noise with variance sigma2.
// phi holds phi(1..p), theta holds theta(1..q).
struct SpectrumModel {
  std::span<const double> phi, theta;
  double sigma2 = 1;
  double d = 0;  // 0 for an ordinary ARMA model
};

// Stand-in for the density where phi(e^{-i lambda}) vanishes: 10^6 sigma2.
inline constexpr double kSingularFactor = 1.0e6;

struct ModelSpectrum {
  std::vector<double> f;  // f(lambda_j), lambda_j = j pi / M, j = 0..M
  int singular = 0;       // grid points where phi vanished (set to 10^6 sigma2)
};

// f(lambda) = sigma2/(2 pi) |theta(z)/phi(z)|^2 |1-z|^{-2d}, z = e^{i lambda}.
// phi(z) counts as 0 when it is below the rounding error of its Horner
// evaluation, so a unit root on the grid is caught whatever its angle. The
// fractional factor is applied for lambda > 0 only; at lambda = 0 a model
// with d < 0 has f = 0 (and one with d > 0 keeps its ARMA value).
ModelSpectrum model_spectrum(const SpectrumModel& model, int M);
// The same density at one frequency; sets *singular when phi vanished.
double model_density(const SpectrumModel& model, double lambda, bool* singular = nullptr);

struct LogValues {
  std::vector<double> values;  // ln v, or -100 where v <= 0
  int nulls = 0;               // how many values were <= 0
};
inline constexpr double kLogOfNull = -100.0;
LogValues log_spectrum(std::span<const double> v);

struct FisherTest {
  bool defined = false;    // false when q = 0 or every I(w_1..w_q) is 0
  std::size_t q = 0;
  double ratio = 0;        // g = max I / mean I over w_1..w_q
  double probability = 0;  // P(G >= g) under Gaussian white noise, in [0, 1]
};
// Fisher's g statistic and its exact null probability
//   P = sum_{j>=1} (-1)^{j-1} C(q,j) (1 - j g/q)_+^{q-1}.
// The alternating sum cancels badly once mu = q (1 - g/q)^{q-1} (the expected
// number of ordinates above g times the mean) grows: its terms are bounded by
// mu^j/j! and so reach e^mu. It is summed here in double-double arithmetic
// with an unbounded exponent (about 32 digits) while mu <= 36; above that,
// 1 - P <= e^{-mu} < 3e-16 because uniform spacings are negatively associated
// (Joag-Dev & Proschan 1983, Ann. Statist. 11), and P = 1.
FisherTest fisher_test(std::span<const double> I, std::size_t n);
// The probability alone, for q >= 1 and g >= 1.
double fisher_probability(double g, std::size_t q);

// C(j) = sum_{i<=j} v(i) / sum_{i<=q} v(i), j = 1..q, of the first q values;
// empty when q = 0 or the total is not positive.
std::vector<double> cumulative_sum_ratio(std::span<const double> v, std::size_t q);
// F(j) = sum_{i<=j} f(i) / sum_{i<=M} f(i), j = 0..M, of a model spectrum.
std::vector<double> cumulative_model_spectrum(std::span<const double> f);

struct StandardizedPeriodogram {
  std::vector<double> ratio;  // I(w_j) / f(w_j), j = 1..q
  int singular = 0;           // frequencies where phi vanished
  int zero_model = 0;         // frequencies where f = 0; their ratio is taken as 0
};
// The periodogram divided by the model density at the same Fourier
// frequencies, the input of the standardized cumulative periodogram.
StandardizedPeriodogram standardize_periodogram(std::span<const double> I, std::size_t n,
                                                const SpectrumModel& model);

// One Kolmogorov-Smirnov bound (j-1)/(q-1) + offset, j = 1..q, clipped to
// [0, 1], as a polyline in (x, y) whose ends lie at 2 pi / n and 2 pi q / n
// and with a corner wherever the clipping starts or stops.
struct BoundLine {
  std::vector<double> x, y;
};
struct KsBounds {
  BoundLine lower5, upper5, lower1, upper1;  // +-1.36/sqrt(q-1), +-1.63/sqrt(q-1)
};
inline constexpr double kKs5 = 1.36, kKs1 = 1.63;
// Empty lines when q < 2.
KsBounds ks_bounds(std::size_t n);
BoundLine ks_line(std::size_t n, double offset);

}  // namespace zelk
