// The Model menu end to end: dispatched as the menus do, answered by a
// scripted port.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "port/commands.h"
#include "arma/estimation.h"
#include "arma/windows.h"
#include "arma/specify_dialog.h"
#include "files/project_ops.h"
#include "project/univariate_record.h"
#include "shell/app.h"
#include "port/scripted_port.h"
#include "support/desk.h"

namespace zelk {
namespace {

class ModelMenu : public test::Desk {
 protected:
  // The number after "label" on the report line that starts with it.
  double value_after(Slot slot, const std::string& label) {
    for (const auto& line : report(slot))
      if (line.rfind(label, 0) == 0) return std::stod(line.substr(label.size()));
    ADD_FAILURE() << "no line " << label;
    return NAN;
  }
  std::vector<std::string> line_after(Slot slot, const std::string& label) {
    const auto lines = report(slot);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
      if (lines[i] == label) return {lines[i + 1]};
    return {};
  }
};

TEST_F(ModelMenu, SpecifyStoresTheModelAndFixesZeroCoefficients) {
  UnivariateRecord& rec = open_project();
  dialog("Specify Model", {{"ar_order", "3"}, {"phi", "0.5,-0.0,0.2"}, {"ma_order", "1"}, {"theta", "0.4"},
                           {"variance", "2.5"}});
  app.dispatch(cmd::SpecifyModel);
  EXPECT_EQ(rec.model.p, 3);
  EXPECT_EQ(rec.model.q, 1);
  EXPECT_EQ(rec.model.phi[0], 0.5);
  EXPECT_FALSE(std::signbit(rec.model.phi[1]));
  EXPECT_EQ(rec.model.phi[2], 0.2);
  EXPECT_EQ(rec.model.theta[0], 0.4);
  EXPECT_EQ(rec.model.sigma2, 2.5);
  EXPECT_EQ(rec.model.free_parameters, (std::vector<int>{1, 3, 4}));
  EXPECT_TRUE(port.shown().empty());
}

TEST_F(ModelMenu, SpecifyRefusalsKeepTheDialogOpen) {
  UnivariateRecord& rec = open_project();
  dialog("Specify Model", {{"ar_order", "30"}});
  dialog("Specify Model", {{"ar_order", "1"}, {"phi", "1"}});  // OK refused: not causal
  dialog("Specify Model", {{"phi", "0.999"}, {"variance", "0"}});
  dialog("Specify Model", {{"variance", "1"}, {"fractional", "on"}, {"d", "0.5"}});
  dialog("Specify Model", {{"d", "0.3"}, {"M", "20"}});
  dialog("Specify Model", {{"M", "60"}, {"ma_order", "1"}, {"theta", "1.5"}});  // fractional: not invertible
  dialog("Specify Model", {{"theta", "0.5"}});
  app.dispatch(cmd::SpecifyModel);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK ERROR] AR Order must be < 27 -> OK",
                              "MESSAGE [ZELK Error] Model is not causal -> OK",
                              "MESSAGE [ZELK Error] Variance must be positive -> OK",
                              "MESSAGE [ZELK Error] d must be between -.5 and .5 -> OK",
                              "MESSAGE [ZELK Error] M must be at least 50. -> OK",
                              "MESSAGE [ZELK Error] Model is not invertible -> OK",
                          }));
  EXPECT_EQ(rec.model.phi[0], 0.999);
  EXPECT_TRUE(rec.model.fractional);
  EXPECT_EQ(rec.model.d, 0.3);
  EXPECT_EQ(rec.model.M, 60);
  EXPECT_EQ(rec.model.theta[0], 0.5);
}

TEST(SpecifyModelDialogTest, EnterMovesThroughCoefficientsAndButtonTests) {
  ScriptedPort port;
  ArmaModel m;
  m.p = 2;
  m.phi = {0.5, 0.3};
  SpecifyModelDialog d(m);
  EXPECT_EQ(d.control("ar_list").items, (std::vector<std::string>{"Phi(1) = 0.50000", "Phi(2) = 0.30000"}));
  EXPECT_FALSE(d.control("theta").enabled);
  EXPECT_FALSE(d.control("d").enabled);
  d.enter_pressed("ar_order", port);
  EXPECT_EQ(d.focus(), "phi");
  d.control("phi").text = "0.6";
  d.enter_pressed("phi", port);
  EXPECT_EQ(d.control("phi").text, "0.30000");  // advanced to phi(2)
  d.control("phi").text = "0.45";
  d.enter_pressed("phi", port);
  EXPECT_EQ(d.control("phi").text, "0.60000");  // wrapped to phi(1)
  d.button_pressed("causal_invertible", port);
  // 1 - 0.6z - 0.45z^2 has a zero inside the unit circle (z = 0.8909...).
  EXPECT_EQ(d.control("causality").text, "Non - Causal");
  EXPECT_EQ(d.control("invertibility").text, "Invertible");
  d.control("ar_list").selection = {1};
  d.field_changed("ar_list", port);
  EXPECT_EQ(d.control("phi").text, "0.45000");
}

