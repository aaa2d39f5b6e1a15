#include "multivariate/transfer_ops.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "multivariate/mv_ops.h"
#include "multivariate/transfer.h"
#include "multivariate/transfer_dialog.h"
#include "multivariate/transfer_report.h"
#include "multivariate/windows.h"
#include "numeric/acf.h"
#include "numeric/distributions.h"
#include "port/session.h"
#include "project/multivariate_record.h"

namespace zelk {
namespace {

// The dialogs' settings; the model itself lives in the record and its file.
struct TransferState {
  TransferEstimationSettings estimation;
  TransferForecastSettings forecast;
};

struct TfResiduals {
  std::vector<double> w;
  int first_time = 1;
};

struct TfAcf {
  std::vector<double> acf;
  int count = 0;  // number of residuals
};

struct TfForecast {
  TransferForecast forecast;
  std::vector<double> history;  // the output observed
  int first_time = 1;           // time of history[0]
  int level = 95;
  double z = 0;
  bool plot_bounds = true;
};

constexpr const char* kNoModel = "A transfer model must be specified first";
constexpr const char* kTooFew = "Too few observations for this transfer model.";

std::vector<double> axis(int from, std::size_t count) {
  std::vector<double> t(count);
  std::iota(t.begin(), t.end(), static_cast<double>(from));
  return t;
}

// The model when it fits the project's data as they stand, else null (and,
// given a session, the reason in a message box).
const TransferModel* usable(Session* s, const MultivariateRecord& rec, const char* missing) {
  auto say = [s](const char* title, const char* text) {
    if (s) s->port.message(title, text, Buttons::Ok);
  };
  if (!rec.transfer || !rec.data_present()) {
    say("ZELK::ERROR", missing);
    return nullptr;
  }
  const TransferModel& m = *rec.transfer;
  if (m.input == m.output) {
    say("ZELK::ERROR", "Input and output series must be different");
    return nullptr;
  }
  if (m.input > rec.m || m.output > rec.m) {
    say("ZELK::ERROR", "The model's series are not in the project. Specify the model again.");
    return nullptr;
  }
  return &m;
}

std::span<const double> in(const MultivariateRecord& rec, const TransferModel& m) { return rec.component(m.input - 1); }
std::span<const double> out(const MultivariateRecord& rec, const TransferModel& m) { return rec.component(m.output - 1); }

// ---- residuals and their ACF

std::optional<TfResiduals> compute_residuals(const MultivariateRecord& rec, const TransferModel& m) {
  TransferResiduals r = transfer_residuals(in(rec, m), out(rec, m), m);
  if (r.w.empty()) return std::nullopt;
  return TfResiduals{std::move(r.w), rec.first + r.w_first};
}

void draw_residuals(Session& s, int entry, MultivariateRecord& rec, const TfResiduals& r) {
  Window& w = s.desktop.graph(entry, windows::TransferResiduals, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  g.add_curve_pane(1, axis(r.first_time, r.w.size()), r.w);
  g.pane(1).title = "W(t)";
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::TransferResiduals)) write_transfer_residuals_info(s, entry, rec);
}

std::optional<TfAcf> compute_acf(const MultivariateRecord& rec, const TransferModel& m) {
  const auto r = compute_residuals(rec, m);
  if (!r || r->w.size() < 3) return std::nullopt;
  const int count = static_cast<int>(r->w.size());
  return TfAcf{sample_correlations(r->w, std::min(kDefaultLags, count - 1)).acf, count};
}

void draw_acf(Session& s, int entry, MultivariateRecord& rec, const TfAcf& r) {
  Window& w = s.desktop.graph(entry, windows::TransferResidualAcf, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  const int L = static_cast<int>(r.acf.size()) - 1;
  g.add_bar_pane(1, axis(0, r.acf.size()), r.acf);
  g.pane(1).title = "ACF of W(t)";
  const double bound = 1.96 / std::sqrt(static_cast<double>(r.count));
  for (double y : {bound, -bound}) g.add_overlay(1, Overlay{{0.0, static_cast<double>(L)}, {y, y}, 2, true});
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::TransferResidualAcf)) write_transfer_residual_acf_info(s, entry, rec);
}

// ---- forecasts

std::optional<TfForecast> compute_forecast(const MultivariateRecord& rec, const TransferModel& m,
                                               const TransferForecastSettings& f) {
  TfForecast r;
  r.forecast = forecast_transfer(in(rec, m), out(rec, m), m, f.count);
  if (r.forecast.value.empty()) return std::nullopt;
  const auto y = out(rec, m);
  r.history.assign(y.begin(), y.end());
  r.first_time = rec.first;
  r.level = f.level;
  r.z = numeric::DNORIN(1 - (1 - f.level / 100.0) / 2);
  r.plot_bounds = f.plot_bounds;
  return r;
}

void draw_forecast(Session& s, int entry, MultivariateRecord& rec, const TfForecast& r) {
  Window& w = s.desktop.graph(entry, windows::TransferForecast, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.integer_x = true;
  g.add_curve_pane(1, axis(r.first_time, r.history.size()), r.history);
  g.pane(1).title = component_label(rec, rec.transfer->output - 1);
  const std::vector<double> t = axis(r.first_time + static_cast<int>(r.history.size()), r.forecast.value.size());
  g.add_overlay(1, Overlay{t, r.forecast.value, 3, false});
  if (r.plot_bounds) {
    std::vector<double> lo, hi;
    for (std::size_t j = 0; j < t.size(); ++j) {
      const double e = r.z * std::sqrt(r.forecast.mse[j]);
      lo.push_back(r.forecast.value[j] - e);
      hi.push_back(r.forecast.value[j] + e);
    }
    g.add_overlay(1, Overlay{t, lo, 4, true});
    g.add_overlay(1, Overlay{t, hi, 4, true});
  }
  s.desktop.changed(w);
  if (s.desktop.find_info(entry, windows::TransferForecast)) write_transfer_forecast_info(s, entry, rec);
}

}  // namespace

