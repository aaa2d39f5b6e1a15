// The ACF/PACF window, its INFO text, "Specify Lag" and the project
// window's summary.
#include <cmath>

#include "arma/windows.h"
#include "univariate/windows.h"
#include "arma/model_acf.h"
#include "project/univariate_record.h"
#include "port/session.h"
#include "numeric/acf.h"
#include "port/integer_dialog.h"
#include "univariate/reports.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

std::vector<double> lag_axis(std::size_t count) {
  std::vector<double> x(count);
  for (std::size_t k = 0; k < count; ++k) x[k] = static_cast<double>(k);
  return x;
}

// Dashed lines at +-1.96/sqrt(n) across the lags.
void add_bounds(GraphDocument& g, int pane, int lags, int n) {
  const double b = 1.96 / std::sqrt(static_cast<double>(n));
  for (double y : {b, -b}) g.add_overlay(pane, Overlay{{0.0, static_cast<double>(lags)}, {y, y}, 2, true});
}

// The model functions the mode asks for, with the record's copy refreshed.
std::optional<ModelAcf> model_functions(UnivariateRecord& rec) {
  if (!(rec.acf_mode & 2)) return std::nullopt;
  ModelAcf m = model_acf_pacf(rec.model, rec.params.model_acf_lags);
  if (!m.ok) return std::nullopt;
  rec.results.model_acf = m.acf;
  rec.results.model_pacf = m.pacf;
  rec.results.model_variance = m.variance;
  return m;
}

void compute_sample(UnivariateRecord& rec) {
  if (rec.params.acf_lags < 1) rec.params.acf_lags = kDefaultLags;
  SampleCorrelations c = sample_correlations(rec.x, rec.params.acf_lags);
  rec.results.sample_variance = c.gamma0;
  rec.results.sample_acf = std::move(c.acf);
  rec.results.sample_pacf = std::move(c.pacf);
}

}  // namespace

Window* open_info(Session& s, int entry, Slot slot) { return s.desktop.find_info(entry, slot); }

void write_summary_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::Project);
  if (!g) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_summary(*info.text, rec);
  s.desktop.changed(info);
}

void draw_acf_window(Session& s, int entry, UnivariateRecord& rec) {
  Window& w = s.desktop.graph(entry, windows::Acf, rec.name);
  const int id = w.id;
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  g.x_title = "Lag";
  const bool sample = (rec.acf_mode & 1) && rec.data_present();
  if (sample) compute_sample(rec);
  const std::optional<ModelAcf> model = model_functions(rec);
  for (int pane : {1, 2}) {
    if (!(rec.acf_mode & (pane == 1 ? 8 : 16))) continue;
    const char* what = pane == 1 ? "ACF" : "PACF";
    if (sample) {
      const auto& v = pane == 1 ? rec.results.sample_acf : rec.results.sample_pacf;
      g.add_bar_pane(pane, lag_axis(v.size()), v);
      g.pane(pane).title = std::string("Sample ") + what;
      add_bounds(g, pane, rec.params.acf_lags, rec.n());
    }
    if (model) {
      const auto& v = pane == 1 ? model->acf : model->pacf;
      if (sample) {
        g.add_overlay(pane, Overlay{lag_axis(v.size()), v, 3, false});
      } else {
        g.add_bar_pane(pane, lag_axis(v.size()), v);
        g.pane(pane).title = std::string("Model ") + what;
      }
    }
  }
  if (Window* again = s.desktop.by_id(id)) s.desktop.changed(*again);
  if (Window* info = open_info(s, entry, windows::Acf)) {
    write_acf_report(*info->text, rec, model ? &*model : nullptr);
    s.desktop.changed(*info);
  }
}

void write_acf_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::Acf);
  if (!g) return;
  Window& info = s.desktop.info(*g, rec.name);
  const std::optional<ModelAcf> model = model_functions(rec);
  write_acf_report(*info.text, rec, model ? &*model : nullptr);
  s.desktop.changed(info);
}

std::unique_ptr<Dialog> make_specify_lag_dialog() {
  return std::make_unique<IntegerDialog>("Specify Lag", "Enter # of lags :", kDefaultLags,
                                         [](std::optional<long long> v, UiPort& port) {
                                           if (!v || *v < 1) return false;
                                           if (*v > kMaxLags) {
                                             port.message("ZELK Error", "Number of lags must be at most " +
                                                                            std::to_string(kMaxLags));
                                             return false;
                                           }
                                           return true;
                                         });
}

void specify_lag(Session& s, int entry, UnivariateRecord& rec) {
  auto dialog = make_specify_lag_dialog();
  auto& d = static_cast<IntegerDialog&>(*dialog);
  d.control("value").text = std::to_string(rec.params.acf_lags);
  if (!s.port.run_dialog(d)) return;
  const int L = static_cast<int>(d.value());
  rec.params.acf_lags = rec.params.model_acf_lags = rec.params.residual_acf_lags = L;
  if (s.desktop.find(entry, windows::Acf)) draw_acf_window(s, entry, rec);
  if (s.desktop.find(entry, windows::ResidualAcf) && s.registry)
    if (const WindowHandlers* h = s.registry->window(windows::ResidualAcf); h && h->refresh) h->refresh(s, entry, rec);
}

}  // namespace zelk
