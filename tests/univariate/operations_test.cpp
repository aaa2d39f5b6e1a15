// The univariate commands end to end: dispatched as the menus do, answered
// by a scripted port, reports compared as whole texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "port/commands.h"
#include "files/project_ops.h"
#include "project/univariate_record.h"
#include "shell/app.h"
#include "port/dialog.h"
#include "port/scripted_port.h"
#include "support/desk.h"
#include "univariate/windows.h"
#include "support/test_data.h"

namespace zelk {
namespace {

using Desk = test::Desk;

std::vector<double> one_to(int n) {
  std::vector<double> v(n);
  std::iota(v.begin(), v.end(), 1.0);
  return v;
}

// Mean, divisor-n variance and standard error from an independent script.
TEST_F(Desk, SummaryOfLakeHuron) {
  lake_huron();
  EXPECT_EQ(info_of(windows::Project),
            "==========\n"
            "ZELK::(INFO) \n"
            "==========\n"
            "# of Data Points =       98\n"
            " \n"
            "Sample Mean = 0.5790E+03\n"
            "Sample Variance = 1.720177\n"
            "Std.Error(Sample Mean) =  0.299376\n"
            "(square root of (1/n)SUM{(1-|h|/r)acvf(h)}, |h|<r=[sqrt(n)])\n"
            " \n"
            "MODEL:\n"
            "ARMA Model: \n"
            "X(t) =  Z(t)\n"
            " \n"
            "WN Variance = 1.000000");
  // After a mean subtraction the stored mean is printed, and the INFO
  // window follows the change without being asked.
  app.dispatch(cmd::SubtractMean);
  const std::string text = s.desktop.find_info(1, windows::Project)->text->text();
  EXPECT_NE(text.find("Subtracted Mean = 0.5790E+03\n"), std::string::npos) << text;
  EXPECT_EQ(app.status().parts[1], "Subt Mean");
}

TEST_F(Desk, SummaryOfOnePointAndOfNoData) {
  project_with({5.0});
  const std::string one = info_of(windows::Project);
  EXPECT_NE(one.find("Sample Variance = 0.000000\nStd.Error(Sample Mean) =  0.000000\n"), std::string::npos) << one;
  UnivariateRecord& rec = *s.projects.univariate(1);
  rec.release_data();
  s.refresh_windows(1);
  const std::string none = s.desktop.find_info(1, windows::Project)->text->text();
  EXPECT_EQ(none, "==========\nZELK::(INFO) \n==========\n# of Data Points =        0\n \nMODEL:\nARMA Model: \n"
                  "X(t) =  Z(t)\n \nWN Variance = 1.000000");
}

TEST_F(Desk, AcfReportAndPaneStepping) {
  UnivariateRecord& rec = lake_huron();
  dialog("Specify Lag", {{"Enter # of lags :", "0"}});  // refused silently
  dialog("Specify Lag", {{"Enter # of lags :", "many"}});
  dialog("Specify Lag", {{"Enter # of lags :", "5"}});
  app.dispatch(cmd::SpecifyLag);
  EXPECT_EQ(rec.params.acf_lags, 5);
  EXPECT_EQ(rec.params.model_acf_lags, 5);
  app.dispatch(cmd::SampleAcf);
  EXPECT_EQ(rec.acf_mode, 25);
  EXPECT_EQ(rec.results.sample_acf.size(), 6u);
  EXPECT_EQ(info_of(windows::Acf),
            "===============\n"
            "ZELK::(ACF/PACF)\n"
            "===============\n"
            "# of Lags =        5\n"
            " \n"
            " \n"
            "Sample Autocorrelations:\n"
            " \n"
            "Sample Variance = 1.72017722\n"
            " \n"
            "        1.00000        0.83191        0.60994        0.45825\n"
            "        0.37050\n"
            " \n"
            " \n"
            "Sample Partial Autocorrelations:\n"
            " \n"
            "        1.00000        0.83191       -0.26675        0.13075\n"
            "        0.03406\n"
            " ");
  const GraphDocument& g = *s.desktop.find(1, windows::Acf)->graph;
  EXPECT_EQ(g.pane(1).y.size(), 6u);  // L+1 bars
  ASSERT_EQ(g.pane(1).overlays.size(), 2u);
  EXPECT_NEAR(g.pane(1).overlays[0].y[0], 1.96 / std::sqrt(98.0), 1e-15);
  EXPECT_TRUE(g.pane(1).overlays[0].dashed);
  // Sample on an open sample window: first pane only, second only, both.
  const std::pair<bool, bool> steps[] = {{true, false}, {false, true}, {true, true}};
  for (auto [acf, pacf] : steps) {
    app.dispatch(cmd::SampleAcf);
    const GraphDocument& d = *s.desktop.find(1, windows::Acf)->graph;
    EXPECT_EQ(d.pane(1).present, acf);
    EXPECT_EQ(d.pane(2).present, pacf);
  }
  // The model functions join the sample ones; white noise has rho(h) = 0.
  app.dispatch(cmd::SampleModelAcf);
  EXPECT_EQ(rec.acf_mode, 27);
  const std::string both = s.desktop.find_info(1, windows::Acf)->text->text();
  EXPECT_NE(both.find("Model Autocorrelations:\n \nGamma(0) = 1.00000000\n \n        1.00000        0.00000"),
            std::string::npos)
      << both;
  EXPECT_EQ(s.desktop.find(1, windows::Acf)->graph->pane(1).overlays.size(), 3u);
}

// AR(1) with phi = 0.5: rho(h) = 0.5^h, alpha(1) = 0.5 and 0 beyond;
// gamma(0) = 1 / (1 - 0.25).
TEST_F(Desk, ModelAcfAloneIsDrawnAsBars) {
  UnivariateRecord& rec = lake_huron();
  rec.model.p = 1;
  rec.model.phi[0] = 0.5;
  app.dispatch(cmd::ModelAcf);
  EXPECT_EQ(rec.acf_mode, 26);
  const GraphDocument& g = *s.desktop.find(1, windows::Acf)->graph;
  ASSERT_EQ(g.pane(1).y.size(), 41u);
  EXPECT_NEAR(g.pane(1).y[3], 0.125, 1e-12);
  EXPECT_NEAR(g.pane(2).y[1], 0.5, 1e-12);
  EXPECT_NEAR(g.pane(2).y[2], 0.0, 1e-12);
  EXPECT_TRUE(g.pane(1).overlays.empty());  // no sample, no bounds
  const std::string text = info_of(windows::Acf);
  EXPECT_EQ(text.find("Sample"), std::string::npos) << text;
  EXPECT_NE(text.find("Gamma(0) = 1.33333333\n \n        1.00000        0.50000        0.25000        0.12500\n"),
            std::string::npos)
      << text;
}

// A constant series has no correlations to show: white-noise values, never NaN.
TEST_F(Desk, ConstantSeriesGivesDefinedReports) {
  project_with(std::vector<double>(12, 4.0));
  dialog("Specify Lag", {{"Enter # of lags :", "100000"}});
  dialog("Specify Lag", {{"Enter # of lags :", "4"}});
  app.dispatch(cmd::SpecifyLag);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ZELK Error] Number of lags must be at most 10000 -> OK"}));
  app.dispatch(cmd::SampleAcf);
  const std::string acf = info_of(windows::Acf);
  EXPECT_NE(acf.find("Sample Variance = 0.00000000\n \n        1.00000        0.00000        0.00000        0.00000\n"),
            std::string::npos)
      << acf;
  EXPECT_EQ(acf.find("nan"), std::string::npos);
  const std::string summary = info_of(windows::Project);
  EXPECT_NE(summary.find("Std.Error(Sample Mean) =  0.000000\n"), std::string::npos) << summary;
  app.dispatch(cmd::Histogram);
  EXPECT_EQ(s.projects.univariate(1)->results.histogram_counts, (std::vector<double>{0, 12, 0}));
}

// log, lag-12 difference and mean removal of the airline passengers: ACF,
// PACF, variance and histogram counts recorded from an independent tool.
TEST_F(Desk, TransformedAirlineSeriesMatchesReferenceTool) {
  UnivariateRecord& rec = open_project();
  install_series(s, 1, rec, test::read_series("air_passengers.dat"));
  dialog("Box-Cox Transformation", {{"Lambda:", "0"}});
  app.dispatch(cmd::BoxCox);
  dialog("Difference the series", {{"Enter lag:", "12"}});
  app.dispatch(cmd::Difference);
  app.dispatch(cmd::SubtractMean);
  EXPECT_EQ(app.status().parts[1], "Box-Cox(0.000)->Diff(12)->Subt Mean");
  EXPECT_EQ(rec.first, 13);
  app.dispatch(cmd::SampleAcf);
  const double acf[] = {0.71369, 0.62308, 0.48040, 0.44128, 0.38665, 0.31895, 0.24169};
  const double pacf[] = {0.71369, 0.23180, -0.05737, 0.10465, 0.04508, -0.05590, -0.05861};
  for (int k = 1; k <= 7; ++k) {
    EXPECT_NEAR(rec.results.sample_acf[k], acf[k - 1], 5e-6) << k;
    EXPECT_NEAR(rec.results.sample_pacf[k], pacf[k - 1], 5e-6) << k;
  }
  EXPECT_NEAR(rec.results.sample_variance, 0.003771273, 1e-9);
  app.dispatch(cmd::Histogram);
  EXPECT_EQ(rec.results.histogram_counts, (std::vector<double>{6, 16, 32, 47, 25, 5, 1}));
  for (int i = 0; i < 3; ++i) app.dispatch(cmd::Undo);
  EXPECT_EQ(rec.first, 1);
  const auto air = test::read_series("air_passengers.dat");
  ASSERT_EQ(rec.x.size(), air.size());
  for (std::size_t i = 0; i < air.size(); ++i) EXPECT_NEAR(rec.x[i], air[i], 1e-10);
}

TEST_F(Desk, AcfWindowFollowsTransformations) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SampleAcf);
  const double before = rec.results.sample_acf[1];
  dialog("Difference the series", {{"Enter lag:", "1"}});
  app.dispatch(cmd::Difference);
  EXPECT_NE(rec.results.sample_acf[1], before);
  EXPECT_EQ(rec.n(), 97);
  app.dispatch(cmd::Undo);
  EXPECT_DOUBLE_EQ(rec.results.sample_acf[1], before);
}

