// ARAR, Holt-Winters and the smoothers as a user runs them: menu command,
// dialog answers, graph, INFO text and what the project keeps.
#include <cmath>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "forecast/method_ops.h"
#include "forecast/windows.h"
#include "project/univariate_record.h"
#include "support/desk.h"
#include "support/test_data.h"

namespace zelk {
namespace {

// The number after `label` on the first line of `text` that holds it.
double number_after(const std::string& text, const std::string& label) {
  const auto at = text.find(label);
  if (at == std::string::npos) return NAN;
  return std::stod(text.substr(at + label.size()));
}

std::vector<double> curve(Session& s, Slot slot) {
  Window* w = s.desktop.find(1, slot);
  return w ? w->graph->pane(1).y : std::vector<double>{};
}

bool has_nan(const std::string& text) {
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// Holt's recursions written out 1-based: one-step MSE and forecasts.
struct PlainHolt {
  double mse;
  std::vector<double> forecasts;
};
PlainHolt plain_holt(const std::vector<double>& x, double a, double b, int h) {
  const int n = static_cast<int>(x.size());
  double L = x[1], T = x[1] - x[0], sse = 0;
  for (int t = 3; t <= n; ++t) {
    const double P = L + T, y = x[t - 1];
    sse += (y - P) * (y - P);
    const double level = a * y + (1 - a) * (L + T);
    T = b * (level - L) + (1 - b) * T;
    L = level;
  }
  PlainHolt out{sse / (n - 2), {}};
  for (int j = 1; j <= h; ++j) out.forecasts.push_back(L + j * T);
  return out;
}

class ForecastMethods : public test::Desk {
 protected:
  bool shown(const std::string& text) {
    for (const std::string& line : port.shown())
      if (line.find(text) != std::string::npos) return true;
    return false;
  }
  // Nothing of the forecasting features in the record, no window.
  void expect_untouched(const UnivariateRecord& rec, Slot slot) {
    EXPECT_EQ(s.desktop.find(1, slot), nullptr);
    const auto* arar = rec.derived.find<std::optional<ArarRun>>();
    EXPECT_TRUE(!arar || !*arar);
    const auto* hw = rec.derived.find<HoltWintersRuns>();
    EXPECT_TRUE(!hw || (!hw->plain && !hw->seasonal));
  }
};

TEST_F(ForecastMethods, ArarOnLakeHuronWithOneStepGivesRmseAsItsError) {
  UnivariateRecord& rec = lake_huron();
  dialog("ARAR Forecasting", {{"h", "1"}});
  app.dispatch(cmd::ArarForecast);
  Window* g = s.desktop.find(1, windows::ArarForecast);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->caption, "ARAR Forecast: " + rec.name);
  const std::string info = info_of(windows::ArarForecast);
  EXPECT_EQ(s.desktop.find_info(1, windows::ArarForecast)->caption, "ARAR FORECAST:INFO: " + rec.name);
  EXPECT_NE(info.find("Time points used in forecast: (1 - 98 )"), std::string::npos) << info;
  const double rmse = number_after(info, "Root mean-squared error = ");
  // The bounds row: time 99, prediction, sqrt(MSE(1)), lower, upper.
  const auto row = info.find("\n    99");
  ASSERT_NE(row, std::string::npos) << info;
  std::istringstream in(info.substr(row));
  int t;
  double f, se, lo, up;
  in >> t >> f >> se >> lo >> up;
  EXPECT_NEAR(se, rmse, 1e-4);  // the table shows four digits
  EXPECT_NEAR(up, f + 1.96 * rmse, 0.1);
  // At full precision: sqrt(MSE(1)) = RMSE, the bounds z RMSE either side.
  const ArarRun& run = **rec.derived.find<std::optional<ArarRun>>();
  EXPECT_NEAR(run.result.sqrt_mse[0], run.result.rmse, 1e-12);
  EXPECT_NEAR(run.result.upper[0] - run.result.forecasts[0], 1.959963984540054 * run.result.rmse, 1e-9);  // qnorm(0.975)
  // The graph: the 98 levels, then the forecast.
  const auto y = curve(s, windows::ArarForecast);
  ASSERT_EQ(y.size(), 99u);
  EXPECT_EQ(y[0], rec.x[0]);
  EXPECT_EQ(y[98], run.result.forecasts[0]);
  EXPECT_FALSE(has_nan(info));
}

TEST_F(ForecastMethods, ArarNeedsThirtyObservationsAndShortSeriesChangeNothing) {
  UnivariateRecord& rec = lake_huron();
  dialog("ARAR Forecasting", {{"subset", "on"}, {"first", "1"}, {"last", "29"}});
  app.dispatch(cmd::ArarForecast);
  EXPECT_TRUE(shown("Need at least 30 observations to run ARAR"));
  expect_untouched(rec, windows::ArarForecast);
  dialog("ARAR Forecasting", {{"subset", "on"}, {"first", "1"}, {"last", "30"}});
  app.dispatch(cmd::ArarForecast);
  EXPECT_NE(s.desktop.find(1, windows::ArarForecast), nullptr);
  EXPECT_EQ(curve(s, windows::ArarForecast).size(), 30u + 10u);
}

TEST_F(ForecastMethods, ArarRefusesWhenTheShortenedSeriesLeavesNoLagsOrTheFilterIsTooLong) {
  // A period-15 pattern under a quadratic envelope asks for three lag-15
  // filters: 13 lags on top of degree 45 is beyond 50 coefficients.
  const double p[15] = {3, -1, 4, 1, -5, 9, 2, -6, 5, 3, -5, 8, 9, -7, 9};
  std::vector<double> y(200);
  for (int t = 0; t < 200; ++t) y[t] = p[t % 15] * (t + 1.0) * (t + 1.0);
  UnivariateRecord& rec = project_with(y);
  dialog("ARAR Forecasting", {});
  app.dispatch(cmd::ArarForecast);
  EXPECT_TRUE(shown("exceed 50 coefficients"));
  expect_untouched(rec, windows::ArarForecast);

  // 30 values of one period-15 shape: one lag-15 filter leaves 15 values,
  // whose maximum lag 15 - 15 - 1 admits no triple.
  std::vector<double> z(30);
  for (int t = 0; t < 30; ++t) z[t] = p[t % 15] * (1 + 0.001 * t);
  install_series(s, 1, rec, z);
  dialog("ARAR Forecasting", {});
  app.dispatch(cmd::ArarForecast);
  EXPECT_TRUE(shown("too short for a subset autoregression"))
      << port.shown().back();
  expect_untouched(rec, windows::ArarForecast);
}

TEST_F(ForecastMethods, ArarOnTheOriginalDataUndoesTheTransformations) {
  UnivariateRecord& rec = lake_huron();
  const std::vector<double> levels = rec.x;
  dialog("Difference the series", {{"value", "1"}});
  app.dispatch(cmd::Difference);
  ASSERT_EQ(rec.n(), 97);
  dialog("ARAR Forecasting", {{"original", "on"}, {"h", "2"}});
  app.dispatch(cmd::ArarForecast);
  const auto y = curve(s, windows::ArarForecast);
  // The complete original series starts after the differencing lag.
  ASSERT_EQ(y.size(), 97u + 2u);
  for (int i = 0; i < 97; ++i) ASSERT_NEAR(y[i], levels[i + 1], 1e-9) << i;
  EXPECT_EQ(s.desktop.find(1, windows::ArarForecast)->graph->pane(1).x.front(), 2.0);
  EXPECT_NE(info_of(windows::ArarForecast).find("(2 - 98 )"), std::string::npos);
}

TEST_F(ForecastMethods, HoltWintersWithGivenConstantsAgreesWithPlainRecursions) {
  UnivariateRecord& rec = lake_huron();
  dialog("Holt-Winters Forecasting", {{"optimize", "off"}, {"alpha", "0.3"}, {"beta", "0.1"}, {"h", "5"}});
  app.dispatch(cmd::HoltWinters);
  const PlainHolt want = plain_holt(rec.x, 0.3, 0.1, 5);
  const auto y = curve(s, windows::HoltWintersForecast);
  ASSERT_EQ(y.size(), 103u);
  for (int j = 0; j < 5; ++j) EXPECT_NEAR(y[98 + j], want.forecasts[j], 1e-9);
  const std::string info = info_of(windows::HoltWintersForecast);
  EXPECT_NEAR(number_after(info, "Root mean-squared error = "), std::sqrt(want.mse), 1e-5);
  EXPECT_NE(info.find(" (No optimization.)"), std::string::npos);
  EXPECT_EQ(s.desktop.find_info(1, windows::HoltWintersForecast)->caption, "Holt-Winters FORECAST:INFO: " + rec.name);
  // Two dashed bound curves around the forecasts.
  EXPECT_EQ(s.desktop.find(1, windows::HoltWintersForecast)->graph->pane(1).overlays.size(), 2u);
}

TEST_F(ForecastMethods, HoltWintersFollowingTheDataKeepsTheFirstSlope) {
  UnivariateRecord& rec = lake_huron();
  dialog("Holt-Winters Forecasting", {{"optimize", "off"}, {"alpha", "1"}, {"beta", "0"}, {"h", "3"}});
  app.dispatch(cmd::HoltWinters);
  const auto y = curve(s, windows::HoltWintersForecast);
  ASSERT_EQ(y.size(), 101u);
  const double slope = rec.x[1] - rec.x[0];  // 580.38 - 581.86 = -1.48
  for (int j = 1; j <= 3; ++j) EXPECT_NEAR(y[97 + j], rec.x[97] + j * slope, 1e-9);
}

TEST_F(ForecastMethods, HoltWintersOnALineStaysAtTheStartAndKeepsItForNextTime) {
  std::vector<double> line(20);
  for (int t = 0; t < 20; ++t) line[t] = 3 + 0.5 * t;
  UnivariateRecord& rec = project_with(line);
  dialog("Holt-Winters Forecasting", {{"alpha", "0.7"}});
  app.dispatch(cmd::HoltWinters);
  const std::string info = info_of(windows::HoltWintersForecast);
  EXPECT_DOUBLE_EQ(number_after(info, " ALPHA = "), 0.2);
  EXPECT_DOUBLE_EQ(number_after(info, " BETA  = "), 0.2);
  EXPECT_NE(info.find(" (Coefficients were optimized.)"), std::string::npos);
  EXPECT_EQ(rec.kept.get<HoltWintersKept>().plain.alpha, 0.2);
  EXPECT_NEAR(curve(s, windows::HoltWintersForecast)[20], 13.0, 1e-12);  // the line continued
}

TEST_F(ForecastMethods, HoltWintersOnTooShortASeriesSaysSoAndChangesNothing) {
  UnivariateRecord& rec = project_with({1, 2});
  dialog("Holt-Winters Forecasting", {});
  app.dispatch(cmd::HoltWinters);
  EXPECT_TRUE(shown("Need at least 3 observations"));
  expect_untouched(rec, windows::HoltWintersForecast);

  std::vector<double> thirteen(13);
  std::iota(thirteen.begin(), thirteen.end(), 1.0);
  install_series(s, 1, rec, thirteen);
  dialog("Seasonal Holt-Winters Forecasting", {{"period", "12"}});
  app.dispatch(cmd::SeasonalHoltWinters);
  EXPECT_TRUE(shown("Need at least 14 observations for period 12"));
  expect_untouched(rec, windows::SeasonalHoltWintersForecast);
}

TEST_F(ForecastMethods, SeasonalHoltWintersOnAirPassengers) {
  UnivariateRecord& rec = project_with(test::read_series("air_passengers.dat"));
  dialog("Seasonal Holt-Winters Forecasting", {{"h", "12"}});
  app.dispatch(cmd::SeasonalHoltWinters);
  Window* g = s.desktop.find(1, windows::SeasonalHoltWintersForecast);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->caption, "Seasonal H-W Forecast: " + rec.name);
  EXPECT_TRUE(g->graph->pane(1).overlays.empty());  // point forecasts only
  const std::string info = info_of(windows::SeasonalHoltWintersForecast);
  for (const char* key : {" ALPHA = ", " BETA  = ", " GAMMA = "}) {
    const double v = number_after(info, key);
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 1.0);
  }
  EXPECT_NE(info.find("           Time     Prediction      "), std::string::npos);
  EXPECT_FALSE(has_nan(info));
  // The July peak stays above the November trough a year ahead.
  const auto y = curve(s, windows::SeasonalHoltWintersForecast);
  ASSERT_EQ(y.size(), 156u);
  EXPECT_GT(y[144 + 6], y[144 + 10]);
}

