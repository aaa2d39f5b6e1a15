// Transfer-function kernels: residual recursions and forecasts worked by
// hand on six points, and recovery of a simulated model by the search.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "multivariate/transfer.h"
#include "multivariate/transfer_sim.h"

namespace zelk {
namespace {

using test::Simulated;
using test::simulate;

const std::vector<double> kInput{1, 2, 0, -1, 3, 1};
const std::vector<double> kOutput{0, 1, 5, 3, -2, 6};

// Delay 1, W(B) = 2 + 0.5 B, V(B) = 1 - 0.5 B, noise (1 - 0.4 B) N = (1 + 0.5 B) W.
TransferModel six_point_model() {
  TransferModel m;
  m.delay = 1;
  m.s = 1;
  m.w[0] = 2;
  m.w[1] = 0.5;
  m.r = 1;
  m.v[0] = 0.5;
  m.noise.p = 1;
  m.noise.phi[0] = 0.4;
  m.noise.q = 1;
  m.noise.theta[0] = 0.5;
  return m;
}

// By hand, times 1-based: U starts at t = 1 + b + s = 3 with the noise 0
// before it, so U(2) = Y(2) = 1;
//   U(3) = 2*2 + .5*1 + .5*1 = 5,  U(4) = 0 + .5*2 + .5*5 = 3.5,
//   U(5) = -2 + 0 + .5*3.5 = -.25,  U(6) = 6 - .5 - .125 = 5.375;
// N = Y - U = 0, -.5, -1.75, .625; W starts at t = 4 with W(3) = 0,
//   W(4) = -.5 - .4*0 = -.5,  W(5) = -1.75 + .2 + .25 = -1.3,
//   W(6) = .625 + .7 + .65 = 1.975.
TEST(TransferKernel, SixPointResidualsMatchTheHandRecursion) {
  const TransferModel m = six_point_model();
  const TransferResiduals r = transfer_residuals(kInput, kOutput, m);
  EXPECT_EQ(r.u_first, 2);  // 0-based time of t = 3
  const std::vector<double> u{5, 3.5, -0.25, 5.375}, n{0, -0.5, -1.75, 0.625}, w{-0.5, -1.3, 1.975};
  ASSERT_EQ(r.u.size(), u.size());
  for (std::size_t i = 0; i < u.size(); ++i) {
    EXPECT_NEAR(r.u[i], u[i], 1e-12);
    EXPECT_NEAR(r.noise[i], n[i], 1e-12);
  }
  EXPECT_EQ(r.w_first, 3);
  ASSERT_EQ(r.w.size(), w.size());
  for (std::size_t i = 0; i < w.size(); ++i) EXPECT_NEAR(r.w[i], w[i], 1e-12);
  std::vector<double> work;
  EXPECT_NEAR(transfer_sum_of_squares(kInput, kOutput, m, work), 0.25 + 1.69 + 3.900625, 1e-12);
}

TEST(TransferKernel, InfeasibleModelsScoreInfinityAndShortDataGiveNoResiduals) {
  std::vector<double> work;
  TransferModel m = six_point_model();
  m.v[0] = 1.0;  // V(B) = 1 - B: the filter never forgets
  EXPECT_TRUE(std::isinf(transfer_sum_of_squares(kInput, kOutput, m, work)));
  m = six_point_model();
  m.noise.theta[0] = -1.5;
  EXPECT_TRUE(std::isinf(transfer_sum_of_squares(kInput, kOutput, m, work)));
  m = six_point_model();
  m.delay = 5;  // W would start at t = 8
  EXPECT_TRUE(transfer_residuals(kInput, kOutput, m).w.empty());
  EXPECT_FALSE(fit_transfer(kInput, kOutput, m, {}).ok);
}

// Delay 1, T(B) = 1, input AR(1) phi .5 with sigma2_Z = 2, noise AR(1) phi .3
// with sigma2_W = 1. By hand: N(6) = 6 - X(5) = 3, so
//   X(7,o) = X(6) + .3*3 = 1.9,  X(8,o) = .5*X(6) + .09*3 = .77;
//   MSE(1) = 1, MSE(2) = 2*(tau(1) psi_X(0))^2 + 1*(1 + .3^2) = 3.09.
TEST(TransferKernel, ForecastsAndTheirErrorsMatchTheHandCalculation) {
  TransferModel m;
  m.delay = 1;
  m.w[0] = 1;
  m.input_model.p = 1;
  m.input_model.phi[0] = 0.5;
  m.input_model.sigma2 = 2;
  m.noise.p = 1;
  m.noise.phi[0] = 0.3;
  const TransferForecast f = forecast_transfer(kInput, kOutput, m, 2);
  ASSERT_EQ(f.value.size(), 2u);
  EXPECT_NEAR(f.value[0], 1.9, 1e-12);
  EXPECT_NEAR(f.value[1], 0.77, 1e-12);
  EXPECT_NEAR(f.mse[0], 1.0, 1e-12);
  EXPECT_NEAR(f.mse[1], 3.09, 1e-12);
}

// psi weights of (1 + .4 B)/(1 - .5 B): 1, .9, .45, .225 (by hand).
TEST(TransferKernel, PsiWeightsOfAnArma11) {
  const std::vector<double> phi{0.5}, theta{0.4};
  const auto psi = transfer_psi(phi, theta, 4);
  const std::vector<double> want{1, 0.9, 0.45, 0.225};
  for (int j = 0; j < 4; ++j) EXPECT_NEAR(psi[static_cast<std::size_t>(j)], want[static_cast<std::size_t>(j)], 1e-15);
}

TransferModel rough_start(int delay) {
  TransferModel m;
  m.delay = delay;
  m.w[0] = 1;
  m.r = 1;
  m.noise.p = 1;
  return m;
}

// Estimation with the steps .1, .01, .001 in turn, as the dialog suggests.
TransferFit refine(const Simulated& d, TransferModel m) {
  TransferFit fit;
  for (double step : {0.1, 0.01, 0.001}) {
    fit = fit_transfer(d.input, d.output, m, {step, false});
    m = fit.model;
  }
  return fit;
}

TEST(TransferKernel, SearchRecoversASimulatedModelAndPrefersTheTrueDelay) {
  const Simulated d = simulate(2000);
  const TransferFit fit = refine(d, rough_start(2));
  ASSERT_TRUE(fit.ok);
  EXPECT_NEAR(fit.model.w[0], 3.0, 0.05);
  EXPECT_NEAR(fit.model.v[0], 0.5, 0.05);
  EXPECT_NEAR(fit.model.noise.phi[0], 0.3, 0.05);
  EXPECT_NEAR(fit.model.noise.sigma2, 1.0, 0.1);
  EXPECT_EQ(fit.model.delay, 2);
  EXPECT_EQ(fit.model.residuals.size(), 2000u - 3u);
  // Fitted with a wrong delay, the same orders leave a clearly worse fit.
  EXPECT_GT(refine(d, rough_start(1)).aicc, fit.aicc + 100);
}

TEST(TransferKernel, NoOptimizationKeepsTheCoefficientsAndVariance) {
  const Simulated d = simulate(300);
  TransferModel m = rough_start(2);
  m.noise.sigma2 = 7;
  const TransferFit fit = fit_transfer(d.input, d.output, m, {0.1, true});
  ASSERT_TRUE(fit.ok);
  EXPECT_EQ(fit.model.w, m.w);
  EXPECT_EQ(fit.model.v, m.v);
  EXPECT_EQ(fit.model.noise, m.noise);
  EXPECT_EQ(fit.evaluations, 1);
  // Estimated, then evaluated again as it stands: the same criterion, the
  // same coefficients; only the start's criterion differed.
  const TransferFit best = fit_transfer(d.input, d.output, m, {0.1, false});
  const TransferFit again = fit_transfer(d.input, d.output, best.model, {0.1, true});
  EXPECT_EQ(again.model.w, best.model.w);
  EXPECT_EQ(again.model.noise, best.model.noise);
  EXPECT_DOUBLE_EQ(again.aicc, best.aicc);
  EXPECT_LT(best.aicc, fit.aicc);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

// Brockwell & Davis (2002), Introduction to Time Series and Forecasting, 2nd
// ed., Example 10.1.1: sales with a leading indicator, both differenced and
// mean-corrected, fitted as X(t,2) = 4.717 B^3 X(t,1)/(1 - .724 B) + N(t),
// N(t) = W(t) - .582 W(t-1), WN variance .0486.
TEST(TransferKernel, SalesWithLeadingIndicatorAgreesWithThePublishedFit) {
  std::ifstream f(std::string(ZELK_EXAMPLES) + "/sales_with_leading_indicator.dat");
  std::vector<double> lead, sales;
  for (double a, b; f >> a >> b;) {
    lead.push_back(a);
    sales.push_back(b);
  }
  ASSERT_EQ(lead.size(), 150u);
  auto difference = [](std::vector<double>& x) {
    for (std::size_t t = x.size() - 1; t > 0; --t) x[t] -= x[t - 1];
    x.erase(x.begin());
    double mean = 0;
    for (double v : x) mean += v / static_cast<double>(x.size());
    for (double& v : x) v -= mean;
  };
  difference(lead);
  difference(sales);
  TransferModel m;
  m.delay = 3;
  m.w[0] = 4;
  m.r = 1;
  m.v[0] = 0.5;
  m.noise.q = 1;
  m.noise.theta[0] = -0.5;
  for (double step : {0.1, 0.01, 0.001}) m = fit_transfer(lead, sales, m, {step, false}).model;
  EXPECT_NEAR(m.w[0], 4.717, 0.02);
  EXPECT_NEAR(m.v[0], 0.724, 0.005);
  EXPECT_NEAR(m.noise.theta[0], -0.582, 0.01);
  EXPECT_NEAR(m.noise.sigma2, 0.0486, 0.002);
}

}  // namespace
}  // namespace zelk
