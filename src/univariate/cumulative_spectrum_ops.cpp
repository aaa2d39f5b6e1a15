// The cumulative spectrum window: the cumulative periodogram, the cumulative
// model spectrum, both, and the periodogram standardized by the model with
// its Kolmogorov-Smirnov bounds.
#include <numbers>

#include "port/session.h"
#include "project/univariate_record.h"
#include "univariate/spectrum_ops.h"
#include "univariate/spectrum_report.h"
#include "univariate/univariate_ops.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

using std::numbers::pi;

// w_j = 2 pi j / n, j = 1..count: where the bounds lie too.
std::vector<double> fourier_axis(std::size_t count, std::size_t n) {
  std::vector<double> x(count);
  for (std::size_t j = 0; j < count; ++j) x[j] = 2 * pi * static_cast<double>(j + 1) / static_cast<double>(n);
  return x;
}

std::vector<double> model_axis(std::size_t points) {
  std::vector<double> x(points);
  const double M = points > 1 ? static_cast<double>(points - 1) : 1.0;
  for (std::size_t j = 0; j < points; ++j) x[j] = pi * static_cast<double>(j) / M;
  return x;
}

const char* title(CumulativeMode mode) {
  switch (mode) {
    case CumulativeMode::Periodogram: return "CDF of Periodogram ";
    case CumulativeMode::Model: return "CDF of Model Spectrum ";
    case CumulativeMode::Both: return "CDF of Periodogram and Model Spectrum ";
    case CumulativeMode::ModelStandardized: return "CDF of Periodogram / Model Spectrum and K-S Bounds ";
  }
  return "";
}

// The periodogram divided by the model, once per series and model.
const std::vector<double>& standardized(Session& s, UnivariateRecord& rec) {
  SpectrumResults& r = rec.derived.get<SpectrumResults>();
  if (!r.standardized_done) {
    StandardizedPeriodogram st = standardize_periodogram(rec.results.periodogram, rec.x.size(), spectrum_model(rec));
    r.standardized = std::move(st.ratio);
    r.standardized_done = true;
    if (st.singular > 0) s.port.message("BRAX::ERROR", singular_spectrum_message(st.singular));
  }
  return r.standardized;
}

void write_report(TextDocument& doc, const UnivariateRecord& rec) {
  doc.clear();
  for (const std::string& line : cumulative_spectrum_report(rec.x.size())) doc.write_line(line.empty() ? " " : line);
}

}  // namespace

void draw_cumulative_window(Session& s, int entry, UnivariateRecord& rec) {
  compute_spectra(s, rec);
  const CumulativeMode mode = rec.kept.get<SpectrumView>().cumulative;
  const std::size_t n = rec.x.size(), q = fisher_frequency_count(n);
  const bool sample = mode != CumulativeMode::Model;
  const bool model = mode == CumulativeMode::Model || mode == CumulativeMode::Both;
  std::vector<double> C;
  if (sample) {
    const bool by_model = mode == CumulativeMode::ModelStandardized;
    C = cumulative_sum_ratio(by_model ? standardized(s, rec) : rec.results.periodogram, q);
  }
  Window& w = s.desktop.graph(entry, windows::CumulativeSpectrum, rec.name);
  const int id = w.id;
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = false;
  g.x_title = "Frequency";
  // A constant series has no cumulative periodogram: the pane stays empty.
  if (!C.empty()) g.add_curve_pane(1, fourier_axis(C.size(), n), C);
  if (model && rec.results.model_spectrum.size() > 1) {
    std::vector<double> F = cumulative_model_spectrum(rec.results.model_spectrum);
    std::vector<double> x = model_axis(F.size());
    if (g.pane(1).present)
      g.add_overlay(1, Overlay{std::move(x), std::move(F), 3, false});
    else
      g.add_curve_pane(1, x, F);
  }
  if (mode == CumulativeMode::ModelStandardized && g.pane(1).present) {
    const KsBounds b = ks_bounds(n);
    for (const BoundLine* line : {&b.lower5, &b.upper5})
      if (!line->x.empty()) g.add_overlay(1, Overlay{line->x, line->y, 2, true});
    for (const BoundLine* line : {&b.lower1, &b.upper1})
      if (!line->x.empty()) g.add_overlay(1, Overlay{line->x, line->y, 4, true});
  }
  if (g.pane(1).present) g.pane(1).title = title(mode);
  if (Window* again = s.desktop.by_id(id)) s.desktop.changed(*again);
  if (Window* info = open_info(s, entry, windows::CumulativeSpectrum)) {
    write_report(*info->text, rec);
    s.desktop.changed(*info);
  }
}

void write_cumulative_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::CumulativeSpectrum);
  if (!g) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_report(*info.text, rec);
  s.desktop.changed(info);
}

void show_cumulative_spectrum(Session& s, int entry, UnivariateRecord& rec, CumulativeMode mode) {
  if (mode != CumulativeMode::Model && !rec.data_present()) return;
  rec.kept.get<SpectrumView>().cumulative = mode;
  draw_cumulative_window(s, entry, rec);
  if (Window* w = s.desktop.find(entry, windows::CumulativeSpectrum)) s.desktop.focus(w->id);
}

}  // namespace zelk
