#include "multivariate/var_predict.h"

#include <gtest/gtest.h>

#include <cmath>

#include "multivariate/data.h"

namespace zelk {
namespace {

using testing::spans;

VarModel model(int k, std::vector<Matrix> phi, Matrix V, std::vector<double> mean) {
  VarModel m;
  m.k = k;
  m.p = static_cast<int>(phi.size());
  m.phi = std::move(phi);
  m.V = std::move(V);
  m.mean = std::move(mean);
  return m;
}

Matrix mat(std::initializer_list<double> rows, int k) {
  Matrix m(k);
  m.a.assign(rows);
  return m;
}

// X(t) - 10 = 0.5 (X(t-1) - 10) + Z, V = 1, last value 12: by hand the
// forecasts are 11 and 10.5 with MSE 1 and 1 + 0.25.
TEST(VarForecast, ArOneByHand) {
  const VarModel m = model(1, {mat({0.5}, 1)}, mat({1.0}, 1), {10.0});
  const std::vector<std::vector<double>> h{{9.0, 12.0}};
  const auto x = spans(h);
  const VarForecast f = forecast_var(m, x, 2);
  EXPECT_DOUBLE_EQ(f.value[0][0], 11.0);
  EXPECT_DOUBLE_EQ(f.value[0][1], 10.5);
  EXPECT_DOUBLE_EQ(f.mse[1](0, 0), 1.25);
  // h = 1: MSE(1) = V, so the bounds are -+ z sqrt(V(i, i)).
  EXPECT_DOUBLE_EQ(f.upper(0, 0, 1.96), 11.0 + 1.96);
}

TEST(VarForecast, OrderZeroForecastsTheMeansWithMseV) {
  const Matrix V = mat({4.0, 1.0, 1.0, 9.0}, 2);
  const VarModel m = model(2, {}, V, {1.5, -2.0});
  const std::vector<std::vector<double>> h{{7, 8, 9}, {1, 2, 3}};
  const auto x = spans(h);
  const VarForecast f = forecast_var(m, x, 4);
  for (int j = 0; j < 4; ++j) {
    EXPECT_DOUBLE_EQ(f.value[0][j], 1.5);
    EXPECT_DOUBLE_EQ(f.value[1][j], -2.0);
    EXPECT_EQ(f.mse[j].a, V.a);
    EXPECT_DOUBLE_EQ(f.rmse[1][j], 3.0);
  }
}

// Psi(j) of a bivariate VAR(1) is PHI^j; MSE(2) = V + PHI V PHI' worked by
// hand for PHI = [[0.5, 0.1], [0, 0.2]], V = I: PHI PHI' = [[0.26, 0.02], [0.02, 0.04]].
TEST(VarForecast, MseFromPsiWeights) {
  const VarModel m = model(2, {mat({0.5, 0.1, 0.0, 0.2}, 2)}, Matrix(2, 1.0), {0, 0});
  const std::vector<std::vector<double>> h{{1.0}, {2.0}};
  const auto x = spans(h);
  const VarForecast f = forecast_var(m, x, 2);
  EXPECT_DOUBLE_EQ(f.value[0][0], 0.7);
  EXPECT_DOUBLE_EQ(f.value[1][0], 0.4);
  EXPECT_NEAR(f.mse[1](0, 0), 1.26, 1e-15);
  EXPECT_NEAR(f.mse[1](0, 1), 0.02, 1e-15);
  EXPECT_NEAR(f.mse[1](1, 1), 1.04, 1e-15);
}

// A differenced series that is white noise with mean 2 is a random walk with
// drift: undifferenced forecasts continue from the last value by 2 a step and
// MSE(j) = j V.
TEST(VarForecast, UndifferencedForecastsContinueTheSeries) {
  const VarModel m = model(1, {}, mat({3.0}, 1), {2.0});
  const std::vector<std::vector<double>> y{{1.0, 4.0, 5.0}};
  const auto x = spans(y);
  const std::vector<int> lags{1};
  const VarForecast f = forecast_var(m, x, 3, lags);
  for (int j = 0; j < 3; ++j) {
    EXPECT_DOUBLE_EQ(f.value[0][j], 5.0 + 2.0 * (j + 1));
    EXPECT_DOUBLE_EQ(f.mse[j](0, 0), 3.0 * (j + 1));
  }
}

TEST(VarResiduals, ArOneByHand) {
  const VarModel m = model(1, {mat({0.5}, 1)}, mat({1.0}, 1), {10.0});
  const std::vector<std::vector<double>> h{{12.0, 9.0, 11.0}};
  const auto x = spans(h);
  const auto z = var_residuals(m, x);
  // Z(2) = -1 - 0.5 * 2 = -2, Z(3) = 1 - 0.5 * (-1) = 1.5.
  EXPECT_EQ(z[0], (std::vector<double>{-2.0, 1.5}));
}

TEST(VarSimulation, SameSeedSameSeriesAndTheFitRecoversTheModel) {
  const VarModel m = model(2, {mat({0.6, 0.2, -0.1, 0.3}, 2)}, mat({1.0, 0.5, 0.5, 2.0}, 2), {5.0, -1.0});
  VarSimulationOptions o;
  o.count = 20000;
  o.seed = 17;
  o.burn_in = 50;
  o.add_mean = true;
  const VarSimulation a = simulate_var(m, o), b = simulate_var(m, o);
  ASSERT_TRUE(a.ok) << a.message;
  EXPECT_EQ(a.series, b.series);
  o.seed = 18;
  EXPECT_NE(simulate_var(m, o).series, a.series);
  const auto x = spans(a.series);
  const VarFit f = fit_var(x, {VarMethod::Burg, 1, false});
  ASSERT_EQ(f.status, VarFitStatus::Ok);
  // Standard errors are about 1/sqrt(20000) = 0.007.
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(f.model.phi[0].a[i], m.phi[0].a[i], 0.03) << i;
    EXPECT_NEAR(f.model.V.a[i], m.V.a[i], 0.06) << i;
  }
  EXPECT_NEAR(f.model.mean[0], 5.0, 0.1);
}

TEST(VarSimulation, RefusesCovarianceThatIsNotPositiveDefinite) {
  VarSimulationOptions o;
  const VarModel singular = model(2, {}, mat({1.0, 1.0, 1.0, 1.0}, 2), {0, 0});
  const VarSimulation r = simulate_var(singular, o);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.series.empty());
  EXPECT_NE(r.message.find("not positive definite"), std::string::npos);
  const VarModel ok = model(1, {mat({0.5}, 1)}, mat({1.0}, 1), {0});
  o.burn_in = 1;  // M must exceed p
  EXPECT_FALSE(simulate_var(ok, o).ok);
}

TEST(IntegrateDifference, UndoesDifferencing) {
  const std::vector<double> y{3, 1, 4, 1, 5, 9, 2, 6};
  std::vector<double> d;
  for (std::size_t t = 2; t < y.size(); ++t) d.push_back(y[t] - y[t - 2]);
  const std::vector<std::vector<double>> dx{d}, start{{3, 1}};
  const auto x = spans(dx), s = spans(start);
  EXPECT_EQ(integrate_difference(x, 2, s)[0], y);
}

}  // namespace
}  // namespace zelk
