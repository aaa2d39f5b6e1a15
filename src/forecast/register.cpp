// Forecasting and smoothing of a univariate series.
#include "forecast/arma_forecast_ops.h"
#include "forecast/features.h"
#include "forecast/method_ops.h"
#include "forecast/windows.h"
#include "port/rules.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

UnivariateOperation holt_winters(bool seasonal) {
  return [seasonal](Session& s, int e, UnivariateRecord& r) { holt_winters_command(s, e, r, seasonal); };
}

UnivariateOperation smoothing(Smoother which) {
  return [which](Session& s, int e, UnivariateRecord& r) { smoothing_command(s, e, r, which); };
}

// ARAR, Holt-Winters and the smoothers: their windows, dialogs, and the
// results that follow a change of series.
void method_windows(Feature& f) {
  f.windows.push_back({windows::ArarForecast, refresh_arar, write_arar_info, {}, {}});
  for (bool seasonal : {false, true})
    f.windows.push_back({seasonal ? Slot(windows::SeasonalHoltWintersForecast) : Slot(windows::HoltWintersForecast),
                         [seasonal](Session& s, int e, UnivariateRecord& r) { refresh_holt_winters(s, e, r, seasonal); },
                         [seasonal](Session& s, int e, UnivariateRecord& r) { write_holt_winters_info(s, e, r, seasonal); },
                         {}, {}});
  const std::pair<Slot, Smoother> smoothers[] = {{windows::ExponentialSmoothing, Smoother::Exponential},
                                                 {windows::FftSmoothing, Smoother::Fft},
                                                 {windows::MovingAverageSmoothing, Smoother::MovingAverage}};
  for (const auto& entry : smoothers) {
    const Smoother which = entry.second;  // a plain copy: lambdas cannot capture a structured binding everywhere
    f.windows.push_back({entry.first,
                         [which](Session& s, int e, UnivariateRecord& r) { refresh_smoothing(s, e, r, which); },
                         [which](Session& s, int e, UnivariateRecord& r) { write_smoothing_info(s, e, r, which); },
                         {}, {}});
  }
  f.reactions.push_back({Event::SeriesChanged, [](Session& s, int entry) {
                           UnivariateRecord* r = s.projects.univariate(entry);
                           if (!r) return;
                           recompute_arar(*r);
                           recompute_holt_winters(*r, false);
                           recompute_holt_winters(*r, true);
                           for (Smoother which : {Smoother::Exponential, Smoother::Fft, Smoother::MovingAverage})
                             recompute_smoothing(*r, which);
                         }});
  for (auto make : {make_arar_dialog, make_holt_winters_dialog, make_seasonal_holt_winters_dialog,
                    make_exponential_smoothing_dialog, make_fft_smoothing_dialog, make_moving_average_dialog})
    f.dialogs.push_back(make);
}

}  // namespace

Feature describe_forecast() {
  Feature f;
  f.name = "forecast";
  f.popups = {{MenuKind::Univariate, "F&orecasting", 5, rules::univariate_data},
              {MenuKind::Univariate, "&Smooth", 6, rules::univariate_data}};
  CommandSpec arma = univariate_command(cmd::ArmaForecast, "&ARMA", "F&orecasting", 10);
  arma.univariate = arma_forecast;
  f.commands.push_back(arma);
  f.windows.push_back({windows::ArmaForecast, refresh_arma_forecast, write_arma_forecast_info, {}, {}});
  f.dialogs.push_back(make_arma_forecast_dialog);
  f.commands.push_back(univariate_command(cmd::ArarForecast, "A&RAR", "F&orecasting", 11, arar_command));
  f.commands.push_back(univariate_command(cmd::HoltWinters, "&Holt-Winters", "F&orecasting", 12, holt_winters(false)));
  f.commands.push_back(
      univariate_command(cmd::SeasonalHoltWinters, "&Seasonal Holt-Winters", "F&orecasting", 13, holt_winters(true)));
  f.commands.push_back(
      univariate_command(cmd::ExponentialSmooth, "&Exponential ", "&Smooth", 10, smoothing(Smoother::Exponential)));
  f.commands.push_back(univariate_command(cmd::FftSmooth, "&FFT", "&Smooth", 11, smoothing(Smoother::Fft)));
  f.commands.push_back(
      univariate_command(cmd::MovingAverageSmooth, "&Moving Ave.", "&Smooth", 12, smoothing(Smoother::MovingAverage)));
  method_windows(f);
  return f;
}

}  // namespace zelk