TEST_F(Desk, DifferencingRulesAndUndo) {
  UnivariateRecord& rec = project_with(one_to(10));
  dialog("Difference the series", {{"Enter lag:", "0"}});
  dialog("Difference the series", {{"Enter lag:", "9"}});
  dialog("Difference the series", {{"Enter lag:", "x"}});
  dialog("Difference the series", {{"Enter lag:", "8"}});
  app.dispatch(cmd::Difference);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ZELK Error] Lag must be positive -> OK",
                                                     "MESSAGE [ZELK Error] Lag too large for data set. -> OK"}));
  EXPECT_EQ(rec.x, (std::vector<double>{8, 8}));
  EXPECT_EQ(rec.first, 9);
  EXPECT_EQ(rec.last, 10);
  EXPECT_EQ(app.status().parts[1], "Diff(8)");
  const MenuState m = app.menu_state();
  EXPECT_FALSE(m.enabled(cmd::BoxCox));
  EXPECT_FALSE(m.enabled(cmd::Classical));
  EXPECT_TRUE(m.enabled(cmd::Difference));
  EXPECT_TRUE(m.enabled(cmd::Undo));
  app.dispatch(cmd::Undo);
  EXPECT_EQ(rec.x, one_to(10));
  EXPECT_EQ(rec.first, 1);
  EXPECT_EQ(app.status().parts[1], "None");
  EXPECT_FALSE(app.menu_state().enabled(cmd::Undo));
}

