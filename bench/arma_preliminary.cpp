// Minimum-AICC autoregression over 26 orders (Yule-Walker and Burg) and the
// whole tests-of-randomness computation, n = 10^4 .. 10^6. Each AICC needs
// the exact likelihood of its fit, one pass over the series per order.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "arma/preliminary.h"
#include "arma/randomness.h"
#include "arma/randomness_report.h"

namespace {

std::vector<double> ar2(std::size_t n) {
  std::mt19937_64 rng(42);
  std::normal_distribution<double> z;
  std::vector<double> x(n);
  double a = 0, b = 0;
  for (double& v : x) {
    v = 1.05 * a - 0.27 * b + z(rng);
    b = a;
    a = v;
  }
  return x;
}

void search(benchmark::State& state, zelk::PreliminaryMethod method) {
  const auto x = ar2(static_cast<std::size_t>(state.range(0)));
  zelk::PreliminaryOptions o;
  o.method = method;
  for (auto _ : state) benchmark::DoNotOptimize(zelk::preliminary_estimate(x, o));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void YuleWalkerMinAicc26(benchmark::State& state) { search(state, zelk::PreliminaryMethod::YuleWalkerAicc); }
void BurgMinAicc26(benchmark::State& state) { search(state, zelk::PreliminaryMethod::BurgAicc); }
BENCHMARK(YuleWalkerMinAicc26)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BurgMinAicc26)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// h = 54, the largest lag the dialog accepts: the order search runs to 26.
void TestsOfRandomnessReport(benchmark::State& state) {
  const auto y = ar2(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(zelk::randomness_report(zelk::randomness_tests(y, 54, 2)));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(TestsOfRandomnessReport)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void RankPairs(benchmark::State& state) {
  const auto y = ar2(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(zelk::rank_pairs(y));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(RankPairs)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
