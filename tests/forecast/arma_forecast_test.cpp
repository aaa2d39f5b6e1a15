#include "forecast/arma_forecast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/test_data.h"

namespace zelk {
namespace {

std::vector<double> lake_huron_centred() {
  std::vector<double> y = test::read_series("lake_huron.dat");
  double mean = 0;
  for (double v : y) mean += v;
  mean /= static_cast<double>(y.size());
  for (double& v : y) v -= mean;
  return y;
}

TEST(ArmaPredict, WhiteNoisePredictsZeroWithTheNoiseVariance) {
  const std::vector<double> x{1.5, -0.3, 2.0, 0.7};
  const Predictions f = arma_predict(x, {}, {}, 2.5, 3);
  ASSERT_TRUE(f.ok);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(f.prediction[k], 0.0);
    EXPECT_NEAR(f.mse[k], 2.5, 1e-12);
  }
}

TEST(ArmaPredict, Ar1DecaysGeometricallyWithTheClosedFormError) {
  // xhat(n+k) = 0.5^k x(n), MSE(k) = sigma2 (1 - 0.25^k) / 0.75.
  std::vector<double> x(200);
  for (int t = 0; t < 200; ++t) x[t] = std::sin(0.3 * t) + 0.01 * t;
  const double phi[] = {0.5};
  const Predictions f = arma_predict(x, phi, {}, 2.0, 6);
  ASSERT_TRUE(f.ok);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_NEAR(f.prediction[k - 1], std::pow(0.5, k) * x.back(), 1e-12);
    EXPECT_NEAR(f.mse[k - 1], 2.0 * (1 - std::pow(0.25, k)) / 0.75, 1e-10);
  }
}

TEST(ArmaPredict, Arma21OnLakeHuronAgreesWithAnIndependentKalmanFilter) {
  // R 4.2: predict(arima(x, order = c(2,0,1), include.mean = FALSE,
  //   fixed = c(0.5, 0.2, 0.4), transform.pars = FALSE), n.ahead = 5),
  // x the mean-corrected series; se divided by sqrt(sigma2).
  const std::vector<double> x = lake_huron_centred();
  const double phi[] = {0.5, 0.2}, theta[] = {0.4};
  const Predictions f = arma_predict(x, phi, theta, 1.0, 5);
  ASSERT_TRUE(f.ok);
  const double pred[] = {0.715587678935, 0.548977512937, 0.417606292255, 0.318598648715, 0.242820582809};
  const double se[] = {1.00000000000, 1.34536240471, 1.49415527975, 1.57718895507, 1.62290826913};
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(f.prediction[k], pred[k], 1e-6);
    EXPECT_NEAR(std::sqrt(f.mse[k]), se[k], 1e-6);
  }
}

TEST(ArmaPredict, ShortMa1SeriesKeepsTheFiniteSampleError) {
  // R 4.2: predict(arima(x[1:10], order = c(0,0,1), include.mean = FALSE,
  //   fixed = 0.5, transform.pars = FALSE), n.ahead = 3).
  const std::vector<double> x = lake_huron_centred();
  const std::vector<double> x10(x.begin(), x.begin() + 10);
  const double theta[] = {0.5};
  // Tolerance 0: the coefficients never count as settled, so the recursion is exact.
  const Predictions f = arma_predict(x10, {}, theta, 1.0, 3, 0.0);
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.prediction[0], 0.739147193958, 1e-10);
  EXPECT_NEAR(f.prediction[1], 0.0, 1e-14);
  EXPECT_NEAR(std::sqrt(f.mse[0]), 1.00000008941, 1e-10);
  EXPECT_NEAR(std::sqrt(f.mse[2]), std::sqrt(1.25), 1e-12);
  // The usual settling tolerance moves them by about that much only.
  const Predictions g = arma_predict(x10, {}, theta, 1.0, 3);
  EXPECT_NEAR(g.prediction[0], 0.739147193958, 1e-5);
  EXPECT_NEAR(g.mse[2], 1.25, 1e-5);
}

TEST(ArmaPredict, NonInvertibleMaForecastsLikeItsInvertibleTwin) {
  // theta = 2 with sigma2 = 1 has the autocovariance of theta = 0.5 with sigma2 = 4.
  const std::vector<double> x = lake_huron_centred();
  const double phi[] = {0.6}, slow[] = {2.0}, fast[] = {0.5};
  const Predictions a = arma_predict(x, phi, slow, 1.0, 4);
  const Predictions b = arma_predict(x, phi, fast, 4.0, 4);
  ASSERT_TRUE(a.ok && b.ok);
  for (int k = 0; k < 4; ++k) {
    // Both sides settle their coefficients to 1e-5.
    EXPECT_NEAR(a.prediction[k], b.prediction[k], 1e-5);
    EXPECT_NEAR(a.mse[k], b.mse[k], 4e-5);
  }
}

