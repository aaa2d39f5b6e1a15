// The "Preliminary estimates" report, whole texts. Numbers from R 4.2 on
// Lake Huron (mean subtracted): ar.yw(x, aic = FALSE, order.max = 2), its
// standard errors sqrt(sigma2 diag(solve(toeplitz(acvf(0..1)))) / n), and
// arima(x, c(2,0,0), include.mean = FALSE, fixed = ar) for S/n and the
// likelihood, -2 log L rebuilt at the Yule-Walker sigma2 with 2 pi = 6.28318.
#include "arma/preliminary_report.h"
#include "support/test_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numeric>

namespace zelk {
namespace {

const std::vector<std::string> kModel = {"ARMA Model: ", "X(t) =   1.0538 X(t-1)  - .2668 X(t-2) ", "     + Z(t)"};

std::vector<double> lake_huron() { return test::lake_huron_deviations(); }

std::vector<std::string> with_model(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), kModel.begin(), kModel.end());
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(PreliminaryReportTest, YuleWalkerLakeHuronWithAndWithoutRegression) {
  PreliminaryOptions o;
  o.method = PreliminaryMethod::YuleWalker;
  o.p = 2;
  const auto r = preliminary_estimate(lake_huron(), o);
  PreliminaryReportFacts facts;
  facts.method = o.method;
  facts.n = 98;
  const std::vector<std::string> head = {"=================================", "ZELK::(Preliminary estimates)",
                                         "=================================", " ", "Method: Yule-Walker"};
  const std::vector<std::string> tail = {"WN Variance = 0.491993",
                                         "AR Coefficients",
                                         "      1.053825     -0.266752",
                                         "Ratio of AR coeff. to 1.96 * (standard error)",
                                         "      5.522734     -1.397954",
                                         "(Residual SS)/N = 0.479056",
                                         "WN variance estimate (Yule Walker): 0.491993",
                                         // above 100: the exponential shape
                                         "-2Log(Like) = 0.207350E+03",
                                         "AICC = 0.213605E+03"};
  EXPECT_EQ(preliminary_report(r, facts, kModel), with_model(head, tail));
  // Two regression coefficients: k' = 4.
  facts.regression_coefficients = 2;
  auto lines = preliminary_report(r, facts, kModel);
  EXPECT_EQ(lines.back(), "AICC = 0.218002E+03(Corrected for regression)");
}

TEST(PreliminaryReportTest, InnovationsCountAndMissingStandardErrors) {
  PreliminaryResult r;
  r.p = 1;
  r.q = 1;
  r.phi = {0.5};
  r.theta = {0.25};
  r.sigma2 = 2;
  r.acvfs_used = 17;
  r.likelihood_defined = false;  // as for a series of zeros
  PreliminaryReportFacts facts;
  facts.method = PreliminaryMethod::Innovations;
  facts.n = 100;
  facts.regression_coefficients = 1;
  const std::vector<std::string> expected = {
      "=================================", "ZELK::(Preliminary estimates)", "=================================", " ",
      "Method: Innovations", "(Number of ACVF's used is 17)", "ARMA Model: ", "X(t) =   1.0538 X(t-1)  - .2668 X(t-2) ",
      "     + Z(t)", "WN Variance = 2.000000", "AR Coefficients", "      0.500000",
      "Numerical difficulties computing standard errors", "MA Coefficients", "      0.250000",
      "(Residual SS)/N = not defined", "WN variance estimate (Innovations): 2.000000", "-2Log(Like) = not defined",
      "AICC = not defined", "AICC = not defined(Corrected for regression)"};
  EXPECT_EQ(preliminary_report(r, facts, kModel), expected);
}

TEST(PreliminaryReportTest, NoInfinityForTooFewData) {
  // Burg AR(2) on four values: n - k - 2 = 0, the AICC penalty does not exist.
  PreliminaryOptions o;
  o.method = PreliminaryMethod::Burg;
  o.p = 2;
  const std::vector<double> x = {1.0, -0.5, 0.7, -1.2};
  const auto r = preliminary_estimate(x, o);
  PreliminaryReportFacts facts;
  facts.method = o.method;
  facts.n = 4;
  const auto lines = preliminary_report(r, facts, kModel);
  for (const auto& l : lines) {
    EXPECT_EQ(l.find("nan"), std::string::npos) << l;
    EXPECT_EQ(l.find("inf"), std::string::npos) << l;
  }
  EXPECT_EQ(lines.back(), "AICC = not defined");
}

}  // namespace
}  // namespace zelk
