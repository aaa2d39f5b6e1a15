// Transfer-function estimation on long series: orders (1, 1) in every tab
// (numerator order 1, denominator order 1, noise ARMA(1,1)), the search run
// from a rough start with step .1, and one objective evaluation alone.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "multivariate/transfer.h"

namespace {

struct Pair {
  std::vector<double> input, output;
};

// Input AR(1) .6; output (2 + .5 B) B^2 / (1 - .5 B) of it plus ARMA(1,1) noise.
Pair data(std::size_t n) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> z;
  Pair p{std::vector<double>(n), std::vector<double>(n)};
  double u = 0, noise = 0, w_prev = 0;
  for (std::size_t t = 0; t < n; ++t) {
    p.input[t] = (t > 0 ? 0.6 * p.input[t - 1] : 0) + z(rng);
    u = 0.5 * u + (t > 2 ? 2 * p.input[t - 2] + 0.5 * p.input[t - 3] : 0);
    const double w = z(rng);
    noise = 0.3 * noise + w + 0.4 * w_prev;
    w_prev = w;
    p.output[t] = u + noise;
  }
  return p;
}

zelk::TransferModel start() {
  zelk::TransferModel m;
  m.delay = 2;
  m.s = 1;
  m.w[0] = 1;
  m.r = 1;
  m.noise.p = 1;
  m.noise.q = 1;
  m.input_model.p = 1;
  m.input_model.q = 1;
  return m;
}

void TransferEstimation(benchmark::State& state) {
  const Pair p = data(static_cast<std::size_t>(state.range(0)));
  int evaluations = 0;
  for (auto _ : state) {
    const auto fit = zelk::fit_transfer(p.input, p.output, start(), {0.1, false});
    evaluations = fit.evaluations;
    benchmark::DoNotOptimize(fit.aicc);
  }
  state.counters["evaluations"] = evaluations;
}
BENCHMARK(TransferEstimation)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void TransferObjective(benchmark::State& state) {
  const Pair p = data(static_cast<std::size_t>(state.range(0)));
  const zelk::TransferModel m = start();
  std::vector<double> work;
  for (auto _ : state) benchmark::DoNotOptimize(zelk::transfer_sum_of_squares(p.input, p.output, m, work));
}
BENCHMARK(TransferObjective)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
