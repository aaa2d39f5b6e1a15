// Residual analysis: the residual plot, the residual ACF/PACF and the tests
// of randomness, with their INFO texts and their redrawing after a change of
// the series or the model.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "arma/arma_ops.h"
#include "arma/model_text.h"
#include "arma/randomness.h"
#include "arma/randomness_dialog.h"
#include "arma/randomness_report.h"
#include "arma/windows.h"
#include "numeric/acf.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

// The residual ACF/PACF last drawn, lags 0..L.
struct ResidualCorrelations {
  std::vector<double> acf, pacf;
};

const std::vector<double>& residuals_of(const UnivariateRecord& rec) { return rec.results.rescaled_residuals; }

double residual_variance(const UnivariateRecord& rec) {
  const auto& w = residuals_of(rec);
  if (w.empty()) return 0;
  return std::inner_product(w.begin(), w.end(), w.begin(), 0.0) / static_cast<double>(w.size());
}

std::vector<std::string> model_lines(const ArmaModel& m) {
  TextDocument doc;
  write_model_text(doc, m);
  return doc.lines();
}

void write_lines(TextDocument& doc, const std::vector<std::string>& lines) {
  doc.clear();
  for (const std::string& line : lines) doc.write_line(line);
}

// A window whose residuals are gone (no data, a non-causal model) is emptied
// rather than left showing another model's residuals.
void clear_graph(Session& s, int entry, Slot slot) {
  if (Window* w = s.desktop.find(entry, slot); w && w->graph) {
    w->graph->clear();
    s.desktop.changed(*w);
  }
}

int free_coefficients(const UnivariateRecord& rec) {
  const int k = rec.model.p + rec.model.q;
  return std::min(static_cast<int>(rec.model.free_parameters.size()), k);
}

void write_randomness(Session& s, int entry, UnivariateRecord& rec, int h, int f) {
  const RandomnessTests t = randomness_tests(residuals_of(rec), h, f);
  Window& w = s.desktop.report(entry, windows::RandomnessTests, rec.name);
  write_lines(*w.text, randomness_report(t));
  s.desktop.changed(w);
}

}  // namespace

void write_residual_plot_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::Residuals);
  if (!g || residuals_of(rec).empty()) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_lines(*info.text, residual_plot_info(residual_variance(rec), model_lines(rec.model), rec.model.sigma2));
  s.desktop.changed(info);
}

void draw_residual_plot(Session& s, int entry, UnivariateRecord& rec) {
  const auto& y = residuals_of(rec);
  if (y.empty()) {
    clear_graph(s, entry, windows::Residuals);
    return;
  }
  Window& w = s.desktop.graph(entry, windows::Residuals, rec.name);
  // Time runs over the series' own indices, so a subsequence keeps its place.
  std::vector<double> t(y.size());
  std::iota(t.begin(), t.end(), static_cast<double>(std::max(rec.first, 1)));
  w.graph->clear();
  w.graph->integer_x = true;
  w.graph->x_title = "Time";
  w.graph->add_curve_pane(1, t, y);
  w.graph->pane(1).title = "Residuals";
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::Residuals)) write_residual_plot_info(s, entry, rec);
}

void plot_residuals(Session& s, int entry, UnivariateRecord& rec) {
  ensure_residuals(rec);
  draw_residual_plot(s, entry, rec);
  if (Window* w = s.desktop.find(entry, windows::Residuals)) s.desktop.focus(w->id);
}

void write_residual_acf_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::ResidualAcf);
  const ResidualCorrelations* c = rec.derived.find<ResidualCorrelations>();
  if (!g || !c || residuals_of(rec).empty()) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_lines(*info.text, residual_acf_info(rec.params.residual_acf_lags, residual_variance(rec), c->acf, c->pacf,
                                            rec.residual_acf_mode));
  s.desktop.changed(info);
}

void draw_residual_acf(Session& s, int entry, UnivariateRecord& rec) {
  const auto& y = residuals_of(rec);
  if (y.empty()) {
    rec.derived.reset<ResidualCorrelations>();
    clear_graph(s, entry, windows::ResidualAcf);
    return;
  }
  if (rec.params.residual_acf_lags < 1) rec.params.residual_acf_lags = kDefaultLags;
  const int L = rec.params.residual_acf_lags;
  SampleCorrelations sc = sample_correlations(y, L);
  ResidualCorrelations& c = rec.derived.get<ResidualCorrelations>();
  c.acf = std::move(sc.acf);
  c.pacf = std::move(sc.pacf);
  if ((rec.residual_acf_mode & kResidualBothPanes) == 0) rec.residual_acf_mode |= kResidualBothPanes;

  Window& w = s.desktop.graph(entry, windows::ResidualAcf, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  g.x_title = "Lag";
  const double bound = 1.96 / std::sqrt(static_cast<double>(y.size()));
  for (int pane : {1, 2}) {
    if (!(rec.residual_acf_mode & (pane == 1 ? kResidualAcfPane : kResidualPacfPane))) continue;
    const auto& v = pane == 1 ? c.acf : c.pacf;
    std::vector<double> lags(v.size());
    std::iota(lags.begin(), lags.end(), 0.0);
    g.add_bar_pane(pane, lags, v);
    g.pane(pane).title = pane == 1 ? "Residual ACF" : "Residual PACF";
    for (double b : {bound, -bound}) g.add_overlay(pane, Overlay{{0.0, static_cast<double>(L)}, {b, b}, 2, true});
  }
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::ResidualAcf)) write_residual_acf_info(s, entry, rec);
}

void residual_acf(Session& s, int entry, UnivariateRecord& rec) {
  ensure_residuals(rec);
  if (residuals_of(rec).empty()) return;
  if (s.desktop.find(entry, windows::ResidualAcf))
    rec.residual_acf_mode = (rec.residual_acf_mode & ~kResidualBothPanes) | cycle_residual_panes(rec.residual_acf_mode);
  draw_residual_acf(s, entry, rec);
  if (Window* w = s.desktop.find(entry, windows::ResidualAcf)) s.desktop.focus(w->id);
}

void tests_of_randomness(Session& s, int entry, UnivariateRecord& rec) {
  ensure_residuals(rec);
  const int n = static_cast<int>(residuals_of(rec).size());
  if (n == 0) return;
  RandomnessSettings settings;
  settings.f = free_coefficients(rec);
  settings.n = n;
  RandomnessDialog d(settings);
  if (!s.port.run_dialog(d)) return;
  write_randomness(s, entry, rec, settings.h, settings.f);
}

void refresh_randomness(Session& s, int entry, UnivariateRecord& rec) {
  Window* w = s.desktop.find(entry, windows::RandomnessTests);
  if (!w) return;
  const int n = static_cast<int>(residuals_of(rec).size());
  if (n == 0) {
    w->text->clear();
    s.desktop.changed(*w);
    return;
  }
  const int h = default_randomness_lag(free_coefficients(rec), n);
  // Fewer residuals than coefficients: no degrees of freedom are left, never
  // a negative count.
  write_randomness(s, entry, rec, h, std::min(free_coefficients(rec), h));
}

namespace {
// The dialog as an AR(2) fit on 100 residuals shows it, owning its settings.
struct ListedSettings {
  RandomnessSettings settings{2, 100, 0};
};
struct ListedRandomnessDialog : private ListedSettings, public RandomnessDialog {
  ListedRandomnessDialog() : RandomnessDialog(settings) {}
};
}  // namespace

std::unique_ptr<Dialog> make_randomness_dialog() { return std::make_unique<ListedRandomnessDialog>(); }

}  // namespace zelk
