// Residual analysis end to end: the plot, the ACF/PACF window and the tests
// of randomness after a fit, their INFO texts, and their redrawing after a
// refit. Reference values from R 4.2 on the mean-corrected Lake Huron series:
//   f <- arima(x, c(2,0,0), include.mean = FALSE); r <- residuals(f)
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "arma/windows.h"
#include "port/commands.h"
#include "project/univariate_record.h"
#include "support/desk.h"

namespace zelk {
namespace {

class ResidualMenu : public test::Desk {
 protected:
  UnivariateRecord& lake_huron_ar2() {
    UnivariateRecord& rec = lake_huron();
    dialog("Specify Model", {{"ar_order", "2"}, {"phi", "1.0538,-0.2668"}});
    app.dispatch(cmd::SpecifyModel);
    dialog("Subtract Mean?", {}, "Yes");
    dialog("Maximum Likelihood Estimation", {});
    app.dispatch(cmd::MaxLikelihood);
    return rec;
  }
  std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
      out.push_back(text.substr(from, at - from));
    if (from < text.size()) out.push_back(text.substr(from));
    return out;
  }
  double after(const std::vector<std::string>& lines, const std::string& label) {
    for (const auto& line : lines)
      if (line.rfind(label, 0) == 0) return std::stod(line.substr(label.size()));
    ADD_FAILURE() << "no line " << label;
    return NAN;
  }
};

TEST_F(ResidualMenu, LjungBoxOfTheLakeHuronAr2FitMatchesR) {
  UnivariateRecord& rec = lake_huron_ar2();
  dialog("Tests of Randomness", {{"h", "22"}});
  app.dispatch(cmd::TestsOfRandomness);
  const Window* w = s.desktop.find(1, windows::RandomnessTests);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption, "Tests of Randomness: " + rec.name);
  const auto lines = report(windows::RandomnessTests);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[1], "ZELK::(Tests of randomness on residuals)");
  // R: Box.test(r, lag = 22, type = "Ljung-Box", fitdf = 2): 10.887, df 20, p 0.94909.
  EXPECT_EQ(lines[4], "Ljung - Box statistic = 10.887 Chi-Square ( 20 ), p-value = 0.94909");
  EXPECT_EQ(lines[6].rfind("McLeod - Li statistic = ", 0), 0u);
  EXPECT_NE(lines[6].find("Chi-Square ( 22 )"), std::string::npos);
}

TEST_F(ResidualMenu, HMustLieBetweenFAndTheSmallerOfNAnd54) {
  lake_huron_ar2();
  dialog("Tests of Randomness", {{"h", "1"}});
  dialog("Tests of Randomness", {{"h", "55"}});
  dialog("Tests of Randomness", {{"h", "2"}});
  app.dispatch(cmd::TestsOfRandomness);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ERROR]  h out of range. Try again. -> OK",
                                                    "MESSAGE [ERROR]  h out of range. Try again. -> OK"}));
  const auto lines = report(windows::RandomnessTests);
  ASSERT_GE(lines.size(), 5u);
  // h = f leaves no degrees of freedom: the p-value is said not to exist.
  EXPECT_NE(lines[4].find("Chi-Square ( 0 )"), std::string::npos);
  EXPECT_NE(lines[4].find("not defined"), std::string::npos);

  // Cancel computes nothing and leaves the window as it was.
  dialog("Tests of Randomness", {{"h", "10"}}, "Cancel");
  app.dispatch(cmd::TestsOfRandomness);
  EXPECT_EQ(report(windows::RandomnessTests), lines);
}

TEST_F(ResidualMenu, PlotAndItsInfoShowTheRescaledResiduals) {
  UnivariateRecord& rec = lake_huron_ar2();
  app.dispatch(cmd::ResidualPlot);
  Window* w = s.desktop.find(1, windows::Residuals);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption, "Residuals: " + rec.name);
  const auto info = lines_of(info_of(windows::Residuals));
  ASSERT_GE(info.size(), 8u);
  EXPECT_EQ(info[1], "ZELK::(Residual Plot)");
  // R: mean(r^2) = 0.4789022, the fitted sigma2 (ML).
  EXPECT_NEAR(after(info, "Residual Variance = "), 0.4789022, 2e-6);
  EXPECT_NEAR(after(info, "WN Variance = "), 0.47890, 1e-5);
  EXPECT_EQ(info[6], "Residuals computed from model:");
  EXPECT_EQ(s.desktop.find_info(1, windows::Residuals)->caption, "Residuals:INFO: " + rec.name);
}

