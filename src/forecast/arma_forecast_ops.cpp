// Forecasting > ARMA.
#include "forecast/arma_forecast_ops.h"

#include <string>

#include "arma/estimation.h"
#include "arma/arma_ops.h"
#include "forecast/arma_forecast.h"
#include "forecast/arma_forecast_dialog.h"
#include "forecast/arma_forecast_report.h"
#include "forecast/windows.h"
#include "port/session.h"
#include "project/univariate_record.h"
#include "univariate/regression_fit.h"

namespace zelk {
namespace {

// The last forecasts, for redrawing and the INFO text.
struct ArmaForecastResult {
  ForecastInUnits units;
  int level = 95;
  bool box_cox = false;
  bool plot_bounds = true;
};

BackSteps steps_available(const UnivariateRecord& rec) {
  return available_steps(rec.transforms, rec.regression.estimation != 0);
}

int auxiliary_rows(const UnivariateRecord& rec) {
  return rec.regression.estimation != 0 ? regression_rows_available(regression_spec(rec.regression))
                                        : regression_rows_available(RegressionSpec{});
}

// The forecasts with these settings, or the reason there are none.
std::string compute(const UnivariateRecord& rec, const ArmaForecastSettings& st, ArmaForecastResult& out) {
  const ArmaModel& m = rec.model;
  const auto phi = std::span(m.phi).first(m.p);
  const auto theta = std::span(m.theta).first(m.q);
  const Predictions p = m.fractional ? fractional_predict(rec.x, phi, theta, m.d, m.M, st.sigma2, st.h)
                                     : arma_predict(rec.x, phi, theta, st.sigma2, st.h);
  if (!p.ok) return "The AR part of the model is not causal: no forecasts.";
  const BackSteps steps = complete_steps(st.steps, steps_available(rec));
  const RegressionTrend& g = rec.regression;
  std::vector<double> ahead;
  if (steps.regression) {
    const RegressionSpec terms = regression_spec(g);
    if (rec.n() + st.h > regression_rows_available(terms))
      return " Cannot forecast beyond the length of the auxiliary variables in regression function.";
    ahead = regression_trend(design_matrix(terms, rec.n(), rec.n() + 1, st.h), g.coefficients);
  }
  ForecastRequest r;
  r.series = rec.x;
  r.prediction = p.prediction;
  r.mse = p.mse;
  r.transforms = rec.transforms;
  if (g.estimation != 0) r.fitted_trend = g.fitted_trend;
  r.trend_ahead = ahead;
  r.model = {phi, theta, st.sigma2, m.fractional, m.d};
  r.z = bound_quantile(st.level);
  out.units = carry_back(r, steps);
  out.level = st.level;
  out.box_cox = steps.box_cox;
  out.plot_bounds = st.plot_bounds;
  return {};
}

// The values whose inverse exists, over their time indices.
Overlay points(const std::vector<double>& v, const std::vector<bool>& ok, double first, int colour, bool dashed) {
  Overlay o;
  o.colour = colour;
  o.dashed = dashed;
  for (std::size_t i = 0; i < v.size(); ++i)
    if (ok.empty() || ok[i]) {
      o.x.push_back(first + static_cast<double>(i));
      o.y.push_back(v[i]);
    }
  return o;
}

void write_report(TextDocument& doc, const ArmaForecastResult& f) {
  doc.clear();
  // A blank line is written as one blank: an empty one would clear the text.
  for (const std::string& l : arma_forecast_report(f.units, f.level, f.box_cox)) doc.write_line(l.empty() ? " " : l);
}

void draw(Session& s, int entry, UnivariateRecord& rec, const ArmaForecastResult& f) {
  Window& w = s.desktop.graph(entry, windows::ArmaForecast, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.x_title = "Time";
  const std::vector<double>& data = f.units.data;
  std::vector<double> t(data.size());
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<double>(i + 1);
  const double next = static_cast<double>(data.size() + 1);
  g.add_curve_pane(1, t, data);
  g.add_overlay(1, points(f.units.prediction, f.units.prediction_ok, next, 3, false));
  if (f.plot_bounds) {
    g.add_overlay(1, points(f.units.lower, f.units.lower_ok, next, 4, true));
    g.add_overlay(1, points(f.units.upper, f.units.upper_ok, next, 4, true));
  }
  s.desktop.changed(w);
  if (Window* g_win = s.desktop.find(entry, windows::ArmaForecast))
    if (Window* info = s.desktop.find_info(entry, windows::ArmaForecast); info && g_win) {
      write_report(*info->text, f);
      s.desktop.changed(*info);
    }
}

void keep(UnivariateRecord& rec, ArmaForecastResult f) {
  rec.results.arma_forecasts = f.units.prediction;
  rec.derived.get<ArmaForecastResult>() = std::move(f);
}

// S/n of the last likelihood; computed now when there is none.
double last_white_noise(UnivariateRecord& rec) {
  if (rec.model.fractional) return rec.model.sigma2;
  if (arma_fit(rec).saved_wn <= 0 && record_likelihood(rec, arma_estimation(rec).criterion) != 0) return rec.model.sigma2;
  return arma_fit(rec).saved_wn > 0 ? arma_fit(rec).saved_wn : rec.model.sigma2;
}

}  // namespace

void arma_forecast(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  ArmaForecastSettings& kept = rec.kept.get<ArmaForecastSettings>();
  ArmaForecastSettings work = kept;
  work.sigma2 = last_white_noise(rec);
  ArmaForecastDialog d(work, steps_available(rec), rec.n(), auxiliary_rows(rec));
  if (!s.port.run_dialog(d)) return;
  kept = work;
  ArmaForecastResult f;
  if (const std::string why = compute(rec, work, f); !why.empty()) {
    s.port.message("ERROR", why);
    return;
  }
  keep(rec, f);
  draw(s, entry, rec, f);
  if (Window* w = s.desktop.find(entry, windows::ArmaForecast)) s.desktop.focus(w->id);
}

void refresh_arma_forecast(Session& s, int entry, UnivariateRecord& rec) {
  Window* w = s.desktop.find(entry, windows::ArmaForecast);
  if (!w) return;
  ArmaForecastResult f;
  ArmaForecastSettings st = rec.kept.get<ArmaForecastSettings>();
  if (arma_fit(rec).saved_wn > 0 && !rec.model.fractional) st.sigma2 = arma_fit(rec).saved_wn;
  if (!rec.data_present() || !compute(rec, st, f).empty()) {
    rec.results.arma_forecasts.clear();
    rec.derived.reset<ArmaForecastResult>();
    s.desktop.close(w->id);
    return;
  }
  keep(rec, f);
  draw(s, entry, rec, f);
}

void write_arma_forecast_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::ArmaForecast);
  const ArmaForecastResult* f = rec.derived.find<ArmaForecastResult>();
  if (!g || !f) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_report(*info.text, *f);
  s.desktop.changed(info);
}

std::unique_ptr<Dialog> make_arma_forecast_dialog() {
  static ArmaForecastSettings settings;
  settings = {};
  return std::make_unique<ArmaForecastDialog>(settings, BackSteps{}, 100, 1 << 30);
}

}  // namespace zelk
