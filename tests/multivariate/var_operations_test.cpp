// The vector AR commands end to end: dialogs answered by a scripted port,
// figures read back from the reports as a user reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "multivariate/data.h"
#include "multivariate/windows.h"
#include "port/commands.h"
#include "project/multivariate_record.h"
#include "multivariate/mv_desk.h"
#include "support/desk.h"

namespace zelk {
namespace {

class VarDesk : public test::MultivariateDesk {
 protected:
  void fit(int id, const std::string& order, bool minimize = false) {
    dialog(id == cmd::VarYuleWalker ? "Multivariate Yule-Walker Estimation" : "Multivariate Burg Estimation",
           {{"order", order}, {"minimize", minimize ? "on" : "off"}});
    app.dispatch(id);
  }
  std::string text(Slot slot) {
    std::string t;
    for (const std::string& l : report(slot)) t += l + "\n";
    return t;
  }
  // The numbers of the report line that starts with `start` (after blanks).
  static std::vector<double> numbers_after(const std::string& text, const std::string& start, int skip = 0) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
      const auto at = line.find_first_not_of(' ');
      if (at == std::string::npos || line.compare(at, start.size(), start) != 0 || skip-- > 0) continue;
      std::istringstream words(line);
      std::vector<double> v;
      double x;
      while (words >> x) v.push_back(x);
      return v;
    }
    return {};
  }
};

// Rows that never repeat, so every covariance matrix is regular.
std::string rows(int n) {
  std::string t;
  for (int i = 1; i <= n; ++i) t += std::to_string(std::sin(i * 1.3) + i % 3) + "\t" + std::to_string(std::cos(i * 2.1)) + "\n";
  return t;
}

// R 4.2: ar.yw(diff(log(EuStockMarkets[, 1:2])), order.max = 1, aic = FALSE)$ar,
// row i the equation of component i.
TEST_F(VarDesk, EuStocksYuleWalkerMatchesAnIndependentTool) {
  const auto cols = testing::read_columns("eu_stock_markets.dat");
  const auto path = std::filesystem::temp_directory_path() / "zelk_var_eu_logs.dat";
  {
    std::ofstream out(path);
    out.precision(17);
    for (std::size_t t = 0; t < cols[0].size(); ++t) out << std::log(cols[0][t]) << ' ' << std::log(cols[1][t]) << '\n';
  }
  MultivariateRecord& rec = open_mv();
  port.queue_file(path.string());
  dialog("Read Multivariate Data  ", {{"columns", "2"}});
  app.dispatch(cmd::ImportFile);
  std::filesystem::remove(path);
  ASSERT_EQ(rec.n, 1860);
  dialog("Difference the series", {{"value", "1"}});
  app.dispatch(cmd::MvDifference);
  fit(cmd::VarYuleWalker, "1");

  const std::string r = text(windows::ArYuleWalkerEstimates);
  EXPECT_NE(r.find("ZELK::(Multivariate Yule-Walker Estimates)"), std::string::npos) << r;
  EXPECT_NE(r.find("AR Model for the component series:   1 2"), std::string::npos) << r;
  const auto row1 = numbers_after(r, "0.047050");
  ASSERT_EQ(row1.size(), 2u) << r;
  EXPECT_DOUBLE_EQ(row1[1], -0.075206);
  const auto row2 = numbers_after(r, "0.038630");
  ASSERT_EQ(row2.size(), 2u) << r;
  EXPECT_DOUBLE_EQ(row2[1], 0.017411);
  EXPECT_EQ(r.find("nan"), std::string::npos);
}

// R 4.2: f <- ar.yw(cbind(mdeaths, fdeaths), order.max = 1, aic = FALSE);
// f$resid[2, ] and ccf(f$resid[-1, 1], f$resid[-1, 2], lag.max = 1).
TEST_F(VarDesk, ResidualsAndTheirCrossCorrelationsMatchAnIndependentTool) {
  lung_deaths();
  fit(cmd::VarYuleWalker, "1");
  app.dispatch(cmd::VarResiduals);
  const Window* w = s.desktop.find(1, windows::ArResiduals);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption.rfind("AR Model Residuals: ", 0), 0u);
  EXPECT_EQ(w->graph->present_count(), 2);
  const std::string info = info_of(windows::ArResiduals);
  EXPECT_NE(info.find("ZELK::Multivariate(Residuals from AR model)"), std::string::npos);
  const auto first = numbers_after(info, "2 ");
  ASSERT_EQ(first.size(), 3u) << info;
  EXPECT_NEAR(first[1], -101.68566, 5e-3);  // the report keeps 5 digits
  EXPECT_NEAR(first[2], -73.77468, 5e-4);

  app.dispatch(cmd::VarResidualCcf);
  const Window* c = s.desktop.find(1, windows::ArResidualCcf);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->graph->present_count(), 3);
  EXPECT_EQ(c->graph->pane(2).title, "CCF of AR residuals: Series 1 x Series 2");
  const Pane& cross = c->graph->pane(2);
  const auto lag = [&](int h) -> double {
    for (std::size_t i = 0; i < cross.x.size(); ++i)
      if (cross.x[i] == h) return cross.y[i];
    return NAN;
  };
  EXPECT_NEAR(lag(0), 0.94422090, 1e-7);
  EXPECT_NEAR(lag(1), 0.33586330, 1e-7);
  EXPECT_NEAR(lag(-1), 0.32261693, 1e-7);
  EXPECT_NE(info_of(windows::ArResidualCcf).find("ZELK::Multivariate(CCF of AR Residuals)"), std::string::npos);
}

