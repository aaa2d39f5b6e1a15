// The Regression menu: choosing the terms, least squares and generalized least
// squares under the current model, removal, the fit window and its reports.
#include "univariate/regression_ops.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "arma/model_text.h"
#include "model/regression_text.h"
#include "port/session.h"
#include "project/data_file.h"
#include "project/univariate_record.h"
#include "univariate/regression_dialog.h"
#include "univariate/regression_fit.h"
#include "univariate/regression_report.h"
#include "univariate/univariate_ops.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

constexpr const char* kNoSpecification = "Must specify regression function before estimation.";

// The working series with an applied trend added back: Y(t).
std::vector<double> series_with_trend(const UnivariateRecord& rec) {
  std::vector<double> y = rec.x;
  const RegressionTrend& g = rec.regression;
  if (g.estimation != 0 && g.fitted_trend.size() == y.size())
    for (std::size_t i = 0; i < y.size(); ++i) y[i] += g.fitted_trend[i];
  return y;
}

void close_regression_windows(Session& s, int entry) {
  for (Slot slot : {Slot(windows::RegressionFit), Slot(windows::RegressionEstimates)})
    if (Window* w = s.desktop.find(entry, slot)) s.desktop.close(w->id);
}

// Puts an applied trend back into the series and forgets the estimate.
bool restore_series(UnivariateRecord& rec) {
  RegressionTrend& g = rec.regression;
  if (g.estimation == 0) return false;
  rec.x = series_with_trend(rec);
  g.estimation = 0;
  g.removed = false;
  g.coefficients.clear();
  g.fitted_trend.clear();
  g.covariance.clear();
  return true;
}

const char* refusal(RegressionStatus status) {
  switch (status) {
    case RegressionStatus::Ok: return "";
    case RegressionStatus::NoRegressors: return kNoSpecification;
    case RegressionStatus::TooFewValues:
      return "Not enough data: the number of observations must be at least the number of regressors.";
    case RegressionStatus::Singular:
      return "The regression functions are linearly dependent (a repeated Fourier index or an auxiliary variable "
             "equal to another column): no estimate.";
    case RegressionStatus::NotCausal:
      return "The AR part of the current model is not causal: generalized least squares is not defined.";
    case RegressionStatus::BadInput:
      return "The series or the regression functions hold values that are not finite, or the white noise variance "
             "is not positive.";
  }
  return "";
}

// Fits kind 1 or 2 to Y and applies the estimate; the record is unchanged
// and the reason returned when it cannot be done.
std::string estimate(UnivariateRecord& rec, int kind) {
  RegressionTrend& g = rec.regression;
  if (!g.present) return kNoSpecification;
  const RegressionSpec terms = regression_spec(g);
  const int n = rec.n(), r = terms.regressor_count();
  const bool stored = g.design.size() == static_cast<std::size_t>(n) * r;
  if (!stored && terms.auxiliary_count > 0 && terms.auxiliary_rows < n) return "Insufficient regressors in file";
  if (kind == 2 && rec.model.fractional)
    return "Generalized least squares needs a model that is not fractionally integrated.";
  const std::vector<double> y = series_with_trend(rec);
  std::vector<double> design = stored ? g.design : design_matrix(terms, n);
  const ArmaModel& m = rec.model;
  RegressionFit fit = kind == 1 ? fit_least_squares(y, design, r)
                                : fit_generalized_least_squares(y, design, r, std::span(m.phi).first(m.p),
                                                                std::span(m.theta).first(m.q), m.sigma2);
  if (!fit.ok()) return refusal(fit.status);
  if (fit.trend.size() != y.size()) fit.trend = regression_trend(design, fit.beta);
  rec.x = y;
  for (int i = 0; i < n; ++i) rec.x[i] -= fit.trend[i];
  g.estimation = kind;
  g.removed = true;
  g.coefficients = std::move(fit.beta);
  g.covariance = kind == 2 ? std::move(fit.covariance) : std::vector<double>{};
  g.fitted_trend = std::move(fit.trend);
  g.design = std::move(design);
  // Standard errors are the covariance diagonal; kept for the report.
  g.arrays.assign(1, std::move(fit.standard_errors));
  return {};
}

