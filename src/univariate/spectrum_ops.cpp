// The spectrum window: periodogram, model spectrum, both, smoothed, on a log
// scale; its INFO text; Fisher's test.
#include "univariate/spectrum_ops.h"

#include <algorithm>
#include <numbers>
#include <string>

#include "arma/model_text.h"
#include "port/session.h"
#include "project/univariate_record.h"
#include "univariate/regression_report.h"
#include "univariate/spectrum_report.h"
#include "univariate/univariate_ops.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

using std::numbers::pi;

SpectrumView& view(UnivariateRecord& rec) { return rec.kept.get<SpectrumView>(); }
SpectrumResults& results(UnivariateRecord& rec) { return rec.derived.get<SpectrumResults>(); }

// The smoothed periodogram for these filters; none (or only zero orders)
// leaves no estimate, and the plain periodogram is drawn.
void apply_smoothing(UnivariateRecord& rec, std::span<const int> orders) {
  SpectrumResults& r = results(rec);
  r.weights = daniell_weights(orders);
  if (r.weights.size() > 1 && !rec.results.periodogram.empty())
    rec.results.smoothed_spectrum = smoothed_periodogram(rec.results.periodogram, rec.x.size(), orders);
  else
    rec.results.smoothed_spectrum.clear();
}

struct Curve {
  std::vector<double> x, y;
  std::string label;
};

std::vector<Curve> spectrum_curves(UnivariateRecord& rec) {
  const SpectrumView& v = view(rec);
  std::vector<Curve> curves;
  const auto& I = rec.results.periodogram;
  if (v.periodogram && !I.empty()) {
    const std::size_t n = rec.x.size();
    const bool smoothed = v.smoothed && !rec.results.smoothed_spectrum.empty();
    Curve c;
    c.label = smoothed ? "Smoothed Periodogram" : "Periodogram";
    // Without filters the point at 0 is I(w_1), as the smoother gives it.
    c.y = smoothed ? rec.results.smoothed_spectrum : smoothed_periodogram(I, n, {});
    c.x.resize(c.y.size());
    for (std::size_t j = 0; j < c.x.size(); ++j) c.x[j] = 2 * pi * static_cast<double>(j) / static_cast<double>(n);
    curves.push_back(std::move(c));
  }
  const auto& f = rec.results.model_spectrum;
  if (v.model && f.size() > 1) {
    Curve c;
    c.label = "Model Spectrum";
    c.y = f;
    const double M = static_cast<double>(f.size() - 1);
    c.x.resize(f.size());
    for (std::size_t j = 0; j < f.size(); ++j) c.x[j] = pi * static_cast<double>(j) / M;
    curves.push_back(std::move(c));
  }
  return curves;
}

// The model description of the reports: the trend when one is estimated,
// then the ARMA model.
std::vector<std::string> model_lines(const UnivariateRecord& rec) {
  TextDocument t;
  write_model_text(t, rec.model);
  std::vector<std::string> arma = t.lines();
  const RegressionTrend& trend = rec.regression;
  if (trend.estimation == 0) return arma;
  const RegressionSpec terms = regression_spec(trend);
  if (static_cast<std::size_t>(terms.regressor_count()) != trend.coefficients.size()) return arma;
  arma.erase(arma.begin());  // the description writes its own "ARMA Model: "
  const auto method = trend.estimation == 2 ? RegressionMethod::Generalized : RegressionMethod::LeastSquares;
  return model_description(method, terms, trend.coefficients, false, arma);
}

void write_spectrum_report(TextDocument& doc, UnivariateRecord& rec) {
  const SpectrumView& v = view(rec);
  const SpectrumResults& r = results(rec);
  const bool smoothed = v.periodogram && v.smoothed && !rec.results.smoothed_spectrum.empty();
  doc.clear();
  // write_line("") would clear the text: a blank line is one blank.
  for (const std::string& line : spectrum_report(model_lines(rec), rec.x.size(),
                                                 smoothed ? std::span<const double>(r.weights) : std::span<const double>(),
                                                 r.fisher))
    doc.write_line(line.empty() ? " " : line);
}

