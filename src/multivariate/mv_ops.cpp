#include "multivariate/mv_ops.h"

#include <cmath>
#include <numeric>
#include <optional>

#include "multivariate/ccf_report.h"
#include "multivariate/cross_correlation.h"
#include "multivariate/cross_spectrum.h"
#include "multivariate/mv_transform.h"
#include "multivariate/smooth_dialog.h"
#include "multivariate/var_dialog.h"
#include "multivariate/var_ops.h"
#include "multivariate/windows.h"
#include "plot/format.h"
#include "port/integer_dialog.h"
#include "port/session.h"
#include "port/subsequence_dialog.h"
#include "project/multivariate_record.h"

namespace zelk {
namespace {

constexpr const char* kTrimErrorTitle = "ZELK::MultiVar Error";

// "Difference the series" for a multivariate project of n time points.
std::unique_ptr<IntegerDialog> lag_dialog(long long n) {
  return std::make_unique<IntegerDialog>("Difference the series", "Enter lag:", 1,
                                         [n](std::optional<long long> d, UiPort& port) {
                                           const char* why = !d || *d < 1    ? "Lag must be positive"
                                                             : *d >= n - 1 ? "Lag too large for data set."
                                                                           : nullptr;
                                           if (why) port.message("ZELK::Error", why, Buttons::Ok);
                                           return why == nullptr;
                                         });
}

constexpr int kMaxActive = 5;
constexpr int kDefaultCcfLags = 40;

// Kept between uses: the CCF lag count (before the cut to n div 2 - 1) and
// the Daniell filters of the cross-spectrum.
struct CcfSettings {
  int lags = kDefaultCcfLags;
};
struct SpectrumSettings {
  DaniellSettings filters;
};

std::string decimals(double v, int d) { return trim(format_decimals(v, d)); }

// The active components the limited analyses take, or nothing after the
// command's own warning.
std::optional<std::vector<int>> limited_components(Session& s, const MultivariateRecord& rec, const char* title) {
  std::vector<int> c = active_components(rec);
  if (static_cast<int>(c.size()) > kMaxActive) {
    s.port.message(title,
                   "Only 5 components of TS can be active for this option. Use Project Editor  (right click on "
                   "component series name) to deactivate series.",
                   Buttons::Ok);
    return std::nullopt;
  }
  if (c.empty()) {
    s.port.message(title, "No component series is active.", Buttons::Ok);
    return std::nullopt;
  }
  return c;
}

std::vector<std::span<const double>> spans(const MultivariateRecord& rec, const std::vector<int>& c) {
  std::vector<std::span<const double>> x;
  for (int j : c) x.push_back(rec.component(j));
  return x;
}

void transformed(Session& s, int entry, MultivariateRecord& rec) {
  // The results of the old data no longer hold.
  rec.derived.clear();
  s.publish(Event::SeriesChanged, entry);
}

// ---- results kept for redrawing

struct CcfResult {
  SampleCcf ccf;
  std::vector<int> components;
  int n = 0;
};
struct SpectrumResult {
  CrossSpectrum spectrum;
  std::vector<int> components;
};

std::vector<double> axis(int from, int to) {
  std::vector<double> x(static_cast<std::size_t>(to - from + 1));
  std::iota(x.begin(), x.end(), static_cast<double>(from));
  return x;
}

void draw_ccf(Session& s, int entry, MultivariateRecord& rec, const CcfResult& r) {
  Window& w = s.desktop.graph(entry, windows::Ccf, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  draw_ccf_panes(g, r.ccf, r.n, rec, r.components, "CCF: ");
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::Ccf)) write_info(s, entry, rec, windows::Ccf, ccf_report(r.ccf, numbers(r.components)));
}

std::optional<CcfResult> compute_ccf(MultivariateRecord& rec, const std::vector<int>& c) {
  CcfSettings& set = rec.kept.get<CcfSettings>();
  set.lags = ccf_lag_count(set.lags, rec.n);
  CcfResult r;
  r.components = c;
  r.n = rec.n;
  const auto x = spans(rec, c);
  r.ccf = zelk::sample_ccf(Components(x), set.lags);
  return r;
}

std::vector<double> smoothing_weights(const MultivariateRecord& rec) {
  const SpectrumSettings* set = rec.kept.find<SpectrumSettings>();
  if (!set || set->filters.count == 0) return {};
  std::vector<double> w = set->filters.weights();
  return w.size() > 1 ? w : std::vector<double>{};
}

void draw_spectrum(Session& s, int entry, MultivariateRecord& rec, const SpectrumResult& r) {
  Window& w = s.desktop.graph(entry, windows::CrossSpectrum, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = false;
  g.x_title = "Frequency";
  const CrossSpectrum& sp = r.spectrum;
  std::vector<double> f(static_cast<std::size_t>(sp.top) + 1);
  for (int j = 0; j <= sp.top; ++j) f[static_cast<std::size_t>(j)] = sp.frequency(j);
  const bool smoothed = !sp.weights.empty();
  int pane = 1;
  for (std::size_t i = 0; i < sp.spectrum.size(); ++i, ++pane) {
    g.add_curve_pane(pane, f, sp.spectrum[i]);
    g.pane(pane).title = std::string(smoothed ? "Smoothed Spectrum: " : "Periodogram: ") + component_label(rec, r.components[i]);
  }
  for (const PairSpectrum& p : sp.pairs) {
    const std::string names = pair_caption(component_label(rec, r.components[static_cast<std::size_t>(p.i)]),
                                           component_label(rec, r.components[static_cast<std::size_t>(p.j)]));
    g.add_curve_pane(pane, f, p.coherency);
    g.pane(pane++).title = "Sq. Coherence: " + names;
    g.add_curve_pane(pane, f, p.phase);
    g.pane(pane++).title = "Phase: " + names;
  }
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::CrossSpectrum))
    write_info(s, entry, rec, windows::CrossSpectrum, spectrum_report(sp));
}

