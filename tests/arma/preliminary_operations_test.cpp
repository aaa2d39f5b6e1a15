// Preliminary estimation end to end: the four methods and the order search
// through the menu, the report, refusals that leave the project as it was,
// and the question after a non-causal fit. Lake Huron figures from R 4.2 on
// the mean-corrected series: ar.yw(x, aic = FALSE, order.max = 2,
// demean = FALSE) scaled to the divisor-n sigma2, and ar.burg(x, aic = FALSE,
// order.max = 2).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "arma/estimation.h"
#include "arma/windows.h"
#include "port/commands.h"
#include "project/univariate_record.h"
#include "support/desk.h"

namespace zelk {
namespace {

class PreliminaryMenu : public test::Desk {
 protected:
  UnivariateRecord& fit_lake_huron(std::vector<std::pair<std::string, std::string>> answers) {
    UnivariateRecord& rec = lake_huron();
    dialog("Subtract Mean?", {}, "Yes");
    dialog("Preliminary Estimation", std::move(answers));
    app.dispatch(cmd::Preliminary);
    return rec;
  }
  double after(const std::string& label) {
    for (const auto& line : report(windows::PreliminaryEstimates))
      if (line.rfind(label, 0) == 0) return std::stod(line.substr(label.size()));
    ADD_FAILURE() << "no line " << label;
    return NAN;
  }
  bool has_line(const std::string& text) {
    const auto lines = report(windows::PreliminaryEstimates);
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }
};

TEST_F(PreliminaryMenu, YuleWalkerAr2OnLakeHuron) {
  UnivariateRecord& rec = fit_lake_huron({{"ar_order", "2"}, {"ma_order", "0"}, {"yule_walker", "on"}});
  ASSERT_EQ(rec.transforms.size(), 1u);
  EXPECT_EQ(rec.model.p, 2);
  EXPECT_NEAR(rec.model.phi[0], 1.05382, 1e-5);
  EXPECT_NEAR(rec.model.phi[1], -0.26675, 1e-5);
  EXPECT_NEAR(rec.model.sigma2, 0.49199, 1e-5);
  EXPECT_EQ(arma_estimation(rec).estimation_method, 3);
  EXPECT_EQ(rec.model.free_parameters, (std::vector<int>{1, 2}));
  const Window* w = s.desktop.find(1, windows::PreliminaryEstimates);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption, "Preliminary estimates: " + rec.name);
  const auto lines = report(windows::PreliminaryEstimates);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{"=================================", "ZELK::(Preliminary estimates)",
                                      "=================================", " ", "Method: Yule-Walker"}));
  EXPECT_TRUE(has_line("AR Coefficients"));
  EXPECT_TRUE(has_line("Ratio of AR coeff. to 1.96 * (standard error)"));
  EXPECT_NEAR(after("WN variance estimate (Yule Walker): "), 0.49199, 1e-5);
  EXPECT_TRUE(std::isfinite(after("AICC = ")));
  // The new model's residuals are there for the residual commands.
  EXPECT_EQ(rec.results.rescaled_residuals.size(), 98u);
}

TEST_F(PreliminaryMenu, BurgAr2OnLakeHuron) {
  UnivariateRecord& rec = fit_lake_huron({{"ar_order", "2"}, {"burg", "on"}});
  EXPECT_NEAR(rec.model.phi[0], 1.04493, 1e-5);
  EXPECT_NEAR(rec.model.phi[1], -0.24560, 1e-5);
  EXPECT_EQ(arma_estimation(rec).estimation_method, 4);
  EXPECT_EQ(report(windows::PreliminaryEstimates)[4], "Method: Burg");
}

TEST_F(PreliminaryMenu, OrderSearchChoosesAnOrderWithinTheLimits) {
  UnivariateRecord& rec = fit_lake_huron({{"ar_order", "5"}, {"burg", "on"}, {"min_aicc", "on"}});
  EXPECT_EQ(arma_estimation(rec).estimation_method, 2);
  EXPECT_GE(rec.model.p, 1);  // Lake Huron is far from white noise
  EXPECT_LE(rec.model.p, 26);
  EXPECT_EQ(report(windows::PreliminaryEstimates)[4], "Method: Burg (Minimum AICC)");
}

TEST_F(PreliminaryMenu, OrderSearchOnFourValuesTriesOrderOneOnly) {
  // Four values: the search range 1..n-3 holds order 1 only.
  UnivariateRecord& tiny = project_with({1.0, -2.0, 0.5, 0.3});
  dialog("Subtract Mean?", {}, "No");
  dialog("Preliminary Estimation", {{"ar_order", "0"}, {"yule_walker", "on"}, {"min_aicc", "on"}});
  app.dispatch(cmd::Preliminary);
  EXPECT_LE(tiny.model.p, 1);
  for (const auto& line : report(windows::PreliminaryEstimates)) {
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    EXPECT_EQ(line.find("inf"), std::string::npos) << line;
  }
}

