// Texts of the residual windows, whole. Test values from R 4.2 (see
// randomness_test.cpp); the formatted forms worked by hand.
#include "arma/randomness_report.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

TEST(RandomnessReportTest, LakeHuronAr2Lines) {
  RandomnessTests t;
  t.h = 22;
  t.f = 2;
  t.n = 98;
  t.ljung_box = {10.887277, 20, true, true, 0.9490935};
  t.mcleod_li = {17.896704, 22, true, true, 0.7120949};
  // n = 98: mean 2(96)/3 = 64, sd sqrt(1539/90) = 4.13521; 48.5 and
  // sqrt(99/12) = 2.87228; 2376.5 and sqrt(98 97 201 / 72) = 162.904.
  t.turning = {65, 64, 4.135215, true, 0.8089154};
  t.difference_sign = {52, 48.5, 2.872281, true, 0.2230175};
  t.rank = {2051, 2376.5, 162.9036, true, 0.04570428};
  t.min_aicc_order = 0;  // R: AICC of the Yule-Walker fits of orders 0..22
  const std::vector<std::string> expected = {
      "============================================",
      "ZELK::(Tests of randomness on residuals)",
      "============================================",
      " ",
      "Ljung - Box statistic = 10.887 Chi-Square ( 20 ), p-value = 0.94909",
      " ",
      "McLeod - Li statistic = 17.897 Chi-Square ( 22 ), p-value = 0.71209",
      " ",
      "# Turning points = 65.000~AN(64.000,sd = 4.1352), p-value = 0.80892",
      " ",
      "# Diff sign points = 52.000~AN(48.500,sd = 2.8723), p-value = 0.22302",
      " ",
      "# Rank points = 0.20510E+04~AN(0.23765E+04,sd = 0.16290E+03), p-value = 0.04570",
      " ",
      "Order of Min AICC YW Model for Residuals = 0",
      " "};
  EXPECT_EQ(randomness_report(t), expected);
}

TEST(RandomnessReportTest, TinyPValuesAndUndefinedValues) {
  RandomnessTests t;
  t.h = 2;
  t.f = 2;
  t.ljung_box = {3.5, 0, true, false, 0};
  t.mcleod_li = {};  // constant squares
  t.turning = {0, 65.3333, 4.1780, true, 2e-6};
  t.difference_sign = {99, 49.5, 2.9011, true, 0.9e-5};
  t.rank = {1, -0.5, 0, false, 0};
  const auto lines = randomness_report(t);
  EXPECT_EQ(lines[4], "Ljung - Box statistic = 3.5000 Chi-Square ( 0 ), p-value = not defined (no degrees of freedom)");
  EXPECT_EQ(lines[6], "McLeod - Li statistic = not defined (the squared residuals are constant)");
  EXPECT_EQ(lines[8], "# Turning points = 0.00000~AN(65.333,sd = 4.1780), p-value = 0.00000");
  EXPECT_EQ(lines[10], "# Diff sign points = 99.000~AN(49.500,sd = 2.9011), p-value = 0.00000");
  EXPECT_EQ(lines[12], "# Rank points = 1.0000 (too few residuals for this test)");
}

TEST(RandomnessReportTest, ResidualWindows) {
  const std::vector<std::string> model = {"ARMA Model: ", "X(t) =  Z(t)"};
  EXPECT_EQ(residual_plot_info(0.123456789, model, 1.5),
            (std::vector<std::string>{"=========================", "ZELK::(Residual Plot)", "=========================", " ",
                                      "Residual Variance = 0.12345679", " ", "Residuals computed from model:",
                                      "ARMA Model: ", "X(t) =  Z(t)", " ", "WN Variance = 1.500000"}));
  const std::vector<double> acf = {1, 0.5, -0.25, 0.125, 0.0625, 0.03125};
  const std::vector<double> pacf = {1, 0.5, -0.5, 0, 0, 0.1};
  const std::vector<std::string> head = {"=============================", "ZELK::(Residual ACF/PACF)",
                                         "=============================", " ", "# of Lags =        5", " ",
                                         "Residual Variance = 2.00000000", " "};
  auto both = head;
  for (const char* l : {" ", "Autocorrelations:", " ", "        1.00000        0.50000       -0.25000        0.12500",
                        "        0.06250", " ", "Partial Autocorrelations:", " ",
                        "        1.00000        0.50000       -0.50000        0.00000", "        0.00000"})
    both.push_back(l);
  EXPECT_EQ(residual_acf_info(5, 2.0, acf, pacf, 24), both);
  EXPECT_EQ(residual_acf_info(5, 2.0, acf, pacf, 16), both);  // either pane writes both lists
  EXPECT_EQ(residual_acf_info(5, 2.0, acf, pacf, 0), head);
  // Both, ACF only, PACF only, both.
  EXPECT_EQ(cycle_residual_panes(24), 8);
  EXPECT_EQ(cycle_residual_panes(8), 16);
  EXPECT_EQ(cycle_residual_panes(16), 24);
  EXPECT_EQ(cycle_residual_panes(0), 24);
}

}  // namespace
}  // namespace zelk
