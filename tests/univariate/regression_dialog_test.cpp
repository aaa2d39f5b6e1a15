#include "univariate/regression_dialog.h"

#include <gtest/gtest.h>

#include "port/scripted_port.h"
#include "univariate/regression_report.h"

namespace zelk {
namespace {

TEST(RegressionDialog, BuildsTheSpecificationFromTheFields) {
  RegressionSettings s;
  ScriptedPort port;
  RegressionDialog d(s, 120, {});
  EXPECT_FALSE(d.control("harmonics").enabled);
  EXPECT_FALSE(d.control("browse").enabled);
  port.queue_dialog({"Regression Trend Function",
                     {{"order", "2"}, {"harmonic", "on"}, {"harmonics", "1"}, {"index1", "12"}}, "OK", "t"});
  ASSERT_TRUE(port.run_dialog(d));
  EXPECT_TRUE(s.specified);
  EXPECT_EQ(s.terms.regressor_count(), 5);
  EXPECT_EQ(s.terms.indices[0], 12);
}

TEST(RegressionDialog, FieldChecksAndClearing) {
  RegressionSettings s;
  ScriptedPort port;
  RegressionDialog d(s, 50, {});
  d.control("order").text = "11";
  EXPECT_FALSE(d.field_changed("order", port));
  d.control("harmonic").checked = true;
  d.field_changed("harmonic", port);
  d.control("harmonics").text = "5";
  EXPECT_FALSE(d.field_changed("harmonics", port));
  d.control("harmonics").text = "1";
  d.control("index1").text = "51";
  EXPECT_FALSE(d.field_changed("index1", port));
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK Error] Degree must be between 0 and 10 -> OK",
                              "MESSAGE [ZELK Error] Number of harmonics must be between 0 and 4 -> OK",
                              "MESSAGE [ZELK Error] Index must be between 1 and number of obs. -> OK"}));
  // Clearing the intercept with nothing else leaves no regression.
  RegressionSettings none;
  RegressionDialog e(none, 50, {});
  port.queue_dialog({"Regression Trend Function", {{"intercept", "off"}, {"order", "0"}}, "OK", "t"});
  ASSERT_TRUE(port.run_dialog(e));
  EXPECT_FALSE(none.specified);
}

TEST(RegressionDialog, AuxiliaryFileNeedsARowForEveryObservation) {
  ScriptedPort port;
  const std::vector<double> rows{1, 10, 2, 20, 3, 30};  // three rows of two columns
  EXPECT_FALSE(auxiliary_columns(rows, 2, 4, port));
  EXPECT_EQ(port.shown().back(), "MESSAGE [ERROR] Insufficient regressors in file -> OK");
  const auto ok = auxiliary_columns(rows, 2, 3, port);
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->values, (std::vector<double>{1, 2, 3, 10, 20, 30}));
}

TEST(RegressionReport, EstimatesReportLayout) {
  RegressionSpec terms;
  terms.order = 1;
  terms.harmonics = 1;
  terms.indices[0] = 3;
  const std::vector<double> beta{580.2, -0.0242, 1.5, -0.25}, se{0.46, 0.008, 0.1, 0.1};
  const std::vector<std::string> arma{"X(t) = Z(t)"};
  const std::vector<std::string> r = regression_estimates_report(
      {RegressionMethod::Generalized, &terms, beta, se, 0.5, arma});
  const std::vector<std::string> expected{
      "========================================",
      "ZELK::(Regression estimates)",
      "========================================",
      "",
      "Method: Generalized Least Squares",
      "",
      "Y(t) = M(t) + X(t)",
      "",
      "Trend Function: ",
      "M(t) = 0.58020E+03 - 0.024200 t^1 + 1.5000 Cos(2*pi*t3/N) - 0.25000 Sin(2*pi*t3/N)",
      "",
      "ARMA Model: ",
      "X(t) = Z(t)",
      "",
      "WN Variance = 0.500000",
      "",
      "",
      "Coeff     Value          Std Error",
      "              0     580.200000       0.460000       ",
  };
  for (std::size_t i = 0; i < 18 && i < r.size(); ++i) EXPECT_EQ(r[i], expected[i]) << i;
  ASSERT_EQ(r.size(), 23u);
  EXPECT_EQ(r[18].substr(0, 15), "              0");
  // Without an estimate only the ARMA lines remain.
  EXPECT_EQ(model_description(RegressionMethod::None, terms, beta, true, arma), arma);
}

}  // namespace
}  // namespace zelk
