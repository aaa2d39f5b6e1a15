#include "forecast/arma_forecast_dialog.h"

#include <gtest/gtest.h>

#include "forecast/arma_forecast_report.h"
#include "port/scripted_port.h"
#include "model/transforms.h"

namespace zelk {
namespace {

bool run(ArmaForecastDialog& d, ScriptedPort& port, std::vector<std::pair<std::string, std::string>> set) {
  port.queue_dialog({"ARMA Forecast", std::move(set), "OK", "test"});
  return port.run_dialog(d);
}

TEST(ArmaForecastDialog, BoxesFollowTheTransformationList) {
  std::vector<double> x{1, 2, 4, 7, 11};
  TimeIndices t{1, 5};
  std::vector<Transformation> list{apply_box_cox(x, 0.5), apply_difference(x, t, 1), apply_subtract_mean(x)};
  const BackSteps a = available_steps(list, false);
  ArmaForecastSettings s;
  ArmaForecastDialog d(s, a, 4, 1 << 30);
  EXPECT_TRUE(d.control("box_cox").enabled);
  EXPECT_TRUE(d.control("undifference").enabled);
  EXPECT_TRUE(d.control("mean").enabled);
  EXPECT_FALSE(d.control("trend").enabled);
  EXPECT_FALSE(d.control("regression").enabled);
  // Inverting Box-Cox takes every step the project has, and only those.
  ScriptedPort port;
  ASSERT_TRUE(run(d, port, {{"box_cox", "on"}, {"h", "3"}}));
  EXPECT_TRUE(s.steps.mean && s.steps.undifference && s.steps.box_cox);
  EXPECT_FALSE(s.steps.trend_seasonal || s.steps.regression);
  EXPECT_EQ(s.h, 3);
}

TEST(ArmaForecastDialog, UndifferencingTakesTheMeanAndRegression) {
  BackSteps all{true, true, true, true, true};
  const BackSteps c = complete_steps({.undifference = true}, all);
  EXPECT_TRUE(c.mean && c.regression && c.undifference);
  EXPECT_FALSE(c.box_cox || c.trend_seasonal);
}

TEST(ArmaForecastDialog, RefusalsKeepTheSettings) {
  ArmaForecastSettings s;
  s.sigma2 = 0.5;
  ScriptedPort port;
  {
    ArmaForecastDialog d(s, {.regression = true}, 98, 100);
    port.queue_dialog({"ARMA Forecast", {{"h", "0"}}, "OK", "a"});
    port.queue_dialog({"ARMA Forecast", {{"h", "2"}, {"variance", "-1"}}, "OK", "b"});
    port.queue_dialog({"ARMA Forecast", {{"variance", "1"}, {"level", "100"}}, "OK", "c"});
    port.queue_dialog({"ARMA Forecast", {{"regression", "on"}, {"h", "3"}}, "OK", "d"});
    EXPECT_FALSE(port.run_dialog(d));
    EXPECT_EQ(d.control("level").text, "95");
  }
  const std::vector<std::string> expected{
      "MESSAGE [Error]  Number of predictors must be larger than 0 -> OK",
      "MESSAGE [ERROR]  WN Variance must be postive -> OK",
      "MESSAGE [ERROR]  Confidence level must be an integer between 0 and 100. -> OK",
      "MESSAGE [ERROR]  Cannot forecast beyond the length of the auxiliary variables in regression function. -> OK"};
  for (const std::string& line : expected)
    EXPECT_NE(std::find(port.shown().begin(), port.shown().end(), line), port.shown().end()) << line;
  EXPECT_EQ(s.h, 10);
  EXPECT_EQ(s.sigma2, 0.5);
}

TEST(ArmaForecastReport, BothLayouts) {
  ForecastInUnits f;
  f.prediction = {1.5};
  f.mse = {4.0};
  f.lower = {-2.5};
  f.upper = {5.5};
  f.prediction_ok = f.lower_ok = f.upper_ok = {true};
  const std::vector<std::string> plain = arma_forecast_report(f, 95, false);
  ASSERT_EQ(plain.size(), 8u);
  EXPECT_EQ(plain[1], "ZELK::(ARMA Forecast)");
  EXPECT_EQ(plain[4], "                                             Approximate 95 Percent");
  EXPECT_EQ(plain[7], "     1        1.50000        2.00000       -2.50000        5.50000");
  f.lower_ok = {false};
  const std::vector<std::string> boxed = arma_forecast_report(f, 90, true);
  EXPECT_EQ(boxed[4], "                            Approximate 90 Percent");
  EXPECT_EQ(boxed[6], "   Step     Prediction       Lower          Upper");
  EXPECT_EQ(boxed[7], "     1        1.50000      Not avail        5.50000");
}

}  // namespace
}  // namespace zelk
