#include "forecast/forecast_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/classical.h"
#include "model/transforms.h"

namespace zelk {
namespace {

TEST(BoundQuantile, NinetyFivePercentIsTheFamiliarValue) {
  EXPECT_NEAR(bound_quantile(95), 1.959963985, 1e-9);  // R 4.2: qnorm(0.975)
  EXPECT_NEAR(bound_quantile(90), 1.644853627, 1e-9);  // R 4.2: qnorm(0.95)
}

TEST(CarryBack, UndifferencedForecastMatchesHandIntegration) {
  // Data 1 3 6 10, differenced 2 3 4; forecasts 5 and 6 of the differences
  // integrate to 15 and 21. White noise of variance 2 through (1 - B): MSE 2, 4.
  std::vector<double> x{1, 3, 6, 10};
  TimeIndices t{1, 4};
  std::vector<Transformation> list{apply_difference(x, t, 1)};
  const std::vector<double> pred{5, 6}, mse{2, 2};
  ForecastRequest rq;
  rq.series = x;
  rq.prediction = pred;
  rq.mse = mse;
  rq.transforms = list;
  rq.model.sigma2 = 2;
  rq.z = 2;
  const ForecastInUnits out = carry_back(rq, {.undifference = true});
  EXPECT_EQ(out.data, (std::vector<double>{1, 3, 6, 10}));
  EXPECT_EQ(out.prediction, (std::vector<double>{15, 21}));
  EXPECT_DOUBLE_EQ(out.mse[1], 4);
  EXPECT_DOUBLE_EQ(out.lower[1], 21 - 2 * 2);
  EXPECT_DOUBLE_EQ(out.upper[0], 15 + 2 * std::sqrt(2.0));
  // Unchecked, the forecasts stay on the differenced scale.
  EXPECT_EQ(carry_back(rq, {}).prediction, pred);
}

TEST(CarryBack, MeanAndRegressionAreAddedBack) {
  std::vector<double> x{4, 6, 8};
  std::vector<Transformation> list{apply_subtract_mean(x)};  // mean 6
  const std::vector<double> trend{1, 1, 1}, ahead{2, 3}, pred{0.5, 0.25}, mse{1, 1};
  ForecastRequest rq;
  rq.series = x;
  rq.prediction = pred;
  rq.mse = mse;
  rq.transforms = list;
  rq.fitted_trend = trend;
  rq.trend_ahead = ahead;
  const ForecastInUnits out = carry_back(rq, {.regression = true, .mean = true});
  EXPECT_EQ(out.prediction, (std::vector<double>{8.5, 9.25}));
  EXPECT_EQ(out.data, (std::vector<double>{5, 7, 9}));
}

TEST(CarryBack, ClassicalForecastContinuesTheSeasonalPatternAndTrend) {
  // y(t) = 2 + 0.5 t + s(t mod 4), s summing to 0: the decomposition removes
  // it exactly, so forecasting zeros must continue the pattern.
  const double s[] = {1.0, -2.0, 0.5, 0.5};
  auto y = [&](int t) { return 2 + 0.5 * t + s[t % 4]; };
  std::vector<double> x;
  for (int t = 1; t <= 24; ++t) x.push_back(y(t));
  std::vector<Transformation> list{apply_classical(x, {.period = 4, .degree = 1})};
  for (double v : x) EXPECT_NEAR(v, 0.0, 1e-12);
  const std::vector<double> pred(6, 0.0), mse(6, 1.0);
  ForecastRequest rq;
  rq.series = x;
  rq.prediction = pred;
  rq.mse = mse;
  rq.transforms = list;
  const ForecastInUnits out = carry_back(rq, {.trend_seasonal = true});
  for (int k = 1; k <= 6; ++k) EXPECT_NEAR(out.prediction[k - 1], y(24 + k), 1e-10);
}

TEST(CarryBack, BoxCoxBoundsBelowTheDomainAreNotAvailable) {
  // lambda 0.5: y -> (0.5 y + 1)^2, undefined for y <= -2. Prediction 0 with
  // MSE 4 at z = 1.959964 gives bounds -3.92 (not available) and 3.92.
  std::vector<double> x{1, 4, 9};
  std::vector<Transformation> list{apply_box_cox(x, 0.5)};
  const std::vector<double> pred{0.0}, mse{4.0};
  ForecastRequest rq;
  rq.series = x;
  rq.prediction = pred;
  rq.mse = mse;
  rq.transforms = list;
  rq.z = bound_quantile(95);
  const ForecastInUnits out = carry_back(rq, {.box_cox = true});
  EXPECT_DOUBLE_EQ(out.prediction[0], 1.0);
  EXPECT_FALSE(out.lower_ok[0]);
  EXPECT_EQ(out.lower[0], 0.0);
  ASSERT_TRUE(out.upper_ok[0]);
  EXPECT_NEAR(out.upper[0], std::pow(1 + 0.5 * 2 * 1.959963985, 2), 1e-8);
  EXPECT_NEAR(out.data[2], 9.0, 1e-12);
}

}  // namespace
}  // namespace zelk