TEST_F(PreliminaryMenu, InnovationsAutomaticCountAndHannanRissanen) {
  UnivariateRecord& rec = fit_lake_huron({{"ar_order", "1"}, {"ma_order", "1"}, {"innovations", "on"}});
  EXPECT_EQ(arma_estimation(rec).estimation_method, 5);
  // m = 0 on n = 98: min(p+q+16, n-1) = 18 autocovariances, 17 reported.
  const auto lines = report(windows::PreliminaryEstimates);
  EXPECT_EQ(lines[4], "Method: Innovations");
  EXPECT_EQ(lines[5], "(Number of ACVF's used is 17)");
  EXPECT_TRUE(has_line("MA Coefficients"));

  dialog("Preliminary Estimation", {{"hannan_rissanen", "on"}});
  app.dispatch(cmd::Preliminary);  // the mean is already subtracted: no question
  EXPECT_EQ(arma_estimation(rec).estimation_method, 6);
  EXPECT_EQ(rec.transforms.size(), 1u);
  EXPECT_EQ(rec.model.p, 1);
  EXPECT_EQ(rec.model.q, 1);
  EXPECT_TRUE(std::isfinite(after("WN variance estimate (Hannan-Rissanen): ")));
}

TEST_F(PreliminaryMenu, RegressionTrendAddsTheCorrectedAicc) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  rec.regression.estimation = 1;
  rec.regression.intercept = true;
  rec.regression.coefficients = {580.0, -0.02};
  dialog("Preliminary Estimation", {{"ar_order", "2"}, {"yule_walker", "on"}});
  app.dispatch(cmd::Preliminary);
  EXPECT_TRUE(port.shown().empty());  // no mean question with a trend
  const double m2ll = after("-2Log(Like) = ");
  // k' = p + q + 2 regression coefficients = 4, n = 98.
  const double corrected = m2ll + 2.0 * 5 * 98 / (98 - 4 - 2);
  const auto lines = report(windows::PreliminaryEstimates);
  ASSERT_FALSE(lines.empty());
  const std::string& last = lines.back();
  ASSERT_EQ(last.rfind("AICC = ", 0), 0u);
  ASSERT_NE(last.find("(Corrected for regression)"), std::string::npos);
  EXPECT_NEAR(std::stod(last.substr(7)), corrected, 1e-3);  // -2Log(Like) is printed rounded
}

TEST_F(PreliminaryMenu, RefusalsLeaveTheModelAsItWas) {
  UnivariateRecord& rec = lake_huron();
  dialog("Specify Model", {{"fractional", "on"}, {"d", "0.3"}});
  app.dispatch(cmd::SpecifyModel);
  const ArmaModel before = rec.model;
  app.dispatch(cmd::Preliminary);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ERROR] NA for fractionally integrated models. -> OK"}));
  EXPECT_EQ(rec.model.d, before.d);
  EXPECT_TRUE(rec.model.fractional);
  EXPECT_FALSE(s.desktop.find(1, windows::PreliminaryEstimates));
}

TEST_F(PreliminaryMenu, TooFewDataForTheOrdersIsRefused) {
  UnivariateRecord& tiny = project_with({1.0, 2.0, 4.0});
  const int p_before = tiny.model.p;
  dialog("Subtract Mean?", {}, "No");
  dialog("Preliminary Estimation", {{"ar_order", "2"}, {"ma_order", "2"}, {"innovations", "on"}});
  app.dispatch(cmd::Preliminary);
  EXPECT_EQ(tiny.model.p, p_before);
  EXPECT_EQ(tiny.model.q, 0);
  EXPECT_FALSE(s.desktop.find(1, windows::PreliminaryEstimates));
  ASSERT_EQ(port.shown().size(), 1u);
  EXPECT_EQ(port.shown()[0].rfind("MESSAGE [ZELK Error] Not enough data", 0), 0u);
}

TEST_F(PreliminaryMenu, NonCausalFitSetsEveryCoefficientToAThousandthAndOffersAnotherTry) {
  // Growth by 5% a step: the regression on the previous value finds phi > 1.
  std::vector<double> trend(80);
  for (int t = 0; t < 80; ++t) trend[t] = std::pow(1.05, t) * (1 + 0.01 * std::sin(2.3 * t));
  UnivariateRecord& rec = project_with(trend);
  dialog("Subtract Mean?", {}, "No");
  dialog("Preliminary Estimation", {{"ar_order", "1"}, {"ma_order", "1"}, {"hannan_rissanen", "on"}});
  dialog(" Preliminary estimation", {}, "Cancel");  // Try another model/method
  dialog("Preliminary Estimation", {{"ar_order", "1"}, {"ma_order", "0"}, {"yule_walker", "on"}});
  app.dispatch(cmd::Preliminary);
  EXPECT_TRUE(port.unused().empty());  // the question was asked and answered
  EXPECT_TRUE(port.errors().empty());
  EXPECT_EQ(rec.model.p, 1);
  EXPECT_EQ(rec.model.q, 0);
  EXPECT_LT(std::fabs(rec.model.phi[0]), 1.0);  // Yule-Walker fits are causal
  EXPECT_EQ(arma_estimation(rec).estimation_method, 3);
}

}  // namespace
}  // namespace zelk