TEST_F(Desk, BoxCoxRangesAndPreview) {
  UnivariateRecord& rec = project_with({0, 1, 4, 9});
  // With a zero in the data lambda 0 (a logarithm) is refused.
  dialog("Box-Cox Transformation", {{"Lambda:", "0"}});
  dialog("Box-Cox Transformation", {{"Lambda:", "1e-9"}});
  dialog("Box-Cox Transformation", {{"Lambda:", "0.5"}});
  app.dispatch(cmd::BoxCox);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK Error] Box-Cox parameter must be in (0.0, 1.5] -> OK",
                              "MESSAGE [ZELK Error] Box-Cox parameter must be in (0.0, 1.5] -> OK"}));
  EXPECT_EQ(rec.x, (std::vector<double>{-2, 0, 2, 4}));
  EXPECT_EQ(app.status().parts[1], "Box-Cox(0.500)");
  EXPECT_FALSE(app.menu_state().enabled(cmd::BoxCox));
  app.dispatch(cmd::Undo);
  EXPECT_EQ(rec.x, (std::vector<double>{0, 1, 4, 9}));

  // Moving the slider previews; Cancel leaves the series as it was.
  dialog("Box-Cox Transformation", {{"slider", "5"}, {"slider", "10"}}, "Cancel");
  app.dispatch(cmd::BoxCox);
  EXPECT_EQ(rec.x, (std::vector<double>{0, 1, 4, 9}));
  EXPECT_TRUE(rec.transforms.empty());
  dialog("Box-Cox Transformation", {{"slider", "5"}});
  app.dispatch(cmd::BoxCox);
  EXPECT_EQ(rec.x, (std::vector<double>{-2, 0, 2, 4}));
  ASSERT_EQ(rec.transforms.size(), 1u);
  EXPECT_DOUBLE_EQ(rec.transforms[0].lambda, 0.5);
}

