#include "multivariate/var_ops.h"

#include "multivariate/mv_ops.h"

#include <cmath>
#include <numeric>
#include <optional>

#include "multivariate/ccf_report.h"
#include "multivariate/cross_correlation.h"
#include "multivariate/var.h"
#include "multivariate/var_dialog.h"
#include "multivariate/var_predict.h"
#include "multivariate/var_report.h"
#include "multivariate/windows.h"
#include "numeric/distributions.h"
#include "plot/format.h"
#include "port/session.h"
#include "project/multivariate_record.h"

namespace zelk {
namespace {

constexpr int kDefaultCcfLags = 40;

// The project's AR model and the dialogs' settings. The model stays through
// transformations: the dimension and full-series checks say when to refit.
struct VarState {
  std::optional<VarModel> model;
  std::vector<int> components;  // 0-based project components, in order
  bool searched = false;
  int fitted_n = 0;             // length of the series fitted
  int fitted_first = 0;
  VarEstimationSettings yule_walker, burg;
  VarForecastSettings forecast;
  VarSimulationDialogSettings simulation;
  int ccf_lags = kDefaultCcfLags;
};

struct ForecastResult {
  VarForecast forecast;
  std::vector<std::vector<double>> history;  // what the forecasts continue
  std::vector<int> components;
  int level = 95;
  double z = 0;
  int first_time = 1;   // time index of history[.][0]
  bool plot_bounds = true;
};

struct ResidualResult {
  std::vector<std::vector<double>> z;
  std::vector<int> components;
  int first_time = 1;
};

struct ResidualCcfResult {
  SampleCcf ccf;
  std::vector<int> components;
  int n = 0;
};

std::vector<std::span<const double>> spans(const std::vector<std::vector<double>>& x) {
  return {x.begin(), x.end()};
}

// The first T values of the given components.
std::vector<std::vector<double>> head(const MultivariateRecord& rec, const std::vector<int>& c, int T) {
  std::vector<std::vector<double>> x;
  for (int j : c) {
    const auto v = rec.component(j).first(static_cast<std::size_t>(T));
    x.emplace_back(v.begin(), v.end());
  }
  return x;
}

std::vector<double> axis(int from, std::size_t count) {
  std::vector<double> t(count);
  std::iota(t.begin(), t.end(), static_cast<double>(from));
  return t;
}

const VarState* state(const MultivariateRecord& rec) {
  const VarState* st = rec.kept.find<VarState>();
  return st && st->model ? st : nullptr;
}

// The newest run of differencing nodes undone on x (the given components),
// from the values each node saved. The lags come newest first.
std::vector<int> undifference(const MultivariateRecord& rec, const std::vector<int>& c, std::vector<std::vector<double>>& x) {
  std::vector<int> lags;
  for (auto it = rec.transforms.rbegin(); it != rec.transforms.rend() && it->kind == MvTransformKind::Difference; ++it) {
    const int d = it->lag;
    std::vector<std::vector<double>> start;
    for (int j : c) {
      const auto from = it->saved.begin() + static_cast<std::ptrdiff_t>(j) * d;
      start.emplace_back(from, from + d);
    }
    const auto xs = spans(x), ss = spans(start);
    x = integrate_difference(Components(xs), d, Components(ss));
    lags.push_back(d);
  }
  return lags;
}

// The checks shared by forecasts, residuals and their CCF; with quiet set a
// redraw asks nothing and just reports failure.
const VarState* usable_model(Session* s, const MultivariateRecord& rec, const char* warning, const char* error) {
  const VarState* st = state(rec);
  if (!st || !rec.data_present()) {
    if (s) s->port.message("ZELK::ERROR", "A model must be estimated first", Buttons::Ok);
    return nullptr;
  }
  const int active = rec.active_count();
  if (active > kMaxVarComponents) {
    if (s)
      s->port.message(warning,
                      "Only 5 components of TS can be active for this option. Use Project Editor  (right click on "
                      "component series name) to deactivate series.",
                      Buttons::Ok);
    return nullptr;
  }
  if (active != st->model->k) {
    if (s) s->port.message(error, " AR model dimension not the same as active data dimension. Refit model. ", Buttons::Ok);
    return nullptr;
  }
  return st;
}

// ---- estimation

void estimate(Session& s, int entry, MultivariateRecord& rec, VarMethod method) {
  if (!rec.data_present()) return;
  const bool yw = method == VarMethod::YuleWalker;
  const std::vector<int> c = active_components(rec);
  if (static_cast<int>(c.size()) > kMaxVarComponents || c.empty()) {
    s.port.message(yw ? "Yule-Walker::Warning" : "Burg::Warning",
                   c.empty() ? "No component series is active."
                             : "Only 5 components of TS can be active for this option. Use Project Editor  (right "
                               "click on component series name) to deactivate series.",
                   Buttons::Ok);
    return;
  }
  VarState& st = rec.kept.get<VarState>();
  VarEstimationSettings settings = yw ? st.yule_walker : st.burg;
  VarEstimationDialog d(method, settings, var_order_limit(rec.n, rec.m));
  if (!s.port.run_dialog(d)) return;
  (yw ? st.yule_walker : st.burg) = settings;

  std::vector<std::span<const double>> x;
  for (int j : c) x.push_back(rec.component(j));
  const VarFit fit = fit_var(Components(x), {method, settings.order, settings.minimize_aicc});
  if (fit.status != VarFitStatus::Ok) {
    // The model in force stays.
    s.port.message(yw ? "Yule-Walker::Warning" : "Burg::Warning",
                   fit.status == VarFitStatus::NumericalDifficulties ? "Numerical difficulties" : fit.message, Buttons::Ok);
    return;
  }
  st.model = fit.model;
  st.components = c;
  st.searched = settings.minimize_aicc;
  st.fitted_n = rec.n;
  st.fitted_first = rec.first;
  Window& w = s.desktop.report(entry, yw ? windows::ArYuleWalkerEstimates : windows::ArBurgEstimates, rec.name);
  std::vector<std::string> lines = var_estimates_report(fit.model, numbers(c), st.searched);
  lines.erase(lines.begin());  // the caption carries the title
  fill_text(s, w, lines);
  s.desktop.focus(w.id);
  s.publish(Event::ModelChanged, entry);
}

// ---- forecasts

std::optional<ForecastResult> compute_forecast(const MultivariateRecord& rec, const VarState& st) {
  const VarForecastSettings& f = st.forecast;
  const VarModel& m = *st.model;
  const int T = f.full_data ? rec.n : f.endpoint;
  if (T <= m.p || T > rec.n || f.count < 1) return std::nullopt;
  ForecastResult r;
  r.components = st.components;
  for (int j : r.components)
    if (j >= rec.m) return std::nullopt;
  r.history = head(rec, r.components, T);
  std::vector<int> lags;
  if (f.undifference) lags = undifference(rec, r.components, r.history);
  int D = 0;
  for (int d : lags) D += d;
  const auto xs = spans(r.history);
  r.forecast = forecast_var(m, Components(xs), f.count, lags);
  r.level = f.level;
  r.z = numeric::DNORIN(1 - (1 - f.level / 100.0) / 2);
  r.first_time = rec.first - D;
  r.plot_bounds = f.plot_bounds;
  return r;
}

void draw_forecast(Session& s, int entry, MultivariateRecord& rec, const ForecastResult& r) {
  Window& w = s.desktop.graph(entry, windows::ArForecast, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  g.x_title = "Time";
  const VarForecast& f = r.forecast;
  for (int i = 0; i < f.k; ++i) {
    const auto& obs = r.history[static_cast<std::size_t>(i)];
    const int next = r.first_time + static_cast<int>(obs.size());
    g.add_curve_pane(i + 1, axis(r.first_time, obs.size()), obs);
    g.pane(i + 1).title = component_label(rec, r.components[static_cast<std::size_t>(i)]);
    const std::vector<double> t = axis(next, static_cast<std::size_t>(f.h));
    g.add_overlay(i + 1, Overlay{t, f.value[static_cast<std::size_t>(i)], 3, false});
    if (r.plot_bounds) {
      std::vector<double> lo, hi;
      for (int j = 0; j < f.h; ++j) {
        lo.push_back(f.lower(i, j, r.z));
        hi.push_back(f.upper(i, j, r.z));
      }
      g.add_overlay(i + 1, Overlay{t, lo, 4, true});
      g.add_overlay(i + 1, Overlay{t, hi, 4, true});
    }
  }
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::ArForecast)) write_var_forecast_info(s, entry, rec);
}

std::vector<std::string> forecast_lines(const ForecastResult& r) {
  const int first = r.first_time + static_cast<int>(r.history.empty() ? 0 : r.history[0].size());
  return var_forecast_report(r.forecast, numbers(r.components), r.level, r.z, first);
}

// ---- residuals

ResidualResult compute_residuals(const MultivariateRecord& rec, const VarState& st) {
  ResidualResult r;
  r.components = st.components;
  const auto x = head(rec, r.components, rec.n);
  const auto xs = spans(x);
  r.z = var_residuals(*st.model, Components(xs));
  r.first_time = rec.first + st.model->p;
  return r;
}

bool residuals_possible(const MultivariateRecord& rec, const VarState& st) {
  for (int j : st.components)
    if (j >= rec.m) return false;
  return rec.n > st.model->p;
}

void draw_residuals(Session& s, int entry, MultivariateRecord& rec, const ResidualResult& r) {
  Window& w = s.desktop.graph(entry, windows::ArResiduals, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  g.x_title = "Time";
  for (std::size_t i = 0; i < r.z.size(); ++i) {
    g.add_curve_pane(static_cast<int>(i) + 1, axis(r.first_time, r.z[i].size()), r.z[i]);
    g.pane(static_cast<int>(i) + 1).title = component_label(rec, r.components[i]);
  }
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::ArResiduals)) write_var_residuals_info(s, entry, rec);
}