TEST_F(ResidualMenu, AcfWindowCyclesItsPanesAndListsTheCorrelations) {
  UnivariateRecord& rec = lake_huron_ar2();
  app.dispatch(cmd::ResidualAcf);
  Window* w = s.desktop.find(1, windows::ResidualAcf);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption, "Residuals:ACF/PACF: " + rec.name);
  EXPECT_EQ(w->graph->pane(1).title, "Residual ACF");
  EXPECT_EQ(w->graph->pane(2).title, "Residual PACF");
  const auto info = lines_of(info_of(windows::ResidualAcf));
  ASSERT_GE(info.size(), 12u);
  EXPECT_EQ(info[4], "# of Lags =       40");
  // Lags 0..3 of the residual ACF, then of the PACF. R: acf(r), pacf(r).
  std::size_t a = 0;
  while (a < info.size() && info[a] != "Autocorrelations:") ++a;
  ASSERT_LT(a + 2, info.size());
  double v[4];
  ASSERT_EQ(std::sscanf(info[a + 2].c_str(), "%lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3]), 4);
  EXPECT_NEAR(v[0], 1.0, 1e-12);
  EXPECT_NEAR(v[1], 0.0303501, 2e-5);
  EXPECT_NEAR(v[2], -0.0776482, 2e-5);
  EXPECT_NEAR(v[3], -0.0359365, 2e-5);

  int modes[3];
  for (int& m : modes) {
    app.dispatch(cmd::ResidualAcf);
    m = rec.residual_acf_mode & 24;
  }
  EXPECT_EQ(modes[0], 8);
  EXPECT_EQ(modes[1], 16);
  EXPECT_EQ(modes[2], 24);
}

TEST_F(ResidualMenu, SpecifyLagRedrawsTheOpenResidualAcf) {
  lake_huron_ar2();
  app.dispatch(cmd::ResidualAcf);
  dialog("Specify Lag", {{"value", "10"}});
  app.dispatch(cmd::SpecifyLag);
  const Window* w = s.desktop.find(1, windows::ResidualAcf);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->graph->pane(1).y.size(), 11u);  // lags 0..10
  EXPECT_EQ(w->graph->pane(2).y.size(), 11u);
}

TEST_F(ResidualMenu, WindowsFollowARefitAndTheTestsTakeTheDefaultH) {
  UnivariateRecord& rec = lake_huron_ar2();
  app.dispatch(cmd::ResidualPlot);
  info_of(windows::Residuals);
  app.dispatch(cmd::ResidualAcf);
  dialog("Tests of Randomness", {{"h", "5"}});
  app.dispatch(cmd::TestsOfRandomness);
  const auto before = report(windows::RandomnessTests);

  dialog("Specify Model", {{"ar_order", "1"}, {"phi", "0.8"}, {"variance", "0.6"}});
  app.dispatch(cmd::SpecifyModel);
  // An AR(1) model: f = 1, h = min(1 + 21, 98) - 1 = 21.
  const auto after_refit = report(windows::RandomnessTests);
  ASSERT_GE(after_refit.size(), 7u);
  EXPECT_NE(after_refit, before);
  EXPECT_NE(after_refit[4].find("Chi-Square ( 20 )"), std::string::npos);
  EXPECT_NE(after_refit[6].find("Chi-Square ( 21 )"), std::string::npos);

  const Window* plot = s.desktop.find(1, windows::Residuals);
  ASSERT_TRUE(plot);
  const auto& pane = plot->graph->pane(1);
  ASSERT_EQ(pane.y.size(), rec.results.rescaled_residuals.size());
  EXPECT_EQ(pane.y, rec.results.rescaled_residuals);
  EXPECT_EQ(pane.x.front(), 1.0);
  const auto info = s.desktop.find_info(1, windows::Residuals)->text->lines();
  EXPECT_NEAR(after(info, "WN Variance = "), 0.6, 1e-12);
}

TEST_F(ResidualMenu, ConstantResidualsGiveDefinedLinesNotNaN) {
  project_with(std::vector<double>(30, 2.0));  // white-noise model: residuals = the series
  dialog("Tests of Randomness", {});
  app.dispatch(cmd::TestsOfRandomness);
  const auto lines = report(windows::RandomnessTests);
  ASSERT_GE(lines.size(), 13u);
  for (const auto& line : lines) {
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    EXPECT_EQ(line.find("inf"), std::string::npos) << line;
  }
  EXPECT_EQ(lines[6], "McLeod - Li statistic = not defined (the squared residuals are constant)");
  // No turning point, rise or increasing pair; n = 30: means 2(n-2)/3 and
  // n(n-1)/4, variances (16n-29)/90 and n(n-1)(2n+5)/72 by hand.
  EXPECT_EQ(lines[8], "# Turning points = 0.00000~AN(18.667,sd = 2.2386), p-value = 0.00000");
  EXPECT_EQ(lines[10], "# Diff sign points = 0.00000~AN(14.500,sd = 1.6073), p-value = 0.00000");
  EXPECT_EQ(lines[12].rfind("# Rank points = 0.00000~AN(0.21750E+03,sd = 28.025)", 0), 0u);
}

}  // namespace
}  // namespace zelk