TEST_F(Desk, BoxCoxRefusesNegativeDataAndLambdaAboveOneAndAHalf) {
  UnivariateRecord& rec = project_with({1, -1});
  app.dispatch(cmd::BoxCox);
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK Error] Data must be nonnegative to implement Box-Cox -> OK");
  EXPECT_TRUE(rec.transforms.empty());
  install_series(s, 1, rec, {1, 2});
  dialog("Box-Cox Transformation", {{"Lambda:", "1.6"}});
  app.dispatch(cmd::BoxCox);
  EXPECT_EQ(port.shown()[1], "MESSAGE [ZELK Error] Box-Cox parameter must be in [0.0, 1.5] -> OK");
  EXPECT_EQ(rec.x, (std::vector<double>{1, 2}));
}

TEST_F(Desk, BoxCoxLogsOfPositiveData) {
  UnivariateRecord& rec = project_with({1, std::exp(2.0)});
  dialog("Box-Cox Transformation", {{"Lambda:", "0"}});
  app.dispatch(cmd::BoxCox);
  EXPECT_DOUBLE_EQ(rec.x[1], 2.0);
  EXPECT_EQ(app.status().parts[1], "Box-Cox(0.000)");
  app.dispatch(cmd::Undo);
  EXPECT_DOUBLE_EQ(rec.x[1], std::exp(2.0));
}

TEST_F(Desk, SubsequenceBoundsAndUndoLabel) {
  UnivariateRecord& rec = project_with(one_to(200));
  dialog("Select Subsequence", {{"Min", "50"}, {"Max", "50"}});
  dialog("Select Subsequence", {{"Min", "1"}, {"Max", "200"}});
  app.dispatch(cmd::Subsequence);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ZELK Error] Select a subsequence in [1,200] -> OK"}));
  ASSERT_EQ(rec.transforms.size(), 1u);  // the whole range still records a node
  dialog("Select Subsequence", {{"Min", "10"}, {"Max", "20"}});
  app.dispatch(cmd::Subsequence);  // greyed after a subsequence: nothing happens
  EXPECT_EQ(rec.n(), 200);
  app.dispatch(cmd::Undo);
  dialog("Select Subsequence", {{"Min", "10"}, {"Max", "20"}});
  app.dispatch(cmd::Subsequence);
  EXPECT_EQ(rec.n(), 11);
  EXPECT_EQ(rec.x.front(), 10);
  EXPECT_EQ(rec.first, 10);
  EXPECT_EQ(rec.last, 20);
  for (int id : {cmd::BoxCox, cmd::Classical, cmd::Difference, cmd::SubtractMean, cmd::Subsequence}) EXPECT_FALSE(app.menu_state().enabled(id)) << id;
  app.dispatch(cmd::Undo);
  EXPECT_EQ(rec.x, one_to(200));
  EXPECT_EQ(rec.last, 200);
}

TEST_F(Desk, UndoRefusedWhileARegressionIsRemoved) {
  UnivariateRecord& rec = project_with(one_to(10));
  app.dispatch(cmd::SubtractMean);
  rec.regression.removed = true;
  app.dispatch(cmd::Undo);
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK Error] Must remove regression function before untransforming -> OK");
  EXPECT_EQ(rec.transforms.size(), 1u);
  // An estimated trend (least squares) counts the same.
  rec.regression.removed = false;
  rec.regression.estimation = 1;
  app.dispatch(cmd::Undo);
  EXPECT_EQ(rec.transforms.size(), 1u);
  for (int id : {cmd::BoxCox, cmd::Classical, cmd::Difference, cmd::SubtractMean, cmd::Subsequence}) EXPECT_FALSE(app.menu_state().enabled(id)) << id;
  rec.regression.estimation = 0;
  app.dispatch(cmd::Undo);
  EXPECT_TRUE(rec.transforms.empty());
}