TEST_F(ModelMenu, SwitchToInvertibleWithoutData) {
  UnivariateRecord& rec = open_project();
  dialog("Specify Model", {{"ma_order", "1"}, {"theta", "1.5"}});
  app.dispatch(cmd::SpecifyModel);
  app.dispatch(cmd::SwitchToInvertible);
  EXPECT_NEAR(rec.model.theta[0], 1 / 1.5, 1e-5);
  EXPECT_NEAR(rec.model.sigma2, 2.25, 1e-4);
  app.dispatch(cmd::SwitchToInvertible);
  EXPECT_EQ(port.shown().back(), "MESSAGE [Message box]  Model is invertible -> OK");
}

TEST_F(ModelMenu, ArMaInfinityReport) {
  open_project();
  dialog("Specify Model", {{"ar_order", "1"}, {"phi", "0.5"}, {"ma_order", "1"}, {"theta", "0.4"}});
  app.dispatch(cmd::SpecifyModel);
  app.dispatch(cmd::ArMaInfinity);
  const auto lines = report(windows::ArmaInfinity);
  ASSERT_EQ(lines.size(), 60u);
  EXPECT_EQ(s.desktop.find(1, windows::ArmaInfinity)->caption, "AR/MA Infinity: New Univariate Project");
  EXPECT_EQ(lines[1], "ZELK::(AR/MA Infinity)");
  EXPECT_EQ(lines[5], "X(t) =    0.5000 X(t-1) ");
  EXPECT_EQ(lines[6], "     + Z(t) + 0.4000 Z(t-1) ");
  EXPECT_EQ(lines[8], "AR/MA Infinity: ");
  EXPECT_EQ(lines[9], "                   MA-Infinity    AR-Infinity");
  // psi(j) = 0.9 * 0.5^(j-1); pi(j) = -(0.9) (-0.4)^(j-1).
  EXPECT_EQ(lines[10], "              0        1.00000        1.00000");
  EXPECT_EQ(lines[11], "              1        0.90000       -0.90000");
  EXPECT_EQ(lines[12], "              2        0.45000        0.36000");
  dialog("Specify Model", {{"theta", "2"}});
  app.dispatch(cmd::SpecifyModel);  // the open report follows the model
  const auto after = report(windows::ArmaInfinity);
  EXPECT_EQ(after[9], "                   MA-Infinity Non-Invertible");
  EXPECT_EQ(after[11], "              1        2.50000       *       ");
}

