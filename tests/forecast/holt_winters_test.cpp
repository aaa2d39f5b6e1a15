#include "forecast/holt_winters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "forecast/pattern_search.h"
#include "support/test_data.h"

namespace zelk {
namespace {

// The recursions written out plainly, 1-based, as a second implementation.
double plain_seasonal_mse(const std::vector<double>& x, int d, double a, double b, double g) {
  const int n = static_cast<int>(x.size());
  std::vector<double> y(n + 1), L(n + 1), T(n + 1), S(n + 1);
  for (int t = 1; t <= n; ++t) y[t] = x[t - 1];
  L[d + 1] = y[d + 1];
  T[d + 1] = (y[d + 1] - y[1]) / d;
  for (int i = 1; i <= d; ++i) S[i] = y[i] - (y[1] + (i - 1) * T[d + 1]);
  S[d + 1] = S[1];
  double sse = 0;
  for (int t = d + 2; t <= n; ++t) {
    const double P = L[t - 1] + T[t - 1] + S[t - d];
    sse += (y[t] - P) * (y[t] - P);
    L[t] = a * (y[t] - S[t - d]) + (1 - a) * (L[t - 1] + T[t - 1]);
    T[t] = b * (L[t] - L[t - 1]) + (1 - b) * T[t - 1];
    S[t] = g * (y[t] - L[t]) + (1 - g) * S[t - d];
  }
  return sse / (n - d - 1);
}

TEST(HoltWinters, GivenConstantsMatchR) {
  // R 4.2: h <- HoltWinters(x, alpha = 0.3, beta = 0.1, gamma = FALSE);
  // h$SSE and predict(h, 3) on tests/data/lake_huron.dat (98 values).
  const auto y = test::read_series("lake_huron.dat");
  HoltWintersOptions o;
  o.optimize = false;
  o.alpha = 0.3;
  o.beta = 0.1;
  o.h = 3;
  const auto r = holt_winters_forecast(y, o);
  ASSERT_EQ(r.status, HoltWintersStatus::Ok);
  EXPECT_NEAR(r.rmse * r.rmse * 96, 227.79272819380495, 1e-9);
  EXPECT_NEAR(r.forecasts[0], 579.45864063376689, 1e-10);
  EXPECT_NEAR(r.forecasts[1], 579.57028902091554, 1e-10);
  EXPECT_NEAR(r.forecasts[2], 579.68193740806407, 1e-10);
}

TEST(HoltWinters, LevelFollowingDataKeepsTheFirstTrend) {
  const std::vector<double> y{3, 5, 4, 8, 7, 6};
  HoltWintersOptions o;
  o.optimize = false;
  o.alpha = 1;
  o.beta = 0;
  o.h = 3;
  const auto r = holt_winters_forecast(y, o);
  for (int j = 1; j <= 3; ++j) EXPECT_DOUBLE_EQ(r.forecasts[j - 1], 6 + j * 2.0);
  // One-step predictions y(t-1) + 2 for t = 3..6: errors -3, 2, -3, -3.
  EXPECT_DOUBLE_EQ(r.rmse, std::sqrt((9 + 4 + 9 + 9) / 4.0));
  // theta1 = -1, theta2 = 0: (1 - B)^2 / (1 - B) leaves a random walk, so
  // MSE(j) = j RMSE^2.
  for (int j = 1; j <= 3; ++j) EXPECT_NEAR(r.sqrt_mse[j - 1], r.rmse * std::sqrt(j), 1e-12);
}

TEST(HoltWinters, LinearSeriesStopsAtTheStart) {
  // Objective 0 everywhere: no strict improvement, the step is halved twice
  // and the start is returned. A zero series keeps the arithmetic exact.
  const auto r = holt_winters_forecast(std::vector<double>(30, 0.0), {});
  EXPECT_EQ(r.alpha, 0.2);
  EXPECT_EQ(r.beta, 0.2);
  EXPECT_EQ(r.rmse, 0);
  EXPECT_EQ(r.evaluations, 1 + 4 + (1 + 4));  // start, exploration, pattern point and its exploration
  // A sloped line is predicted exactly up to rounding, whatever the constants.
  std::vector<double> y(30);
  for (int t = 0; t < 30; ++t) y[t] = 4 + 0.5 * t;
  const auto line = holt_winters_forecast(y, {});
  EXPECT_LT(line.rmse, 1e-12);
  EXPECT_NEAR(line.forecasts[0], 4 + 0.5 * 30, 1e-12);
}

TEST(HoltWinters, OptimumStaysInsideTheUnitSquareAndBeatsItsNeighbours) {
  for (const char* name : {"lake_huron.dat", "nile.dat", "air_passengers.dat"}) {
    const auto y = test::read_series(name);
    const auto r = holt_winters_forecast(y, {});
    EXPECT_GE(r.alpha, 0);
    EXPECT_LE(r.alpha, 1);
    EXPECT_GE(r.beta, 0);
    EXPECT_LE(r.beta, 1);
    const double best = r.rmse * r.rmse;
    EXPECT_NEAR(best, holt_winters_mse(y, r.alpha, r.beta), 1e-9 * best);
    // The search ends only when no step of 0.01 along an axis improves.
    for (double da : {-0.01, 0.0, 0.01})
      for (double db : {-0.01, 0.0, 0.01})
        if (da * db == 0) {
          EXPECT_GE(holt_winters_mse(y, r.alpha + da, r.beta + db), best) << name;
        }
  }
}

TEST(HoltWinters, SeasonalAgreesWithPlainRecursionsOnAirPassengers) {
  const auto y = test::read_series("air_passengers.dat");
  for (auto [a, b, g] : {std::tuple{0.3, 0.1, 0.4}, std::tuple{1.0, 0.0, 0.0}, std::tuple{0.05, 0.9, 1.0}})
    EXPECT_NEAR(seasonal_holt_winters_mse(y, 12, a, b, g), plain_seasonal_mse(y, 12, a, b, g),
                1e-10 * plain_seasonal_mse(y, 12, a, b, g));
  HoltWintersOptions o;
  o.period = 12;
  o.h = 24;
  const auto r = holt_winters_forecast(y, o);
  ASSERT_EQ(r.status, HoltWintersStatus::Ok);
  EXPECT_NEAR(r.rmse * r.rmse, plain_seasonal_mse(y, 12, r.alpha, r.beta, r.gamma), 1e-9);
  for (double p : {r.alpha, r.beta, r.gamma}) {
    EXPECT_GE(p, 0);
    EXPECT_LE(p, 1);
  }
  // The seasonal pattern repeats: F(n+j+12) - F(n+j) = 12 T(n) for every j.
  for (int j = 0; j < 12; ++j)
    EXPECT_NEAR(r.forecasts[j + 12] - r.forecasts[j], r.forecasts[12] - r.forecasts[0], 1e-9);
}

TEST(HoltWinters, TooShortSeriesAreRefused) {
  EXPECT_EQ(holt_winters_forecast(std::vector<double>{1, 2}, {}).status, HoltWintersStatus::TooShort);
  EXPECT_EQ(holt_winters_forecast(std::vector<double>{1, 2, 4}, {}).status, HoltWintersStatus::Ok);
  HoltWintersOptions o;
  o.period = 12;
  EXPECT_EQ(holt_winters_forecast(std::vector<double>(13, 1.0), o).status, HoltWintersStatus::TooShort);
  const auto r = holt_winters_forecast(std::vector<double>(14, 1.0), o);
  EXPECT_EQ(r.status, HoltWintersStatus::Ok);
  EXPECT_TRUE(std::isfinite(r.rmse));
  o.period = 1;
  EXPECT_EQ(holt_winters_forecast(std::vector<double>(40, 1.0), o).status, HoltWintersStatus::TooShort);
}

TEST(PatternSearch, FindsTheMinimumOfAQuadraticOnTheGrid) {
  // Minimum at (0.5, 0.3): from 0.2 the steps of 0.02 and 0.01 reach it exactly
  // up to rounding.
  int calls = 0;
  const BatchObjective f = [&](std::span<const std::vector<double>> pts, std::span<double> v) {
    for (std::size_t i = 0; i < pts.size(); ++i, ++calls)
      v[i] = std::pow(pts[i][0] - 0.5, 2) + 3 * std::pow(pts[i][1] - 0.3, 2);
  };
  const auto r = pattern_search(f, {0.2, 0.2});
  EXPECT_NEAR(r.x[0], 0.5, 1e-9);
  EXPECT_NEAR(r.x[1], 0.3, 1e-9);
  EXPECT_EQ(r.smallest_step, 0.01);
  EXPECT_EQ(r.evaluations, calls);
}

}  // namespace
}  // namespace zelk
