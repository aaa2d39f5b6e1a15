#include "numeric/acf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/test_data.h"

namespace zelk {
namespace {

// Lake Huron levels 1875-1972: values of an independent statistics tool.
TEST(SampleCorrelations, LakeHuronMatchesReferenceTool) {
  const auto x = test::read_series("lake_huron.dat");
  ASSERT_EQ(x.size(), 98u);
  const auto s = sample_correlations(x, 40);
  ASSERT_EQ(s.acf.size(), 41u);
  const double acf[] = {0.83191, 0.60994, 0.45825, 0.37050, 0.32555};
  const double pacf[] = {0.83191, -0.26675, 0.13075, 0.03406, 0.06209};
  EXPECT_DOUBLE_EQ(s.acf[0], 1.0);
  EXPECT_DOUBLE_EQ(s.pacf[0], 1.0);
  for (int k = 1; k <= 5; ++k) {
    EXPECT_NEAR(s.acf[k], acf[k - 1], 5e-6) << "lag " << k;
    EXPECT_NEAR(s.pacf[k], pacf[k - 1], 5e-6) << "lag " << k;
  }
}

// 1,2,3,4 by hand: mean 2.5, y = -1.5 -0.5 0.5 1.5; divisor n = 4 for every lag.
TEST(SampleCorrelations, HandWorkedSeriesUsesDivisorN) {
  const std::vector<double> x{1, 2, 3, 4};
  const auto c = sample_acvf(x, 5);
  ASSERT_EQ(c.size(), 6u);
  EXPECT_DOUBLE_EQ(c[0], 5.0 / 4);
  EXPECT_DOUBLE_EQ(c[1], 1.25 / 4);    // .75 - .25 + .75
  EXPECT_DOUBLE_EQ(c[2], -1.5 / 4);    // -.75 - .75
  EXPECT_DOUBLE_EQ(c[3], -2.25 / 4);
  EXPECT_EQ(c[4], 0.0);  // lags at or beyond n are 0
  EXPECT_EQ(c[5], 0.0);
  const auto s = sample_correlations(x, 5);
  EXPECT_DOUBLE_EQ(s.gamma0, 1.25);
  EXPECT_DOUBLE_EQ(s.acf[1], 0.25);
  // phi(2,2) = (rho2 - rho1^2)/(1 - rho1^2) = (-0.3 - 0.0625)/0.9375
  EXPECT_NEAR(s.pacf[2], -0.3625 / 0.9375, 1e-15);
  // The recursion goes on over the zero autocorrelations beyond n-1.
  EXPECT_NE(s.pacf[4], 0.0);
  for (double a : s.pacf) EXPECT_TRUE(std::isfinite(a));
}

TEST(SampleCorrelations, DegenerateSeriesGiveDefinedValues) {
  const auto flat = sample_correlations(std::vector<double>(7, 3.5), 10);
  EXPECT_EQ(flat.gamma0, 0.0);
  EXPECT_EQ(flat.acf[0], 1.0);
  EXPECT_EQ(flat.pacf[0], 1.0);
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(flat.acf[k], 0.0);
    EXPECT_EQ(flat.pacf[k], 0.0);
  }
  // rho = 1, -1, 1, ...: perfectly predictable after one step, so v(1) = 0.
  const std::vector<double> rho{1, -1, 1, -1, 1};
  const auto dl = durbin_levinson(rho);
  EXPECT_EQ(dl.exhausted_at, 1);
  EXPECT_DOUBLE_EQ(dl.pacf[1], -1.0);
  for (int k = 2; k <= 4; ++k) {
    EXPECT_EQ(dl.pacf[k], 0.0);
    EXPECT_EQ(dl.v[k], 0.0);
  }
  EXPECT_DOUBLE_EQ(dl.phi[0], -1.0);
  // Empty series and a non-positive lag count.
  const auto none = sample_correlations(std::vector<double>{}, 0);
  EXPECT_EQ(none.acf.size(), 41u);
  EXPECT_EQ(none.gamma0, 0.0);
}

// Standard errors from an independent script of the Bartlett-weighted
// formula; r = 3 for n = 10 and 15, r = 4 for n = 16.
TEST(MeanStandardError, WindowWidthFollowsSquareRootOfN) {
  auto series = [](int n) {
    std::vector<double> x;
    for (int t = 1; t <= n; ++t) x.push_back((t * 7) % 5 + 0.5 * t);
    return x;
  };
  EXPECT_NEAR(mean_standard_error(series(10)), 0.6194755846681933, 1e-14);
  EXPECT_NEAR(mean_standard_error(series(15)), 0.8428347230450169, 1e-14);
  EXPECT_NEAR(mean_standard_error(series(16)), 0.9536371574791955, 1e-14);
  EXPECT_EQ(mean_standard_error(std::vector<double>{3.0}), 0.0);  // n = 1: r = 1, S = 1, s2 = 0
  EXPECT_EQ(mean_standard_error(std::vector<double>(9, 2.0)), 0.0);
  EXPECT_EQ(mean_standard_error(std::vector<double>{}), 0.0);
}

// AR(2) with known partial autocorrelations: phi(2,2) = phi2 and the
// predictor of order 2 recovers both coefficients.
TEST(DurbinLevinson, RecoversAr2Coefficients) {
  const double p1 = 0.5, p2 = 0.3;
  std::vector<double> rho(8);
  rho[0] = 1;
  rho[1] = p1 / (1 - p2);
  for (int k = 2; k < 8; ++k) rho[k] = p1 * rho[k - 1] + p2 * rho[k - 2];
  std::span<const double> r2(rho.data(), 3);
  const auto dl = durbin_levinson(r2);
  EXPECT_NEAR(dl.phi[0], p1, 1e-14);
  EXPECT_NEAR(dl.phi[1], p2, 1e-14);
  const auto all = partial_autocorrelations(rho);
  for (int k = 3; k < 8; ++k) EXPECT_NEAR(all[k], 0.0, 1e-14);
}

// The blocked sums, the FFT route and the textbook double loop agree.
TEST(SampleAcvf, FastRoutesAgreeWithDirectSums) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> z;
  std::vector<double> x(5003);
  double prev = 0;
  for (double& v : x) v = prev = 0.7 * prev + z(rng) + 3;
  for (int lags : {40, 300, 5002, 6000}) {
    const auto c = sample_acvf(x, lags);
    const double m = sample_mean(x);
    for (int k : {0, 1, 7, 8, 39, 40, 299, 5002}) {
      if (k > lags) continue;
      double s = 0;
      for (std::size_t t = 0; t + k < x.size(); ++t) s += (x[t] - m) * (x[t + k] - m);
      EXPECT_NEAR(c[k], s / x.size(), 1e-10) << "lags " << lags << " k " << k;
    }
  }
}

}  // namespace
}  // namespace zelk
