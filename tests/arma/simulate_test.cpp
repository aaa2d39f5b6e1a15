#include "arma/simulate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>

#include "arma/estimation.h"
#include "arma/ml_fit.h"
#include "numeric/random.h"

namespace zelk {
namespace {

ArmaModel arma11(double phi, double theta) {
  ArmaModel m;
  m.p = 1;
  m.q = 1;
  m.phi[0] = phi;
  m.theta[0] = theta;
  return m;
}

SimulationRequest request(int n, std::int32_t seed, NoiseLaw law = NoiseLaw::Normal) {
  SimulationRequest rq;
  rq.n = n;
  rq.seed = seed;
  rq.noise.law = law;
  return rq;
}

double mean_of(const std::vector<double>& x) { return std::accumulate(x.begin(), x.end(), 0.0) / x.size(); }

// The standard library's minstd_rand is the same recurrence (48271, 2^31 - 1):
// an independent implementation to compare against.
TEST(NormalStream, FollowsTheMinimalStandardGeneratorAndItsSeedingRules) {
  NormalStream s;
  for (int i = 0; i < 10000; ++i) s.uniform();
  // Park, Miller & Stockmeyer (1993): from x(0) = 1, x(10000) = 399268537.
  EXPECT_EQ(s.state(), 399268537);

  // Seeding drops one uniform; each normal takes a pair through Box-Muller.
  s.seed(12345);
  std::minstd_rand reference(12345);
  reference.discard(1);
  for (int i = 0; i < 3; ++i) {
    const double u1 = static_cast<double>(reference()) / 2147483647.0;
    const double u2 = static_cast<double>(reference()) / 2147483647.0;
    EXPECT_DOUBLE_EQ(s.normal(), std::sqrt(-2 * std::log(u1)) * std::sin(6.283185307 * u2));
  }

  // Seed 1 restarts from the last seed given; seed 0 continues.
  s.seed(12345);
  const double first = s.normal();
  s.seed(1);
  EXPECT_EQ(s.normal(), first);
  const std::int32_t before = s.state();
  s.seed(0);
  EXPECT_EQ(s.state(), before);

  // A fresh stream's restart value is 1: seed 1 then gives x = 48271 after the dropped draw.
  NormalStream fresh;
  fresh.seed(1);
  EXPECT_EQ(fresh.state(), 48271);
}

TEST(ArmaRecursion, StartsFromZerosAndKeepsTheLastValues) {
  // phi = 0.5, theta = 0.4, z = 1, 2, 3, 4; by hand: X(1) = 0 (t <= max(p, q)),
  // X(2) = 2 + 0.4 = 2.4, X(3) = 1.2 + 3 + 0.8 = 5.0, X(4) = 2.5 + 4 + 1.2 = 7.7.
  const double phi[] = {0.5}, theta[] = {0.4}, z[] = {1, 2, 3, 4};
  const std::vector<double> x = arma_recursion(phi, theta, z, 2);
  ASSERT_EQ(x.size(), 2u);
  EXPECT_DOUBLE_EQ(x[0], 5.0);
  EXPECT_DOUBLE_EQ(x[1], 7.7);
}

TEST(SimulateArma, GammaNoiseGivesTheMeanOfTheModelFilter) {
  // Gamma(1) noise has mean 1 and variance 1, so X has mean
  // (1 + theta) / (1 - phi) = 2.8 and the sample mean a standard error of
  // sqrt(psi(1)^2 / n) = 2.8 / sqrt(n) (the long-run variance of a linear process).
  NormalStream normals;
  SimulationRequest rq = request(100000, 4711, NoiseLaw::Gamma);
  rq.noise.gamma_alpha = 1.0;
  const Simulation sim = simulate_arma(arma11(0.5, 0.4), rq, normals);
  ASSERT_EQ(sim.status, SimulationStatus::Ok);
  ASSERT_EQ(sim.x.size(), 100000u);
  EXPECT_NEAR(mean_of(sim.x), 2.8, 4 * 2.8 / std::sqrt(100000.0));
}

TEST(SimulateArma, OtherLawsDrawNPlusMValuesAndDropTheFirstM) {
  const ArmaModel m = arma11(0.5, 0.4);
  NormalStream normals;
  SimulationRequest rq = request(100, 99, NoiseLaw::Gamma);
  rq.noise.startup = 200;
  const Simulation sim = simulate_arma(m, rq, normals);
  ASSERT_EQ(sim.status, SimulationStatus::Ok);
  EXPECT_EQ(sim.noise_drawn, 300);
  const int after = numeric::get_seed();

  // The same 300 gamma values drawn directly leave the generator in the same
  // state, and their recursion ends in the simulated series.
  numeric::set_seed(99);
  const std::vector<double> z = numeric::DRNGAM(300, 1.0);
  EXPECT_EQ(numeric::get_seed(), after);
  const double phi[] = {0.5}, theta[] = {0.4};
  EXPECT_EQ(arma_recursion(phi, theta, z, 100), sim.x);
}

TEST(SimulateArma, RefusesWhatCannotBeSimulated) {
  NormalStream normals;
  SimulationRequest rq;
  EXPECT_EQ(simulate_arma(arma11(1.2, 0.0), rq, normals).status, SimulationStatus::NotCausal);
  rq.noise.law = NoiseLaw::Gamma;
  rq.noise.gamma_alpha = 1e300;  // beyond what the gamma generator represents
  EXPECT_EQ(simulate_arma(arma11(0.5, 0.0), rq, normals).status, SimulationStatus::Refused);
  rq.noise.law = NoiseLaw::Stable;
  rq.noise.stable_alpha = 2.5;  // outside (0, 2]
  EXPECT_EQ(simulate_arma(arma11(0.5, 0.0), rq, normals).status, SimulationStatus::Refused);
  rq.noise.law = NoiseLaw::Normal;
  const std::int32_t before = normals.state();
  const Simulation stopped = simulate_arma(arma11(0.5, 0.0), request(200000, 7), normals,
                                           [](int) { return false; });
  EXPECT_EQ(stopped.status, SimulationStatus::Cancelled);
  EXPECT_EQ(normals.state(), before);  // a stopped simulation leaves the stream alone
}

TEST(SimulateArma, MaximumLikelihoodRecoversTheSimulatedArma11) {
  // Asymptotic covariance of (phi, theta) for ARMA(1,1) (Brockwell & Davis
  // 1991, Example 8.8.3): var phi = (1 + phi theta)^2 (1 - phi^2) / (n (phi + theta)^2),
  // var theta likewise with 1 - theta^2. For 0.5, 0.4 and n = 1e5: s.e. 0.00365, 0.00386.
  const int n = 100000;
  NormalStream normals;
  const Simulation sim = simulate_arma(arma11(0.5, 0.4), request(n, 2024), normals);
  ASSERT_EQ(sim.status, SimulationStatus::Ok);
  ArmaModel start = arma11(0.1, 0.1);
  start.free_parameters = {1, 2};
  ArmaFit fit;
  const FitResult r = fit_arma(sim.x, start, ArmaEstimation{}, fit);
  ASSERT_FALSE(r.noncausal);
  const double se_phi = 1.2 * std::sqrt(0.75 / (0.81 * n)), se_theta = 1.2 * std::sqrt(0.84 / (0.81 * n));
  EXPECT_NEAR(start.phi[0], 0.5, 3 * se_phi);
  EXPECT_NEAR(start.theta[0], 0.4, 3 * se_theta);
  EXPECT_NEAR(start.sigma2, 1.0, 3 * std::sqrt(2.0 / n));
}

TEST(SimulateArma, FractionalPathsHaveTheModelVariance) {
  // d = 0.2, no ARMA part: gamma(0) = Gamma(1 - 2d) / Gamma(1 - d)^2 (Hosking 1981)
  // = Gamma(0.6) / Gamma(0.8)^2 = 1.4891922488 / 1.1642297137^2 = 1.0986.
  ArmaModel m;
  m.fractional = true;
  m.d = 0.2;
  NormalStream normals;
  SimulationRequest rq;
  rq.n = 300;
  double sum_squares = 0;
  const int paths = 200;
  for (int i = 0; i < paths; ++i) {
    rq.seed = 1000 + i;
    const Simulation sim = simulate_arma(m, rq, normals);
    ASSERT_EQ(sim.status, SimulationStatus::Ok);
    sum_squares += sim.x[0] * sim.x[0] + sim.x[299] * sim.x[299];
  }
  // The first and the last value each have variance gamma(0): 400 squares,
  // whose mean has standard error about gamma(0) sqrt(2 / 400).
  EXPECT_NEAR(sum_squares / (2 * paths), 1.0986, 4 * 1.0986 * std::sqrt(2.0 / (2 * paths)));
}

}  // namespace
}  // namespace zelk
