// Histograms of the working series and of the model residuals.
#include "univariate/windows.h"
#include "project/univariate_record.h"
#include "port/session.h"
#include "univariate/histogram.h"
#include "port/integer_dialog.h"
#include "univariate/reports.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

// Bars centred in their bins.
void fill_graph(GraphDocument& g, const Histogram& h) {
  g.clear();
  g.integer_x = false;
  std::vector<double> mid(h.counts.size());
  for (std::size_t i = 0; i < mid.size(); ++i) mid[i] = (h.edges[i] + h.edges[i + 1]) / 2;
  // Every bin is as wide as the first: the axis then runs from the first
  // edge to the last, as the INFO lists them, whatever the bin count.
  const double width = h.counts.empty() ? 0 : h.edges[1] - h.edges[0];
  g.add_bar_pane(1, mid, h.counts, width);
}

Histogram series_histogram(const UnivariateRecord& rec) {
  Histogram h;
  h.edges = rec.results.histogram_edges;
  h.counts = rec.results.histogram_counts;
  return h;
}

void show(Session& s, int entry, UnivariateRecord& rec, Slot slot, const Histogram& h) {
  Window& w = s.desktop.graph(entry, slot, rec.name);
  fill_graph(*w.graph, h);
  s.desktop.changed(w);
  if (Window* info = open_info(s, entry, slot)) {
    write_histogram_report(*info->text, h, slot == windows::ResidualHistogram);
    s.desktop.changed(*info);
  }
}

}  // namespace

void draw_histogram(Session& s, int entry, UnivariateRecord& rec, int k) {
  if (!rec.data_present()) return;
  if (k < 1) k = default_bin_count(rec.x.size());
  Histogram h = make_histogram(rec.x, k);
  rec.params.histogram_bins = k;
  rec.results.histogram_edges = h.edges;
  rec.results.histogram_counts = h.counts;
  show(s, entry, rec, windows::Histogram, h);
}

void draw_residual_histogram(Session& s, int entry, UnivariateRecord& rec, int k) {
  const auto& r = rec.results.residuals;
  if (r.empty()) return;
  if (k < 1) k = default_bin_count(r.size());
  rec.params.residual_histogram_bins = k;
  show(s, entry, rec, windows::ResidualHistogram, make_histogram(r, k));
}

void default_histogram(Session& s, int entry, UnivariateRecord& rec) {
  if (Window* w = s.desktop.find(entry, windows::Histogram)) {
    if (w->minimized) {
      w->minimized = false;
      s.port.window_shown(w->id, false);
    }
    s.desktop.focus(w->id);
    return;
  }
  draw_histogram(s, entry, rec, 0);
}

std::unique_ptr<Dialog> make_histogram_bins_dialog() {
  return std::make_unique<IntegerDialog>("Specify Histogram Bins", "Enter # of bins:", default_bin_count(0),
                                         [](std::optional<long long> v, UiPort& port) {
                                           if (!v || *v < 1) return false;
                                           if (*v > kMaxBins) {
                                             port.message("ZELK Error", "Number of bins must be at most " +
                                                                            std::to_string(kMaxBins));
                                             return false;
                                           }
                                           return true;
                                         });
}

void set_histogram_bins(Session& s, int entry, UnivariateRecord& rec, bool residuals) {
  if (residuals && rec.results.residuals.empty()) return;
  const Slot slot = residuals ? windows::ResidualHistogram : windows::Histogram;
  const std::size_t n = residuals ? rec.results.residuals.size() : rec.x.size();
  const int stored = residuals ? rec.params.residual_histogram_bins : rec.params.histogram_bins;
  auto dialog = make_histogram_bins_dialog();
  auto& d = static_cast<IntegerDialog&>(*dialog);
  const bool open = s.desktop.find(entry, slot) != nullptr;
  d.control("value").text = std::to_string(open && stored >= 1 ? stored : default_bin_count(n));
  if (!s.port.run_dialog(d)) return;
  const int k = static_cast<int>(d.value());
  if (residuals)
    draw_residual_histogram(s, entry, rec, k);
  else
    draw_histogram(s, entry, rec, k);
}

void write_histogram_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::Histogram);
  if (!g) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_histogram_report(*info.text, series_histogram(rec), false);
  s.desktop.changed(info);
}

void write_residual_histogram_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::ResidualHistogram);
  if (!g || rec.results.residuals.empty()) return;
  Window& info = s.desktop.info(*g, rec.name);
  const int k = rec.params.residual_histogram_bins;
  write_histogram_report(*info.text, make_histogram(rec.results.residuals, k), true);
  s.desktop.changed(info);
}

}  // namespace zelk
