// The spectrum window's work on long series: periodogram, model spectrum,
// Fisher's test and every cumulative spectrum in one go, at a highly
// composite and at a prime length; the Daniell smoother per filter; and the
// display list of a 500,000-point periodogram.
//
// Yardstick, measured in the same run on the shared two-core machine under
// load: R 4.2 spectrum(x, method = "pgram", taper = 0, detrend = FALSE, fast = FALSE) took
// 45 s elapsed (8.8 s user) for the prime length 99991 and 0.04 s for 100000;
// ModelPeriodogramFisherCumulative/999983 took about 0.22 s of CPU once the
// FFT plan of that length existed (0.54 s for the first call, plan included).
#include <benchmark/benchmark.h>

#include <numbers>
#include <random>
#include <vector>

#include "plot/render.h"
#include "univariate/spectrum.h"

namespace {

std::vector<double> ar1(std::size_t n) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> z;
  std::vector<double> x(n);
  double prev = 0;
  for (double& v : x) v = prev = 0.6 * prev + z(rng);
  return x;
}

const std::vector<double> kPhi{0.6, -0.2}, kTheta{0.3};

// "Model and Periodogram", then Fisher's test and the four cumulative modes.
void ModelPeriodogramFisherCumulative(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const auto x = ar1(n);
  const zelk::SpectrumModel model{kPhi, kTheta, 1.0, 0};
  for (auto _ : state) {
    const auto I = zelk::periodogram(x);
    const auto f = zelk::model_spectrum(model, 1024);
    const auto fisher = zelk::fisher_test(I, n);
    const std::size_t q = zelk::fisher_frequency_count(n);
    const auto cp = zelk::cumulative_sum_ratio(I, q);
    const auto cm = zelk::cumulative_model_spectrum(f.f);
    const auto st = zelk::standardize_periodogram(I, n, model);
    const auto cs = zelk::cumulative_sum_ratio(st.ratio, q);
    const auto ks = zelk::ks_bounds(n);
    benchmark::DoNotOptimize(fisher.probability);
    benchmark::DoNotOptimize(cp.data());
    benchmark::DoNotOptimize(cm.data());
    benchmark::DoNotOptimize(cs.data());
    benchmark::DoNotOptimize(ks.upper5.x.data());
  }
}
BENCHMARK(ModelPeriodogramFisherCumulative)->Arg(1'000'000)->Arg(999'983)->Arg(99'991)
    ->Unit(benchmark::kMillisecond);

// Cost per filter at fixed m: should grow with the number of filters, not
// with the sum of their orders.
void SmoothedPeriodogram(benchmark::State& state) {
  const std::size_t n = 1'000'000;
  const auto I = zelk::periodogram(ar1(n));
  const std::vector<int> orders(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(zelk::smoothed_periodogram(I, n, orders).data());
}
BENCHMARK(SmoothedPeriodogram)->Args({1, 2})->Args({1, 2000})->Args({10, 2})->Args({10, 2000})
    ->Unit(benchmark::kMillisecond);

// One picture of the periodogram of a million observations.
void DrawPeriodogram(benchmark::State& state) {
  const std::size_t n = 1'000'000;
  const auto s = zelk::smoothed_periodogram(zelk::periodogram(ar1(n)), n, std::vector<int>{});
  std::vector<double> w(s.size());
  for (std::size_t j = 0; j < w.size(); ++j) w[j] = 2 * std::numbers::pi * static_cast<double>(j) / n;
  zelk::GraphDocument doc;
  doc.integer_x = false;
  doc.add_curve_pane(1, w, s);
  const zelk::ColourTable colours = zelk::ColourTable::defaults();
  for (auto _ : state) benchmark::DoNotOptimize(zelk::render_graph(doc, colours, 1200, 800).items.data());
}
BENCHMARK(DrawPeriodogram)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
