#include "arma/whittle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "arma/likelihood.h"

namespace zelk {
namespace {

// Fractional noise by the Durbin-Levinson recursion on its exact ACF
// (Hosking 1984): each value drawn from its conditional distribution.
std::vector<double> fractional_noise(int n, double d, unsigned seed) {
  std::vector<double> rho(n);
  rho[0] = 1;
  for (int h = 0; h + 1 < n; ++h) rho[h + 1] = rho[h] * (h + d) / (h + 1 - d);
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> z;
  std::vector<double> x(n), phi, prev;
  double v = 1;
  x[0] = z(rng);
  for (int t = 1; t < n; ++t) {
    double s = rho[t];
    for (int j = 1; j < t; ++j) s -= prev[j - 1] * rho[t - j];
    const double a = s / v;
    phi.assign(t, 0.0);
    for (int j = 1; j < t; ++j) phi[j - 1] = prev[j - 1] - a * prev[t - j - 1];
    phi[t - 1] = a;
    v *= 1 - a * a;
    double mean = 0;
    for (int j = 1; j <= t; ++j) mean += phi[j - 1] * x[t - j];
    x[t] = mean + std::sqrt(v) * z(rng);
    prev = phi;
  }
  return x;
}

TEST(WhittleTest, CloseToTheExactLikelihoodForAnAr1) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> z;
  std::vector<double> x(512);
  double prev = 0;
  for (double& v : x) v = prev = 0.5 * prev + z(rng);
  const std::vector<double> phi{0.5};
  const auto I = whittle_periodogram(x);
  ASSERT_EQ(I.size(), 256u);
  const WhittleValue w = whittle_value(I, 512, phi, {}, 0.0);
  ASSERT_TRUE(w.ok);
  const auto exact = arma_likelihood(x, phi, {});
  EXPECT_NEAR(w.minus2_log_l, minus2_log_likelihood(exact, 512, exact.S / 512), 0.01 * w.minus2_log_l);
  EXPECT_NEAR(w.sigma2, exact.S / 512, 0.1);
  EXPECT_FALSE(whittle_value(I, 512, phi, {}, 0.5).ok);
  EXPECT_FALSE(whittle_value(I, 512, std::vector<double>{1.0}, {}, 0.0).ok);
}

TEST(WhittleTest, PatternSearchRecoversD) {
  const auto x = fractional_noise(1024, 0.3, 11);
  ArmaModel m;
  m.fractional = true;
  ArmaEstimation e;
  e.whittle_step = 0.1;
  ArmaFit fit;
  ASSERT_TRUE(fit_whittle(x, m, e, fit).ok);
  // Steps 0.1 and 0.05 only: d lies on the grid of 0.05.
  EXPECT_NEAR(std::remainder(m.d, 0.05), 0.0, 1e-12);
  EXPECT_NEAR(m.d, 0.3, 0.1);
  e.whittle_step = 0.01;
  fit_whittle(x, m, e, fit);
  EXPECT_NEAR(m.d, 0.3, 0.06);
  // Unit process variance: innovation variance Gamma(1-d)^2 / Gamma(1-2d) = 1 / 1.3164561.
  EXPECT_NEAR(m.sigma2, 1 / 1.3164561, 0.1);
  EXPECT_EQ(fit.aicc, fit.minus2_log_likelihood + 2 + 2);  // k = 0, d estimated

  ArmaModel fixed = m;
  fixed.d = 0.1;
  e.estimate_d = false;
  fixed.p = 1;
  fit_whittle(x, fixed, e, fit);
  EXPECT_EQ(fixed.d, 0.1);
  EXPECT_GT(fixed.phi[0], 0.1);  // the AR term stands in for the missing memory
}

}  // namespace
}  // namespace zelk

#include "arma/fractional_residuals.h"

namespace zelk {
namespace {

TEST(FractionalResidualsTest, ReduceToAr1WhenDIsZero) {
  ArmaModel m;
  m.fractional = true;
  m.d = 0;
  m.p = 1;
  m.phi[0] = 0.6;
  m.sigma2 = 2;
  const std::vector<double> x{1.0, -0.5, 2.0, 0.3, 0.1};
  const auto r = fractional_residuals(m, x);
  ASSERT_EQ(r.residuals.size(), 5u);
  EXPECT_NEAR(r.residuals[0], 1.0, 1e-12);
  EXPECT_NEAR(r.rescaled_residuals[0], std::sqrt(1 - 0.36), 1e-12);  // r(0) = 1 / (1 - phi^2)
  for (int t = 1; t < 5; ++t) {
    EXPECT_NEAR(r.residuals[t], x[t] - 0.6 * x[t - 1], 1e-12);
    EXPECT_NEAR(r.rescaled_residuals[t], r.residuals[t], 1e-12);
  }
}

}  // namespace
}  // namespace zelk
