#include "arma/std_errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelk {
namespace {

TEST(StdErrorsTest, CholeskyInverseAndItsFailure) {
  std::vector<double> a{4, 2, 2, 3};  // [[4,2],[2,3]]^-1 = [[3,-2],[-2,4]] / 8
  ASSERT_TRUE(cholesky_inverse(a, 2));
  EXPECT_NEAR(a[0], 3.0 / 8, 1e-15);
  EXPECT_NEAR(a[1], -2.0 / 8, 1e-15);
  EXPECT_NEAR(a[3], 4.0 / 8, 1e-15);
  std::vector<double> indefinite{1, 2, 2, 1};
  EXPECT_FALSE(cholesky_inverse(indefinite, 2));
  EXPECT_TRUE(hessian_standard_errors({1, 2, 2, 1}, 2, 100).empty());
  // H = 2 I: se = sqrt(2 * 0.5 / n).
  auto se = hessian_standard_errors({2, 0, 0, 2}, 2, 100);
  EXPECT_NEAR(se[1], 0.1, 1e-15);
}

TEST(StdErrorsTest, ModelCovarianceOfArma11MatchesTheClosedForm) {
  ArmaModel m;
  m.p = m.q = 1;
  const double phi = 0.74457, theta = 0.32128;
  m.phi[0] = phi;
  m.theta[0] = theta;
  const int n = 98;
  auto se = model_standard_errors(m, {1, 2}, n);
  ASSERT_EQ(se.size(), 2u);
  // Brockwell & Davis (1991), Example 8.8.3.
  const double c = (1 + phi * theta) / ((phi + theta) * (phi + theta));
  EXPECT_NEAR(se[0], std::sqrt(c * (1 - phi * phi) * (1 + phi * theta) / n), 1e-10);
  EXPECT_NEAR(se[1], std::sqrt(c * (1 - theta * theta) * (1 + phi * theta) / n), 1e-10);
  // With theta fixed, phi alone: V = 1 - phi^2.
  auto ar_only = model_standard_errors(m, {1}, n);
  EXPECT_NEAR(ar_only[0], std::sqrt((1 - phi * phi) / n), 1e-12);
  // phi = -theta: the information matrix is singular.
  m.theta[0] = -phi;
  EXPECT_TRUE(model_standard_errors(m, {1, 2}, n).empty());
  m.theta[0] = 1.2;  // not invertible
  EXPECT_TRUE(model_standard_errors(m, {1, 2}, n).empty());
}

}  // namespace
}  // namespace zelk
