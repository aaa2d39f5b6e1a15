#include "forecast/forecast_reports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelk {
namespace {

TEST(ForecastReports, HoltWintersLayout) {
  HoltWintersResult r;
  r.alpha = 1;
  r.beta = 0;
  r.rmse = 2;
  r.forecasts = {8, 10};
  r.sqrt_mse = {2, 2.8284271247461903};
  r.lower = {4.0800718, 4.4563};
  r.upper = {11.9199282, 15.5437};
  const auto lines = holt_winters_report(r, {2, 1, 6, 95}, false);
  const std::vector<std::string> head{"INFO: ",
                                      "=============================",
                                      "ZELK::(Holt-Winters Forecast)",
                                      "=============================",
                                      " ",
                                      "Number of points forecasted: 2",
                                      "Time points used in forecast: (1 - 6 )",
                                      "Root mean-squared error = 2.000000",
                                      " ",
                                      " ALPHA = 1.000000",
                                      " BETA  = 0.000000",
                                      " (No optimization.)",
                                      "Approximate 95 Percent",
                                      "Prediction Bounds",
                                      "   Time     Prediction      sqrt(MSE)        Lower          Upper",
                                      "     7         8.0000         2.0000         4.0801        11.9199",
                                      "     8        10.0000         2.8284         4.4563        15.5437"};
  EXPECT_EQ(lines, head);
}

TEST(ForecastReports, ArarShorteningLines) {
  ArarResult r;
  r.shortening.psi = {1, -0.5};
  r.shortening.m = 1;
  r.subset.lags = {1, 2, 5, 9};
  r.subset.coefs = {0.5, 0.25, -0.125, 0.0625};
  r.xi.assign(15, 0.0);
  r.xi[0] = 1;
  const auto skipped = arar_report(r, {0, 1, 40, 95}, true, ArarCriterion::MinVariance26);
  EXPECT_EQ(skipped[9], "Memory shortening not requested.");
  EXPECT_EQ(skipped[11], " Method: minimize WN variance (max lag=26).");
  EXPECT_EQ(skipped[12], "LAGS:       1       2       5       9");
  const auto applied = arar_report(r, {0, 1, 40, 95}, false, ArarCriterion::MaxLikelihood13);
  EXPECT_EQ(applied[9], "Memory Shortening:");
  EXPECT_EQ(applied[11], "      1.000000     -0.500000");
  EXPECT_EQ(applied[13], " Method: maximize Gaussian like (max lag=13).");
  // xi(0..l3 + m): 11 values, five a line.
  EXPECT_EQ(applied[17], "COEFFICIENTS OF OVERALL WHITENING FILTER:");
  EXPECT_EQ(applied[21], "Approximate 95 Percent");
  r.shortening = {};
  EXPECT_EQ(arar_report(r, {0, 1, 40, 95}, false, ArarCriterion::MinVariance13)[9],
            "Memory shortening not required.");
}

TEST(ForecastReports, Smoothing) {
  EXPECT_EQ(exponential_smoothing_report(0.25, 4),
            (std::vector<std::string>{"INFO: ", "=============================", "ZELK::(Exponential Smoothing)",
                                      "=============================", "Value of Alpha = 0.250000",
                                      "SQRT(MSE) = 2.000000"}));
  EXPECT_EQ(fft_smoothing_report(0.5, 0.25)[4], "Value of cutoff = 0.500000");
  EXPECT_EQ(moving_average_report(9).back(), "SQRT(MSE) = 3.000000");
}

}  // namespace
}  // namespace zelk
