// Forecasting and smoothing of a univariate series.
#include "forecast/arma_forecast_ops.h"
#include "forecast/features.h"
#include "forecast/windows.h"
#include "port/rules.h"

namespace zelk {
namespace {

CommandSpec command(int id, const char* text, const char* path, int order) {
  CommandSpec c;
  c.id = id;
  c.text = text;
  c.scope = CommandScope::Univariate;
  c.places = {{MenuKind::Univariate, path, order}};
  return c;
}

}  // namespace

Feature describe_forecast() {
  Feature f;
  f.name = "forecast";
  f.popups = {{MenuKind::Univariate, "F&orecasting", 5, rules::univariate_data},
              {MenuKind::Univariate, "&Smooth", 6, rules::univariate_data}};
  CommandSpec arma = command(cmd::ArmaForecast, "&ARMA", "F&orecasting", 10);
  arma.univariate = arma_forecast;
  f.commands.push_back(arma);
  f.windows.push_back({windows::ArmaForecast, refresh_arma_forecast, write_arma_forecast_info, {}, {}});
  f.dialogs.push_back(make_arma_forecast_dialog);
  f.commands.push_back(command(cmd::ArarForecast, "A&RAR", "F&orecasting", 11));
  f.commands.push_back(command(cmd::HoltWinters, "&Holt-Winters", "F&orecasting", 12));
  f.commands.push_back(command(cmd::SeasonalHoltWinters, "&Seasonal Holt-Winters", "F&orecasting", 13));
  f.commands.push_back(command(cmd::ExponentialSmooth, "&Exponential ", "&Smooth", 10));
  f.commands.push_back(command(cmd::FftSmooth, "&FFT", "&Smooth", 11));
  f.commands.push_back(command(cmd::MovingAverageSmooth, "&Moving Ave.", "&Smooth", 12));
  return f;
}

}  // namespace zelk
