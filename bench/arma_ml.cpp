// Maximum-likelihood fits of ARMA(1,1) and ARMA(2,1) models to simulated
// series of 10^4 to 10^6 values. Once the innovation coefficients settle an
// evaluation costs O(n (p+q)), so a fit is a few dozen passes over the data.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "arma/likelihood.h"
#include "arma/ml_fit.h"

namespace {

std::vector<double> simulate(std::size_t n, std::vector<double> phi, double theta) {
  std::mt19937_64 rng(20261206);
  std::normal_distribution<double> z;
  const std::size_t burn = 500;
  std::vector<double> x(n + burn, 0.0);
  double z_prev = 0;
  for (std::size_t t = 0; t < x.size(); ++t) {
    const double zt = z(rng);
    double v = zt + theta * z_prev;
    for (std::size_t k = 1; k <= phi.size() && k <= t; ++k) v += phi[k - 1] * x[t - k];
    x[t] = v;
    z_prev = zt;
  }
  return std::vector<double>(x.begin() + burn, x.end());
}

zelk::ArmaModel start(int p) {
  zelk::ArmaModel m;
  m.p = p;
  m.q = 1;
  for (int i = 1; i <= p + 1; ++i) {
    m.beta(i) = 0.1;
    m.free_parameters.push_back(i);
  }
  return m;
}

void Fit(benchmark::State& state, int p) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const auto x = p == 1 ? simulate(n, {0.5}, 0.4) : simulate(n, {0.6, -0.3}, 0.4);
  zelk::ArmaModel m;
  zelk::ArmaEstimation settings;
  settings.accuracy = 0.001;
  zelk::ArmaFit fit;
  for (auto _ : state) {
    m = start(p);
    benchmark::DoNotOptimize(zelk::fit_arma(x, m, settings, fit));
  }
  state.counters["minus2logL"] = fit.minus2_log_likelihood;
  state.counters["evaluations"] = fit.evaluations;
  state.counters["phi1"] = m.phi[0];
}

void Arma11(benchmark::State& state) { Fit(state, 1); }
void Arma21(benchmark::State& state) { Fit(state, 2); }
BENCHMARK(Arma11)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Arma21)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// One likelihood evaluation, the unit the fit repeats.
void Likelihood(benchmark::State& state) {
  const auto x = simulate(static_cast<std::size_t>(state.range(0)), {0.6, -0.3}, 0.4);
  const std::vector<double> phi{0.6, -0.3}, theta{0.4};
  for (auto _ : state) benchmark::DoNotOptimize(zelk::arma_likelihood(x, phi, theta, {0.00001, false}));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Likelihood)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
