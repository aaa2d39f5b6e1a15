#include "arma/acvf.h"

#include <gtest/gtest.h>

#include <vector>

#include "arma/model_acf.h"

namespace zelk {
namespace {

TEST(StepDownTest, BoundaryCoefficientsFail) {
  EXPECT_FALSE(check_causal(std::vector<double>{1.0}));
  EXPECT_TRUE(check_causal(std::vector<double>{0.999}));
  EXPECT_FALSE(check_causal(std::vector<double>{-1.0}));
  // 1 - 0.5z - 0.5z^2 has the zero z = 1.
  EXPECT_FALSE(check_causal(std::vector<double>{0.5, 0.5}));
  EXPECT_TRUE(check_causal(std::vector<double>{1.04414, -0.25027}));
  // 1 - 1.2z + 0.2z^2 = (1 - z)(1 - 0.2z): unit root; |phi(2)| < 1 yet not causal.
  EXPECT_FALSE(check_causal(std::vector<double>{1.2, -0.2}));
  EXPECT_TRUE(check_causal(std::vector<double>{}));
  EXPECT_FALSE(check_invertible(std::vector<double>{1.5}));
  EXPECT_FALSE(check_invertible(std::vector<double>{-1.0}));
  EXPECT_TRUE(check_invertible(std::vector<double>{-0.5}));
  // (1 + 0.5z)(1 + 2z) = 1 + 2.5z + z^2: one zero inside the circle.
  EXPECT_FALSE(check_invertible(std::vector<double>{2.5, 1.0}));
}

TEST(ModelAcvfTest, HandWorkedModels) {
  auto ar1 = model_acvf(AcvfMode::Autocovariance, std::vector<double>{0.5}, {}, 1, 2);
  ASSERT_TRUE(ar1.ok);
  EXPECT_NEAR(ar1.gamma[0], 4.0 / 3, 1e-14);
  EXPECT_NEAR(ar1.gamma[1], 2.0 / 3, 1e-14);
  EXPECT_NEAR(ar1.gamma[2], 1.0 / 3, 1e-14);

  auto ma1 = model_acvf(AcvfMode::Autocovariance, {}, std::vector<double>{0.5}, 2, 2);
  EXPECT_NEAR(ma1.gamma[0], 2.5, 1e-14);
  EXPECT_NEAR(ma1.gamma[1], 1.0, 1e-14);
  EXPECT_EQ(ma1.gamma[2], 0.0);

  // ARMA(1,1): gamma(0) = (1 + 2 phi theta + theta^2)/(1 - phi^2), gamma(1) = (1 + phi theta)(phi + theta)/(1 - phi^2).
  auto arma = model_acvf(AcvfMode::Autocovariance, std::vector<double>{0.5}, std::vector<double>{0.4}, 1, 2);
  EXPECT_NEAR(arma.gamma[0], 2.08, 1e-13);
  EXPECT_NEAR(arma.gamma[1], 1.44, 1e-13);
  EXPECT_NEAR(arma.gamma[2], 0.72, 1e-13);

  EXPECT_FALSE(model_acvf(AcvfMode::Autocovariance, std::vector<double>{1.0}, {}, 1, 3).ok);
}

TEST(ModelAcvfTest, EqualsSumOfPsiProducts) {
  const std::vector<double> phi{0.6, -0.3, 0.2}, theta{0.4, 0.25};
  const double sigma2 = 1.7;
  auto g = model_acvf(AcvfMode::Autocovariance, phi, theta, sigma2, 12);
  auto psi = psi_weights(phi, theta, 400);
  for (int h = 0; h <= 12; ++h) {
    double s = 0;
    for (int j = 0; j + h < 400; ++j) s += psi[j] * psi[j + h];
    EXPECT_NEAR(g.gamma[h], sigma2 * s, 1e-12) << "lag " << h;
  }
}

TEST(WeightsTest, ClosedForms) {
  // ARMA(1,1): psi(j) = (phi + theta) phi^(j-1); MA(1): pi(j) = (-theta)^j.
  auto psi = psi_weights(std::vector<double>{0.5}, std::vector<double>{0.4}, 5);
  EXPECT_DOUBLE_EQ(psi[0], 1);
  EXPECT_DOUBLE_EQ(psi[1], 0.9);
  EXPECT_DOUBLE_EQ(psi[3], 0.9 * 0.25);
  auto pi = pi_weights({}, std::vector<double>{0.5}, 4);
  EXPECT_DOUBLE_EQ(pi[1], -0.5);
  EXPECT_DOUBLE_EQ(pi[2], 0.25);
  EXPECT_DOUBLE_EQ(pi[3], -0.125);
  // AR(2): pi = (1, -phi(1), -phi(2), 0, ...).
  auto pi2 = pi_weights(std::vector<double>{0.3, 0.2}, {}, 4);
  EXPECT_DOUBLE_EQ(pi2[1], -0.3);
  EXPECT_DOUBLE_EQ(pi2[2], -0.2);
  EXPECT_DOUBLE_EQ(pi2[3], 0);
}

TEST(ModelAcfTest, WhiteNoiseAndLongLags) {
  ArmaModel wn;
  wn.sigma2 = 2.5;
  auto a = model_acf_pacf(wn, 5);
  EXPECT_EQ(a.variance, 2.5);
  EXPECT_EQ(a.acf, (std::vector<double>{1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(a.pacf, (std::vector<double>{1, 0, 0, 0, 0, 0}));

  ArmaModel m;
  m.p = 2;
  m.phi[0] = 0.6;
  m.phi[1] = -0.3;
  m.q = 1;
  m.theta[0] = 0.5;
  auto b = model_acf_pacf(m, 40);
  ASSERT_TRUE(b.ok);
  auto psi = psi_weights(std::vector<double>{0.6, -0.3}, std::vector<double>{0.5}, 600);
  double s0 = 0;
  for (double v : psi) s0 += v * v;
  EXPECT_NEAR(b.variance, s0, 1e-12);
  for (int h : {1, 2, 26, 27, 33, 40}) {
    double s = 0;
    for (int j = 0; j + h < 600; ++j) s += psi[j] * psi[j + h];
    EXPECT_NEAR(b.acf[h], s / s0, 1e-13) << h;
  }
}

TEST(ModelAcfTest, PacfOfAr2CutsOff) {
  ArmaModel m;
  m.p = 2;
  m.phi[0] = 0.5;
  m.phi[1] = 0.3;
  auto a = model_acf_pacf(m, 6);
  EXPECT_NEAR(a.pacf[2], 0.3, 1e-13);
  EXPECT_NEAR(a.pacf[1], 0.5 / 0.7, 1e-13);  // rho(1) = phi1 / (1 - phi2)
  for (int h = 3; h <= 6; ++h) EXPECT_NEAR(a.pacf[h], 0, 1e-13);
}

TEST(ModelAcfTest, FractionalNoiseAndFractionalMa) {
  ArmaModel m;
  m.fractional = true;
  m.d = 0.2;
  m.sigma2 = 2;
  auto a = model_acf_pacf(m, 3);
  // Gamma(0.6) / Gamma(0.8)^2, rho(1) = d/(1-d), rho(2) = rho(1)(1+d)/(2-d).
  EXPECT_NEAR(a.variance, 2 * 1.0986855396043997, 1e-12);
  EXPECT_NEAR(a.acf[1], 0.25, 1e-14);
  EXPECT_NEAR(a.acf[2], 0.25 * 1.2 / 1.8, 1e-14);
  EXPECT_NEAR(a.pacf[1], 0.25, 1e-14);

  // (1-B)^0.2 X = (1 + 0.5B) Z: gamma(h) = (1 + theta^2) g(h) + theta (g(h-1) + g(h+1)).
  m.q = 1;
  m.theta[0] = 0.5;
  m.sigma2 = 1;
  auto b = model_acf_pacf(m, 3);
  auto g = [](int h) {
    double r = 1;
    for (int k = 0; k < std::abs(h); ++k) r *= (k + 0.2) / (k + 1 - 0.2);
    return r;
  };
  const double c0 = 1.25 * g(0) + 0.5 * 2 * g(1);
  EXPECT_NEAR(b.variance, c0 * 1.0986855396043997, 1e-12);
  EXPECT_NEAR(b.acf[2], (1.25 * g(2) + 0.5 * (g(1) + g(3))) / c0, 1e-14);
}

TEST(ModelAcfTest, FractionalWeightsInvertEachOther) {
  ArmaModel m;
  m.fractional = true;
  m.d = 0.3;
  m.p = 1;
  m.phi[0] = 0.4;
  m.q = 1;
  m.theta[0] = 0.3;
  auto psi = fractional_weights(m, 50, false);
  auto pi = fractional_weights(m, 50, true);
  // psi * pi = 1 as power series.
  for (int j = 0; j < 50; ++j) {
    double s = 0;
    for (int k = 0; k <= j; ++k) s += psi[k] * pi[j - k];
    EXPECT_NEAR(s, j == 0 ? 1.0 : 0.0, 1e-12) << j;
  }
  EXPECT_NEAR(psi[1], 0.3 + 0.4 + 0.3, 1e-14);  // d + phi + theta
}

}  // namespace
}  // namespace zelk
