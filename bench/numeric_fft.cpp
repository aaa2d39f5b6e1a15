// Periodogram of long series: ZELK's DPFFT side by side with FFTW's real
// transform (plan made once with FFTW_ESTIMATE outside the timed loop; the
// timing covers its execution and the squared moduli).
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "numeric/periodogram.h"

#ifdef ZELK_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

std::vector<double> series(std::size_t n) {
  std::mt19937_64 engine(42);
  std::normal_distribution<double> normal;
  std::vector<double> x(n);
  for (auto& v : x) v = normal(engine);
  return x;
}

void BM_ZelkPeriodogram(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  auto x = series(n);
  zelk::numeric::DPFFT(x, 0);  // plans are built on first use of a length
  for (auto _ : state) {
    auto p = zelk::numeric::DPFFT(x, 0);
    benchmark::DoNotOptimize(p.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n));
}

#ifdef ZELK_HAVE_FFTW
void BM_FftwPeriodogram(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  auto x = series(n);
  double* in = fftw_alloc_real(n);
  fftw_complex* out = fftw_alloc_complex(n / 2 + 1);
  fftw_plan plan = fftw_plan_dft_r2c_1d(static_cast<int>(n), in, out, FFTW_ESTIMATE);
  std::vector<double> p(n / 2 + 1);
  for (auto _ : state) {
    std::copy(x.begin(), x.end(), in);
    fftw_execute(plan);
    for (std::size_t k = 0; k < p.size(); ++k) p[k] = (out[k][0] * out[k][0] + out[k][1] * out[k][1]) / n;
    benchmark::DoNotOptimize(p.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n));
  fftw_destroy_plan(plan);
  fftw_free(out);
  fftw_free(in);
}
#endif

}  // namespace

BENCHMARK(BM_ZelkPeriodogram)->Arg(1 << 20)->Arg(1000000)->Arg(999983)->Unit(benchmark::kMillisecond);
#ifdef ZELK_HAVE_FFTW
BENCHMARK(BM_FftwPeriodogram)->Arg(1 << 20)->Arg(1000000)->Arg(999983)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