void focus(Session& s, int entry, Slot slot) {
  if (Window* w = s.desktop.find(entry, slot)) s.desktop.focus(w->id);
}

}  // namespace

SpectrumModel spectrum_model(const UnivariateRecord& rec) {
  const ArmaModel& m = rec.model;
  const auto p = static_cast<std::size_t>(std::clamp(m.p, 0, kMaxArmaOrder));
  const auto q = static_cast<std::size_t>(std::clamp(m.q, 0, kMaxArmaOrder));
  return {std::span<const double>(m.phi.data(), p), std::span<const double>(m.theta.data(), q), m.sigma2,
          m.fractional ? m.d : 0.0};
}

void compute_spectra(Session& s, UnivariateRecord& rec) {
  const SpectrumView& v = view(rec);
  SpectrumResults& r = results(rec);
  if (!r.data_done) {
    rec.results.periodogram = periodogram(rec.x);
    r.fisher = fisher_test(rec.results.periodogram, rec.x.size());
    r.data_done = true;
    r.standardized_done = false;
    r.log_reported = false;
    if (v.smoothed) {
      apply_smoothing(rec, v.smoothing.active());
    } else {
      rec.results.smoothed_spectrum.clear();
      r.weights.clear();
    }
  }
  if (!r.model_done || r.model_points != v.resolution.M) {
    ModelSpectrum m = model_spectrum(spectrum_model(rec), v.resolution.M);
    rec.results.model_spectrum = std::move(m.f);
    r.model_done = true;
    r.model_points = v.resolution.M;
    r.standardized_done = false;
    r.log_reported = false;
    if (m.singular > 0) s.port.message("BRAX::ERROR", singular_spectrum_message(m.singular));
  }
}

void forget_series_spectra(UnivariateRecord& rec) {
  SpectrumResults& r = results(rec);
  r.data_done = r.standardized_done = r.log_reported = false;
  rec.results.periodogram.clear();
  rec.results.smoothed_spectrum.clear();
}

void forget_model_spectra(UnivariateRecord& rec) {
  SpectrumResults& r = results(rec);
  r.model_done = r.standardized_done = r.log_reported = false;
  rec.results.model_spectrum.clear();
}

void draw_spectrum_window(Session& s, int entry, UnivariateRecord& rec) {
  compute_spectra(s, rec);
  const SpectrumView& v = view(rec);
  SpectrumResults& r = results(rec);
  std::vector<Curve> curves = spectrum_curves(rec);
  if (v.log) {
    int nulls = 0;
    for (Curve& c : curves) {
      LogValues l = log_spectrum(c.y);
      nulls += l.nulls;
      c.y = std::move(l.values);
      c.label = "Log(" + c.label + ")";
    }
    if (nulls > 0 && !r.log_reported) s.port.message("ZELK ERROR", null_log_message(nulls));
    r.log_reported = true;
  }
  Window& w = s.desktop.graph(entry, windows::Spectrum, rec.name);
  const int id = w.id;
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = false;
  g.x_title = "Frequency";
  std::string title;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (i == 0)
      g.add_curve_pane(1, curves[i].x, curves[i].y);
    else
      g.add_overlay(1, Overlay{std::move(curves[i].x), std::move(curves[i].y), 3, false});
    title += (i ? " / " : "") + curves[i].label;
  }
  if (!curves.empty()) g.pane(1).title = title;
  if (Window* again = s.desktop.by_id(id)) s.desktop.changed(*again);
  if (Window* info = open_info(s, entry, windows::Spectrum)) {
    write_spectrum_report(*info->text, rec);
    s.desktop.changed(*info);
  }
}