SpectrumResult compute_spectrum(const MultivariateRecord& rec, const std::vector<int>& c, const std::vector<double>& weights) {
  SpectrumResult r;
  r.components = c;
  const auto x = spans(rec, c);
  r.spectrum = zelk::cross_spectrum(Components(x), weights);
  return r;
}

bool spectrum_possible(Session& s, const MultivariateRecord& rec, const std::optional<std::vector<int>>& c) {
  if (!c) return false;
  if (rec.n < 2) {
    s.port.message("Spectrum::Warning", "The series are too short for a spectrum.", Buttons::Ok);
    return false;
  }
  return true;
}

}  // namespace

std::string component_label(const MultivariateRecord& rec, int j) {
  return j < static_cast<int>(rec.names.size()) ? trim(rec.names[j]) : "Series " + std::to_string(j + 1);
}

std::vector<int> active_components(const MultivariateRecord& rec) {
  std::vector<int> out;
  for (int j = 0; j < rec.m; ++j)
    if (rec.active[static_cast<std::size_t>(j)]) out.push_back(j);
  return out;
}

std::vector<int> numbers(const std::vector<int>& c) {
  std::vector<int> out;
  for (int j : c) out.push_back(j + 1);
  return out;
}

void write_info(Session& s, int entry, const MultivariateRecord& rec, Slot slot, const std::vector<std::string>& lines) {
  Window* g = s.desktop.find(entry, slot);
  if (!g) return;
  fill_text(s, s.desktop.info(*g, rec.name), lines);
}

void fill_text(Session& s, Window& w, const std::vector<std::string>& lines) {
  w.text->clear();
  for (const std::string& l : lines) w.text->write_line(l.empty() ? " " : l);
  s.desktop.changed(w);
}

void focus_window(Session& s, int entry, Slot slot) {
  if (Window* w = s.desktop.find(entry, slot)) s.desktop.focus(w->id);
}

void clear_window(Session& s, int entry, Slot slot) {
  if (Window* w = s.desktop.find(entry, slot)) {
    w->graph->clear();
    s.desktop.changed(*w);
  }
  if (Window* info = s.desktop.find_info(entry, slot)) {
    info->text->clear();
    s.desktop.changed(*info);
  }
}

