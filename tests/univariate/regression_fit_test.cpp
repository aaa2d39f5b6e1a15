#include "univariate/regression_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/test_data.h"

namespace zelk {
namespace {

RegressionSpec line() {
  RegressionSpec s;
  s.order = 1;
  return s;
}

TEST(RegressionDesign, ColumnsComeInTheStatedOrder) {
  // Intercept, t, t^2, cos and sin at index 12 of n = 120, then an auxiliary column.
  RegressionSpec s;
  s.order = 2;
  s.harmonics = 1;
  s.indices[0] = 12;
  s.auxiliary_count = 1;
  s.auxiliary_rows = 130;
  for (int t = 1; t <= 130; ++t) s.auxiliary.push_back(100.0 + t);
  ASSERT_EQ(s.regressor_count(), 6);
  const std::vector<double> X = design_matrix(s, 120);
  auto at = [&](int t, int j) { return X[static_cast<std::size_t>(j) * 120 + t - 1]; };
  EXPECT_EQ(at(7, 0), 1.0);
  EXPECT_EQ(at(7, 1), 7.0);
  EXPECT_EQ(at(7, 2), 49.0);
  EXPECT_NEAR(at(5, 3), -1.0, 1e-14);  // cos(2 pi 12 5 / 120) = cos(pi)
  EXPECT_NEAR(at(5, 4), 0.0, 1e-14);
  EXPECT_NEAR(at(15, 4), 0.0, 1e-14);
  EXPECT_NEAR(at(10, 3), 1.0, 1e-14);  // one full period every 10 steps
  EXPECT_EQ(at(7, 5), 107.0);
  // Rows past the data continue the same functions (with the period of n).
  const std::vector<double> ahead = design_matrix(s, 120, 121, 2);
  EXPECT_EQ(ahead[2], 121.0);
  EXPECT_NEAR(ahead[6], std::cos(0.2 * M_PI), 1e-12);  // t = 121 is t = 1 a period later
  EXPECT_EQ(ahead[11], 222.0);
}

TEST(RegressionFit, LakeHuronLeastSquaresLine) {
  // Independent value (also R 4.2: coef(lm(y ~ t))): 580.2020366, -0.0242011106.
  const std::vector<double> y = test::read_series("lake_huron.dat");
  const int n = static_cast<int>(y.size());
  const std::vector<double> X = design_matrix(line(), n);
  const RegressionFit fit = fit_least_squares(y, X, 2);
  ASSERT_TRUE(fit.ok());
  EXPECT_NEAR(fit.beta[0], 580.20204, 1e-5);
  EXPECT_NEAR(fit.beta[1], -0.024201, 1e-6);
  // The residuals of least squares are orthogonal to every column.
  double s0 = 0, s1 = 0;
  for (int t = 0; t < n; ++t) s0 += y[t] - fit.trend[t], s1 += (t + 1) * (y[t] - fit.trend[t]);
  EXPECT_NEAR(s0, 0, 1e-8);
  EXPECT_NEAR(s1, 0, 1e-6);
}

TEST(RegressionFit, LakeHuronGeneralizedLeastSquaresUnderAr2) {
  // AR(2) phi = (1.0, -0.3), sigma2 = 0.5. R 4.2: V = solve(t(X) %*% solve(G) %*% X),
  // G = toeplitz of the model autocovariance (ARMAacf): beta 580.0966456541,
  // -0.0217310180, standard errors 0.464034366667, 0.008084349110.
  const std::vector<double> y = test::read_series("lake_huron.dat");
  const int n = static_cast<int>(y.size());
  const std::vector<double> X = design_matrix(line(), n);
  const double phi[] = {1.0, -0.3};
  const RegressionFit fit = fit_generalized_least_squares(y, X, 2, phi, {}, 0.5);
  ASSERT_TRUE(fit.ok());
  EXPECT_NEAR(fit.beta[0], 580.09665, 1e-5);
  EXPECT_NEAR(fit.beta[1], -0.021731, 1e-6);
  EXPECT_NEAR(fit.standard_errors[0], 0.464034366667, 1e-7);
  EXPECT_NEAR(fit.standard_errors[1], 0.008084349110, 1e-9);
  EXPECT_NEAR(fit.trend[0], 580.09665 - 0.021731, 1e-4);  // M uses the unwhitened design
}

TEST(RegressionFit, HarmonicTermsAgreeWithAnIndependentFit) {
  // R 4.2: coef(lm(y ~ t + cos(w) + sin(w))), w = 2 pi 3 t / 98.
  const std::vector<double> y = test::read_series("lake_huron.dat");
  RegressionSpec s = line();
  s.harmonics = 1;
  s.indices[0] = 3;
  const RegressionFit fit = fit_least_squares(y, design_matrix(s, 98), 4);
  ASSERT_TRUE(fit.ok());
  const double expected[] = {579.9531542201511, -0.0191731835858, -0.0400304403384, 0.7724417493917};
  for (int j = 0; j < 4; ++j) EXPECT_NEAR(fit.beta[j], expected[j], 1e-8);
}

TEST(RegressionFit, InterceptOnlyGivesTheMean) {
  const std::vector<double> y{1, 2, 6};
  RegressionSpec s;
  const RegressionFit fit = fit_least_squares(y, design_matrix(s, 3), 1);
  ASSERT_TRUE(fit.ok());
  EXPECT_NEAR(fit.beta[0], 3.0, 1e-14);
}

TEST(RegressionFit, DependentColumnsAreRefusedNotInvented) {
  const std::vector<double> y = test::read_series("lake_huron.dat");
  RegressionSpec twice;
  twice.harmonics = 2;
  twice.indices = {5, 5, 0, 0};
  EXPECT_EQ(fit_least_squares(y, design_matrix(twice, 98), 5).status, RegressionStatus::Singular);
  RegressionSpec ones;
  ones.auxiliary_count = 1;
  ones.auxiliary_rows = 98;
  ones.auxiliary.assign(98, 1.0);
  const double phi[] = {0.5};
  const RegressionFit gls = fit_generalized_least_squares(y, design_matrix(ones, 98), 2, phi, {}, 1.0);
  EXPECT_EQ(gls.status, RegressionStatus::Singular);
  EXPECT_TRUE(gls.beta.empty());
  const double explosive[] = {1.5};
  EXPECT_EQ(fit_generalized_least_squares(y, design_matrix(line(), 98), 2, explosive, {}, 1.0).status,
            RegressionStatus::NotCausal);
  EXPECT_EQ(fit_least_squares(std::vector<double>{1.0}, design_matrix(line(), 1), 2).status,
            RegressionStatus::TooFewValues);
}

}  // namespace
}  // namespace zelk
