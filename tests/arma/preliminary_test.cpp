// Preliminary estimators on Lake Huron (98 values, mean subtracted) against
// R 4.2, and their edge cases by hand.
#include "arma/preliminary.h"
#include "support/test_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numeric>
#include <random>
#include <vector>

namespace zelk {
namespace {

std::vector<double> lake_huron() { return test::lake_huron_deviations(); }

PreliminaryResult fit(const std::vector<double>& x, PreliminaryMethod method, int p, int q, int count = 0) {
  PreliminaryOptions o;
  o.method = method;
  o.p = p;
  o.q = q;
  o.acvf_count = count;
  return preliminary_estimate(x, o);
}

TEST(PreliminaryLakeHuron, YuleWalkerAr2) {
  // R: ar.yw(x, aic = FALSE, order.max = 2); sigma2 = g[1] - sum(ar * g[2:3]);
  // se = sqrt(sigma2 * diag(solve(toeplitz(g[1:2]))) / n).
  const auto r = fit(lake_huron(), PreliminaryMethod::YuleWalker, 2, 0);
  ASSERT_EQ(r.failure, PreliminaryFailure::None);
  ASSERT_EQ(r.phi.size(), 2u);
  EXPECT_NEAR(r.phi[0], 1.0538248798, 1e-8);
  EXPECT_NEAR(r.phi[1], -0.2667516276, 1e-8);
  EXPECT_NEAR(r.sigma2, 0.4919930189, 1e-8);
  ASSERT_EQ(r.standard_errors.size(), 2u);
  EXPECT_NEAR(r.standard_errors[0], 0.09735499784, 1e-8);
  EXPECT_NEAR(r.standard_errors[1], 0.09735499784, 1e-8);
  EXPECT_FALSE(r.noncausal);
  // AICC of the fit, R: arima(x, c(2,0,0), fixed = ar, include.mean = FALSE),
  // -2 log L rebuilt at the Yule-Walker sigma2.
  ASSERT_TRUE(r.likelihood_defined);
  EXPECT_NEAR(r.aicc, 213.6054273, 2e-3);
}

TEST(PreliminaryLakeHuron, BurgAr2) {
  // R: ar.burg(x, aic = FALSE, order.max = 2, var.method = 1).
  const auto r = fit(lake_huron(), PreliminaryMethod::Burg, 2, 0);
  ASSERT_EQ(r.phi.size(), 2u);
  EXPECT_NEAR(r.phi[0], 1.0449266514, 1e-8);
  EXPECT_NEAR(r.phi[1], -0.2455983981, 1e-8);
  EXPECT_NEAR(r.sigma2, 0.4788715421, 1e-8);
}

TEST(PreliminaryLakeHuron, YuleWalkerMinimumAiccPicksOrderTwo) {
  // AICC(0..4) from R as in YuleWalkerAr2; order 2 is the minimum.
  const auto r = fit(lake_huron(), PreliminaryMethod::YuleWalkerAicc, 0, 0);
  EXPECT_EQ(r.p, 2);
  ASSERT_GE(r.search.aicc.size(), 5u);
  const double expected[] = {333.3114137, 217.4720483, 213.6054273, 214.5759497, 216.4968381};
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(r.search.aicc[k], expected[k], 2e-3) << "order " << k;
  EXPECT_EQ(r.search.aicc.size(), 27u);  // orders 0..26
  EXPECT_NEAR(r.phi[0], 1.0538248798, 1e-8);
}

TEST(PreliminaryLakeHuron, HannanRissanenArma11) {
  // Long AR order min(22, 49, 54) = 22. R: a <- ar.yw(x, aic = FALSE,
  // order.max = 22)$ar; z(t) = x(t) - sum a x(t-1..t-22) for t > 22;
  // lm(x[t] ~ 0 + x[t-1] + z[t-1]) over t = 24..98; sigma2 = RSS / 75,
  // se = sqrt(diag(solve(crossprod(A))) * sigma2).
  const auto r = fit(lake_huron(), PreliminaryMethod::HannanRissanen, 1, 1);
  ASSERT_EQ(r.failure, PreliminaryFailure::None);
  EXPECT_EQ(r.long_order, 22);
  EXPECT_EQ(hannan_rissanen_long_order(1, 1, 60), 22);
  EXPECT_EQ(hannan_rissanen_long_order(20, 20, 1000), 54);
  EXPECT_NEAR(r.phi[0], 0.6960771500, 1e-8);
  EXPECT_NEAR(r.theta[0], 0.3787969217, 1e-8);
  EXPECT_NEAR(r.sigma2, 0.4947602602, 1e-8);
  ASSERT_EQ(r.standard_errors.size(), 2u);
  EXPECT_NEAR(r.standard_errors[0], 0.07800321135, 1e-8);
  EXPECT_NEAR(r.standard_errors[1], 0.14652649016, 1e-8);
}

TEST(PreliminaryLakeHuron, InnovationsArma11) {
  // m = 17 (the automatic count 18 for n = 98, p = q = 1). theta(17, .) and
  // v(17) from R's Cholesky factor of toeplitz(acvf(0..17)) written as L D L';
  // phi = theta(17,2)/theta(17,1), theta = theta(17,1) - phi.
  const auto x = lake_huron();
  const int count = innovations_acvf_count(0, 1, 1, static_cast<int>(x.size()));
  ASSERT_EQ(count, 18);
  EXPECT_EQ(innovations_acvf_count(80, 1, 1, 98), 18);  // m+1 >= 76: automatic
  EXPECT_EQ(innovations_acvf_count(74, 1, 1, 98), 75);
  EXPECT_EQ(innovations_acvf_count(30, 1, 1, 30), 18);  // m+1 > n
  const auto r = fit(x, PreliminaryMethod::Innovations, 1, 1, count);
  ASSERT_EQ(r.failure, PreliminaryFailure::None);
  EXPECT_EQ(r.acvfs_used, 17);
  EXPECT_NEAR(r.phi[0], 0.7234364976, 1e-7);
  EXPECT_NEAR(r.theta[0], 0.3596418057, 1e-7);
  EXPECT_NEAR(r.sigma2, 0.4531523769, 1e-8);
  EXPECT_EQ(r.standard_errors.size(), 2u);
}

TEST(PreliminaryInnovations, Ma1ByHand) {
  // x = 1, -1, 2, 0, -2: gamma(0) = 2, gamma(1) = -0.6; theta(1,1) = -0.3,
  // v(1) = 2 - 0.09 * 2 = 1.82; for an MA(1) the asymptotic variance of
  // theta(m,1) is psi(0)^2 / n = 1/5.
  const std::vector<double> gamma = {2.0, -0.6};
  const auto r = innovations_fit(gamma, 0, 1, 5);
  ASSERT_EQ(r.failure, PreliminaryFailure::None);
  EXPECT_NEAR(r.theta[0], -0.3, 1e-12);
  EXPECT_NEAR(r.sigma2, 1.82, 1e-12);
  ASSERT_EQ(r.standard_errors.size(), 1u);
  EXPECT_NEAR(r.standard_errors[0], std::sqrt(0.2), 1e-6);
}

// x(t) = 0.5 x(t-1) + z(t) + 0.4 z(t-1) for 4000 values, fixed seed.
std::vector<double> simulated_arma11() {
  std::mt19937_64 gen(12345);
  std::normal_distribution<double> z(0.0, 1.0);
  std::vector<double> x(4000);
  double prev_x = 0, prev_z = 0;
  for (int t = -200; t < 4000; ++t) {
    const double zt = z(gen), xt = 0.5 * prev_x + zt + 0.4 * prev_z;
    prev_x = xt;
    prev_z = zt;
    if (t >= 0) x[t] = xt;
  }
  return x;
}

TEST(PreliminaryMixed, BothMethodsRecoverASimulatedArma11) {
  const auto x = simulated_arma11();
  for (auto method : {PreliminaryMethod::HannanRissanen, PreliminaryMethod::Innovations}) {
    const auto r = fit(x, method, 1, 1, innovations_acvf_count(0, 1, 1, 4000));
    ASSERT_EQ(r.failure, PreliminaryFailure::None);
    // Within about three of their own standard errors of the truth.
    ASSERT_EQ(r.standard_errors.size(), 2u);
    EXPECT_NEAR(r.phi[0], 0.5, 3 * r.standard_errors[0]);
    EXPECT_NEAR(r.theta[0], 0.4, 3 * r.standard_errors[1]);
    EXPECT_NEAR(r.sigma2, 1.0, 0.08);
    EXPECT_LT(r.standard_errors[0], 0.1);
  }
}

TEST(PreliminaryAr, NonCausalFitIsReplacedByAllPointZeroZeroOne) {
  // x alternates in blocks of two: rho(1) ~ 0 and rho(2) ~ -1, so the
  // innovations phi = theta(m,2)/theta(m,1) is far outside the unit circle.
  std::vector<double> x;
  for (int t = 0; t < 40; ++t) x.push_back((t / 2) % 2 == 0 ? 1.0 + 0.01 * t : -1.0);
  const auto r = fit(x, PreliminaryMethod::Innovations, 1, 1, innovations_acvf_count(3, 1, 1, 40));
  ASSERT_EQ(r.failure, PreliminaryFailure::None);
  ASSERT_TRUE(r.noncausal);
  EXPECT_EQ(r.phi[0], 0.001);
  EXPECT_EQ(r.theta[0], 0.001);
  EXPECT_TRUE(r.likelihood_defined);
  EXPECT_TRUE(std::isfinite(r.aicc));
}

TEST(PreliminaryAr, SearchLimitsAndDegenerateSeries) {
  // n <= 3: the search range is empty and the white-noise model stays.
  const std::vector<double> three = {1.0, -2.0, 0.5};
  const auto r3 = fit(three, PreliminaryMethod::YuleWalkerAicc, 0, 0);
  EXPECT_EQ(r3.failure, PreliminaryFailure::None);
  EXPECT_EQ(r3.p, 0);
  EXPECT_EQ(r3.search.aicc.size(), 1u);
  EXPECT_TRUE(r3.likelihood_defined);
  EXPECT_TRUE(std::isfinite(r3.aicc));
  // Orders never pass n - 3.
  std::vector<double> ten = {0.3, 1.2, -0.7, 0.9, 2.1, -1.4, 0.2, 0.8, -0.5, 1.1};
  const auto r10 = fit(ten, PreliminaryMethod::BurgAicc, 0, 0);
  EXPECT_EQ(r10.search.aicc.size(), 8u);  // orders 0..7
  EXPECT_LE(r10.p, 7);
  // A series of zeros: no AICC at all, nothing infinite or NaN reported.
  const std::vector<double> zeros(20, 0.0);
  for (auto m : {PreliminaryMethod::YuleWalkerAicc, PreliminaryMethod::BurgAicc, PreliminaryMethod::YuleWalker}) {
    const auto r = fit(zeros, m, 2, 0);
    EXPECT_FALSE(r.likelihood_defined);
    for (double v : r.phi) EXPECT_EQ(v, 0.0);
  }
  // Too few values are refused, not computed.
  EXPECT_EQ(fit(three, PreliminaryMethod::YuleWalker, 5, 0).failure, PreliminaryFailure::TooFewData);
  EXPECT_EQ(fit(three, PreliminaryMethod::HannanRissanen, 1, 1).failure, PreliminaryFailure::TooFewData);
}

}  // namespace
}  // namespace zelk
