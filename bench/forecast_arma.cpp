// ARMA(2,1) forecasts of 100 steps from 10^4 to 10^6 values (one pass over the
// data, then work independent of n), and least squares / generalized least
// squares with 10 regressors at the same lengths.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "forecast/arma_forecast.h"
#include "univariate/regression_fit.h"

namespace {

std::vector<double> simulate(std::size_t n) {
  std::mt19937_64 rng(20261207);
  std::normal_distribution<double> z;
  std::vector<double> x(n, 0.0);
  double z_prev = 0;
  for (std::size_t t = 0; t < n; ++t) {
    const double zt = z(rng);
    x[t] = zt + 0.4 * z_prev + (t > 0 ? 0.5 * x[t - 1] : 0) + (t > 1 ? 0.2 * x[t - 2] : 0);
    z_prev = zt;
  }
  return x;
}

void BM_ArmaForecast100(benchmark::State& state) {
  const std::vector<double> x = simulate(static_cast<std::size_t>(state.range(0)));
  const double phi[] = {0.5, 0.2}, theta[] = {0.4};
  for (auto _ : state) benchmark::DoNotOptimize(zelk::arma_predict(x, phi, theta, 1.0, 100));
}
BENCHMARK(BM_ArmaForecast100)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

zelk::RegressionSpec ten_regressors() {
  zelk::RegressionSpec s;  // intercept, t..t^3, three harmonic pairs
  s.order = 3;
  s.harmonics = 3;
  s.indices = {5, 17, 40, 0};
  return s;
}

void BM_LeastSquares10(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> y = simulate(n), X = zelk::design_matrix(ten_regressors(), n);
  for (auto _ : state) benchmark::DoNotOptimize(zelk::fit_least_squares(y, X, 10));
}
BENCHMARK(BM_LeastSquares10)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_GeneralizedLeastSquares10(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> y = simulate(n), X = zelk::design_matrix(ten_regressors(), n);
  const double phi[] = {0.5, 0.2}, theta[] = {0.4};
  for (auto _ : state) benchmark::DoNotOptimize(zelk::fit_generalized_least_squares(y, X, 10, phi, theta, 1.0));
}
BENCHMARK(BM_GeneralizedLeastSquares10)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
