#include "arma/likelihood.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "arma/acvf.h"
#include "arma/ml_fit.h"

namespace zelk {
namespace {

std::vector<double> wiggle(int n) {
  std::vector<double> x(n);
  for (int t = 0; t < n; ++t) x[t] = std::sin(0.7 * t) + 0.5 * std::cos(2.3 * t + 1) + 0.01 * t;
  return x;
}

// -2 ln L from the dense covariance matrix: n ln 2pi + ln det G + x' G^-1 x.
double dense_minus2(const std::vector<double>& x, const std::vector<double>& phi, const std::vector<double>& theta,
                    double sigma2) {
  const int n = static_cast<int>(x.size());
  auto g = model_acvf(AcvfMode::Autocovariance, phi, theta, sigma2, n).gamma;
  std::vector<double> L(n * n, 0.0);
  for (int j = 0; j < n; ++j)
    for (int i = j; i < n; ++i) {
      double s = g[i - j];
      for (int k = 0; k < j; ++k) s -= L[i * n + k] * L[j * n + k];
      L[i * n + j] = i == j ? std::sqrt(s) : s / L[j * n + j];
    }
  double logdet = 0, quad = 0;
  std::vector<double> y(n);
  for (int i = 0; i < n; ++i) {
    double s = x[i];
    for (int k = 0; k < i; ++k) s -= L[i * n + k] * y[k];
    y[i] = s / L[i * n + i];
    quad += y[i] * y[i];
    logdet += 2 * std::log(L[i * n + i]);
  }
  return n * std::log(kTwoPi) + logdet + quad;
}

TEST(LikelihoodTest, AgreesWithDenseGaussianLikelihood) {
  const auto x = wiggle(30);
  struct Case {
    std::vector<double> phi, theta;
  };
  // Includes a non-invertible MA part and an MA root on the unit circle:
  // the innovations likelihood stays exact for both.
  for (const Case& c : std::vector<Case>{{{0.5, -0.3}, {0.4}},
                                         {{0.8}, {-0.2, 0.3}},
                                         {{}, {0.6, 0.2}},
                                         {{}, {1.5}},
                                         {{}, {1.0}},
                                         {{0.3, 0.1, -0.2}, {}},
                                         {{0.4, -0.2, 0.1}, {0.5}},
                                         {{0.6}, {0.3, -0.2, 0.25}},
                                         {{}, {}}}) {
    auto r = arma_likelihood(x, c.phi, c.theta, {0.0, true});
    ASSERT_TRUE(r.causal);
    for (double sigma2 : {0.7, 1.3})
      EXPECT_NEAR(minus2_log_likelihood(r, 30, sigma2), dense_minus2(x, c.phi, c.theta, sigma2), 1e-9)
          << c.phi.size() << "," << c.theta.size();
  }
}

TEST(LikelihoodTest, ResidualsAndProfileIdentities) {
  const auto x = wiggle(40);
  auto r = arma_likelihood(x, std::vector<double>{0.5}, std::vector<double>{0.3});
  // At sigma2 = S/n, -2 ln L = n (l + ln 2pi + 1).
  EXPECT_NEAR(minus2_log_likelihood(r, 40, r.S / 40), 40 * (r.reduced + std::log(kTwoPi) + 1), 1e-10);
  double s = 0;
  for (double w : r.rescaled_residuals) s += w * w;
  EXPECT_NEAR(s, r.S, 1e-12);
  // The first prediction is 0: e(1) = x(1).
  EXPECT_EQ(r.residuals[0], x[0]);
  // AR(1) beyond the first value: e(t) = x(t) - phi x(t-1), r = 1.
  auto ar = arma_likelihood(x, std::vector<double>{0.5}, {});
  EXPECT_NEAR(ar.residuals[5], x[5] - 0.5 * x[4], 1e-14);
  EXPECT_NEAR(ar.rescaled_residuals[5], ar.residuals[5], 1e-14);
}

TEST(LikelihoodTest, SettledRecursionMatchesTheFullOne) {
  const auto x = wiggle(3000);
  const std::vector<double> phi{0.6, -0.2}, theta{0.7};
  auto settled = arma_likelihood(x, phi, theta, {0.00001, false});
  auto full = arma_likelihood(x, phi, theta, {0.0, false});
  EXPECT_LT(settled.steps, 200);
  EXPECT_EQ(full.steps, 3000);
  // Freezing at a change of 1e-5 leaves r(t) about 1e-5 above its limit.
  EXPECT_NEAR(settled.reduced, full.reduced, 3e-5);
  auto tight = arma_likelihood(x, phi, theta, {1e-12, false});
  EXPECT_NEAR(tight.reduced, full.reduced, 1e-10);
}

TEST(LikelihoodTest, DegenerateInputs) {
  EXPECT_FALSE(arma_likelihood(wiggle(10), std::vector<double>{1.0}, {}).causal);
  auto zero = arma_likelihood(std::vector<double>(20, 0.0), std::vector<double>{0.5}, {});
  EXPECT_TRUE(zero.degenerate);
  EXPECT_TRUE(std::isinf(aicc(10, 5, 3)));
}

// A zero series and a series whose squares overflow both leave l undefined;
// only the second is an overflow, and the messages must tell them apart.
TEST(LikelihoodTest, DegenerateSumsSayWhy) {
  const std::vector<double> zeros(20, 0.0);
  const auto z = arma_likelihood(zeros, std::vector<double>{0.5}, {});
  EXPECT_TRUE(z.degenerate);
  EXPECT_FALSE(z.overflow);
  std::vector<double> outlier(20, 1.0);
  outlier[7] = 1e300;  // (1e300)^2 is beyond a double
  const auto o = arma_likelihood(outlier, std::vector<double>{0.5}, {});
  EXPECT_TRUE(o.degenerate);
  EXPECT_TRUE(o.overflow);
  const auto fine = arma_likelihood(std::vector<double>{1, -1, 2, 0.5, -0.3}, std::vector<double>{0.5}, {});
  EXPECT_FALSE(fine.degenerate);
  EXPECT_FALSE(fine.overflow);
}

TEST(RelationsTest, TargetFollowsItsFactors) {
  ArmaModel m;
  m.p = 13;
  m.phi[0] = 0.4;
  m.phi[11] = 0.5;
  m.q = 3;
  m.theta[0] = 0.3;
  m.theta[1] = -0.5;
  m.relation_count = 2;
  m.relation_target = {13, 16};
  m.relation_first = {1, 14};
  m.relation_second = {12, 15};
  apply_relations(m);
  EXPECT_DOUBLE_EQ(m.phi[12], -0.2);
  EXPECT_DOUBLE_EQ(m.theta[2], -0.15);
}

}  // namespace
}  // namespace zelk
