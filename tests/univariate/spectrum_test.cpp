// Spectral kernels: values worked by hand, a direct O(n^2) transform, and
// Fisher probabilities evaluated exactly elsewhere.
#include "univariate/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "../numeric/relative.h"
#include "support/test_data.h"

namespace zelk {
namespace {

using std::numbers::pi;

TEST(Spectrum, FrequencyCountsOfEvenAndOddLengths) {
  EXPECT_EQ(fourier_frequency_count(200), 100u);
  EXPECT_EQ(fisher_frequency_count(200), 99u);
  EXPECT_EQ(fourier_frequency_count(201), 100u);
  EXPECT_EQ(fisher_frequency_count(201), 100u);
  EXPECT_EQ(fourier_frequency_count(0), 0u);
  EXPECT_EQ(fisher_frequency_count(0), 0u);
  EXPECT_EQ(fisher_frequency_count(2), 0u);
}

// (1/(2 pi n)) |sum_{t=1..n} (x_t - mean) e^{-i t w_j}|^2 summed term by term.
double direct_periodogram(const std::vector<double>& x, int j) {
  const double n = static_cast<double>(x.size());
  double mean = 0;
  for (double v : x) mean += v;
  mean /= n;
  std::complex<double> s = 0;
  for (std::size_t t = 1; t <= x.size(); ++t)
    s += (x[t - 1] - mean) * std::polar(1.0, -2 * pi * j * static_cast<double>(t) / n);
  return std::norm(s) / (2 * pi * n);
}

TEST(Spectrum, PeriodogramOfLakeHuronMatchesTheDirectSum) {
  const std::vector<double> x = test::read_series("lake_huron.dat");
  ASSERT_EQ(x.size(), 98u);
  const std::vector<double> I = periodogram(x);
  ASSERT_EQ(I.size(), 49u);
  for (int j = 1; j <= 5; ++j) EXPECT_REL(I[static_cast<std::size_t>(j - 1)], direct_periodogram(x, j), 1e-12);
}

TEST(Spectrum, PeriodogramOfACosineHasOneOrdinateAndKeepsTheVariance) {
  // cos(2 pi 3 t / 16): |sum|^2 = (n/2)^2 at j = 3 only, so I = n / (8 pi).
  std::vector<double> x(16);
  for (std::size_t t = 0; t < x.size(); ++t) x[t] = std::cos(2 * pi * 3 * static_cast<double>(t + 1) / 16);
  const std::vector<double> I = periodogram(x);
  ASSERT_EQ(I.size(), 8u);
  for (std::size_t j = 1; j <= 8; ++j) EXPECT_NEAR(I[j - 1], j == 3 ? 16 / (8 * pi) : 0.0, 1e-13) << j;

  // Odd n: 2 pi (2 sum_j I(w_j)) equals the sum of squared deviations.
  const std::vector<double> y = {3, -1, 4, 1, -5, 9, 2, -6, 5};
  const std::vector<double> Iy = periodogram(y);
  double mean = 0, ss = 0, total = 0;
  for (double v : y) mean += v / 9;
  for (double v : y) ss += (v - mean) * (v - mean);
  for (double v : Iy) total += v;
  EXPECT_REL(2 * pi * 2 * total, ss, 1e-13);
}

TEST(Spectrum, ConstantAndTinySeries) {
  const std::vector<double> c(10, 0.1);
  const std::vector<double> I = periodogram(c);
  ASSERT_EQ(I.size(), 5u);
  for (double v : I) EXPECT_EQ(v, 0.0);
  EXPECT_TRUE(periodogram(std::vector<double>{1.0}).empty());
  EXPECT_TRUE(periodogram(std::vector<double>{}).empty());
}

TEST(Spectrum, DaniellWeightsOfChainedFilters) {
  const std::vector<double> w11 = daniell_weights(std::vector<int>{1, 1});
  ASSERT_EQ(w11.size(), 3u);
  EXPECT_REL(w11[0], 3.0 / 9, 1e-15);
  EXPECT_REL(w11[1], 2.0 / 9, 1e-15);
  EXPECT_REL(w11[2], 1.0 / 9, 1e-15);
  EXPECT_REL(weights_sum_of_squares(w11), 19.0 / 81, 1e-15);

  // Orders 1, 0, 2: the 0 is skipped; the 3- and 5-point boxes give
  // 1/5, 1/5, 2/15, 1/15 (worked by hand).
  const std::vector<double> w12 = daniell_weights(std::vector<int>{1, 0, 2});
  ASSERT_EQ(w12.size(), 4u);
  EXPECT_REL(w12[0], 1.0 / 5, 1e-15);
  EXPECT_REL(w12[1], 1.0 / 5, 1e-15);
  EXPECT_REL(w12[2], 2.0 / 15, 1e-15);
  EXPECT_REL(w12[3], 1.0 / 15, 1e-15);

  EXPECT_EQ(daniell_weights(std::vector<int>{}), std::vector<double>{1.0});
}

TEST(Spectrum, SmoothedPeriodogramAtTheEnds) {
  // n = 8, I = 1..4, one filter of order 1 (weights 1/3), by hand:
  // s(0) = I1/3 + 2 I2/3 = 5/3; s(1) = (s(0) + I1 + I2)/3 = 14/9;
  // s(4) = (I3 + I4 + I(8-5))/3 = 10/3.
  const std::vector<double> I = {1, 2, 3, 4};
  const std::vector<double> s = smoothed_periodogram(I, 8, std::vector<int>{1});
  const std::vector<double> expected = {5.0 / 3, 14.0 / 9, 2, 3, 10.0 / 3};
  ASSERT_EQ(s.size(), expected.size());
  for (std::size_t j = 0; j < s.size(); ++j) EXPECT_REL(s[j], expected[j], 1e-15) << j;

  // No filter: the periodogram itself, with I(1) at frequency 0.
  EXPECT_EQ(smoothed_periodogram(I, 9, std::vector<int>{0}), (std::vector<double>{1, 1, 2, 3, 4}));
}

// The composite formula evaluated term by term, E as the header states it.
std::vector<double> direct_smooth(const std::vector<double>& I, std::size_t n, const std::vector<double>& W) {
  const long long nn = static_cast<long long>(n);
  auto ref = [&](long long j) {
    long long r = ((j % nn) + nn) % nn;
    return r <= nn / 2 ? r : nn - r;
  };
  double s0 = W[0] * I[0];
  for (std::size_t k = 1; k < W.size(); ++k) {
    const long long r = ref(static_cast<long long>(k) + 1);
    s0 += 2 * W[k] * I[static_cast<std::size_t>(r == 0 ? 1 : r) - 1];
  }
  auto E = [&](long long j) { return ref(j) == 0 ? s0 : I[static_cast<std::size_t>(ref(j)) - 1]; };
  std::vector<double> s(I.size() + 1);
  s[0] = s0;
  for (long long j = 1; j <= static_cast<long long>(I.size()); ++j) {
    double v = W[0] * E(j);
    for (std::size_t k = 1; k < W.size(); ++k)
      v += W[k] * (E(j - static_cast<long long>(k)) + E(j + static_cast<long long>(k)));
    s[static_cast<std::size_t>(j)] = v;
  }
  return s;
}

TEST(Spectrum, SmoothedPeriodogramEqualsTheCompositeFormula) {
  for (std::size_t n : {11u, 12u}) {
    std::vector<double> I(n / 2);
    for (std::size_t j = 0; j < I.size(); ++j) I[j] = 1.0 + static_cast<double>((j * 7) % 5);
    // Orders 3 and 4 reach beyond both ends more than once (L = 7 > m).
    for (const std::vector<int>& orders : {std::vector<int>{1, 2}, std::vector<int>{3, 4}}) {
      const std::vector<double> s = smoothed_periodogram(I, n, orders);
      const std::vector<double> d = direct_smooth(I, n, daniell_weights(orders));
      ASSERT_EQ(s.size(), d.size());
      for (std::size_t j = 0; j < s.size(); ++j) EXPECT_REL(s[j], d[j], 1e-13) << n << " " << j;
    }
  }
}

TEST(Spectrum, SmoothingKeepsSmallOrdinatesAfterAHugePeak) {
  // A running sum that subtracts the peak again would leave rounding noise
  // of 1e12 * 1e-16 where the true value is 1e-6.
  std::vector<double> I(400, 1e-6);
  I[9] = 1e12;
  const std::vector<double> s = smoothed_periodogram(I, 800, std::vector<int>{3, 5});
  for (std::size_t j = 30; j < 380; ++j) EXPECT_REL(s[j], 1e-6, 1e-12) << j;
}

TEST(Spectrum, ModelSpectrumOfSmallModels) {
  // White noise: sigma2 / (2 pi) everywhere.
  const ModelSpectrum wn = model_spectrum({{}, {}, 2.0, 0}, 4);
  ASSERT_EQ(wn.f.size(), 5u);
  for (double f : wn.f) EXPECT_REL(f, 2.0 / (2 * pi), 1e-15);

  // ARMA(1,1) phi = 0.5, theta = 0.4: (1 + 0.16 + 0.8 cos l) / (1.25 - cos l) / (2 pi).
  const std::vector<double> phi{0.5}, theta{0.4};
  const ModelSpectrum a = model_spectrum({phi, theta, 1.0, 0}, 2);
  EXPECT_REL(a.f[0], 1.96 / 0.25 / (2 * pi), 1e-14);
  EXPECT_REL(a.f[1], 1.16 / 1.25 / (2 * pi), 1e-14);
  EXPECT_REL(a.f[2], 0.36 / 2.25 / (2 * pi), 1e-14);
  EXPECT_EQ(a.singular, 0);
}

TEST(Spectrum, UnitRootsAreSingularOnlyWhereTheyLie) {
  const std::vector<double> one{1.0};
  const ModelSpectrum ar1 = model_spectrum({one, {}, 3.0, 0}, 1024);
  EXPECT_EQ(ar1.singular, 1);
  EXPECT_EQ(ar1.f[0], 1e6 * 3.0);
  // Next to 0: 1/|1 - e^{il}|^2 = 1/(4 sin^2(l/2)).
  const double l = pi / 1024;
  EXPECT_REL(ar1.f[1], 3.0 / (2 * pi) / (4 * std::pow(std::sin(l / 2), 2)), 1e-9);

  // 1 + z^2 vanishes at pi/2, where cos and sin leave only rounding.
  const std::vector<double> phi2{0.0, -1.0};
  const ModelSpectrum ar2 = model_spectrum({phi2, {}, 1.0, 0}, 4);
  EXPECT_EQ(ar2.singular, 1);
  EXPECT_EQ(ar2.f[2], 1e6);
  EXPECT_REL(ar2.f[0], 1 / (4 * 2 * pi), 1e-15);  // |1 + 1|^2 = 4
}

TEST(Spectrum, FractionalFactor) {
  // d = 0.2 white noise at pi: |1 - (-1)|^{-0.4} / (2 pi).
  const ModelSpectrum up = model_spectrum({{}, {}, 1.0, 0.2}, 2);
  EXPECT_REL(up.f[2], std::pow(2.0, -0.4) / (2 * pi), 1e-14);
  EXPECT_REL(up.f[1], std::pow(2.0, -0.2) / (2 * pi), 1e-14);  // |1 - i|^2 = 2
  EXPECT_REL(up.f[0], 1 / (2 * pi), 1e-15);                    // left unmultiplied
  const ModelSpectrum down = model_spectrum({{}, {}, 1.0, -0.2}, 2);
  EXPECT_EQ(down.f[0], 0.0);
}

TEST(Spectrum, LogCountsTheNulls) {
  const LogValues l = log_spectrum(std::vector<double>{1, 0, -1, std::exp(1.0)});
  EXPECT_EQ(l.nulls, 2);
  EXPECT_EQ(l.values, (std::vector<double>{0, -100, -100, 1}));
}

TEST(Spectrum, FisherOnSmallPeriodogramsByHand) {
  // q = 4, g = 5/2: only j = 1 has 1 - j g/q > 0: 4 (3/8)^3.
  const FisherTest t = fisher_test(std::vector<double>{1, 1, 1, 5}, 9);
  ASSERT_TRUE(t.defined);
  EXPECT_EQ(t.q, 4u);
  EXPECT_REL(t.ratio, 2.5, 1e-15);
  EXPECT_REL(t.probability, 0.2109375, 1e-15);
  EXPECT_REL(fisher_probability(1.5, 2), 0.5, 1e-15);          // 2 (1 - g/2)
  EXPECT_REL(fisher_probability(1.2, 3), 1.08 - 0.12, 1e-14);  // 3 (0.6)^2 - 3 (0.2)^2
  EXPECT_EQ(fisher_probability(3.0, 3), 0.0);

  const FisherTest flat = fisher_test(std::vector<double>(5, 0.0), 10);
  EXPECT_FALSE(flat.defined);
  EXPECT_EQ(flat.q, 4u);
  EXPECT_FALSE(fisher_test(std::vector<double>{1}, 2).defined);
}

TEST(Spectrum, FisherProbabilityAgreesWithAnExactSumForLongSeries) {
  // P = sum_j (-1)^(j-1) C(q,j) (1 - j g/q)^(q-1) summed with 90 digits by
  // python3 mpmath 1.3.0 (mp.dps = 90); mu = q (1 - g/q)^(q-1) in brackets.
  struct Case {
    std::size_t n;
    double g, p;
  };
  const Case cases[] = {
      {1000, 3, 0.99999999999999988},          // mu 24.8
      {1000, 5, 0.97393830291584138},          // mu 3.31
      {1000, 10, 0.020709364845115132},        // mu 0.0209
      {100000, 8, 0.99999995652700251},        // mu 16.8
      {100000, 12, 0.2643291513837575},        // mu 0.307
      {1000000, 9.5, 0.99999999999999995},     // mu 37.4: above the summing limit
      {1000000, 10, 0.9999999998682823},       // mu 22.7
      {1000000, 11, 0.99976561109023968},      // mu 8.35
      {1000000, 14, 0.34014009158322648},      // mu 0.416
      {200, 6, 0.20121315918597136},
      {201, 4.5, 0.69503957337815339},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(fisher_probability(c.g, fisher_frequency_count(c.n)), c.p, 1e-9) << c.n << " g " << c.g;

  for (double g = 1; g < 40; g += 0.37) {
    const double p = fisher_probability(g, 499999);
    EXPECT_GE(p, 0.0);
    EXPECT_LE(p, 1.0);
  }
}

TEST(Spectrum, CumulativeSpectra) {
  const std::vector<double> c = cumulative_sum_ratio(std::vector<double>{1, 2, 3, 4}, 3);
  ASSERT_EQ(c.size(), 3u);
  EXPECT_REL(c[0], 1.0 / 6, 1e-15);
  EXPECT_REL(c[1], 0.5, 1e-15);
  EXPECT_EQ(c[2], 1.0);
  EXPECT_TRUE(cumulative_sum_ratio(std::vector<double>{0, 0, 0}, 3).empty());

  const std::vector<double> F = cumulative_model_spectrum(model_spectrum({{}, {}, 1.0, 0}, 4).f);
  ASSERT_EQ(F.size(), 5u);
  for (std::size_t j = 0; j < 5; ++j) EXPECT_REL(F[j], (static_cast<double>(j) + 1) / 5, 1e-15);

  // Against white noise with sigma2 = 2 the ratio is I pi.
  const std::vector<double> I = {1, 2, 3, 4};
  const StandardizedPeriodogram r = standardize_periodogram(I, 9, {{}, {}, 2.0, 0});
  ASSERT_EQ(r.ratio.size(), 4u);
  for (std::size_t j = 0; j < 4; ++j) EXPECT_REL(r.ratio[j], I[j] * pi, 1e-15);
  const std::vector<double> one{1.0};
  EXPECT_EQ(standardize_periodogram(I, 9, {one, {}, 1.0, 0}).singular, 0);
}

TEST(Spectrum, KolmogorovSmirnovBoundsForTwoHundredPoints) {
  // q = 99; the 5 % band is +-1.36/sqrt(98) = +-0.1373813; the upper line
  // reaches 1 at j = 1 + 98 (1 - 0.1373813), the lower leaves 0 at
  // j = 1 + 98 * 0.1373813.
  const KsBounds b = ks_bounds(200);
  const double c = 1.36 / std::sqrt(98.0);
  auto x = [](double j) { return 2 * pi * j / 200; };
  ASSERT_EQ(b.upper5.x.size(), 3u);
  EXPECT_REL(b.upper5.x[0], x(1), 1e-15);
  EXPECT_REL(b.upper5.y[0], c, 1e-15);
  EXPECT_REL(b.upper5.x[1], x(1 + 98 * (1 - c)), 1e-14);
  EXPECT_EQ(b.upper5.y[1], 1.0);
  EXPECT_REL(b.upper5.x[2], x(99), 1e-15);
  EXPECT_EQ(b.upper5.y[2], 1.0);
  ASSERT_EQ(b.lower5.x.size(), 3u);
  EXPECT_EQ(b.lower5.y[0], 0.0);
  EXPECT_REL(b.lower5.x[1], x(1 + 98 * c), 1e-14);
  EXPECT_NEAR(b.lower5.y[1], 0.0, 1e-15);
  EXPECT_REL(b.lower5.y[2], 1 - c, 1e-14);
  EXPECT_REL(b.upper1.y[0], 1.63 / std::sqrt(98.0), 1e-15);
  EXPECT_TRUE(ks_bounds(4).upper5.x.empty());  // q = 1
}

}  // namespace
}  // namespace zelk