std::vector<std::string> estimates_lines(const UnivariateRecord& rec) {
  const RegressionTrend& g = rec.regression;
  TextDocument model;
  write_model_text(model, rec.model);
  std::vector<std::string> arma = model.lines();
  if (!arma.empty()) arma.erase(arma.begin());  // "ARMA Model: " comes with the description
  const RegressionSpec terms = regression_spec(g);
  RegressionReport r;
  r.method = static_cast<RegressionMethod>(g.estimation);
  r.terms = &terms;
  r.beta = g.coefficients;
  if (g.estimation == 2 && !g.arrays.empty()) r.standard_errors = g.arrays[0];
  r.sigma2 = rec.model.sigma2;
  r.arma_lines = arma;
  return regression_estimates_report(r);
}

void write_lines(TextDocument& doc, const std::vector<std::string>& lines) {
  doc.clear();
  for (const std::string& l : lines) doc.write_line(l.empty() ? " " : l);  // "" would clear the text
}

void write_estimates(Session& s, int entry, UnivariateRecord& rec) {
  Window& w = s.desktop.report(entry, windows::RegressionEstimates, rec.name);
  write_lines(*w.text, estimates_lines(rec));
  s.desktop.changed(w);
}

void estimate_command(Session& s, int entry, UnivariateRecord& rec, int kind) {
  if (!rec.data_present()) return;
  if (!rec.regression.present) {
    s.port.message("ZELK Error", kNoSpecification);
    return;
  }
  if (const std::string why = estimate(rec, kind); !why.empty()) {
    s.port.message("ZELK Error", why);
    return;
  }
  write_estimates(s, entry, rec);
  series_changed(s, entry, rec);
  s.status_changed();
}