ResidualCcfResult compute_residual_ccf(const MultivariateRecord& rec, VarState& st) {
  const ResidualResult z = compute_residuals(rec, st);
  ResidualCcfResult r;
  r.components = st.components;
  r.n = rec.n - st.model->p;
  st.ccf_lags = ccf_lag_count(st.ccf_lags > 0 ? st.ccf_lags : kDefaultCcfLags, r.n);
  const auto zs = spans(z.z);
  r.ccf = sample_ccf(Components(zs), st.ccf_lags);
  return r;
}

void draw_residual_ccf(Session& s, int entry, MultivariateRecord& rec, const ResidualCcfResult& r) {
  Window& w = s.desktop.graph(entry, windows::ArResidualCcf, rec.name);
  draw_ccf_panes(*w.graph, r.ccf, r.n, rec, r.components, "CCF of AR residuals: ");
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::ArResidualCcf)) write_var_residual_ccf_info(s, entry, rec);
}

// ---- simulation

// Installs a table of k components as the project's data, results going.
void install(Session& s, int entry, MultivariateRecord& rec, std::vector<std::vector<double>> x) {
  s.desktop.close_data_windows(entry);
  rec.m = static_cast<int>(x.size());
  rec.n = x.empty() ? 0 : static_cast<int>(x[0].size());
  rec.data.clear();
  for (const auto& c : x) rec.data.insert(rec.data.end(), c.begin(), c.end());
  rec.active.assign(static_cast<std::size_t>(rec.m), true);
  rec.names.clear();
  for (int j = 0; j < rec.m; ++j) rec.names.push_back("Series " + std::to_string(j + 1));
  rec.first = rec.n > 0 ? 1 : 0;
  rec.last = rec.n;
  rec.transforms.clear();
  rec.derived.clear();
  s.publish(Event::SeriesChanged, entry);
}

}  // namespace

