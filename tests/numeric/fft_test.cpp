#include "numeric/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "numeric/error_stack.h"
#include "numeric/periodogram.h"

namespace zelk::numeric {
namespace {

using Complex = std::complex<double>;
using Wide = std::complex<long double>;

// e^{-2 pi i j / n}, j < n, in extended precision.
std::vector<Wide> roots(std::size_t n) {
  std::vector<Wide> w(n);
  for (std::size_t j = 0; j < n; ++j) {
    long double angle = -2 * std::numbers::pi_v<long double> * static_cast<long double>(j) / n;
    w[j] = {std::cos(angle), std::sin(angle)};
  }
  return w;
}

// The defining sum at frequency k, in extended precision.
Wide direct_term(std::span<const Complex> x, std::span<const Wide> w, std::size_t k) {
  const std::size_t n = x.size();
  Wide sum = 0;
  std::size_t kt = 0;
  for (std::size_t t = 0; t < n; ++t, kt = (kt + k) % n) sum += Wide(x[t].real(), x[t].imag()) * w[kt];
  return sum;
}

std::vector<Wide> direct_dft(std::span<const Complex> x) {
  auto w = roots(x.size());
  std::vector<Wide> out(x.size());
  for (std::size_t k = 0; k < x.size(); ++k) out[k] = direct_term(x, w, k);
  return out;
}

std::vector<Complex> random_sequence(std::size_t n, unsigned seed) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  std::vector<Complex> x(n);
  for (auto& v : x) v = {u(engine), u(engine)};
  return x;
}

// Largest error relative to the largest output, the scale of FFT rounding.
double relative_error(std::span<const Complex> got, std::span<const Wide> want) {
  long double err = 0, scale = 0;
  for (std::size_t k = 0; k < want.size(); ++k) {
    err = std::max(err, std::abs(Wide(got[k].real(), got[k].imag()) - want[k]));
    scale = std::max(scale, std::abs(want[k]));
  }
  return static_cast<double>(err / scale);
}

TEST(Fft, EveryLengthUpTo600MatchesTheDirectTransform) {
  for (std::size_t n = 1; n <= 600; ++n) {
    auto x = random_sequence(n, static_cast<unsigned>(n));
    EXPECT_LT(relative_error(fft(x), direct_dft(x)), 1e-13) << "n = " << n;
  }
}

TEST(Fft, LongLengthsOfEveryKindMatchTheDirectTransformAtSampledFrequencies) {
  // Long mixed-radix lengths (2^13, 3^8, 2^5 5^4 7, 2^20, 2^2 37^2, 2^3 3^3 37),
  // and Bluestein (primes, 2 x prime, a prime squared, the prime 999983).
  for (std::size_t n : {8192u, 6561u, 140000u, 1u << 20, 4099u, 8198u, 1681u, 5476u, 7992u, 999983u}) {
    auto x = random_sequence(n, 7);
    auto got = fft(x);
    auto w = roots(n);
    long double err = 0, scale = 0;
    for (std::size_t k : {std::size_t{0}, std::size_t{1}, n / 3, n / 2, n - 1, (n * 7) / 11}) {
      Wide sum = direct_term(x, w, k);
      err = std::max(err, std::abs(Wide(got[k].real(), got[k].imag()) - sum));
      scale = std::max(scale, std::abs(sum));
    }
    EXPECT_LT(static_cast<double>(err / scale), 1e-12) << "n = " << n;
  }
}

TEST(Fft, InverseIsUnscaledAndRealTransformMatchesComplex) {
  for (std::size_t n : {1u, 2u, 7u, 64u, 97u, 1000u, 4097u}) {
    auto x = random_sequence(n, 3);
    auto back = inverse_fft(fft(x));
    for (std::size_t t = 0; t < n; ++t) EXPECT_LT(std::abs(back[t] / static_cast<double>(n) - x[t]), 1e-13);
    std::vector<double> re(n);
    std::vector<Complex> as_complex(n + 5);
    for (std::size_t t = 0; t < n; ++t) as_complex[t] = re[t] = x[t].real();
    auto half = real_fft(re, 5);
    auto full = fft(as_complex);
    ASSERT_EQ(half.size(), (n + 5) / 2 + 1);
    for (std::size_t k = 0; k < half.size(); ++k) EXPECT_LT(std::abs(half[k] - full[k]), 1e-12 * (1 + n)) << n << " " << k;
  }
}

TEST(Periodogram, HandWorkedValuesAndScaling) {
  // x = (1, 2, 3, 4): X_0 = 10, X_1 = -2 + 2i, X_2 = -2; I = |X|^2 / 4.
  const double x[] = {1, 2, 3, 4};
  auto p = DPFFT(x, 0);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_NEAR(p[0], 25.0, 1e-13);
  EXPECT_NEAR(p[1], 2.0, 1e-13);
  EXPECT_NEAR(p[2], 1.0, 1e-13);
  // Centred at the mean 2.5 the zero frequency vanishes, the rest stay.
  auto c = DPFFT(x, 0, 2.5);
  EXPECT_NEAR(c[0], 0.0, 1e-13);
  EXPECT_NEAR(c[1], 2.0, 1e-13);
  // One zero appended, N = 5: X_1 = sum x_t e^{-2 pi i t / 5}.
  auto padded = DPFFT(x, 1);
  ASSERT_EQ(padded.size(), 3u);
  Complex x1 = 0;
  for (int t = 0; t < 4; ++t) x1 += x[t] * std::polar(1.0, -2 * std::numbers::pi * t / 5);
  EXPECT_NEAR(padded[1], std::norm(x1) / 5, 1e-13);
  // Parseval: sum over all N frequencies of I equals sum of x^2.
  auto series = random_sequence(1001, 11);
  std::vector<double> r(1001);
  double energy = 0;
  for (std::size_t t = 0; t < r.size(); ++t) energy += (r[t] = series[t].real()) * r[t];
  auto q = DPFFT(r, 0);
  double total = q[0];
  for (std::size_t k = 1; k < q.size(); ++k) total += 2 * q[k];
  EXPECT_NEAR(total, energy, 1e-10 * energy);
}

TEST(Periodogram, CrossPeriodogramOfASeriesWithItselfIsItsPeriodogram) {
  const double x[] = {1, 2, 3, 4};
  const double y[] = {0, 1, 0, -1};
  auto self = DCPFFT(x, x, 0);
  auto p = DPFFT(x, 0);
  for (std::size_t k = 0; k < p.size(); ++k) {
    EXPECT_NEAR(self[k].real(), p[k], 1e-13);
    EXPECT_NEAR(self[k].imag(), 0.0, 1e-13);
  }
  // y = -sin(pi t / 2): Y_1 = -2i, X_1 = -2 + 2i, so X_1 conj(Y_1) / 4 = (-1 - i).
  auto cross = DCPFFT(x, y, 0);
  EXPECT_NEAR(cross[1].real(), -1.0, 1e-13);
  EXPECT_NEAR(cross[1].imag(), -1.0, 1e-13);
}

TEST(Periodogram, BadArgumentsAreReported) {
  const double x[] = {1, std::nan(""), 3};
  const double ok[] = {1, 2, 3};
  clear_errors();
  EXPECT_TRUE(DPFFT(x, 0).empty());
  ASSERT_TRUE(last_error());
  EXPECT_EQ(last_error()->routine, "DPFFT");
  EXPECT_TRUE(DPFFT(ok, -1).empty());
  EXPECT_TRUE(DPFFT(std::span<const double>(), 0).empty());
  clear_errors();
  EXPECT_TRUE(DPFFT(ok, 2147483647).empty());
  EXPECT_EQ(last_error()->message, "The required storage cannot be allocated based on NOBS = 3 and NPAD = 2147483647.");
  EXPECT_TRUE(DCPFFT(ok, std::span<const double>(ok, 2), 0).empty());
  EXPECT_TRUE(DC2FFT(std::vector<Complex>{}).empty());
  EXPECT_EQ(error_stack_depth(), 0);
}

}  // namespace
}  // namespace zelk::numeric
