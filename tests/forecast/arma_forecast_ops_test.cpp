// Forecasting > ARMA end to end: predictors checked by hand calculation.
#include <cmath>
#include <string>

#include "forecast/windows.h"
#include "support/desk.h"

namespace zelk::test {
namespace {

class Forecast : public Desk {
 protected:
  void forecast(std::vector<std::pair<std::string, std::string>> set) {
    dialog("ARMA Forecast", std::move(set));
    app.dispatch(cmd::ArmaForecast);
  }
  std::vector<std::string> info() {
    const std::string text = info_of(windows::ArmaForecast);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
  }
};

TEST_F(Forecast, WhiteNoisePredictsZeroOrTheMean) {
  UnivariateRecord& rec = project_with({3, 5, 4, 6, 2});
  forecast({{"h", "1"}, {"variance", "4"}});
  ASSERT_EQ(rec.results.arma_forecasts.size(), 1u);
  EXPECT_EQ(rec.results.arma_forecasts[0], 0);
  const auto* w = s.desktop.find(1, windows::ArmaForecast);
  ASSERT_NE(w, nullptr);

  app.dispatch(cmd::SubtractMean);
  forecast({{"h", "2"}, {"variance", "4"}, {"mean", "on"}, {"level", "95"}});
  ASSERT_EQ(rec.results.arma_forecasts.size(), 2u);
  EXPECT_DOUBLE_EQ(rec.results.arma_forecasts[1], 4.0);
  // sqrt(MSE) = 2, bounds 4 -/+ 1.959964 * 2.
  const auto lines = info();
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[1], "ZELK::(ARMA Forecast)");
  const std::string& step1 = lines[7];
  EXPECT_EQ(step1.substr(0, 6), "     1") << step1;
  EXPECT_NE(step1.find("4.0000"), std::string::npos) << step1;
  EXPECT_NE(step1.find("2.0000"), std::string::npos) << step1;
  EXPECT_NE(step1.find("0.0800"), std::string::npos) << step1;  // 4 - 3.919928
  EXPECT_NE(step1.find("7.9199"), std::string::npos) << step1;
}

// AR(1) phi = 0.5: xhat(n+k) = 0.5^k x(n), MSE(k) = sigma2 (1 - 0.25^k) / 0.75.
TEST_F(Forecast, AutoregressionOfOrderOne) {
  std::vector<double> x(200);
  for (int t = 0; t < 200; ++t) x[t] = std::sin(0.37 * t) + 0.01 * (t % 7);
  UnivariateRecord& rec = project_with(x);
  rec.model.p = 1;
  rec.model.phi[0] = 0.5;
  forecast({{"h", "5"}, {"variance", "2"}});
  ASSERT_EQ(rec.results.arma_forecasts.size(), 5u);
  for (int k = 1; k <= 5; ++k)
    EXPECT_NEAR(rec.results.arma_forecasts[k - 1], std::pow(0.5, k) * x.back(), 1e-12) << k;
  const auto lines = info();
  // Step 3: sqrt(2 (1 - 0.25^3) / 0.75) = 1.6201852.
  EXPECT_NEAR(std::stod(lines[9].substr(21, 15)), 1.6201852, 5e-6) << lines[9];
}

// Differenced once, white noise: the undifferenced forecast stays at x(n)
// and MSE(k) = k sigma2.
TEST_F(Forecast, UndifferencedAgainstHandIntegration) {
  UnivariateRecord& rec = project_with({1, 4, 2, 7, 5, 9});
  dialog("Difference the series", {{"Enter lag:", "1"}});
  app.dispatch(cmd::Difference);
  forecast({{"h", "3"}, {"variance", "1"}, {"undifference", "on"}});
  ASSERT_EQ(rec.results.arma_forecasts.size(), 3u);
  for (double v : rec.results.arma_forecasts) EXPECT_DOUBLE_EQ(v, 9.0);
  EXPECT_NEAR(std::stod(info()[9].substr(21, 15)), std::sqrt(3.0), 5e-6);
}

// Box-Cox lambda = 0.5 inverts only where 0.5 y + 1 > 0: a lower bound below
// -2 on the transformed scale has no value.
TEST_F(Forecast, BoxCoxBoundsWithoutInverse) {
  UnivariateRecord& rec = project_with({4, 9, 1, 16, 4, 9});
  dialog("Box-Cox Transformation", {{"Lambda:", "0.5"}});
  app.dispatch(cmd::BoxCox);
  forecast({{"h", "1"}, {"variance", "100"}, {"box_cox", "on"}});
  ASSERT_EQ(rec.results.arma_forecasts.size(), 1u);
  const auto lines = info();
  EXPECT_EQ(lines[6], "   Step     Prediction       Lower          Upper");
  EXPECT_NE(lines[7].find("Not avail"), std::string::npos) << lines[7];
}

TEST_F(Forecast, RefusalsLeaveTheProjectAsItWas) {
  UnivariateRecord& rec = project_with({3, 5, 4, 6, 2});
  dialog("ARMA Forecast", {{"h", "0"}});
  app.dispatch(cmd::ArmaForecast);
  dialog("ARMA Forecast", {{"level", "100"}});
  app.dispatch(cmd::ArmaForecast);
  EXPECT_EQ(port.shown()[0], "MESSAGE [Error]  Number of predictors must be larger than 0 -> OK");
  EXPECT_EQ(port.shown()[2], "MESSAGE [ERROR]  Confidence level must be an integer between 0 and 100. -> OK");
  EXPECT_TRUE(rec.results.arma_forecasts.empty());
  EXPECT_EQ(s.desktop.find(1, windows::ArmaForecast), nullptr);
}

}  // namespace
}  // namespace zelk::test
