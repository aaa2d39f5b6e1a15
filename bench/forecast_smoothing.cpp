// ARAR (criterion 2, the 2300-triple search), the Holt-Winters pattern search
// and FFT smoothing on long series. n = 999983 is prime: the transform that
// sums directly over a prime length would take hours there.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "forecast/arar.h"
#include "forecast/holt_winters.h"
#include "forecast/smoothing.h"

namespace {

// A trend with a season of 12 and AR(1) noise: every method has work to do.
std::vector<double> series(std::size_t n) {
  std::mt19937_64 rng(42);
  std::normal_distribution<double> z;
  std::vector<double> x(n);
  double e = 0;
  for (std::size_t t = 0; t < n; ++t) {
    e = 0.6 * e + z(rng);
    x[t] = 100 + 1e-4 * static_cast<double>(t) + 5 * std::sin(0.5235987755982988 * static_cast<double>(t)) + e;
  }
  return x;
}

void ArarCriterion2(benchmark::State& state) {
  const auto y = series(static_cast<std::size_t>(state.range(0)));
  zelk::ArarOptions o;
  o.h = 20;
  o.criterion = zelk::ArarCriterion::MinVariance26;
  for (auto _ : state) benchmark::DoNotOptimize(zelk::arar_forecast(y, o));
}
BENCHMARK(ArarCriterion2)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void HoltWintersSearch(benchmark::State& state) {
  const auto y = series(static_cast<std::size_t>(state.range(0)));
  zelk::HoltWintersOptions o;
  o.h = 20;
  int evaluations = 0;
  for (auto _ : state) {
    const auto r = zelk::holt_winters_forecast(y, o);
    evaluations = r.evaluations;
    benchmark::DoNotOptimize(r);
  }
  state.counters["evaluations"] = evaluations;
}
BENCHMARK(HoltWintersSearch)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void SeasonalHoltWintersSearch(benchmark::State& state) {
  const auto y = series(static_cast<std::size_t>(state.range(0)));
  zelk::HoltWintersOptions o;
  o.period = 12;
  o.h = 20;
  for (auto _ : state) benchmark::DoNotOptimize(zelk::holt_winters_forecast(y, o));
}
BENCHMARK(SeasonalHoltWintersSearch)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void FftSmooth(benchmark::State& state) {
  const auto y = series(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(zelk::fft_smooth(y, 0.1));
}
BENCHMARK(FftSmooth)->Arg(10'000)->Arg(100'000)->Arg(999'983)->Arg(1'048'576)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