TEST(ArmaPredict, SeriesNoLongerThanTheOrdersUsesTheExactPredictor) {
  // One value of an AR(2): P_1 X(2) = rho(1) x(1), rho(1) = phi1 / (1 - phi2).
  const double phi[] = {0.5, 0.2}, x[] = {2.0};
  const Predictions f = arma_predict(x, phi, {}, 1.0, 2);
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.prediction[0], 2.0 * 0.5 / 0.8, 1e-12);
}

TEST(ArmaPredict, RefusesNonCausalModelsAndEmptyInput) {
  const double phi[] = {1.2}, x[] = {1.0, 2.0};
  EXPECT_FALSE(arma_predict(x, phi, {}, 1.0, 3).ok);
  EXPECT_FALSE(arma_predict({}, {}, {}, 1.0, 3).ok);
  EXPECT_FALSE(arma_predict(x, {}, {}, 1.0, 0).ok);
}

TEST(FractionalPredict, ZeroDMatchesTheArmaPredictor) {
  const std::vector<double> x = lake_huron_centred();
  const double phi[] = {0.7};
  const Predictions a = arma_predict(x, phi, {}, 1.0, 5);
  const Predictions f = fractional_predict(x, phi, {}, 0.0, 200, 1.0, 5);
  ASSERT_TRUE(f.ok);
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(f.prediction[k], a.prediction[k], 1e-9);
    EXPECT_NEAR(f.mse[k], a.mse[k], 1e-9);
  }
}

TEST(FractionalPredict, LongMemoryRaisesTheErrorTowardsTheVariance) {
  // For (1-B)^-d Z the k-step error grows to gamma(0) = Gamma(1-2d)/Gamma(1-d)^2.
  const std::vector<double> x = lake_huron_centred();
  const Predictions f = fractional_predict(x, {}, {}, 0.3, 50, 1.0, 40);
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.mse[0], 1.0, 0.02);
  for (int k = 1; k < 40; ++k) EXPECT_GE(f.mse[k], f.mse[k - 1] - 1e-12);
  const double gamma0 = std::tgamma(0.4) / (std::tgamma(0.7) * std::tgamma(0.7));
  EXPECT_LT(f.mse.back(), gamma0);
  EXPECT_GT(f.mse.back(), 1.0 + 0.09 + 0.0);  // at least psi(0)^2 + psi(1)^2 = 1 + d^2
}

TEST(ForecastVarianceFactors, ClosedFormsByHand) {
  // AR(1) 0.5: 1 + 0.25 + ... ; random walk: k; lag 12: one more every 12 steps.
  const double phi[] = {0.5};
  const std::vector<double> ar = forecast_variance_factors(4, phi, {}, {});
  for (int k = 1; k <= 4; ++k) EXPECT_NEAR(ar[k - 1], (1 - std::pow(0.25, k)) / 0.75, 1e-14);
  const int one[] = {1};
  const std::vector<double> rw = forecast_variance_factors(5, {}, {}, one);
  for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(rw[k - 1], k);
  const int twelve[] = {12};
  const std::vector<double> s = forecast_variance_factors(25, {}, {}, twelve);
  EXPECT_DOUBLE_EQ(s[11], 1);
  EXPECT_DOUBLE_EQ(s[12], 2);
  EXPECT_DOUBLE_EQ(s[24], 3);
  // MA(1) 0.4 twice differenced: psi = 1, 2.4, 3.8 -> F(3) = 1 + 5.76 + 14.44.
  const double theta[] = {0.4};
  const int lags[] = {1, 1};
  EXPECT_NEAR(forecast_variance_factors(3, {}, theta, lags)[2], 21.2, 1e-12);
}

TEST(ForecastVarianceFactors, FractionalWeightsAreThoseOfOneMinusBToTheMinusD) {
  // psi = 1, d, d(1+d)/2: d = 0.4 gives 1 + 0.16 + 0.0784.
  const std::vector<double> F = forecast_variance_factors(3, {}, {}, {}, true, 0.4);
  EXPECT_NEAR(F[2], 1.2384, 1e-14);
  EXPECT_TRUE(forecast_variance_factors(0, {}, {}, {}).empty());
}

}  // namespace
}  // namespace zelk
