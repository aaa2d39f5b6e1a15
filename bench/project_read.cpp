// Reading plain data files: values per second for 10^7 lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "project/data_file.h"

namespace {

std::string make_file(long lines) {
  const std::string path = (std::filesystem::temp_directory_path() / ("zelk_bench_" + std::to_string(lines) + ".dat")).string();
  if (std::filesystem::exists(path)) return path;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::mt19937_64 rng(42);
  std::normal_distribution<double> z(100.0, 15.0);
  for (long i = 0; i < lines; ++i) std::fprintf(f, "%.6f\n", z(rng));
  std::fclose(f);
  return path;
}

void BM_ReadDataFile(benchmark::State& state) {
  const std::string path = make_file(state.range(0));
  for (auto _ : state) {
    auto r = zelk::read_data_file(path);
    benchmark::DoNotOptimize(r.value->data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadDataFile)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