void transfer_specify(Session& s, int entry, MultivariateRecord& rec) {
  if (!rec.data_present()) return;
  TransferModel start = rec.transfer.value_or(TransferModel{});
  if (!rec.transfer && rec.m < 2) start.output = 1;
  std::vector<std::string> names;
  for (int j = 0; j < rec.m; ++j) names.push_back(component_label(rec, j));
  TransferModelDialog d(start, names);
  if (!s.port.run_dialog(d)) return;
  rec.transfer = d.result();
  s.publish(Event::ModelChanged, entry);
}

void transfer_estimate(Session& s, int entry, MultivariateRecord& rec) {
  if (!rec.data_present()) return;
  if (!rec.transfer) {
    s.port.message("ZELK::ERROR", "A model must be specified first", Buttons::Ok);
    return;
  }
  const TransferModel* m = usable(&s, rec, "A model must be specified first");
  if (!m) return;
  TransferState& st = rec.kept.get<TransferState>();
  TransferEstimationSettings settings = st.estimation;
  TransferEstimationDialog d(settings);
  if (!s.port.run_dialog(d)) return;
  st.estimation = settings;
  const TransferFit fit = fit_transfer(in(rec, *m), out(rec, *m), *m, {settings.step, settings.no_optimization});
  if (!fit.ok) {
    s.port.message("ZELK::ERROR", transfer_feasible(*m) ? kTooFew : "Model must be Causal and Invertible",
                   Buttons::Ok);
    return;
  }
  rec.transfer = fit.model;
  Window& w = s.desktop.report(entry, windows::TransferEstimates, rec.name);
  std::vector<std::string> lines = transfer_estimates_report(fit.model, fit.aicc, settings.step);
  lines.erase(lines.begin());  // the caption carries the title
  fill_text(s, w, lines);
  s.desktop.focus(w.id);
  s.publish(Event::ModelChanged, entry);
}

void transfer_prediction(Session& s, int entry, MultivariateRecord& rec) {
  const TransferModel* m = usable(&s, rec, kNoModel);
  if (!m) return;
  TransferForecastSettings settings = rec.kept.get<TransferState>().forecast;
  TransferForecastDialog d(settings);
  if (!s.port.run_dialog(d)) return;
  rec.kept.get<TransferState>().forecast = settings;
  show_result(s, entry, rec, windows::TransferForecast, compute_forecast(rec, *m, settings), draw_forecast,
              "ZELK::ERROR", kTooFew);
}

void refresh_transfer_forecast(Session& s, int entry, MultivariateRecord& rec) {
  const TransferModel* m = usable(nullptr, rec, kNoModel);
  redraw_or_clear(s, entry, rec, windows::TransferForecast,
                  m ? compute_forecast(rec, *m, rec.kept.get<TransferState>().forecast) : std::nullopt, draw_forecast);
}

void write_transfer_forecast_info(Session& s, int entry, MultivariateRecord& rec) {
  const TfForecast* r = rec.derived.find<TfForecast>();
  if (!r || !rec.transfer) return;
  std::vector<std::string> lines = transfer_forecast_report(*rec.transfer, r->forecast, r->level, r->z,
                                                            r->first_time + static_cast<int>(r->history.size()));
  write_info(s, entry, rec, windows::TransferForecast, lines);
}

void transfer_plot_residuals(Session& s, int entry, MultivariateRecord& rec) {
  const TransferModel* m = usable(&s, rec, kNoModel);
  if (!m) return;
  show_result(s, entry, rec, windows::TransferResiduals, compute_residuals(rec, *m), draw_residuals, "ZELK::ERROR",
              kTooFew);
}

void refresh_transfer_residuals(Session& s, int entry, MultivariateRecord& rec) {
  const TransferModel* m = usable(nullptr, rec, kNoModel);
  redraw_or_clear(s, entry, rec, windows::TransferResiduals, m ? compute_residuals(rec, *m) : std::nullopt,
                  draw_residuals);
}

void write_transfer_residuals_info(Session& s, int entry, MultivariateRecord& rec) {
  const TfResiduals* r = rec.derived.find<TfResiduals>();
  if (r && rec.transfer)
    write_info(s, entry, rec, windows::TransferResiduals, transfer_residuals_report(*rec.transfer, r->w, r->first_time));
}

void transfer_residual_acf(Session& s, int entry, MultivariateRecord& rec) {
  const TransferModel* m = usable(&s, rec, kNoModel);
  if (!m) return;
  show_result(s, entry, rec, windows::TransferResidualAcf, compute_acf(rec, *m), draw_acf, "ZELK::ERROR", kTooFew);
}

void refresh_transfer_residual_acf(Session& s, int entry, MultivariateRecord& rec) {
  const TransferModel* m = usable(nullptr, rec, kNoModel);
  redraw_or_clear(s, entry, rec, windows::TransferResidualAcf, m ? compute_acf(rec, *m) : std::nullopt, draw_acf);
}

void write_transfer_residual_acf_info(Session& s, int entry, MultivariateRecord& rec) {
  if (const TfAcf* r = rec.derived.find<TfAcf>())
    write_info(s, entry, rec, windows::TransferResidualAcf, transfer_residual_acf_report(r->acf));
}

}  // namespace zelk
