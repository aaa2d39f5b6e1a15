#include <gtest/gtest.h>

#include "multivariate/ccf_report.h"
#include "multivariate/var_report.h"

namespace zelk {
namespace {

TEST(MvReports, CcfHeadingsNameTheComponents) {
  const std::vector<std::vector<double>> cols{{1, 2, 3, 4, 6}, {2, 1, 4, 3, 5}};
  const std::vector<std::span<const double>> x(cols.begin(), cols.end());
  const auto lines = ccf_report(sample_ccf(x, 1), {2, 5});
  EXPECT_EQ(lines[1], "ZELK::Multivariate(CCF)");
  EXPECT_EQ(lines[3], "# of Lags =        1");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Cor[X_2(t+h),X_5(t)]"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "     0   1.00000"), lines.end());
}

TEST(MvReports, SpectrumSaysWhetherItWasSmoothed) {
  const std::vector<std::vector<double>> cols{{1, 0, -1, 0, 2, 1, 0, 3}};
  const std::vector<std::span<const double>> x(cols.begin(), cols.end());
  const auto plain = spectrum_report(cross_spectrum(x));
  EXPECT_EQ(plain.back(), "No smoothing done.");
  EXPECT_EQ(plain[3], "Number of frequencies in periodogram = 4");
  const std::vector<int> orders{1, 1};
  const auto smooth = spectrum_report(cross_spectrum(x, daniell_weights(orders)));
  EXPECT_EQ(smooth.back(), "Smooth coefficient sum of squares = 0.234568");  // 19/81
}

TEST(MvReports, EstimatesShowEveryMatrix) {
  VarModel m;
  m.k = 2;
  m.p = 1;
  m.phi.assign(1, Matrix(2, 0.5));
  m.V = Matrix(2, 1.0);
  m.aicc = 123.25;
  m.method = VarMethod::Burg;
  const auto lines = var_estimates_report(m, {1, 3}, true);
  const std::vector<std::string> expected{
      "Multivariate Burg estimates: ", std::string(40, '='), "ZELK::(Multivariate Burg Estimates)",
      std::string(40, '='), "AR Model for the component series:   1 3", "Optimal value of p = 1", " PHI(1)",
      "       0.500000       0.000000", "       0.000000       0.500000", "Burg White Noise Covariance Matrix, V",
      "       1.000000       0.000000", "       0.000000       1.000000", "AICC = 0.123250E+03"};
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace zelk
