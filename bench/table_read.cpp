// Reading CSV tables: rows per second for a date column and three value
// columns, scanned (separator, header, field counts) and then read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "project/table_file.h"

namespace {

std::string make_table(long rows) {
  std::string text = "date,a,b,\"c, quoted\"\n";
  std::mt19937_64 rng(42);
  std::normal_distribution<double> z(100.0, 15.0);
  char line[128];
  for (long i = 0; i < rows; ++i) {
    std::snprintf(line, sizeof line, "2020-%02ld-%02ld,%.6f,%.6f,%.6f\n", i % 12 + 1, i % 28 + 1, z(rng), z(rng),
                  z(rng));
    text += line;
  }
  return text;
}

void BM_ScanTable(benchmark::State& state) {
  const std::string text = make_table(state.range(0));
  for (auto _ : state) {
    auto s = zelk::scan_table(text);
    benchmark::DoNotOptimize(s.shape->rows);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScanTable)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ReadTableColumns(benchmark::State& state) {
  const std::string text = make_table(state.range(0));
  const zelk::TableShape shape = *zelk::scan_table(text).shape;
  const int columns[] = {1, 2, 3};
  for (auto _ : state) {
    auto c = zelk::read_table_columns(text, shape, columns);
    benchmark::DoNotOptimize(c.values.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadTableColumns)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
