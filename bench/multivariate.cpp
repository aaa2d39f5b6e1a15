// Multivariate kernels on long series: CCF and smoothed cross-spectrum of 5
// components, and the minimum-AICC vector AR search (orders 0..20).
// Yardstick, measured on the shared two-core machine in the same run: R 4.2
// ar.yw(x, order.max = 20) on the same kind of 5-component series (see the
// closing note of the branch for the figures).
#include <benchmark/benchmark.h>

#include <random>
#include <span>
#include <vector>

#include "multivariate/cross_spectrum.h"
#include "multivariate/var.h"

namespace {

// A stable VAR(1) in 5 components with cross-effects.
std::vector<std::vector<double>> series(std::size_t n) {
  std::mt19937_64 rng(42);
  std::normal_distribution<double> z;
  std::vector<std::vector<double>> x(5, std::vector<double>(n));
  double prev[5] = {};
  for (std::size_t t = 0; t < n; ++t) {
    double cur[5];
    for (int i = 0; i < 5; ++i) cur[i] = 0.5 * prev[i] + 0.2 * prev[(i + 1) % 5] + z(rng);
    for (int i = 0; i < 5; ++i) x[i][t] = prev[i] = cur[i];
  }
  return x;
}

void Ccf(benchmark::State& state) {
  const auto cols = series(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::span<const double>> x(cols.begin(), cols.end());
  for (auto _ : state) benchmark::DoNotOptimize(zelk::sample_ccf(x, static_cast<int>(state.range(1))));
}
BENCHMARK(Ccf)->Args({1'000'000, 40})->Args({1'000'000, 200})->Unit(benchmark::kMillisecond);

void CrossSpectrumSmoothed(benchmark::State& state) {
  const auto cols = series(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::span<const double>> x(cols.begin(), cols.end());
  const std::vector<int> orders{2, 2};
  const auto w = zelk::daniell_weights(orders);
  for (auto _ : state) benchmark::DoNotOptimize(zelk::cross_spectrum(x, w));
}
BENCHMARK(CrossSpectrumSmoothed)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void VarSearch(benchmark::State& state) {
  const auto cols = series(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::span<const double>> x(cols.begin(), cols.end());
  const auto method = state.range(1) == 0 ? zelk::VarMethod::YuleWalker : zelk::VarMethod::Burg;
  for (auto _ : state) benchmark::DoNotOptimize(zelk::fit_var(x, {method, 0, true}));
}
BENCHMARK(VarSearch)->ArgsProduct({{10'000, 100'000, 1'000'000}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
