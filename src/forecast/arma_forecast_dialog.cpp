#include "forecast/arma_forecast_dialog.h"

#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

struct StepBox {
  const char* key;
  const char* label;
  bool BackSteps::*flag;
};

constexpr StepBox kBoxes[] = {
    {"box_cox", "Invert Box-Cox transformation.", &BackSteps::box_cox},
    {"mean", "Add the mean to the forecasts.", &BackSteps::mean},
    {"trend", "Add estimated trend/seasonal component to forecasts.", &BackSteps::trend_seasonal},
    {"undifference", "Forecast the undifferenced data.", &BackSteps::undifference},
    {"regression", "Include regression function.", &BackSteps::regression},
};

}  // namespace

BackSteps complete_steps(BackSteps c, const BackSteps& a) {
  if (c.box_cox) c.mean = c.undifference = c.trend_seasonal = c.regression = true;
  if (c.trend_seasonal || c.undifference) c.mean = c.regression = true;
  c.box_cox = c.box_cox && a.box_cox;
  c.mean = c.mean && a.mean;
  c.undifference = c.undifference && a.undifference;
  c.trend_seasonal = c.trend_seasonal && a.trend_seasonal;
  c.regression = c.regression && a.regression;
  return c;
}

ArmaForecastDialog::ArmaForecastDialog(ArmaForecastSettings& settings, const BackSteps& available, int n,
                                       int aux_rows)
    : Dialog("ARMA Forecast"), settings_(settings), available_(available), n_(n), aux_rows_(aux_rows) {
  add(ControlKind::Edit, "h", "Number of forecasts past last observation").text = std::to_string(settings.h);
  add(ControlKind::Edit, "variance", "Current white noise variance.").text =
      trim(format_decimals(settings.sigma2, 6));
  for (const StepBox& b : kBoxes) {
    Control& c = add(ControlKind::Check, b.key, b.label);
    c.enabled = available.*b.flag;
    c.checked = c.enabled && settings.steps.*b.flag;
  }
  add(ControlKind::Check, "plot", "Plot ").checked = settings.plot_bounds;
  add(ControlKind::Edit, "level", "Confidence level").text = std::to_string(settings.level);
  add(ControlKind::Static, "percent", "percent prediction bounds.");
  set_focus("h");
}

bool ArmaForecastDialog::accept(UiPort& port) {
  auto refuse = [&](const char* title, const char* text, const char* key) {
    port.message(title, text);
    set_focus(key);
    return false;
  };
  const auto h = read_integer(control("h").text);
  if (!h || *h <= 0) return refuse("Error", " Number of predictors must be larger than 0", "h");
  // Every step is stored and drawn: keep the count to what a window can show.
  if (*h > kMaxForecasts) return refuse("Error", " Number of predictors must be at most 100000", "h");
  const auto var = read_number(control("variance").text);
  if (!var || *var <= 0) return refuse("ERROR", " WN Variance must be postive", "variance");
  const auto level = read_integer(control("level").text);
  if (!level || *level < 1 || *level > 99) {
    control("level").text = "95";
    settings_.level = 95;
    return refuse("ERROR", " Confidence level must be an integer between 0 and 100.", "level");
  }
  BackSteps chosen;
  for (const StepBox& b : kBoxes) chosen.*b.flag = control(b.key).checked;
  chosen = complete_steps(chosen, available_);
  if (chosen.regression && static_cast<long long>(n_) + *h > aux_rows_)
    return refuse("ERROR", " Cannot forecast beyond the length of the auxiliary variables in regression function.",
                  "h");
  settings_.h = static_cast<int>(*h);
  settings_.sigma2 = *var;
  settings_.level = static_cast<int>(*level);
  settings_.plot_bounds = control("plot").checked;
  settings_.steps = chosen;
  return true;
}

}  // namespace zelk