TEST_F(Desk, ClassicalMessagesFitReportAndShowFit) {
  UnivariateRecord& rec = project_with(one_to(100));
  dialog("Classical Decomposition", {{"Seasonal Fit", "on"}, {"Enter Period: ", "34"}});
  dialog("Classical Decomposition",
         {{"Harmonic Regression", "on"}, {"harmonics", "2"}, {"index1", "3"}, {"index2", "50"}});
  dialog("Classical Decomposition", {{"harmonics", "5"}});
  app.dispatch(cmd::Classical);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK Error] Period must be in: (2,33] -> OK",
                              "MESSAGE [ZELK Error] Index(2) must be in (1, 50) -> OK",
                              "MESSAGE [ZELK Error] Number of harmonics must be in [1, 4] -> OK",
                              "NO ANSWER \"Classical Decomposition\""}));
  EXPECT_EQ(rec.x, one_to(100));
  EXPECT_TRUE(rec.transforms.empty());

  // Period 4 on a linear trend: the trend and the pattern come back exactly.
  const double pattern[] = {3, -1, -4, 2};
  std::vector<double> x(24);
  for (int i = 0; i < 24; ++i) x[i] = 10 + 0.5 * (i + 1) + pattern[i % 4];
  install_series(s, 1, rec, x);
  port.clear_shown();
  dialog("Classical Decomposition", {{"Seasonal Fit", "on"}, {"Enter Period: ", "4"}}, "Show  Fit");
  dialog("Classical Decomposition", {});
  app.dispatch(cmd::Classical);
  EXPECT_TRUE(port.shown().empty());
  ASSERT_EQ(rec.transforms.size(), 1u);
  for (double r : rec.x) EXPECT_NEAR(r, 0.0, 1e-10);
  EXPECT_EQ(app.status().parts[1], "Classical");
  const std::string fit =
      "===============\nZELK::(Fit)\n===============\n \n \nPolynomial Fit:\nX(t) = 0.50000 * t  + 10.000\n \n"
      "Seasonal fit of period = 4\nSeasonal components:\n1)  3.0000\n2)  -1.0000\n3)  -4.0000\n4)  2.0000";
  EXPECT_EQ(info_of(windows::ClassicalFit), fit);
  for (int id : {cmd::BoxCox, cmd::Classical, cmd::Difference}) EXPECT_FALSE(app.menu_state().enabled(id)) << id;
  EXPECT_TRUE(app.menu_state().enabled(cmd::ShowClassicalFit));

  // Show Classical Fit works on a copy: the project keeps its series.
  app.dispatch(cmd::SubtractMean);
  s.desktop.close(s.desktop.find(1, windows::ClassicalFit)->id);
  const std::vector<double> kept = rec.x;
  app.dispatch(cmd::ShowClassicalFit);
  EXPECT_EQ(rec.x, kept);
  EXPECT_EQ(rec.transforms.size(), 2u);
  Window* w = s.desktop.find(1, windows::ClassicalFit);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->graph->pane(1).y, x);
  EXPECT_EQ(info_of(windows::ClassicalFit), fit);
  // Undoing the classical node closes the fit window and restores the data.
  app.dispatch(cmd::Undo);
  app.dispatch(cmd::Undo);
  EXPECT_EQ(s.desktop.find(1, windows::ClassicalFit), nullptr);
  for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(rec.x[i], x[i], 1e-12);
}