void draw_ccf_panes(GraphDocument& g, const SampleCcf& ccf, int n, const MultivariateRecord& rec,
                    const std::vector<int>& components, const std::string& title) {
  g.clear();
  g.integer_x = true;
  g.x_title = "Lag";
  const int k = ccf.k, L = ccf.lags;
  const double bound = 1.96 / std::sqrt(static_cast<double>(std::max(n, 1)));
  std::vector<double> lags(static_cast<std::size_t>(2 * L + 1));
  std::iota(lags.begin(), lags.end(), static_cast<double>(-L));
  for (int i = 0; i < k; ++i)
    for (int j = i; j < k; ++j) {
      const int pane = pair_index(i, j, k) + 1;
      g.add_bar_pane(pane, lags, ccf.pair(i, j));
      g.pane(pane).title = title + pair_caption(component_label(rec, components[static_cast<std::size_t>(i)]),
                                                component_label(rec, components[static_cast<std::size_t>(j)]));
      for (double y : {bound, -bound})
        g.add_overlay(pane, Overlay{{-static_cast<double>(L), static_cast<double>(L)}, {y, y}, 2, true});
    }
}

std::unique_ptr<Dialog> make_mv_difference_dialog() { return lag_dialog(100); }
std::unique_ptr<Dialog> make_mv_trim_dialog() { return std::make_unique<SubsequenceDialog>(1, 100, kTrimErrorTitle); }

void mv_difference(Session& s, int entry, MultivariateRecord& rec) {
  if (!rec.data_present() || !mv_transform_allowed(rec)) return;
  const std::unique_ptr<IntegerDialog> d = lag_dialog(rec.n);
  if (!s.port.run_dialog(*d)) return;
  difference_components(rec, static_cast<int>(d->value()));
  transformed(s, entry, rec);
}

void mv_subtract_means(Session& s, int entry, MultivariateRecord& rec) {
  if (!rec.data_present() || !mv_transform_allowed(rec)) return;
  subtract_component_means(rec);
  transformed(s, entry, rec);
}

void mv_trim(Session& s, int entry, MultivariateRecord& rec) {
  if (!rec.data_present() || !mv_transform_allowed(rec)) return;
  SubsequenceDialog d(rec.first, rec.last, kTrimErrorTitle);
  if (!s.port.run_dialog(d)) return;
  trim_components(rec, d.a(), d.b());
  transformed(s, entry, rec);
}

void mv_undo(Session& s, int entry, MultivariateRecord& rec) {
  if (!undo_components(rec)) return;
  transformed(s, entry, rec);
}

void plot_mv_project(Session& s, int entry, MultivariateRecord& rec) {
  Window& w = s.desktop.graph(entry, windows::Project, rec.name);
  w.graph->clear();
  w.graph->role = 0;
  w.graph->x_title = "Time";
  if (rec.data_present()) {
    // Time runs over the indices of the data as read, so a subsequence keeps its place.
    const std::vector<double> t = axis(rec.first, rec.first + rec.n - 1);
    int pane = 1;
    for (int j : active_components(rec)) {
      if (pane > kMaxComponents) break;
      w.graph->add_curve_pane(pane, t, rec.component(j));
      w.graph->pane(pane++).title = component_label(rec, j);
    }
  }
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::Project)) write_mv_summary(s, entry, rec);
}

void write_mv_summary(Session& s, int entry, MultivariateRecord& rec) {
  const std::string rule(18, '=');
  std::vector<std::string> out{rule, "ZELK::Multivariate", rule};
  out.push_back("# of Series = " + pad_left(std::to_string(rec.m), 8));
  out.push_back("# of Data Points = " + pad_left(std::to_string(rec.n), 8));
  if (rec.data_present()) {
    if (!rec.transforms.empty() && rec.transforms.back().kind == MvTransformKind::SubtractMeans) {
      out.push_back(" The following means have been subtracted:");
      for (int j = 0; j < rec.m; ++j)
        out.push_back(component_label(rec, j) + ":  " + decimals(rec.transforms.back().means[static_cast<std::size_t>(j)], 4));
    }
    std::vector<double> mean(static_cast<std::size_t>(rec.m)), sd(static_cast<std::size_t>(rec.m));
    for (int j = 0; j < rec.m; ++j) {
      const auto x = rec.component(j);
      const double mu = std::accumulate(x.begin(), x.end(), 0.0) / rec.n;
      double ss = 0;
      for (double v : x) ss += (v - mu) * (v - mu);
      mean[static_cast<std::size_t>(j)] = mu;
      sd[static_cast<std::size_t>(j)] = std::sqrt(ss / rec.n);
    }
    out.push_back(" Means:");
    for (int j = 0; j < rec.m; ++j) out.push_back(component_label(rec, j) + ":  " + decimals(mean[static_cast<std::size_t>(j)], 4));
    out.push_back(" ");
    out.push_back(" Standard deviations:");
    for (int j = 0; j < rec.m; ++j) out.push_back(component_label(rec, j) + ":  " + decimals(sd[static_cast<std::size_t>(j)], 4));
  }
  for (std::string& l : var_summary_lines(rec)) out.push_back(std::move(l));
  Window* g = s.desktop.find(entry, windows::Project);
  if (!g) return;
  Window& info = s.desktop.info(*g, rec.name);
  info.text->clear();
  for (const std::string& l : out) info.text->write_line(l);
  s.desktop.changed(info);
}