// Order 0 forecasts the means with MSE = Gamma(0) at every step. R 4.2:
// colMeans(cbind(mdeaths, fdeaths)) and sqrt(mean((x - mean(x))^2)) per column.
TEST_F(VarDesk, OrderZeroForecastsTheMeansWithConstantBounds) {
  lung_deaths();
  fit(cmd::VarYuleWalker, "0");
  dialog("Multivariate AR Forecasting", {{"count", "3"}});
  app.dispatch(cmd::VarPrediction);
  ASSERT_TRUE(s.desktop.find(1, windows::ArForecast));
  const std::string info = info_of(windows::ArForecast);
  EXPECT_NE(info.find("ZELK::(Multivariate AR Forecasts)"), std::string::npos);
  EXPECT_NE(info.find("Approximate 95 Percent"), std::string::npos);
  for (int step = 0; step < 3; ++step) {
    const auto m = numbers_after(info, std::to_string(73 + step) + " ", 0);
    const auto f = numbers_after(info, std::to_string(73 + step) + " ", 1);
    ASSERT_EQ(m.size(), 5u) << info;
    ASSERT_EQ(f.size(), 5u) << info;
    EXPECT_NEAR(m[1], 1495.94444, 0.05);  // 5 digits in the report
    EXPECT_NEAR(m[2], 430.13241, 5e-3);
    EXPECT_NEAR(m[4] - m[1], 843.04402, 0.1);
    EXPECT_NEAR(f[1], 560.68056, 5e-3);
    EXPECT_NEAR(f[2], 178.46762, 5e-3);
  }
}

// One step ahead MSE(1) = V: the bounds are the forecast -+ z sqrt(V(i, i)).
TEST_F(VarDesk, OneStepBoundsComeFromTheNoiseCovariance) {
  lung_deaths();
  fit(cmd::VarBurg, "2");
  const std::string r = text(windows::ArBurgEstimates);
  const std::size_t at = r.find("Burg White Noise Covariance Matrix, V");
  ASSERT_NE(at, std::string::npos) << r;
  std::istringstream v(r.substr(r.find('\n', at)));
  double v00, v01, v10, v11;
  v >> v00 >> v01 >> v10 >> v11;
  dialog("Multivariate AR Forecasting", {{"count", "1"}, {"level", "90"}});
  app.dispatch(cmd::VarPrediction);
  const std::string info = info_of(windows::ArForecast);
  const auto a = numbers_after(info, "73 ", 0), b = numbers_after(info, "73 ", 1);
  ASSERT_EQ(a.size(), 5u) << info;
  ASSERT_EQ(b.size(), 5u) << info;
  const double z = 1.644853627;  // R: qnorm(0.95)
  // The report keeps 5 significant digits.
  EXPECT_NEAR(a[2], std::sqrt(v00), 1e-4 * std::sqrt(v00));
  EXPECT_NEAR(b[2], std::sqrt(v11), 1e-4 * std::sqrt(v11));
  EXPECT_NEAR(a[1] - a[3], z * std::sqrt(v00), 0.1);
  EXPECT_NEAR(b[4] - b[1], z * std::sqrt(v11), 0.1);
}

TEST_F(VarDesk, OrderRulesFollowTheLengthAndTheSearchStaysBelowTheLimit) {
  from_clipboard(rows(10));
  // n = 10, k = 2: (20 - 2) div 4 = 4, so p = 4 is refused and 3 is taken.
  dialog("Multivariate Yule-Walker Estimation", {{"order", "4"}});
  dialog("Multivariate Yule-Walker Estimation", {{"order", "-1"}});
  dialog("Multivariate Yule-Walker Estimation", {{"order", "3"}});
  app.dispatch(cmd::VarYuleWalker);
  EXPECT_TRUE(shown(" p is too large, try a smaller value."));
  EXPECT_TRUE(shown(" p must be non-negative."));
  EXPECT_NE(text(windows::ArYuleWalkerEstimates).find(" PHI(3)"), std::string::npos);

  fit(cmd::VarBurg, "0", true);
  const std::string r = text(windows::ArBurgEstimates);
  const std::size_t at = r.find("Optimal value of p = ");
  ASSERT_NE(at, std::string::npos) << r;
  const int order = std::stoi(r.substr(at + 21));
  EXPECT_GE(order, 0);
  EXPECT_LE(order, 3);
  EXPECT_EQ(r.find("nan"), std::string::npos);
  EXPECT_EQ(r.find("inf"), std::string::npos);
}