TEST_F(ModelMenu, MaximumLikelihoodOnLakeHuron) {
  UnivariateRecord& rec = lake_huron();
  dialog("Specify Model", {{"ar_order", "2"}, {"phi", "1.0538,-0.2668"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Subtract Mean?", {}, "Yes");
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  ASSERT_EQ(rec.transforms.size(), 1u);
  const auto lines = report(windows::MlEstimates);
  ASSERT_GE(lines.size(), 20u);
  EXPECT_EQ(s.desktop.find(1, windows::MlEstimates)->caption, "ML estimates: " + rec.name);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{"========================================", "ZELK::(Maximum likelihood estimates)",
                                      "========================================", " ", "Method: Maximum Likelihood"}));
  EXPECT_EQ(lines[6], "X(t) =    1.0441 X(t-1)  - 0.2503 X(t-2) ");
  EXPECT_NEAR(value_after(windows::MlEstimates, "WN Variance = "), 0.47890, 1e-5);
  EXPECT_NEAR(value_after(windows::MlEstimates, "-2Log(Likelihood) = "), 207.283, 1e-3);
  EXPECT_NEAR(value_after(windows::MlEstimates, "FPE  = "), 0.47890 * 100 / 96, 1e-5);
  EXPECT_EQ(lines[9], "AR Coefficients");
  EXPECT_NEAR(std::stod(lines[10]), 1.04414, 1e-5);
  EXPECT_EQ(lines[11], "Standard Error of AR Coefficients");
  EXPECT_EQ(lines.back(), "Optimization stopped with gradient near zero.");
  EXPECT_GE(rec.iterations, 1);
  EXPECT_EQ(rec.results.rescaled_residuals.size(), 98u);
}

TEST_F(ModelMenu, Arma11ThroughTheMenusWithLeastSquaresAndNoOptimization) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);  // subtract mean first: no question then
  dialog("Specify Model", {{"ar_order", "1"}, {"phi", "0.7"}, {"ma_order", "1"}, {"theta", "0.4"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_NEAR(rec.model.phi[0], 0.74457, 1e-5);
  EXPECT_NEAR(rec.model.theta[0], 0.32128, 1e-5);
  EXPECT_NEAR(value_after(windows::MlEstimates, "AICC = "), 206.512 + 2.0 * 3 * 98 / 94, 1e-3);
  dialog("Maximum Likelihood Estimation", {{"no_optimization", "on"}});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_NEAR(rec.model.phi[0], 0.74457, 1e-5);
  for (const auto& line : report(windows::MlEstimates)) EXPECT_EQ(line.rfind("BIC", 0), std::string::npos);
  dialog("Maximum Likelihood Estimation", {{"ls", "on"}, {"no_optimization", "off"}});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(report(windows::MlEstimates)[4], "Method: Least Squares");
  // Least squares: sigma2 = S / (n - p - q).
  EXPECT_NEAR(rec.model.sigma2, arma_fit(rec).saved_wn * 98 / 96, 1e-12);
  EXPECT_TRUE(port.shown().empty()) << port.shown().front();
}

TEST_F(ModelMenu, IterationLimitOffersToReturnToTheDialog) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  dialog("Specify Model", {{"ar_order", "2"}, {"phi", "0.2,0.1"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Maximum Likelihood Estimation", {{"iterations", "1"}});
  dialog(" Maximum likelihood estimation", {}, "Return to MLE dialog");
  dialog("Maximum Likelihood Estimation", {{"iterations", "0"}});
  dialog("Maximum Likelihood Estimation", {{"accuracy", "1"}});
  dialog("Maximum Likelihood Estimation", {{"accuracy", "0.0001"}, {"iterations", "100"}});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ERROR] Number of iterations must be > 0. -> OK",
                              "MESSAGE [ERROR] Choose accuracy parameter between 0 and 1. -> OK",
                          }));
  EXPECT_NEAR(rec.model.phi[0], 1.04414, 1e-5);
  EXPECT_TRUE(port.unused().empty());
}

TEST_F(ModelMenu, ConstraintsFixCoefficientsAndTieRelations) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  dialog("Specify Model", {{"ar_order", "3"}, {"phi", "0.9,0.05,0.02"}});
  app.dispatch(cmd::SpecifyModel);
  // Fix phi(2), set it to 0, and tie phi(3) = -phi(1) phi(2), after refusals.
  dialog("Maximum Likelihood Estimation", {}, "Constrain optimization");
  dialog("Constrain Optimization", {{"ar_list", "2"}, {"relation_count", "7"}});
  dialog("Constrain Optimization", {{"relation_count", "1"}, {"rel_a", "1"}, {"rel_b", "1"}, {"rel_c", "3"}});
  dialog("Constrain Optimization", {{"rel_b", "4"}});
  dialog("Constrain Optimization", {{"rel_b", "3"}, {"rel_c", "2"}});
  dialog("Constrain Optimization", {{"rel_b", "2"}, {"rel_c", "3"}}, "Set to zero");
  dialog("Constrain Optimization", {});
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK Error] Number of multiplicative relations must be from 0 to 6 -> OK",
                              "MESSAGE [ZELK ERROR] Multiplicative relation repeats parameter -> OK",
                              "MESSAGE [ZELK Error] Invalid index, must be less than AR Order = 3 -> OK",
                              "MESSAGE [ZELK ERROR] Conflict in multiplicative relation and fixed parameter -> OK",
                          }));
  EXPECT_EQ(rec.model.free_parameters, (std::vector<int>{1}));
  EXPECT_EQ(rec.model.relation_count, 1);
  EXPECT_EQ(rec.model.phi[1], 0.0);
  EXPECT_EQ(rec.model.phi[2], 0.0);  // -phi(1) phi(2) with phi(2) = 0
  EXPECT_NE(rec.model.phi[0], 0.9);
  // Fixed coefficients show standard error 0.
  const auto se = line_after(windows::MlEstimates, "Standard Error of AR Coefficients");
  ASSERT_EQ(se.size(), 1u);
  EXPECT_NE(se[0].find("0.000000"), std::string::npos);

  // Constraints set and then the estimation cancelled: they stay.
  dialog("Maximum Likelihood Estimation", {}, "Constrain optimization");
  dialog("Constrain Optimization", {{"relation_count", "0"}}, "None");
  dialog("Constrain Optimization", {});
  dialog("Maximum Likelihood Estimation", {}, "Cancel");
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(rec.model.relation_count, 0);
  EXPECT_EQ(rec.model.free_parameters, (std::vector<int>{1, 2, 3}));
}

