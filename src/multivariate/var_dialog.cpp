#include "multivariate/var_dialog.h"

#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

// The one refusal: message, focus back on the field, dialog stays open.
bool refuse(Dialog& d, UiPort& port, const char* title, const std::string& text, const char* key) {
  port.message(title, text);
  d.set_focus(key);
  return false;
}

std::optional<int> integer(const Dialog& d, const char* key) {
  const auto v = read_integer(d.control(key).text);
  if (!v || *v < -2147483647LL || *v > 2147483647LL) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace

VarEstimationDialog::VarEstimationDialog(VarMethod method, VarEstimationSettings& settings, int limit)
    : Dialog(method == VarMethod::YuleWalker ? "Multivariate Yule-Walker Estimation" : "Multivariate Burg Estimation"),
      settings_(settings),
      limit_(limit) {
  Control& order = add(ControlKind::Edit, "order", "Enter order of AR model.");
  order.text = std::to_string(settings.order);
  order.enabled = !settings.minimize_aicc;
  add(ControlKind::Check, "minimize", "Find minimum AICC model.").checked = settings.minimize_aicc;
  set_focus("order");
}

bool VarEstimationDialog::field_changed(std::string_view key, UiPort&) {
  if (key == "minimize") control("order").enabled = !control("minimize").checked;
  return true;
}

bool VarEstimationDialog::accept(UiPort& port) {
  const bool minimize = control("minimize").checked;
  if (!minimize) {
    const auto p = integer(*this, "order");
    if (!p || *p < 0) return refuse(*this, port, "ERROR", " p must be non-negative.", "order");
    if (*p >= limit_) return refuse(*this, port, "ERROR", " p is too large, try a smaller value.", "order");
    settings_.order = *p;
  }
  settings_.minimize_aicc = minimize;
  return true;
}

VarForecastDialog::VarForecastDialog(VarForecastSettings& settings, int n, int p)
    : Dialog("Multivariate AR Forecasting"), settings_(settings), n_(n), p_(p) {
  add(ControlKind::Edit, "count", "Enter number of predicted values past last specified observation :").text =
      std::to_string(settings.count);
  Control& full = add(ControlKind::Radio, "full", "Use complete data set for prediction.", "endpoint");
  Control& part = add(ControlKind::Radio, "subset", "Specify different endpoint of data for prediction.", "endpoint");
  full.checked = settings.full_data;
  part.checked = !settings.full_data;
  Control& end = add(ControlKind::Edit, "endpoint", "Enter index of last observation in subset. ");
  end.text = std::to_string(settings.endpoint > 0 ? settings.endpoint : n);
  end.enabled = !settings.full_data;
  add(ControlKind::Check, "undifference", "Undifference data.").checked = settings.undifference;
  add(ControlKind::Edit, "level", "percent prediction bounds.").text = std::to_string(settings.level);
  add(ControlKind::Check, "plot", "Plot ").checked = settings.plot_bounds;
  set_focus("count");
}

bool VarForecastDialog::field_changed(std::string_view key, UiPort&) {
  if (key == "full" || key == "subset") control("endpoint").enabled = control("subset").checked;
  return true;
}

bool VarForecastDialog::accept(UiPort& port) {
  const auto h = integer(*this, "count");
  if (!h || *h < 1) return refuse(*this, port, "ERROR", "Number of predictors MUST be greater than 0", "count");
  const bool full = !control("subset").checked;
  int T = n_;
  if (!full) {
    const auto t = integer(*this, "endpoint");
    if (!t || *t <= p_) return refuse(*this, port, "ERROR", "Need number of observations to > p.", "endpoint");
    if (*t > n_) return refuse(*this, port, "ERROR", "Final point must be less than number of obs.", "endpoint");
    T = *t;
  }
  const auto level = integer(*this, "level");
  if (!level || *level < 1 || *level > 99) {
    control("level").text = "95";
    return refuse(*this, port, "ERROR", " Confidence level must be an integer between 0 and 100.", "level");
  }
  settings_.count = *h;
  settings_.full_data = full;
  settings_.endpoint = T;
  settings_.undifference = control("undifference").checked;
  settings_.level = *level;
  settings_.plot_bounds = control("plot").checked;
  return true;
}

VarSimulationDialog::VarSimulationDialog(VarSimulationDialogSettings& settings, int p)
    : Dialog("Multivariate AR Simulation"), settings_(settings), p_(p) {
  add(ControlKind::Edit, "count", "Number of observations.").text = std::to_string(settings.count);
  add(ControlKind::Edit, "seed", "Enter seed.").text = std::to_string(settings.seed);
  add(ControlKind::Edit, "burn_in", "Enter M, the # of start-up values in AR recursions.").text =
      std::to_string(std::max(settings.burn_in, p + 1));
  add(ControlKind::Check, "add_mean", "Add mean to series.").checked = settings.add_mean;
  add(ControlKind::Check, "differencing", "Include differencing component.").checked = settings.include_differencing;
  add(ControlKind::Radio, "current", "Import  to current project.", "destination").checked = !settings.new_project;
  add(ControlKind::Radio, "new", "Create new project.", "destination").checked = settings.new_project;
  set_focus("count");
}

bool VarSimulationDialog::accept(UiPort& port) {
  const auto N = integer(*this, "count");
  if (!N || *N <= 0) return refuse(*this, port, "ERROR", " Number of observations must be > 0", "count");
  const auto seed = integer(*this, "seed");
  if (!seed || *seed <= 0) return refuse(*this, port, "ERROR", " Seed must be > 0", "seed");
  const auto M = integer(*this, "burn_in");
  if (!M || *M <= p_) return refuse(*this, port, "ERROR", " M must be > p", "burn_in");
  settings_.count = *N;
  settings_.seed = *seed;
  settings_.burn_in = *M;
  settings_.add_mean = control("add_mean").checked;
  settings_.include_differencing = control("differencing").checked;
  settings_.new_project = control("new").checked;
  return true;
}

CcfLagDialog::CcfLagDialog(int& lags) : Dialog("Specify Lag"), lags_(lags) {
  add(ControlKind::Edit, "lags", "Enter # of lags :").text = std::to_string(lags);
  set_focus("lags");
}

bool CcfLagDialog::accept(UiPort& port) {
  const auto L = integer(*this, "lags");
  if (!L || *L < 1) return refuse(*this, port, "ERROR", " Number of lags must be > 0", "lags");
  lags_ = *L;
  return true;
}

}  // namespace zelk
