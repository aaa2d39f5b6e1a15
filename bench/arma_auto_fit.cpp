// The automatic order search over p, q <= 5 (36 maximum-likelihood fits) on a
// simulated ARMA(2,1) series of 10^4 and 10^5 values, on one thread and on
// every hardware thread. The yardstick is a loop of 36 fits by another
// statistics package on the same series, timed outside this program: with
// ZELK_SERIES_DIR set, the series are read from n10000.txt and n100000.txt
// there (one value a line) instead of being simulated.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "arma/auto_fit.h"

namespace {

std::vector<double> simulate(std::size_t n) {
  if (const char* dir = std::getenv("ZELK_SERIES_DIR")) {
    std::ifstream in(std::string(dir) + "/n" + std::to_string(n) + ".txt");
    std::vector<double> x;
    for (double v; in >> v;) x.push_back(v);
    if (x.size() == n) return x;
  }
  std::mt19937_64 rng(20261206);
  std::normal_distribution<double> z;
  const std::size_t burn = 500;
  std::vector<double> x(n + burn, 0.0);
  double z_prev = 0;
  for (std::size_t t = 2; t < x.size(); ++t) {
    const double zt = z(rng);
    x[t] = 0.6 * x[t - 1] - 0.3 * x[t - 2] + zt + 0.4 * z_prev;
    z_prev = zt;
  }
  return std::vector<double>(x.begin() + burn, x.end());
}

void Search(benchmark::State& state) {
  const auto x = simulate(static_cast<std::size_t>(state.range(0)));
  zelk::AutoFitOptions o;
  o.threads = static_cast<int>(state.range(1));
  zelk::AutoFitResult r;
  for (auto _ : state) r = zelk::auto_fit(x, o);
  state.counters["best_p"] = r.candidates.front().p;
  state.counters["best_q"] = r.candidates.front().q;
  state.counters["aicc"] = r.candidates.front().aicc;
}
BENCHMARK(Search)->Args({10'000, 1})->Args({10'000, 0})->Args({100'000, 1})->Args({100'000, 0})
    ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
