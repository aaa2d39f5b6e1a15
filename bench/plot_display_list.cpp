// Building the display list of one long curve pane for a 1200 x 800 window:
// the work of every redraw and zoom step of a graph window.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "plot/render.h"
#include "plot/zoom.h"

namespace {

zelk::GraphDocument long_series(std::size_t n) {
  std::vector<double> x(n), y(n);
  double walk = 0;
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = static_cast<double>(i + 1);
    walk += std::sin(static_cast<double>(i) * 0.7) + 0.01 * std::cos(static_cast<double>(i) * 0.013);
    y[i] = walk;
  }
  zelk::GraphDocument doc;
  doc.add_curve_pane(1, x, y);
  return doc;
}

void BM_FullView(benchmark::State& state) {
  const zelk::GraphDocument doc = long_series(static_cast<std::size_t>(state.range(0)));
  const zelk::ColourTable colours = zelk::ColourTable::defaults();
  for (auto _ : state) {
    zelk::DisplayList d = zelk::render_graph(doc, colours, 1200, 800);
    benchmark::DoNotOptimize(d.items.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A zoom to a tenth of the series: only the points in view are visited.
void BM_ZoomedView(benchmark::State& state) {
  zelk::GraphDocument doc = long_series(static_cast<std::size_t>(state.range(0)));
  const double n = static_cast<double>(state.range(0));
  zelk::set_plot_limits(doc, 1, 0.45 * n, 0.55 * n, doc.pane(1).ymin, doc.pane(1).ymax);
  const zelk::ColourTable colours = zelk::ColourTable::defaults();
  for (auto _ : state) {
    zelk::DisplayList d = zelk::render_graph(doc, colours, 1200, 800);
    benchmark::DoNotOptimize(d.items.data());
  }
}

}  // namespace

BENCHMARK(BM_FullView)->Arg(1000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomedView)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
