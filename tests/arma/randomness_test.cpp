// Tests of randomness: Lake Huron AR(2) residuals against R 4.2, the counts
// by hand, the rank count against a direct double loop, and the degenerate
// cases that must not give NaN.
#include "arma/randomness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>

#include "arma/ml_fit.h"
#include "support/test_data.h"

namespace zelk {
namespace {

std::vector<double> lake_huron_ar2_residuals() {
  std::vector<double> x = test::read_series("lake_huron.dat");
  const double mean = std::accumulate(x.begin(), x.end(), 0.0) / x.size();
  for (double& v : x) v -= mean;
  ArmaModel m;
  m.p = 2;
  m.phi[0] = 1.0538;
  m.phi[1] = -0.2668;
  m.free_parameters = {1, 2};
  ArmaEstimation e;
  e.accuracy = 0.01 * std::fabs((1.0538 - 0.2668) / 2) + 0.00001;
  ArmaFit summary;
  return fit_arma(x, m, e, summary).final.rescaled_residuals;
}

TEST(RandomnessLakeHuron, Ar2ResidualsWithLag22) {
  const auto y = lake_huron_ar2_residuals();
  ASSERT_EQ(y.size(), 98u);
  const RandomnessTests t = randomness_tests(y, 22, 2);
  // R: fit <- arima(x, c(2,0,0), include.mean = FALSE);
  // Box.test(residuals(fit), lag = 22, type = "Ljung-Box", fitdf = 2).
  EXPECT_NEAR(t.ljung_box.statistic, 10.887277, 2e-3);
  EXPECT_EQ(t.ljung_box.df, 20);
  EXPECT_NEAR(t.ljung_box.p_value, 0.9490935, 2e-4);
  // R: Box.test(residuals(fit)^2, lag = 22, type = "Ljung-Box").
  EXPECT_NEAR(t.mcleod_li.statistic, 17.896704, 5e-3);
  EXPECT_EQ(t.mcleod_li.df, 22);
  EXPECT_NEAR(t.mcleod_li.p_value, 0.7120949, 5e-4);
  // R: d <- diff(r); sum(d[-1] * d[-length(d)] < 0); sum(diff(r) > 0);
  // pairs counted by a loop; p = 2 * pnorm(-|count - mean| / sd).
  EXPECT_EQ(t.turning.count, 65);
  EXPECT_NEAR(t.turning.p_value, 0.8089154, 1e-6);
  EXPECT_EQ(t.difference_sign.count, 52);
  EXPECT_NEAR(t.difference_sign.p_value, 0.2230175, 1e-6);
  EXPECT_EQ(t.rank.count, 2051);
  EXPECT_NEAR(t.rank.p_value, 0.04570428, 1e-7);
  EXPECT_LE(t.min_aicc_order, 22);
}

TEST(RandomnessCounts, StrictlyIncreasingSeriesOfOneHundred) {
  std::vector<double> y(100);
  std::iota(y.begin(), y.end(), 1.0);
  const RandomnessTests t = randomness_tests(y, 22, 2);
  EXPECT_EQ(t.turning.count, 0);
  EXPECT_EQ(t.difference_sign.count, 99);
  EXPECT_EQ(t.rank.count, 4950);
  // n = 100: 2(n-2)/3, (16n-29)/90; (n-1)/2, (n+1)/12; n(n-1)/4, n(n-1)(2n+5)/72.
  EXPECT_NEAR(t.turning.mean, 65.3333, 1e-4);
  EXPECT_NEAR(t.turning.sd * t.turning.sd, 17.4556, 1e-4);
  EXPECT_NEAR(t.difference_sign.mean, 49.5, 1e-12);
  EXPECT_NEAR(t.difference_sign.sd * t.difference_sign.sd, 8.41667, 1e-5);
  EXPECT_NEAR(t.rank.mean, 2475, 1e-9);
  EXPECT_NEAR(t.rank.sd * t.rank.sd, 28187.5, 1e-7);
  // All three are far in the tail.
  EXPECT_LT(t.turning.p_value, 1e-5);
  EXPECT_LT(t.difference_sign.p_value, 1e-5);
}

TEST(RandomnessCounts, TiesNeverCount) {
  // 3 1 2 2 5: one turning point (the 1); rises 1->2 and 2->5; pairs
  // (3,5), (1,2), (1,2), (1,5), (2,5), (2,5).
  const std::vector<double> y = {3, 1, 2, 2, 5};
  EXPECT_EQ(turning_points(y), 1);
  EXPECT_EQ(difference_signs(y), 2);
  EXPECT_EQ(rank_pairs(y), 6);
}

TEST(RandomnessCounts, RankCountAgreesWithAllPairs) {
  std::mt19937 gen(3);
  std::uniform_int_distribution<int> die(0, 20);  // many ties
  for (int n : {1, 2, 3, 17, 64, 333}) {
    std::vector<double> y(n);
    for (double& v : y) v = die(gen);
    std::int64_t pairs = 0;
    for (int i = 0; i < n; ++i)
      for (int j = i + 1; j < n; ++j) pairs += y[j] > y[i];
    EXPECT_EQ(rank_pairs(y), pairs) << "n = " << n;
  }
}

TEST(RandomnessDegenerate, NoNaNAnywhere) {
  const auto y = lake_huron_ar2_residuals();
  // h = f: Ljung-Box with no degrees of freedom has no p-value.
  const RandomnessTests hf = randomness_tests(y, 2, 2);
  EXPECT_EQ(hf.ljung_box.df, 0);
  EXPECT_TRUE(hf.ljung_box.defined);
  EXPECT_FALSE(hf.ljung_box.p_defined);
  // Constant residuals: no McLeod-Li statistic; every number finite.
  const std::vector<double> c(50, 0.7);
  const RandomnessTests tc = randomness_tests(c, 22, 2);
  EXPECT_FALSE(tc.mcleod_li.defined);
  EXPECT_FALSE(tc.mcleod_li.p_defined);
  EXPECT_TRUE(tc.ljung_box.p_defined);
  EXPECT_EQ(tc.min_aicc_order, 0);
  for (const CountTest* ct : {&tc.turning, &tc.difference_sign, &tc.rank}) {
    EXPECT_TRUE(std::isfinite(ct->p_value));
    EXPECT_TRUE(std::isfinite(ct->sd));
  }
  // One value: the turning-point variance (16n - 29)/90 is negative.
  const std::vector<double> one = {1.5};
  const RandomnessTests t1 = randomness_tests(one, 1, 0);
  EXPECT_FALSE(t1.turning.defined);
  EXPECT_TRUE(std::isfinite(t1.ljung_box.statistic));
}

TEST(RandomnessOrder, SearchStopsAtOrder26EvenForLag54) {
  // An MA(1) with theta = 0.95 is an AR of infinite order whose partial
  // autocorrelation at lag 26 is still about 0.027: with n = 20000 every
  // order up to 26 lowers the AICC, and the search must stop there.
  std::mt19937_64 gen(11);
  std::normal_distribution<double> z(0.0, 1.0);
  std::vector<double> y(20000);
  double prev = z(gen);
  for (double& v : y) {
    const double zt = z(gen);
    v = zt + 0.95 * prev;
    prev = zt;
  }
  const RandomnessTests t = randomness_tests(y, 54, 0);
  EXPECT_EQ(t.min_aicc_order, 26);
}

}  // namespace
}  // namespace zelk