TEST_F(ForecastMethods, ExponentialSmoothingEndsAndExport) {
  UnivariateRecord& rec = lake_huron();
  dialog("Exponential Smoothing", {{"value", "1"}});
  app.dispatch(cmd::ExponentialSmooth);
  EXPECT_EQ(rec.results.exp_smooth, rec.x);
  EXPECT_DOUBLE_EQ(number_after(info_of(windows::ExponentialSmoothing), "SQRT(MSE) = "), 0.0);
  dialog("Exponential Smoothing", {{"value", "0"}});
  app.dispatch(cmd::ExponentialSmooth);
  EXPECT_EQ(rec.results.exp_smooth, std::vector<double>(98, rec.x[0]));
  EXPECT_EQ(s.desktop.find(1, windows::ExponentialSmoothing)->caption, "Exponential Smoothing: " + rec.name);
}

TEST_F(ForecastMethods, ExponentialSmoothingFollowsTheSeries) {
  UnivariateRecord& rec = lake_huron();
  dialog("Exponential Smoothing", {{"value", "0.4"}});
  app.dispatch(cmd::ExponentialSmooth);
  const std::vector<double> before = rec.results.exp_smooth;
  const double mean = std::accumulate(rec.x.begin(), rec.x.end(), 0.0) / rec.n();
  app.dispatch(cmd::SubtractMean);
  // Smoothing commutes with a shift: the smoothed series moves with the data.
  ASSERT_EQ(rec.results.exp_smooth.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_NEAR(rec.results.exp_smooth[i], before[i] - mean, 1e-9);
  EXPECT_NEAR(curve(s, windows::ExponentialSmoothing)[0], rec.x[0], 1e-12);
}

TEST_F(ForecastMethods, SliderPreviewThenCancelRestoresTheResult) {
  UnivariateRecord& rec = lake_huron();
  dialog("Exponential Smoothing", {{"value", "0.5"}});
  app.dispatch(cmd::ExponentialSmooth);
  const std::vector<double> kept = rec.results.exp_smooth;
  dialog("Exponential Smoothing", {{"slider", "9"}}, "Cancel");
  app.dispatch(cmd::ExponentialSmooth);
  EXPECT_EQ(rec.results.exp_smooth, kept);
  EXPECT_EQ(rec.kept.get<SmoothingSettings>().alpha, 0.5);
  EXPECT_NEAR(number_after(info_of(windows::ExponentialSmoothing), "Value of Alpha = "), 0.5, 1e-12);

  // A preview with no earlier result: Cancel takes its window away again.
  dialog("FFT Smoothing", {{"slider", "3"}}, "Cancel");
  app.dispatch(cmd::FftSmooth);
  EXPECT_EQ(s.desktop.find(1, windows::FftSmoothing), nullptr);
  EXPECT_TRUE(rec.results.fft_smooth.empty());
}

TEST_F(ForecastMethods, FftSmoothingKeepsAllOrOnlyTheMean) {
  UnivariateRecord& rec = lake_huron();
  dialog("FFT Smoothing", {{"value", "1"}});
  app.dispatch(cmd::FftSmooth);
  ASSERT_EQ(rec.results.fft_smooth.size(), 98u);
  for (int i = 0; i < 98; ++i) EXPECT_NEAR(rec.results.fft_smooth[i], rec.x[i], 1e-10);
  dialog("FFT Smoothing", {{"value", "0"}});
  app.dispatch(cmd::FftSmooth);
  const double mean = std::accumulate(rec.x.begin(), rec.x.end(), 0.0) / 98;  // 579.0041
  for (double v : rec.results.fft_smooth) EXPECT_NEAR(v, mean, 1e-10);
  const std::string info = info_of(windows::FftSmoothing);
  EXPECT_NE(info.find("ZELK::(FFT Smoothing)"), std::string::npos);
  EXPECT_EQ(s.desktop.find_info(1, windows::FftSmoothing)->caption, "FFT Smooth:INFO: " + rec.name);
}

TEST_F(ForecastMethods, MovingAverageOfFiveRepeatsTheEnds) {
  UnivariateRecord& rec = project_with({1, 4, 2, 8, 5, 7});
  dialog("Moving Average Smooth", {{"order", "2"}, {"weights", "2"}, {"weight", "1"}, {"weights", "3"}, {"weight", "1"}});
  app.dispatch(cmd::MovingAverageSmooth);
  // By hand: (3*1 + 4 + 2)/5, (2*1 + 4 + 2 + 8)/5, ..., (5 + 8 + 3*7)/5.
  const std::vector<double> want{9.0 / 5, 16.0 / 5, 20.0 / 5, 26.0 / 5, 29.0 / 5, 34.0 / 5};
  ASSERT_EQ(rec.results.ma_smooth.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(rec.results.ma_smooth[i], want[i], 1e-12);
  double mse = 0;
  for (int i = 0; i < 6; ++i) mse += (rec.x[i] - want[i]) * (rec.x[i] - want[i]) / 6;
  EXPECT_NEAR(number_after(info_of(windows::MovingAverageSmoothing), "SQRT(MSE) = "), std::sqrt(mse), 1e-5);
  EXPECT_EQ(rec.kept.get<SmoothingSettings>().weights, (std::vector<double>{1, 1, 1}));
}

}  // namespace
}  // namespace zelk
