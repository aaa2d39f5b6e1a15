#include "multivariate/cross_correlation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "multivariate/data.h"
#include "numeric/relative.h"

namespace zelk {
namespace {

using testing::read_columns;
using testing::spans;

// rho_12(h) = corr(X_1(t+h), X_2(t)) of male and female lung deaths; reference
// from R 4.2: acf(cbind(mdeaths, fdeaths), lag.max = 1)$acf[, 1, 2] and [, 2, 1].
TEST(SampleCcf, LungDeathsMatchAnIndependentTool) {
  const auto cols = read_columns("uk_lung_deaths_mf.dat");
  ASSERT_EQ(cols.size(), 2u);
  ASSERT_EQ(cols[0].size(), 72u);
  const auto x = spans(cols);
  const SampleCcf r = sample_ccf(x, 1);
  ASSERT_EQ(r.pairs.size(), 3u);
  const auto& r12 = r.pair(0, 1);
  EXPECT_NEAR(r12[1], 0.97624125, 5e-8);
  EXPECT_NEAR(r12[2], 0.73566853, 5e-8);
  EXPECT_NEAR(r12[0], 0.74430932, 5e-8);
  EXPECT_DOUBLE_EQ(r.pair(0, 0)[1], 1.0);
  EXPECT_DOUBLE_EQ(r.pair(1, 1)[1], 1.0);
}

TEST(SampleCcf, LagCountIsCutToHalfTheSeries) {
  EXPECT_EQ(ccf_lag_count(40, 10), 4);
  EXPECT_EQ(ccf_lag_count(3, 10), 3);
  EXPECT_EQ(ccf_lag_count(40, 3), 0);
  EXPECT_EQ(ccf_lag_count(40, 0), 0);
}

TEST(SampleCcf, OneComponentGivesItsAcfAndTheAutoPanesAreSymmetric) {
  // x = 1, 2, 3, 4 centred: -1.5 -0.5 0.5 1.5; the sum of squares is 5 and the
  // sum of lag-1 products 0.75 - 0.25 + 0.75 = 1.25, so rho(1) = 0.25.
  const std::vector<std::vector<double>> one{{1, 2, 3, 4}};
  const auto x = spans(one);
  const SampleCcf r = sample_ccf(x, 1);
  ASSERT_EQ(r.pairs.size(), 1u);
  EXPECT_DOUBLE_EQ(r.pairs[0][0], 0.25);
  EXPECT_DOUBLE_EQ(r.pairs[0][1], 1.0);
  EXPECT_DOUBLE_EQ(r.pairs[0][2], 0.25);
}

TEST(SampleCcf, ConstantComponentGivesWhiteNoiseValuesNotNaN) {
  const std::vector<std::vector<double>> cols{{3, 3, 3, 3, 3, 3}, {1, 4, 2, 8, 5, 7}};
  const auto x = spans(cols);
  const SampleCcf r = sample_ccf(x, 2);
  for (const auto& p : r.pairs)
    for (double v : p) EXPECT_FALSE(std::isnan(v));
  EXPECT_EQ(r.pair(0, 0)[2], 1.0);
  EXPECT_EQ(r.pair(0, 0)[3], 0.0);
  EXPECT_EQ(r.pair(0, 1)[2], 0.0);
}

// The transform route and the direct sums are two independent computations of
// the same sums: they must agree on every lag, including both signs.
TEST(CrossCovariances, TransformAndDirectSumsAgree) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> z;
  std::vector<std::vector<double>> cols(3, std::vector<double>(1000));
  for (std::size_t t = 0; t < 1000; ++t) {
    cols[0][t] = z(rng) + 5;
    cols[1][t] = 0.5 * cols[0][t] + z(rng);
    cols[2][t] = t > 3 ? cols[1][t - 3] + 0.1 * z(rng) : 0.0;
  }
  const auto x = spans(cols);
  const CrossCovariances direct = sample_cross_covariances(x, 100);
  const CrossCovariances fft = sample_cross_covariances(x, 400);
  for (int h = -100; h <= 100; ++h)
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) ASSERT_NEAR(direct(h, i, j), fft(h, i, j), 1e-12) << h << " " << i << j;
  // The delay of 3 shows as the peak of gamma_31 at h = 3.
  EXPECT_GT(direct(3, 2, 1), 0.9 * direct(0, 1, 1));
  // Lags beyond n - 1 are zero.
  const std::vector<std::vector<double>> tiny{{1, 2, 4}};
  const auto y = spans(tiny);
  const CrossCovariances g = sample_cross_covariances(y, 200);
  EXPECT_EQ(g(150, 0, 0), 0.0);
  EXPECT_NEAR(g(2, 0, 0), (-4.0 / 3) * (5.0 / 3) / 3, 1e-15);
}

}  // namespace
}  // namespace zelk
