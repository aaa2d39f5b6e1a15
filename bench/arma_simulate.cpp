// Simulation of an ARMA(2,1) model at 10^4 to 10^6 values: Gaussian noise
// through the innovations predictors (O(p + q) a value once their
// coefficients settle) and gamma noise through the difference equation with
// 200 start-up values.
#include <benchmark/benchmark.h>

#include "arma/simulate.h"

namespace {

zelk::ArmaModel arma21() {
  zelk::ArmaModel m;
  m.p = 2;
  m.q = 1;
  m.phi[0] = 0.6;
  m.phi[1] = -0.3;
  m.theta[0] = 0.4;
  return m;
}

void Simulate(benchmark::State& state, zelk::NoiseLaw law) {
  const zelk::ArmaModel model = arma21();
  zelk::SimulationRequest request;
  request.n = static_cast<int>(state.range(0));
  request.noise.law = law;
  request.seed = 12345;
  zelk::NormalStream normals;
  for (auto _ : state) benchmark::DoNotOptimize(zelk::simulate_arma(model, request, normals));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void GaussianArma21(benchmark::State& state) { Simulate(state, zelk::NoiseLaw::Normal); }
void GammaArma21(benchmark::State& state) { Simulate(state, zelk::NoiseLaw::Gamma); }

}  // namespace

BENCHMARK(GaussianArma21)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(GammaArma21)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
