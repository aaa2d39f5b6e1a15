// Peak memory of a long series: Import File into a new project (reading,
// installing, plotting the project window and writing its INFO), and the
// project window drawn into a display list. The counters are the peak
// resident size during the benchmark (VmHWM, reset before each) and that
// peak in bytes per value.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "port/commands.h"
#include "plot/render.h"
#include "files/project_ops.h"
#include "shell/app.h"
#include "port/scripted_port.h"

namespace {

std::string make_file(long lines) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("zelk_bench_" + std::to_string(lines) + ".dat")).string();
  if (std::filesystem::exists(path)) return path;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::mt19937_64 rng(42);
  std::normal_distribution<double> z(100.0, 15.0);
  for (long i = 0; i < lines; ++i) std::fprintf(f, "%.6f\n", z(rng));
  std::fclose(f);
  return path;
}

// Peak resident set of the process in bytes since the last reset.
double peak_bytes() {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
  return 0;
}

// Writing 5 to clear_refs starts a new peak from the current resident size.
void reset_peak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void report(benchmark::State& state, double baseline, double peak) {
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["added_MB"] = (peak - baseline) / 1e6;
  state.counters["bytes_per_value"] = (peak - baseline) / static_cast<double>(state.range(0));
}

void BM_ImportFilePeak(benchmark::State& state) {
  const std::string path = make_file(state.range(0));
  double baseline = 0, peak = 0;
  for (auto _ : state) {
    zelk::ScriptedPort port;
    zelk::App app(port);
    reset_peak();
    baseline = peak_bytes();
    port.queue_dialog({"Create New Project ", {}, "OK"});
    app.dispatch(zelk::cmd::New);  // New
    port.queue_file(path);
    app.dispatch(zelk::cmd::ImportFile);  // Import File
    peak = peak_bytes();
    benchmark::DoNotOptimize(app.session().projects.univariate(1)->x.data());
  }
  report(state, baseline, peak);
}
BENCHMARK(BM_ImportFilePeak)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ProjectWindowDrawPeak(benchmark::State& state) {
  const std::string path = make_file(state.range(0));
  zelk::ScriptedPort port;
  zelk::App app(port);
  port.queue_dialog({"Create New Project ", {}, "OK"});
  app.dispatch(zelk::cmd::New);
  port.queue_file(path);
  app.dispatch(zelk::cmd::ImportFile);
  const zelk::Window* w = app.session().desktop.find(1, zelk::windows::Project);
  if (!w || !w->graph) {
    state.SkipWithError("no project window");
    return;
  }
  double baseline = 0, peak = 0;
  for (auto _ : state) {
    reset_peak();
    baseline = peak_bytes();
    zelk::DisplayList list = zelk::render_graph(*w->graph, app.session().colours, 1280, 800);
    peak = peak_bytes();
    benchmark::DoNotOptimize(list.items.data());
  }
  report(state, baseline, peak);
}
BENCHMARK(BM_ProjectWindowDrawPeak)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