TEST_F(VarDesk, RefusalsLeaveTheProjectAndItsModelAsTheyWere) {
  std::string collinear;
  for (int i = 1; i <= 30; ++i) collinear += std::to_string(std::sin(i * 0.9)) + "\t" + std::to_string(2 * std::sin(i * 0.9)) + "\n";
  MultivariateRecord& rec = from_clipboard(collinear);
  const std::vector<double> before = rec.data;

  app.dispatch(cmd::VarPrediction);
  EXPECT_TRUE(shown("A model must be estimated first"));
  app.dispatch(cmd::VarSimulate);
  app.dispatch(cmd::VarResiduals);
  EXPECT_FALSE(s.desktop.find(1, windows::ArResiduals));

  fit(cmd::VarYuleWalker, "1");
  EXPECT_TRUE(shown("Numerical difficulties"));
  fit(cmd::VarBurg, "1");
  port.clear_shown();
  app.dispatch(cmd::VarPrediction);
  EXPECT_TRUE(shown("A model must be estimated first")) << "no model came of the singular fits";
  EXPECT_EQ(rec.data, before);

  // A model of two components against one active series.
  rec.data[1] += 0.5;  // breaks the collinearity
  fit(cmd::VarYuleWalker, "1");
  ASSERT_FALSE(text(windows::ArYuleWalkerEstimates).empty());
  rec.active[1] = false;
  port.clear_shown();
  app.dispatch(cmd::VarPrediction);
  app.dispatch(cmd::VarResidualCcf);
  EXPECT_TRUE(shown(" AR model dimension not the same as active data dimension. Refit model. "));
  EXPECT_FALSE(s.desktop.find(1, windows::ArForecast));
  rec.active[1] = true;

  // A model of the whole series only simulates while the series is whole.
  dialog("Select Subsequence", {{"min", "2"}, {"max", "30"}});
  app.dispatch(cmd::MvTrim);
  const std::vector<double> trimmed = rec.data;
  port.clear_shown();
  app.dispatch(cmd::VarSimulate);
  EXPECT_TRUE(shown(" Refit AR model to full data set before simulation."));
  EXPECT_EQ(rec.data, trimmed);
}

TEST_F(VarDesk, TheSameSeedSimulatesTheSameSeriesIntoNewProjects) {
  lung_deaths();
  fit(cmd::VarYuleWalker, "2");
  const auto simulate = [&](const std::string& seed) {
    dialog("Multivariate AR Simulation", {{"count", "50"}, {"seed", seed}, {"burn_in", "30"}, {"new", "on"}});
    app.dispatch(cmd::VarSimulate);
    return s.projects.current();
  };
  const int a = simulate("7");
  ASSERT_NE(a, 1);
  const MultivariateRecord& ra = *s.projects.multivariate(a);
  EXPECT_EQ(ra.name, "Multivariate Simulation");
  EXPECT_EQ(s.desktop.find(a, windows::Project)->caption, "Multivariate Simulation");
  EXPECT_EQ(ra.m, 2);
  EXPECT_EQ(ra.n, 50);
  EXPECT_EQ(ra.names[1], "Series 2");
  s.projects.set_current(1);
  const int b = simulate("7");
  ASSERT_NE(b, a);
  EXPECT_EQ(s.projects.multivariate(b)->data, ra.data);

  // With the mean added the simulated levels sit near the data's.
  double mean = 0;
  for (int t = 0; t < ra.n; ++t) mean += ra.data[static_cast<std::size_t>(t)] / ra.n;
  EXPECT_NEAR(mean, 1495.9, 600);
}

TEST_F(VarDesk, ForecastsOfDifferencesContinueTheUndifferencedSeries) {
  // A straight line per component: its differences are constant, so the
  // undifferenced forecasts carry the line on.
  std::string t;
  for (int i = 1; i <= 40; ++i)
    t += std::to_string(2.0 * i + 0.01 * std::sin(i * 1.7)) + "\t" + std::to_string(100 - 3.0 * i + 0.01 * std::cos(i * 0.7)) + "\n";
  from_clipboard(t);
  dialog("Difference the series", {{"value", "1"}});
  app.dispatch(cmd::MvDifference);
  fit(cmd::VarYuleWalker, "0");
  dialog("Multivariate AR Forecasting", {{"count", "2"}, {"undifference", "on"}});
  app.dispatch(cmd::VarPrediction);
  const std::string info = info_of(windows::ArForecast);
  const auto a = numbers_after(info, "42 ", 0), b = numbers_after(info, "42 ", 1);
  ASSERT_EQ(a.size(), 5u) << info;
  EXPECT_NEAR(a[1], 84.0, 0.05);
  EXPECT_NEAR(b[1], 100 - 126.0, 0.05);
}

}  // namespace
}  // namespace zelk