bool has_var_model(const MultivariateRecord& rec) { return state(rec) != nullptr; }

std::vector<std::string> var_summary_lines(const MultivariateRecord& rec) {
  const VarState* st = state(rec);
  const int p = st ? st->model->p : 0;
  std::vector<std::string> out{" Current AR Model : p = " + std::to_string(p)};
  if (p >= 1)
    for (auto& l : var_model_lines(*st->model, "   White Noise Covariance Matrix, V")) out.push_back(std::move(l));
  return out;
}

void var_yule_walker(Session& s, int entry, MultivariateRecord& rec) { estimate(s, entry, rec, VarMethod::YuleWalker); }
void var_burg(Session& s, int entry, MultivariateRecord& rec) { estimate(s, entry, rec, VarMethod::Burg); }

void var_prediction(Session& s, int entry, MultivariateRecord& rec) {
  const VarState* st = usable_model(&s, rec, "AR Forecast::Warning", "AR Forecast: ERROR");
  if (!st) return;
  VarForecastSettings settings = st->forecast;
  VarForecastDialog d(settings, rec.n, st->model->p);
  if (!s.port.run_dialog(d)) return;
  VarState& kept = rec.kept.get<VarState>();
  kept.forecast = settings;
  show_result(s, entry, rec, windows::ArForecast, compute_forecast(rec, kept), draw_forecast, "AR Forecast: ERROR",
              "Need number of observations to > p.");
}

void refresh_var_forecast(Session& s, int entry, MultivariateRecord& rec) {
  const VarState* st = usable_model(nullptr, rec, "", "");
  redraw_or_clear(s, entry, rec, windows::ArForecast, st ? compute_forecast(rec, *st) : std::nullopt, draw_forecast);
}

