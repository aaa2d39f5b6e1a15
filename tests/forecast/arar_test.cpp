#include "forecast/arar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/test_data.h"

namespace zelk {
namespace {

// A series that keeps asking for lag-15 filters: a period-15 pattern under
// a quadratic envelope, so each filter leaves a similar pattern behind.
std::vector<double> modulated_season(int n) {
  const double p[15] = {3, -1, 4, 1, -5, 9, 2, -6, 5, 3, -5, 8, 9, -7, 9};
  std::vector<double> y(n);
  for (int t = 0; t < n; ++t) y[t] = p[t % 15] * (t + 1.0) * (t + 1.0);
  return y;
}

// Each lag-1 filter of a cubic leaves a smooth polynomial: long memory again.
std::vector<double> cubic(int n) {
  std::vector<double> y(n);
  for (int t = 0; t < n; ++t) y[t] = std::pow(t + 1.0, 3);
  return y;
}

std::vector<double> subset_ar(int n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> z;
  std::vector<double> x(n + 200, 0.0);
  for (int t = 12; t < n + 200; ++t)
    x[t] = 0.3 * x[t - 1] + 0.25 * x[t - 3] - 0.2 * x[t - 7] + 0.2 * x[t - 12] + z(rng);
  return {x.begin() + 200, x.end()};
}

TEST(ArarShortening, FilterCountFollowsSeriesLength) {
  EXPECT_EQ(arar_filter_limit(34), 1);
  EXPECT_EQ(arar_filter_limit(35), 2);
  EXPECT_EQ(arar_filter_limit(49), 2);
  EXPECT_EQ(arar_filter_limit(50), 3);
  // A cubic trend keeps showing long memory after each filter.
  EXPECT_EQ(shorten_memory(cubic(34), false).filters.size(), 1u);
  EXPECT_EQ(shorten_memory(cubic(35), false).filters.size(), 2u);
  EXPECT_EQ(shorten_memory(cubic(49), false).filters.size(), 2u);
  EXPECT_EQ(shorten_memory(cubic(50), false).filters.size(), 3u);
}

TEST(ArarShortening, SmallRelativeErrorTakesLagFilterEvenBelowPointNineThree) {
  // Y(t+2) = Y(t)/2 exactly: Err(2) = 0 <= 8/N with phi = 0.5 < 0.93.
  std::vector<double> y(40);
  y[0] = 1;
  y[1] = 0.3;
  for (int t = 2; t < 40; ++t) y[t] = 0.5 * y[t - 2];
  const auto s = shorten_memory(y, false);
  ASSERT_EQ(s.filters.size(), 1u);  // the remainder is zero: nothing more to filter
  EXPECT_EQ(s.filters[0].lag1, 2);
  EXPECT_EQ(s.filters[0].c1, 0.5);
  EXPECT_EQ(s.m, 2);
  EXPECT_EQ(s.psi, (std::vector<double>{1, 0, -0.5}));
}

TEST(ArarShortening, TiesKeepTheSmallerLag) {
  // 1, -1, 1, ...: every lag fits exactly (Err = 0); lag 1 with phi = -1 wins.
  std::vector<double> y(40);
  for (int t = 0; t < 40; ++t) y[t] = t % 2 ? -1 : 1;
  const auto s = shorten_memory(y, false);
  ASSERT_EQ(s.filters.size(), 1u);
  EXPECT_EQ(s.filters[0].lag1, 1);
  EXPECT_EQ(s.psi, (std::vector<double>{1, 1}));
}

TEST(ArarShortening, PersistentShortLagGetsAnAr2Filter) {
  // An AR(1) with phi = 0.97: Err(1) is about 1 - 0.97^2 = 0.059 > 8/200,
  // phi(1) above 0.93, so the filter is the least-squares AR(2).
  std::mt19937_64 rng(7);
  std::normal_distribution<double> z;
  std::vector<double> y(200);
  double prev = 0;
  for (int t = -300; t < 200; ++t) {
    prev = 0.97 * prev + z(rng);
    if (t >= 0) y[t] = prev;
  }
  // The premise, computed here directly.
  double num = 0, den = 0, e = 0, e_den = 0;
  for (int t = 0; t + 1 < 200; ++t) num += y[t] * y[t + 1], den += y[t] * y[t];
  for (int t = 0; t + 1 < 200; ++t)
    e += std::pow(y[t + 1] - num / den * y[t], 2), e_den += y[t + 1] * y[t + 1];
  ASSERT_GE(num / den, 0.93);
  ASSERT_GT(e / e_den, 8.0 / 200);
  const auto s = shorten_memory(y, false);
  ASSERT_GE(s.filters.size(), 1u);
  EXPECT_EQ(s.filters[0].lag1, 1);
  EXPECT_EQ(s.filters[0].lag2, 2);
}

TEST(ArarShortening, SkippedMeansIdentity) {
  const auto s = shorten_memory(cubic(60), true);
  EXPECT_EQ(s.m, 0);
  EXPECT_EQ(s.psi, std::vector<double>{1.0});
}

TEST(ArarForecast, RecoversAKnownSubsetAutoregression) {
  const auto x = subset_ar(3000, 11);
  for (auto criterion : {ArarCriterion::MinVariance13, ArarCriterion::MaxLikelihood13}) {
    ArarOptions o;
    o.skip_shortening = true;
    o.criterion = criterion;
    const auto r = arar_forecast(x, o);
    ASSERT_EQ(r.status, ArarStatus::Ok);
    EXPECT_EQ(r.subset.lags, (std::array<int, 4>{1, 3, 7, 12}));
    const double truth[4] = {0.3, 0.25, -0.2, 0.2};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(r.subset.coefs[i], truth[i], 0.06);
    // Without shortening the whitening filter is the subset AR polynomial.
    ASSERT_EQ(r.xi.size(), 14u);
    std::vector<double> phi(14, 0.0);
    phi[0] = 1;
    for (int i = 0; i < 4; ++i) phi[r.subset.lags[i]] = -r.subset.coefs[i];
    EXPECT_EQ(r.xi, phi);
    EXPECT_NEAR(r.rmse, 1.0, 0.05);  // the simulated noise has variance 1
  }
}

TEST(ArarForecast, PeriodicSeriesIsContinuedExactly) {
  const double p[12] = {5, 7, 6, 9, 12, 15, 14, 11, 9, 8, 6, 4};
  std::vector<double> y(60);
  for (int t = 0; t < 60; ++t) y[t] = p[t % 12];
  ArarOptions o;
  o.h = 13;
  const auto r = arar_forecast(y, o);
  ASSERT_EQ(r.status, ArarStatus::Ok);
  EXPECT_EQ(r.shortening.m, 12);
  for (int j = 0; j < 13; ++j) EXPECT_NEAR(r.forecasts[j], p[(60 + j) % 12], 1e-9) << j;
  EXPECT_NEAR(r.rmse, 0, 1e-9);
}

TEST(ArarForecast, WhiteningFilterIsShorteningTimesSubsetPolynomialOnLakeHuron) {
  const auto y = test::read_series("lake_huron.dat");
  ArarOptions o;
  o.h = 5;
  o.criterion = ArarCriterion::MinVariance26;
  const auto r = arar_forecast(y, o);
  ASSERT_EQ(r.status, ArarStatus::Ok);
  ASSERT_GT(r.shortening.m, 0);
  const int m = r.shortening.m;
  std::vector<double> phi(r.max_lag + 1, 0.0);
  phi[0] = 1;
  for (int i = 0; i < 4; ++i) phi[r.subset.lags[i]] = -r.subset.coefs[i];
  for (int k = 0; k <= r.max_lag + m; ++k) {
    double v = 0;
    for (int i = 0; i <= std::min(k, m); ++i)
      if (k - i <= r.max_lag) v += r.shortening.psi[i] * phi[k - i];
    EXPECT_NEAR(r.xi[k], v, 1e-14);
  }
  // One step ahead the forecast error is the in-sample RMSE; it grows after.
  EXPECT_EQ(r.sqrt_mse[0], r.rmse);
  for (int j = 1; j < 5; ++j) EXPECT_GE(r.sqrt_mse[j], r.sqrt_mse[j - 1]);
  const double z = 1.959963984540054;  // qnorm(0.975) in R
  EXPECT_NEAR(r.upper[0] - r.forecasts[0], z * r.rmse, 1e-12);
}

TEST(ArarForecast, TooShortOrTooLongFiltersAreReportedNotComputed) {
  ArarOptions o;
  o.skip_shortening = true;
  const std::vector<double> four{1, 3, 2, 5};
  auto r = arar_forecast(four, o);  // L = 3: no triple 2 < l1 < l2 < l3 <= 3
  EXPECT_EQ(r.status, ArarStatus::NoLagTriple);
  EXPECT_TRUE(r.forecasts.empty());
  const std::vector<double> five{1, 3, 2, 5, 4};
  EXPECT_EQ(arar_forecast(five, o).status, ArarStatus::Ok);

  const auto y = modulated_season(200);
  const auto s = shorten_memory(y, false);
  ASSERT_EQ(s.m, 45);  // three lag-15 filters
  ArarOptions full;
  EXPECT_EQ(arar_forecast(y, full).status, ArarStatus::FilterTooLong);  // 13 + 45 > 50
}

TEST(ArarForecast, ConstantSeriesGivesFiniteFlatForecasts) {
  const std::vector<double> y(40, 3.5);
  ArarOptions o;
  o.h = 3;
  const auto r = arar_forecast(y, o);
  ASSERT_EQ(r.status, ArarStatus::Ok);
  for (double f : r.forecasts) EXPECT_NEAR(f, 3.5, 1e-12);
  EXPECT_TRUE(std::isfinite(r.rmse));
}

}  // namespace
}  // namespace zelk