void write_spectrum_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::Spectrum);
  if (!g) return;
  compute_spectra(s, rec);
  Window& info = s.desktop.info(*g, rec.name);
  write_spectrum_report(*info.text, rec);
  s.desktop.changed(info);
}

void show_periodogram(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  SpectrumView& v = view(rec);
  v.periodogram = true;
  v.model = v.smoothed = false;
  draw_spectrum_window(s, entry, rec);
  focus(s, entry, windows::Spectrum);
}

void show_model_spectrum(Session& s, int entry, UnivariateRecord& rec) {
  SpectrumView& v = view(rec);
  v.resolution.M = kDefaultResolution;
  v.periodogram = false;
  v.model = true;
  draw_spectrum_window(s, entry, rec);
  focus(s, entry, windows::Spectrum);
}

void specify_spectrum_resolution(Session& s, int entry, UnivariateRecord& rec) {
  SpectrumView& v = view(rec);
  ResolutionSettings entered = v.resolution;
  ResolutionDialog d(entered);
  if (!s.port.run_dialog(d)) return;
  v.resolution = entered;
  v.periodogram = false;
  v.model = true;
  draw_spectrum_window(s, entry, rec);
  focus(s, entry, windows::Spectrum);
}

void show_model_and_periodogram(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  SpectrumView& v = view(rec);
  v.periodogram = v.model = true;
  draw_spectrum_window(s, entry, rec);
  focus(s, entry, windows::Spectrum);
}

void smooth_periodogram(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  SpectrumView& v = view(rec);
  v.periodogram = true;
  draw_spectrum_window(s, entry, rec);
  focus(s, entry, windows::Spectrum);
  // What Cancel brings back.
  const bool was_smoothed = v.smoothed;
  const std::vector<double> old_smoothed = rec.results.smoothed_spectrum;
  const std::vector<double> old_weights = results(rec).weights;
  SpectrumSmoothingDialog d(v.smoothing, [&](const SmoothingSettings* chosen) {
    if (chosen) {
      apply_smoothing(rec, chosen->active());
      v.smoothed = results(rec).weights.size() > 1;
    } else {
      v.smoothed = was_smoothed;
      rec.results.smoothed_spectrum = old_smoothed;
      results(rec).weights = old_weights;
    }
    draw_spectrum_window(s, entry, rec);
  });
  s.port.run_dialog(d);
}

void toggle_log_spectrum(Session& s, int entry, UnivariateRecord& rec) {
  SpectrumView& v = view(rec);
  v.log = !v.log;
  results(rec).log_reported = false;
  // A window that never showed anything shows what there is.
  if (!v.periodogram && !v.model) (rec.data_present() ? v.periodogram : v.model) = true;
  draw_spectrum_window(s, entry, rec);
}

void fisher_test_command(Session& s, int, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  compute_spectra(s, rec);
  FisherTestDialog d(results(rec).fisher);
  s.port.run_dialog(d);
}

namespace {

// A dialog in its default state that owns the settings it edits.
template <class Settings>
struct Owned {
  Settings settings;
};

class DefaultSmoothingDialog : private Owned<SmoothingSettings>, public SpectrumSmoothingDialog {
 public:
  DefaultSmoothingDialog() : SpectrumSmoothingDialog(Owned<SmoothingSettings>::settings, {}) {}
};

class DefaultResolutionDialog : private Owned<ResolutionSettings>, public ResolutionDialog {
 public:
  DefaultResolutionDialog() : ResolutionDialog(Owned<ResolutionSettings>::settings) {}
};

}  // namespace

std::unique_ptr<Dialog> make_smoothing_dialog() { return std::make_unique<DefaultSmoothingDialog>(); }
std::unique_ptr<Dialog> make_resolution_dialog() { return std::make_unique<DefaultResolutionDialog>(); }
std::unique_ptr<Dialog> make_fisher_dialog() { return std::make_unique<FisherTestDialog>(FisherTest{}); }

}  // namespace zelk