TEST_F(Desk, HarmonicFitReport) {
  const int n = 48;
  std::vector<double> x(n);
  for (int t = 1; t <= n; ++t)
    x[t - 1] = 5 + 2 * std::cos(6.28318530718 * 4 * t / n) + 0.5 * std::sin(6.28318530718 * 4 * t / n) +
               0.75 * std::cos(6.28318530718 * 8 * t / n) - 1.5 * std::sin(6.28318530718 * 8 * t / n);
  UnivariateRecord& rec = project_with(x);
  dialog("Classical Decomposition", {{"Harmonic Regression", "on"},
                                     {"harmonics", "2"},
                                     {"index1", "4"},
                                     {"index2", "8"},
                                     {"Polynomial Fit", "off"}},
         "Show  Fit");
  dialog("Classical Decomposition", {});
  app.dispatch(cmd::Classical);
  EXPECT_EQ(info_of(windows::ClassicalFit),
            "===============\nZELK::(Fit)\n===============\n \n \nPolynomial Fit:\nNo regression\n \n"
            "Harmonic regression with 2 Fourier frequencies.\n \n"
            "    frequency          alpha           beta\n"
            "            4        2.00000        0.50000\n"
            "            8        0.75000       -1.50000");
  for (double r : rec.x) EXPECT_NEAR(r, 0.0, 1e-9);
  app.dispatch(cmd::Undo);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(rec.x[i], x[i], 1e-12);
}

TEST_F(Desk, HistogramReportAndBinCount) {
  UnivariateRecord& rec = project_with(one_to(100));
  app.dispatch(cmd::Histogram);
  EXPECT_EQ(rec.params.histogram_bins, 7);
  EXPECT_EQ(info_of(windows::Histogram),
            "=====================\n"
            "ZELK::(Histogram)\n"
            "=====================\n"
            "# of Bins =        7\n"
            " \n"
            "     Right endpt         Count\n"
            "       15.14286            15.\n"
            "       29.28571            14.\n"
            "       43.42857            14.\n"
            "       57.57143            14.\n"
            "       71.71429            14.\n"
            "       85.85714            14.\n"
            "      100.00000            15.");
  dialog("Specify Histogram Bins", {{"Enter # of bins:", "0"}});
  dialog("Specify Histogram Bins", {{"Enter # of bins:", "2"}});
  app.dispatch(cmd::HistogramBins);
  EXPECT_EQ(rec.results.histogram_counts, (std::vector<double>{50, 50}));
  // The open histogram follows the series with its stored bin count.
  dialog("Select Subsequence", {{"Min", "1"}, {"Max", "10"}});
  app.dispatch(cmd::Subsequence);
  EXPECT_EQ(rec.results.histogram_counts, (std::vector<double>{5, 5}));
  // Residual histograms wait for residuals.
  app.dispatch(cmd::ResidualHistogram);
  EXPECT_EQ(s.desktop.find(1, windows::ResidualHistogram), nullptr);
  rec.results.residuals.assign(10, 1.0);  // all equal: one middle bin
  app.dispatch(cmd::ResidualHistogram);
  EXPECT_EQ(info_of(windows::ResidualHistogram),
            "===============================\n"
            "ZELK::(Residuals Histogram)\n"
            "===============================\n"
            "# of Bins =        3\n"
            " \n"
            "     Right endpt         Count\n"
            "        0.83333             0.\n"
            "        1.16667            10.\n"
            "        1.50000             0.");
}

TEST_F(Desk, EveryDialogIsListed) {
  std::vector<std::string> titles;
  for (const auto& make : app.registry().dialogs()) titles.push_back(make()->title());
  for (const char* t : {"Specify Lag", "Specify Histogram Bins", "Difference the series", "Select Subsequence",
                        "Box-Cox Transformation", "Classical Decomposition"})
    EXPECT_NE(std::find(titles.begin(), titles.end(), t), titles.end()) << t;
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST_F(Desk, ResidualsFollowTheSeriesAfterATransformation) {
  UnivariateRecord& rec = project_with({1, 3, 6, 10, 15});
  app.dispatch(cmd::ResidualHistogram);  // no residuals yet: nothing happens
  EXPECT_TRUE(rec.results.residuals.empty());
  rec.results.residuals.assign(5, 0.0);  // as a fit leaves them
  dialog("Difference the series", {{"Enter lag:", "1"}});
  app.dispatch(cmd::Difference);
  // White noise model: the residuals are the differenced series itself.
  EXPECT_EQ(rec.results.residuals, (std::vector<double>{2, 3, 4, 5}));
  app.dispatch(cmd::Undo);  // undo
  EXPECT_EQ(rec.results.residuals, (std::vector<double>{1, 3, 6, 10, 15}));
}

}  // namespace
}  // namespace zelk
