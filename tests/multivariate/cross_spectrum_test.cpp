#include "multivariate/cross_spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "multivariate/data.h"
#include "numeric/relative.h"

namespace zelk {
namespace {

using testing::read_columns;
using testing::spans;

TEST(DaniellWeights, TwoFiltersOfOrderOne) {
  const std::vector<int> orders{1, 1};
  const auto w = daniell_weights(orders);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_DOUBLE_EQ(w[0], 3.0 / 9);
  EXPECT_DOUBLE_EQ(w[1], 2.0 / 9);
  EXPECT_DOUBLE_EQ(w[2], 1.0 / 9);
  EXPECT_DOUBLE_EQ(weights_sum_of_squares(w), 19.0 / 81);
  const std::vector<int> none{0, 0};
  EXPECT_EQ(daniell_weights(none), std::vector<double>{1.0});
}

// x = (1, 0, -1, 0): J(pi/2) = -2i by hand, so I = 4 / (2 pi 4); J(pi) = 0.
TEST(CrossSpectrum, PeriodogramOnTheUnivariateScale) {
  const std::vector<std::vector<double>> cols{{1, 0, -1, 0}};
  const auto x = spans(cols);
  const CrossSpectrum s = cross_spectrum(x);
  ASSERT_EQ(s.top, 2);
  ASSERT_EQ(s.spectrum.size(), 1u);
  EXPECT_TRUE(s.pairs.empty());
  EXPECT_NEAR(s.spectrum[0][1], 1.0 / (2 * std::numbers::pi), 1e-15);
  EXPECT_NEAR(s.spectrum[0][2], 0.0, 1e-15);
  EXPECT_NEAR(s.frequency(1), std::numbers::pi / 2, 1e-15);
}

TEST(CrossSpectrum, IdenticalComponentsHaveCoherencyOneAndPhaseZero) {
  const auto cols = read_columns("uk_lung_deaths_mf.dat");
  const std::vector<std::vector<double>> same{cols[0], cols[0]};
  const auto x = spans(same);
  const std::vector<int> orders{2};
  const auto w = daniell_weights(orders);
  for (const auto& weights : {std::vector<double>{}, w}) {
    const CrossSpectrum s = cross_spectrum(x, weights);
    ASSERT_EQ(s.pairs.size(), 1u);
    for (int j = 0; j <= s.top; ++j) {
      EXPECT_NEAR(s.pairs[0].coherency[j], 1.0, 1e-12) << j;
      EXPECT_EQ(s.pairs[0].phase[j], 0.0) << j;
    }
  }
}

// Smoothed with two Daniell filters of order 1 against R 4.2:
// spectrum(cbind(m, f), method = "pgram", kernel = kernel("daniell", c(1, 1)), taper = 0,
// detrend = FALSE, demean = TRUE, fast = FALSE) on the plain lung-death
// columns; R's spectra are |J|^2 / n, ours |J|^2 / (2 pi n), and R's phase is
// Arg(J_1 conj J_2) = atan2(q, c), the negative of ours.
TEST(CrossSpectrum, SmoothedLungDeathsMatchAnIndependentTool) {
  const auto cols = read_columns("uk_lung_deaths_mf.dat");
  const auto x = spans(cols);
  const std::vector<int> orders{1, 1};
  const auto w = daniell_weights(orders);
  const CrossSpectrum s = cross_spectrum(x, w);
  ASSERT_EQ(s.top, 36);
  const int j[] = {1, 2, 17, 35, 36};
  const double f1[] = {26898.45379, 16421.52896, 4212.592126, 2194.456306, 2142.410077};
  const double f2[] = {1295.806806, 830.0190247, 644.0688231, 531.9399811, 537.0772742};
  const double coh[] = {0.873618697, 0.7871293828, 0.8871214123, 0.7137448696, 0.6880874617};
  const double phase[] = {-0.05073500193, -0.06908674907, -0.1468141614, -0.09858303309, 0};
  for (int a = 0; a < 5; ++a) {
    EXPECT_REL(s.spectrum[0][j[a]], f1[a], 1e-9);
    EXPECT_REL(s.spectrum[1][j[a]], f2[a], 1e-9);
    EXPECT_NEAR(s.pairs[0].coherency[j[a]], coh[a], 1e-9);
    EXPECT_NEAR(s.pairs[0].phase[j[a]], -phase[a], 1e-9);
  }
  // Unsmoothed, the same tool's raw periodogram: spectrum(.., method = "pgram", taper = 0, ..),
  // first column of its estimate.
  const CrossSpectrum raw = cross_spectrum(x);
  EXPECT_REL(raw.spectrum[0][1], 36919.27183, 1e-9);
  EXPECT_REL(raw.spectrum[0][36], 201.6051032, 1e-9);
}

TEST(CrossSpectrum, ZeroSpectrumGivesZeroCoherencyAndPhase) {
  const std::vector<std::vector<double>> cols{{2, 2, 2, 2, 2}, {1, 3, 2, 5, 4}};
  const auto x = spans(cols);
  const std::vector<int> orders{1};
  const CrossSpectrum s = cross_spectrum(x, daniell_weights(orders));
  for (int j = 0; j <= s.top; ++j) {
    EXPECT_EQ(s.pairs[0].coherency[j], 0.0);
    EXPECT_EQ(s.pairs[0].phase[j], 0.0);
  }
}

}  // namespace
}  // namespace zelk