void show_ccf(Session& s, int entry, MultivariateRecord& rec) {
  auto c = limited_components(s, rec, "CCF::Warning");
  if (!c) return;
  std::optional<CcfResult> r = compute_ccf(rec, *c);
  rec.derived.get<CcfResult>() = *r;
  draw_ccf(s, entry, rec, *r);
  focus_window(s, entry, windows::Ccf);
}

void refresh_ccf(Session& s, int entry, MultivariateRecord& rec) {
  // A redraw after new data asks nothing: with too many active series the window empties.
  const std::vector<int> c = active_components(rec);
  if (!rec.data_present() || c.empty() || static_cast<int>(c.size()) > kMaxActive) {
    rec.derived.reset<CcfResult>();
    clear_window(s, entry, windows::Ccf);
    return;
  }
  std::optional<CcfResult> r = compute_ccf(rec, c);
  rec.derived.get<CcfResult>() = *r;
  draw_ccf(s, entry, rec, *r);
}

void write_ccf_info(Session& s, int entry, MultivariateRecord& rec) {
  if (const CcfResult* r = rec.derived.find<CcfResult>())
    write_info(s, entry, rec, windows::Ccf, ccf_report(r->ccf, numbers(r->components)));
}

void specify_ccf_lag(Session& s, int entry, MultivariateRecord& rec) {
  int lags = rec.kept.get<CcfSettings>().lags;
  CcfLagDialog d(lags);
  if (!s.port.run_dialog(d)) return;
  rec.kept.get<CcfSettings>().lags = lags;
  if (s.desktop.find(entry, windows::Ccf)) refresh_ccf(s, entry, rec);
}

void show_cross_spectrum(Session& s, int entry, MultivariateRecord& rec) {
  auto c = limited_components(s, rec, "Spectrum::Warning");
  if (!spectrum_possible(s, rec, c)) return;
  SpectrumResult r = compute_spectrum(rec, *c, smoothing_weights(rec));
  draw_spectrum(s, entry, rec, r);
  rec.derived.get<SpectrumResult>() = std::move(r);
  focus_window(s, entry, windows::CrossSpectrum);
}

void smooth_cross_spectrum(Session& s, int entry, MultivariateRecord& rec) {
  auto c = limited_components(s, rec, "Spectrum::Warning");
  if (!spectrum_possible(s, rec, c)) return;
  SpectrumSettings& set = rec.kept.get<SpectrumSettings>();
  // Apply shows the filters on trial; Cancel puts back those in force.
  SmoothSpectrumDialog d(set.filters, [&](const std::vector<double>& w) {
    SpectrumResult r = compute_spectrum(rec, *c, w.size() > 1 ? w : std::vector<double>{});
    draw_spectrum(s, entry, rec, r);
    rec.derived.get<SpectrumResult>() = std::move(r);
  });
  const bool ok = s.port.run_dialog(d);
  if (ok)
    focus_window(s, entry, windows::CrossSpectrum);
}

void refresh_cross_spectrum(Session& s, int entry, MultivariateRecord& rec) {
  const std::vector<int> c = active_components(rec);
  const bool possible = rec.data_present() && rec.n >= 2 && !c.empty() && static_cast<int>(c.size()) <= kMaxActive;
  redraw_or_clear(s, entry, rec, windows::CrossSpectrum,
                  possible ? std::optional(compute_spectrum(rec, c, smoothing_weights(rec))) : std::nullopt,
                  draw_spectrum);
}

void write_spectrum_info(Session& s, int entry, MultivariateRecord& rec) {
  if (const SpectrumResult* r = rec.derived.find<SpectrumResult>())
    write_info(s, entry, rec, windows::CrossSpectrum, spectrum_report(r->spectrum));
}

}  // namespace zelk
