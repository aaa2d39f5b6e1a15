#include "multivariate/var.h"

#include <gtest/gtest.h>

#include <cmath>

#include "multivariate/data.h"
#include "numeric/relative.h"

namespace zelk {
namespace {

using testing::read_columns;
using testing::spans;

// Log returns of DAX and SMI, differenced at lag 1 as the Transform menu does.
std::vector<std::vector<double>> dax_smi_returns() {
  const auto cols = read_columns("eu_stock_markets.dat");
  std::vector<std::vector<double>> r(2);
  for (int i = 0; i < 2; ++i)
    for (std::size_t t = 1; t < cols[i].size(); ++t) r[i].push_back(std::log(cols[i][t]) - std::log(cols[i][t - 1]));
  return r;
}

// R 4.2: ar.yw(diff(log(EuStockMarkets[, 1:2])), order.max = p, aic = FALSE).
// R reports var.pred scaled by n / (n - k (p + 1)); V here is that times
// (n - k (p + 1)) / n, the recursion's own V(p).
TEST(VarYuleWalker, EuStocksMatchAnIndependentTool) {
  const auto cols = dax_smi_returns();
  const auto x = spans(cols);
  const VarFit f1 = fit_var(x, {VarMethod::YuleWalker, 1, false});
  ASSERT_EQ(f1.status, VarFitStatus::Ok) << f1.message;
  ASSERT_EQ(f1.model.p, 1);
  const Matrix& phi = f1.model.phi[0];
  EXPECT_NEAR(phi(0, 0), 0.047050, 5e-7);
  EXPECT_NEAR(phi(0, 1), -0.075206, 5e-7);
  EXPECT_NEAR(phi(1, 0), 0.038630, 5e-7);
  EXPECT_NEAR(phi(1, 1), 0.017411, 5e-7);
  EXPECT_REL(f1.model.V(0, 0), 0.0001058055781, 1e-8);
  EXPECT_REL(f1.model.V(0, 1), 6.701850541e-05, 1e-8);
  EXPECT_REL(f1.model.V(1, 1), 8.52428817e-05, 1e-8);

  const VarFit f2 = fit_var(x, {VarMethod::YuleWalker, 2, false});
  ASSERT_EQ(f2.status, VarFitStatus::Ok);
  const double phi1[2][2] = {{0.04052994749, -0.06808646391}, {0.03663190736, 0.0203336061}};
  const double phi2[2][2] = {{0.01815439375, -0.06570708278}, {-0.01842410949, -0.004694742676}};
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) {
      EXPECT_NEAR(f2.model.phi[0](i, j), phi1[i][j], 1e-9);
      EXPECT_NEAR(f2.model.phi[1](i, j), phi2[i][j], 1e-9);
    }
  EXPECT_REL(f2.model.V(0, 1), 6.695317534e-05, 1e-8);
}

// k = 1 is the univariate fit. Coefficients from R 4.2 ar.yw / ar.burg
// (var.method = 1) of LakeHuron; AICC = -2 ln L + 2 (p + 1) n / (n - p - 2)
// with the exact Gaussian likelihood of the fitted AR(p), computed in R from
// the model's Toeplitz covariance matrix (ARMAacf, determinant, solve).
TEST(VarOneComponent, ReducesToUnivariateYuleWalkerAndBurg) {
  const auto cols = read_columns("lake_huron.dat");
  const auto x = spans(cols);
  struct Case {
    VarMethod method;
    int p;
    double phi[2];
    double sigma2, aicc;
  };
  const Case cases[] = {
      {VarMethod::YuleWalker, 1, {0.8319112104, 0}, 0.5296833991, 217.4720483},
      {VarMethod::YuleWalker, 2, {1.05382488, -0.2667516276}, 0.4919930189, 213.6054273},
      {VarMethod::Burg, 1, {0.8388953077, 0}, 0.5096105216, 217.3921684},
      {VarMethod::Burg, 2, {1.044926651, -0.2455983981}, 0.4788715421, 213.5485923},
  };
  for (const Case& c : cases) {
    const VarFit f = fit_var(x, {c.method, c.p, false});
    ASSERT_EQ(f.status, VarFitStatus::Ok);
    for (int l = 0; l < c.p; ++l) EXPECT_NEAR(f.model.phi[l](0, 0), c.phi[l], 1e-9) << c.p;
    EXPECT_REL(f.model.V(0, 0), c.sigma2, 1e-9);
    // The likelihood constant is written 1.837877, ln(2 pi) to 7 digits.
    EXPECT_NEAR(f.model.aicc, c.aicc, 1e-4);
  }
}

// Order 0 by hand: n (1 + 1.837877) + n ln(gamma(0)) + 2n/(n - 2), gamma(0)
// with divisor n, once the scale correction n ln s^2 = n ln gamma(0) is added.
TEST(VarOneComponent, WhiteNoiseAicc) {
  const std::vector<std::vector<double>> cols{{1, 3, 2, 5, 4, 6}};
  const auto x = spans(cols);
  const VarFit f = fit_var(x, {VarMethod::YuleWalker, 0, false});
  ASSERT_EQ(f.status, VarFitStatus::Ok);
  const double n = 6, gamma0 = 17.5 / 6;  // mean 3.5, squares 6.25 .25 2.25 2.25 .25 6.25
  EXPECT_NEAR(f.model.aicc, n * 2.837877 + n * std::log(gamma0) + 2 * n / (n - 2), 1e-12);
  EXPECT_EQ(f.model.p, 0);
  EXPECT_NEAR(f.model.V(0, 0), gamma0, 1e-14);
}

TEST(VarOrderSearch, SearchesTheOrdersBelowTheLimit) {
  EXPECT_EQ(var_order_limit(10, 2), 4);
  EXPECT_EQ(var_order_limit(1000, 1), 21);
  EXPECT_EQ(var_order_limit(1000, 5), 21);
  EXPECT_EQ(var_order_limit(20, 5), 3);
  const std::vector<std::vector<double>> cols{{1, 3, 2, 5, 4, 6, 5, 8, 7, 9}, {2, 1, 4, 3, 3, 6, 5, 5, 8, 7}};
  const auto x = spans(cols);
  for (VarMethod m : {VarMethod::YuleWalker, VarMethod::Burg}) {
    const VarFit f = fit_var(x, {m, 0, true});
    ASSERT_EQ(f.status, VarFitStatus::Ok) << f.message;
    ASSERT_EQ(f.aicc.size(), 4u);
    int best = 0;
    for (int j = 1; j < 4; ++j)
      if (f.aicc[j] < f.aicc[best]) best = j;
    EXPECT_EQ(f.model.p, best);
    EXPECT_EQ(f.model.aicc, f.aicc[best]);
  }
  EXPECT_EQ(fit_var(x, {VarMethod::YuleWalker, 4, false}).status, VarFitStatus::BadInput);
}

TEST(VarOrderSearch, EuStocksPicksTheSameOrderBothWays) {
  const auto cols = dax_smi_returns();
  const auto x = spans(cols);
  const VarFit yw = fit_var(x, {VarMethod::YuleWalker, 0, true});
  const VarFit bg = fit_var(x, {VarMethod::Burg, 0, true});
  ASSERT_EQ(yw.status, VarFitStatus::Ok);
  ASSERT_EQ(bg.status, VarFitStatus::Ok);
  ASSERT_EQ(yw.aicc.size(), 21u);
  // The two estimators differ by O(1/n) on 1859 points.
  for (int j = 0; j < 21; ++j) EXPECT_NEAR(yw.aicc[j], bg.aicc[j], 2.0) << j;
  EXPECT_EQ(yw.aicc[0], bg.aicc[0]);
}

TEST(VarFitFailure, CollinearOrConstantComponentsGiveNumericalDifficulties) {
  const std::vector<double> a{1, 3, 2, 5, 4, 6, 5, 8, 7, 9, 8, 11};
  std::vector<double> b;
  for (double v : a) b.push_back(2 * v - 1);
  const std::vector<std::vector<double>> collinear{a, b};
  const std::vector<std::vector<double>> constant{a, std::vector<double>(a.size(), 4.0)};
  for (const auto* cols : {&collinear, &constant})
    for (VarMethod m : {VarMethod::YuleWalker, VarMethod::Burg}) {
      const auto x = spans(*cols);
      const VarFit f = fit_var(x, {m, 1, false});
      EXPECT_EQ(f.status, VarFitStatus::NumericalDifficulties);
      EXPECT_EQ(f.message, "Numerical difficulties");
    }
}

}  // namespace
}  // namespace zelk
