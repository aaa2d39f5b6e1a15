// Lake Huron levels 1875-1972 (98 values), mean subtracted, fitted by exact
// maximum likelihood. Reference values from an independent ARMA fitting tool.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numeric>
#include <vector>

#include "arma/ml_dialogs.h"
#include "arma/ml_fit.h"
#include "support/test_data.h"

namespace zelk {
namespace {

std::vector<double> lake_huron() { return test::lake_huron_deviations(); }

ArmaModel start(int p, int q, std::vector<double> beta) {
  ArmaModel m;
  m.p = p;
  m.q = q;
  for (int i = 1; i <= p + q; ++i) {
    m.beta(i) = beta[i - 1];
    m.free_parameters.push_back(i);
  }
  return m;
}

// The settings the MLE dialog proposes for m.
ArmaEstimation proposed(const ArmaModel& m) {
  ArmaEstimation e;
  e.accuracy = proposed_accuracy(m);
  return e;
}

TEST(LakeHuronTest, Ar2MaximumLikelihood) {
  const auto x = lake_huron();
  ASSERT_EQ(x.size(), 98u);
  // Yule-Walker estimates as the start, as after preliminary estimation.
  ArmaModel m = start(2, 0, {1.0538, -0.2668});
  ArmaFit fit;
  ASSERT_TRUE(fit_arma(x, m, proposed(m), fit).optimized);
  EXPECT_NEAR(m.phi[0], 1.04414, 1e-5);
  EXPECT_NEAR(m.phi[1], -0.25027, 1e-5);
  EXPECT_NEAR(m.sigma2, 0.47890, 1e-5);
  EXPECT_NEAR(fit.minus2_log_likelihood, 207.283, 1e-3);
  EXPECT_NEAR(fit.aicc, 207.283 + 2.0 * 3 * 98 / 94, 1e-3);
}

TEST(LakeHuronTest, Arma11MaximumLikelihoodAndStandardErrors) {
  const auto x = lake_huron();
  ArmaModel m = start(1, 1, {0.7, 0.4});
  ArmaFit fit;
  ASSERT_TRUE(fit_arma(x, m, proposed(m), fit).optimized);
  EXPECT_NEAR(m.phi[0], 0.74457, 1e-5);
  EXPECT_NEAR(m.theta[0], 0.32128, 1e-5);
  EXPECT_NEAR(m.sigma2, 0.47504, 1e-5);
  EXPECT_NEAR(fit.minus2_log_likelihood, 206.512, 1e-3);
  ASSERT_EQ(fit.standard_errors.size(), 2u);
  EXPECT_NEAR(fit.standard_errors[0], 0.078, 0.002);
  EXPECT_NEAR(fit.standard_errors[1], 0.113, 0.003);
}

}  // namespace
}  // namespace zelk
