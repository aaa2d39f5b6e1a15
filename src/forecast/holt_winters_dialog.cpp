#include "forecast/holt_winters_dialog.h"

#include <cstdio>

#include "forecast/holt_winters.h"
#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

const RangeDialog::Rule kHoltWintersRule{2, "Need last index larger than starting index",
                                         "Final index must be less than number of obs."};

std::string eight_five(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%8.5f", v);
  return buf;
}

}  // namespace

HoltWintersDialog::HoltWintersDialog(HoltWintersSettings& settings, SeriesChoice series, bool seasonal)
    : RangeDialog(seasonal ? "Seasonal Holt-Winters Forecasting" : "Holt-Winters Forecasting", settings.range,
                  series, kHoltWintersRule, !seasonal),
      settings_(settings),
      seasonal_(seasonal),
      alpha_(settings.alpha),
      beta_(settings.beta),
      gamma_(settings.gamma),
      period_(settings.period) {
  add(ControlKind::Check, "optimize", "Optimize coefficients:").checked = settings.optimize;
  add(ControlKind::Edit, "alpha", "Value of alpha:").text = eight_five(alpha_);
  add(ControlKind::Edit, "beta", "Value of beta:").text = eight_five(beta_);
  if (seasonal_) {
    add(ControlKind::Edit, "gamma", "Value of gamma:").text = eight_five(gamma_);
    add(ControlKind::Edit, "period", "Enter period (must be > 1).").text = std::to_string(period_);
  }
}

bool HoltWintersDialog::check_constant(std::string_view key, UiPort& port) {
  const auto v = read_number(control(key).text);
  // Above 1 is let through when the search will start from 0.2 anyway.
  const bool bad = !v || *v < 0 || (*v > 1 && !control("optimize").checked);
  if (bad) {
    const char* text = key == "alpha"  ? "alpha must be between 0 and 1"
                       : key == "beta" ? "Beta must be between 0 and 1"
                                       : "Gamma must be between 0 and 1";
    return refuse(port, "ERROR", text, std::string(key));
  }
  (key == "alpha" ? alpha_ : key == "beta" ? beta_ : gamma_) = *v;
  return true;
}

bool HoltWintersDialog::check_period(UiPort& port) {
  const auto d = read_integer(control("period").text);
  if (!d || *d <= 1) return refuse(port, "ERROR", "Period must be greater than 1", "period");
  period_ = static_cast<int>(std::min<long long>(*d, 1 << 30));
  return true;
}

bool HoltWintersDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "alpha" || key == "beta" || key == "gamma") return check_constant(key, port);
  if (key == "period") return check_period(port);
  return RangeDialog::field_changed(key, port);
}

bool HoltWintersDialog::accept(UiPort& port) {
  if (!RangeDialog::accept(port)) return false;
  for (const char* key : {"alpha", "beta", "gamma"})
    if ((seasonal_ || key[0] != 'g') && !check_constant(key, port)) return false;
  if (seasonal_ && !check_period(port)) return false;
  // The recursions need a prediction to score: n - 2 (n - d - 1) above 0.
  const int n = range().last - range().first + 1;
  const int need = holt_winters_min_length(seasonal_ ? period_ : 0);
  if (n < need) {
    const std::string text = seasonal_ ? "Need at least " + std::to_string(need) + " observations for period " +
                                             std::to_string(period_)
                                       : "Need at least 3 observations for Holt-Winters forecasting";
    return refuse(port, "ERROR", text, "last");
  }
  settings_.range = range();
  settings_.optimize = control("optimize").checked;
  settings_.alpha = alpha_;
  settings_.beta = beta_;
  if (seasonal_) {
    settings_.gamma = gamma_;
    settings_.period = period_;
  }
  return true;
}

}  // namespace zelk