void write_var_forecast_info(Session& s, int entry, MultivariateRecord& rec) {
  if (const ForecastResult* r = rec.derived.find<ForecastResult>())
    write_info(s, entry, rec, windows::ArForecast, forecast_lines(*r));
}

void var_plot_residuals(Session& s, int entry, MultivariateRecord& rec) {
  const VarState* st = usable_model(&s, rec, "AR Residuals::Warning", "AR Residual: ERROR");
  if (!st) return;
  show_result(s, entry, rec, windows::ArResiduals,
              residuals_possible(rec, *st) ? std::optional(compute_residuals(rec, *st)) : std::nullopt, draw_residuals,
              "AR Residual: ERROR", "Need number of observations to > p.");
}

void refresh_var_residuals(Session& s, int entry, MultivariateRecord& rec) {
  const VarState* st = usable_model(nullptr, rec, "", "");
  redraw_or_clear(s, entry, rec, windows::ArResiduals,
                  st && residuals_possible(rec, *st) ? std::optional(compute_residuals(rec, *st)) : std::nullopt,
                  draw_residuals);
}

void write_var_residuals_info(Session& s, int entry, MultivariateRecord& rec) {
  const VarState* st = state(rec);
  const ResidualResult* r = rec.derived.find<ResidualResult>();
  if (st && r) write_info(s, entry, rec, windows::ArResiduals, var_residuals_report(*st->model, numbers(r->components), r->z, r->first_time));
}

void var_residual_ccf(Session& s, int entry, MultivariateRecord& rec) {
  if (!usable_model(&s, rec, "CCF AR Residuals::Warning", "Residual ACF: ERROR")) return;
  VarState& st = rec.kept.get<VarState>();
  const bool possible = residuals_possible(rec, st) && rec.n - st.model->p >= 4;
  show_result(s, entry, rec, windows::ArResidualCcf, possible ? std::optional(compute_residual_ccf(rec, st)) : std::nullopt,
              draw_residual_ccf, "Residual ACF: ERROR", "Too few residuals for cross-correlations.");
}

void refresh_var_residual_ccf(Session& s, int entry, MultivariateRecord& rec) {
  const bool possible = usable_model(nullptr, rec, "", "") && residuals_possible(rec, rec.kept.get<VarState>()) &&
                        rec.n - rec.kept.get<VarState>().model->p >= 4;
  redraw_or_clear(s, entry, rec, windows::ArResidualCcf,
                  possible ? std::optional(compute_residual_ccf(rec, rec.kept.get<VarState>())) : std::nullopt,
                  draw_residual_ccf);
}

void write_var_residual_ccf_info(Session& s, int entry, MultivariateRecord& rec) {
  if (const ResidualCcfResult* r = rec.derived.find<ResidualCcfResult>())
    write_info(s, entry, rec, windows::ArResidualCcf, ccf_report(r->ccf, numbers(r->components), 'Z'));
}

void var_simulate(Session& s, int entry, MultivariateRecord& rec) {
  const VarState* st = state(rec);
  if (!st) {
    s.port.message("ZELK::ERROR", "A model must be estimated first", Buttons::Ok);
    return;
  }
  // The model must be the one of the whole series as it stands now.
  if (st->fitted_n != rec.n || st->fitted_first != rec.first) {
    s.port.message("ERROR", " Refit AR model to full data set before simulation.", Buttons::Ok);
    return;
  }
  VarSimulationDialogSettings settings = st->simulation;
  VarSimulationDialog d(settings, st->model->p);
  if (!s.port.run_dialog(d)) return;
  const VarModel model = *st->model;
  const std::vector<int> components = st->components;
  rec.kept.get<VarState>().simulation = settings;

  const VarSimulation sim = simulate_var(model, {settings.count, settings.seed, settings.burn_in, settings.add_mean});
  if (!sim.ok) {
    s.port.message("ERROR", sim.message, Buttons::Ok);
    return;
  }
  std::vector<std::vector<double>> y = sim.series;
  if (settings.include_differencing) undifference(rec, components, y);

  if (!settings.new_project) {
    install(s, entry, rec, std::move(y));
    return;
  }
  const int target = s.projects.free_entry();
  if (target == 0) {
    s.port.message("ZELK Error", "Maximum allowable projects exceeded", Buttons::Ok);
    return;
  }
  MultivariateRecord& fresh = s.projects.create_multivariate(target);
  fresh.name = "Multivariate Simulation";
  s.desktop.graph(target, windows::Project, fresh.name);
  install(s, target, fresh, std::move(y));
  s.projects.set_current(target);
  focus_window(s, target, windows::Project);
}

}  // namespace zelk