TEST_F(ModelMenu, BadInputGivesMessagesNotNaN) {
  UnivariateRecord& rec = open_project();
  install_series(s, 1, rec, std::vector<double>(20, 3.0));
  dialog("Subtract Mean?", {}, "Yes");
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);  // a constant series becomes zeros
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK Error] The series is identically zero: its likelihood is not defined. -> OK");

  UnivariateRecord& small = rec;
  install_series(s, 1, small, {1, 3, 2, 5, 4, 6});
  dialog("Specify Model", {{"ar_order", "3"}, {"phi", "0.1,0.1,0.1"}, {"ma_order", "1"}, {"theta", "0.2"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Subtract Mean?", {}, "No");
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(port.shown().back(),
            "MESSAGE [ZELK Error] Not enough data: the number of observations must exceed p + q + 2. -> OK");

  small.regression.estimation = 1;
  small.regression.intercept = false;
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_NE(std::find(port.shown().begin(), port.shown().end(),
                      "MESSAGE [Warning] No intercept included in regression function  -> OK"),
            port.shown().end());
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST_F(ModelMenu, FractionalModelsUseTheWhittleDialogAndReport) {
  UnivariateRecord& rec = lake_huron();
  dialog("Specify Model", {{"fractional", "on"}, {"d", "0.1"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("ML Estimation (Fractionally Integrated ARMA)", {{"keep_d", "on"}});
  dialog("ML Estimation (Fractionally Integrated ARMA)", {{"keep_d", "off"}, {"step", "0"}});
  dialog("ML Estimation (Fractionally Integrated ARMA)", {{"step", "0.1"}});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ERROR] No parameters to optimize. -> OK",
                              "MESSAGE [ERROR] Choose accuracy parameter between 0 and 1. -> OK",
                          }));
  EXPECT_GT(rec.model.d, 0.3);  // the lake levels have long memory
  const auto lines = report(windows::MlEstimates);
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[5], "ARMA Model: ");
  EXPECT_EQ(lines[6].rfind("(1-B)^0.", 0), 0u);
  EXPECT_GT(value_after(windows::MlEstimates, "-2Log(Likelihood) (Whittle) = "), 0);
  EXPECT_NEAR(value_after(windows::MlEstimates, "AIC  = "), arma_fit(rec).minus2_log_likelihood + 4, 1e-3);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST_F(ModelMenu, NonCausalStartAndUnitCircleMaGiveDefinedResults) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  // A model read from elsewhere may be non-causal: it is replaced, not fitted.
  rec.model.p = 1;
  rec.model.phi[0] = 1.5;
  rec.model.free_parameters = {1};
  dialog("Maximum Likelihood Estimation", {});
  dialog(" Maximum likelihood estimation", {}, "Continue");
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(rec.model.phi[0], 0.001);
  EXPECT_TRUE(port.unused().empty());

  // theta(1) = 1 lies on the unit circle: switched (as far as the recursion
  // settles) and fitted.
  dialog("Specify Model", {{"ar_order", "0"}, {"ma_order", "1"}, {"theta", "1"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_LT(std::fabs(rec.model.theta[0]), 1.0);
  for (const auto& line : report(windows::MlEstimates)) {
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    EXPECT_EQ(line.find("inf"), std::string::npos) << line;
  }
}

TEST_F(ModelMenu, LargestOrdersFitWithoutTrouble) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  std::string small;
  for (int i = 0; i < 27; ++i) small += i ? ",0.01" : "0.01";
  dialog("Specify Model", {{"ar_order", "27"}, {"phi", small}, {"ma_order", "27"}, {"theta", small}});
  app.dispatch(cmd::SpecifyModel);
  ASSERT_EQ(rec.model.free_parameters.size(), 54u);
  dialog("Maximum Likelihood Estimation", {{"iterations", "3"}});
  dialog(" Maximum likelihood estimation", {}, "Continue");
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(arma_fit(rec).stop_code, 4);
  EXPECT_EQ(arma_fit(rec).iterations, 3);
  EXPECT_TRUE(port.unused().empty());
  for (const auto& line : report(windows::MlEstimates)) EXPECT_EQ(line.find("nan"), std::string::npos) << line;
}

}  // namespace
}  // namespace zelk

#include "arma/ml_report.h"

namespace zelk {
namespace {

TEST_F(ModelMenu, ReportSaysWhenStandardErrorsFailed) {
  UnivariateRecord& rec = lake_huron();
  rec.model.p = 1;
  rec.model.phi[0] = 0.5;
  rec.model.q = 1;
  rec.model.theta[0] = 0.3;
  arma_fit(rec).standard_errors.clear();
  write_ml_report(s, 1, rec, {});
  const auto lines = report(windows::MlEstimates);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Numerical difficulties computing standard errors"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Standard Error of AR Coefficients"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "MA Coefficients"), 1);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST_F(ModelMenu, NothingFreeEvaluatesOnceAndAllZeroKeepsZeros) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  double sum2 = 0;
  for (double v : rec.x) sum2 += v * v;
  // phi(1) entered as 0 is fixed: nothing to optimize.
  dialog("Specify Model", {{"ar_order", "1"}, {"phi", "0"}, {"variance", "3"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(rec.model.phi[0], 0.0);
  EXPECT_NEAR(rec.model.sigma2, sum2 / 98, 1e-12);  // the saved S/n
  EXPECT_EQ(arma_fit(rec).iterations, 0);
  for (const auto& line : report(windows::MlEstimates)) EXPECT_EQ(line.rfind("BIC", 0), std::string::npos);

  dialog("Specify Model", {{"ar_order", "3"}, {"phi", "0.8,0,0.1"}});
  app.dispatch(cmd::SpecifyModel);
  dialog("Maximum Likelihood Estimation", {}, "Constrain optimization");
  dialog("Constrain Optimization", {}, "All zero");
  dialog("Constrain Optimization", {});
  dialog("Maximum Likelihood Estimation", {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(rec.model.phi[1], 0.0);
  EXPECT_EQ(rec.model.free_parameters, (std::vector<int>{1, 3}));
  // AICC counts the two free coefficients only.
  EXPECT_NEAR(arma_fit(rec).aicc, arma_fit(rec).minus2_log_likelihood + 2.0 * 3 * 98 / 94, 1e-9);
}

}  // namespace
}  // namespace zelk

#include "arma/arma_ops.h"

namespace zelk {
namespace {

TEST_F(ModelMenu, RecordLikelihoodAtThePublishedOptimum) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  rec.model.p = 2;
  rec.model.phi[0] = 1.04414;
  rec.model.phi[1] = -0.25027;
  rec.model.sigma2 = 0.47890;
  ASSERT_EQ(record_likelihood(rec, -1), 0);
  EXPECT_NEAR(arma_fit(rec).minus2_log_likelihood, 207.283, 2e-3);
  EXPECT_NEAR(arma_fit(rec).saved_wn, 0.47890, 1e-4);
  EXPECT_EQ(rec.results.rescaled_residuals.size(), 98u);
  rec.model.phi[0] = 1.3;  // 1 - 1.3z + 0.25z^2 has a zero inside the unit circle
  EXPECT_EQ(record_likelihood(rec, -1), -1);
}

}  // namespace
}  // namespace zelk

#include <filesystem>

#include "files/project_file_ops.h"

namespace zelk {
namespace {

// The estimation settings are the project's, not the file's: they last
// between fits and start again from their defaults when a project file is read.
TEST_F(ModelMenu, FractionalSettingsLastUntilAProjectFileIsRead) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::SubtractMean);
  dialog("Specify Model", {{"fractional", "on"}, {"d", "0.2"}});
  app.dispatch(cmd::SpecifyModel);
  const char* title = "ML Estimation (Fractionally Integrated ARMA)";
  dialog(title, {{"step", "0.05"}, {"no_optimization", "on"}});
  app.dispatch(cmd::MaxLikelihood);
  dialog(title, {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(value_after(windows::MlEstimates, "Accuracy parameter = "), 0.05);
  EXPECT_EQ(value_after(windows::MlEstimates, "Number of iterations = "), 0);
  EXPECT_EQ(rec.model.d, 0.2);

  const std::string path = (std::filesystem::temp_directory_path() / "zelk_arma_settings_test.zlk").string();
  port.queue_file(path);
  ASSERT_TRUE(save_project_as(s, 1, rec));
  port.queue_file(path);
  app.dispatch(cmd::ImportFile);
  std::filesystem::remove(path);
  ASSERT_TRUE(rec.model.fractional);
  dialog(title, {});
  app.dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(value_after(windows::MlEstimates, "Accuracy parameter = "), 0.1);
  EXPECT_GE(value_after(windows::MlEstimates, "Number of iterations = "), 1);
}

}  // namespace
}  // namespace zelk