// "Browse": a data file, its column count, then its rows as regressors.
std::optional<AuxiliaryColumns> read_auxiliary(UiPort& port, int n) {
  const std::optional<std::string> path =
      port.choose_file(FileMode::Open, "Open file", {{"Data Files (*.DAT)", "*.DAT"}, {"All Files (*.*)", "*.*"}}, "*.dat");
  if (!path) return std::nullopt;
  std::ifstream in(*path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  if (!in || !parse_table_text(text, 1).ok()) {
    port.message("ERROR", "Unrecognized file format");
    return std::nullopt;
  }
  // The first and last line that hold anything, as a reminder of the layout.
  std::vector<std::string> lines;
  std::istringstream rows(text);
  for (std::string l; std::getline(rows, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (l.find_first_not_of(" \t,") != std::string::npos) lines.push_back(l);
  }
  MultivariateReadDialog d(lines.front(), lines.back());
  if (!port.run_dialog(d)) return std::nullopt;
  ReadResult<Table> table = parse_table_text(text, d.columns());
  if (!table.ok()) {
    port.message("ERROR", "Unrecognized file format");
    return std::nullopt;
  }
  std::optional<AuxiliaryColumns> columns = auxiliary_columns(table.value->values, d.columns(), n, port);
  if (columns) columns->file = *path;
  return columns;
}

std::vector<double> time_axis(const UnivariateRecord& rec) {
  std::vector<double> t(rec.x.size());
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<double>(rec.first) + static_cast<double>(i);
  return t;
}

}  // namespace

void specify_regression(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  RegressionSettings& kept = rec.kept.get<RegressionSettings>();
  RegressionSettings work;
  work.terms = regression_spec(rec.regression);
  work.specified = rec.regression.present;
  work.auxiliary_file = kept.auxiliary_file;
  const int n = rec.n();
  RegressionDialog d(work, n, [n](UiPort& port) { return read_auxiliary(port, n); });
  const bool ok = s.port.run_dialog(d);
  // Either way the old estimate goes: its trend returns to the series.
  const bool restored = restore_series(rec);
  if (ok && work.specified) {
    set_regression_spec(rec.regression, work.terms);
    rec.regression.design = design_matrix(work.terms, n);
    kept = work;
  } else {
    // Cancel, or nothing selected: no regression (the intercept choice stays).
    const bool intercept = ok ? work.terms.intercept : rec.regression.intercept;
    rec.regression = RegressionTrend{};
    rec.regression.intercept = intercept;
    kept.auxiliary_file.clear();
  }
  close_regression_windows(s, entry);
  if (restored) series_changed(s, entry, rec);
}

void regression_least_squares(Session& s, int entry, UnivariateRecord& rec) { estimate_command(s, entry, rec, 1); }
void regression_gls(Session& s, int entry, UnivariateRecord& rec) { estimate_command(s, entry, rec, 2); }

void remove_regression(Session& s, int entry, UnivariateRecord& rec) {
  const bool restored = restore_series(rec);
  const bool intercept = rec.regression.intercept;
  rec.regression = RegressionTrend{};
  rec.regression.intercept = intercept;
  rec.kept.get<RegressionSettings>().auxiliary_file.clear();
  close_regression_windows(s, entry);
  if (restored) series_changed(s, entry, rec);
}

void refresh_regression_fit(Session& s, int entry, UnivariateRecord& rec) {
  Window* w = s.desktop.find(entry, windows::RegressionFit);
  const RegressionTrend& g = rec.regression;
  if (!w) return;
  if (g.estimation == 0 || g.fitted_trend.size() != rec.x.size()) {
    s.desktop.close(w->id);
    return;
  }
  show_regression_fit(s, entry, rec);
}

void show_regression_fit(Session& s, int entry, UnivariateRecord& rec) {
  const RegressionTrend& g = rec.regression;
  if (g.estimation == 0 || g.fitted_trend.size() != rec.x.size()) return;
  Window& w = s.desktop.graph(entry, windows::RegressionFit, rec.name);
  GraphDocument& graph = *w.graph;
  graph.clear();
  graph.x_title = "Time";
  const std::vector<double> t = time_axis(rec), y = series_with_trend(rec);
  graph.add_curve_pane(1, t, y);
  graph.add_overlay(1, Overlay{t, g.fitted_trend, 3, false});
  s.desktop.changed(w);
  if (Window* info = open_info(s, entry, windows::RegressionFit)) {
    write_lines(*info->text, estimates_lines(rec));
    s.desktop.changed(*info);
  }
}

void write_regression_fit_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::RegressionFit);
  if (!g || rec.regression.estimation == 0) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_lines(*info.text, estimates_lines(rec));
  s.desktop.changed(info);
}

void refresh_regression_estimates(Session& s, int entry, UnivariateRecord& rec) {
  Window* w = s.desktop.find(entry, windows::RegressionEstimates);
  if (!w) return;
  if (rec.regression.estimation == 0) {
    s.desktop.close(w->id);
    return;
  }
  write_lines(*w->text, estimates_lines(rec));
  s.desktop.changed(*w);
}

void reestimate_gls(Session& s, int entry) {
  UnivariateRecord* rec = s.projects.univariate(entry);
  if (!rec || rec->regression.estimation != 2 || !rec->data_present()) return;
  UnivariateRecord before = *rec;
  if (!estimate(*rec, 2).empty()) *rec = std::move(before);
}

std::unique_ptr<Dialog> make_regression_dialog() {
  static RegressionSettings settings;
  settings = {};
  return std::make_unique<RegressionDialog>(settings, 100, nullptr);
}

std::unique_ptr<Dialog> make_multivariate_read_dialog() {
  return std::make_unique<MultivariateReadDialog>("  1.0,  2.0,  etc ...", "  3.0,  4.0,  etc ... ");
}

}  // namespace zelk
