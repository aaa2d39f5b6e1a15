#pragma once
// "Holt-Winters Forecasting" and "Seasonal Holt-Winters Forecasting": the
// shared forecast range, the optimize switch and the smoothing constants;
// the seasonal dialog adds the period and gamma and draws no bounds.
#include "forecast/range_dialog.h"

namespace zelk {

struct HoltWintersSettings {
  ForecastRange range;
  bool optimize = true;
  double alpha = 0.2, beta = 0.2, gamma = 0.2;
  int period = 12;  // seasonal dialog only
};

class HoltWintersDialog : public RangeDialog {
 public:
  // Writes the accepted values to `settings` on OK only.
  HoltWintersDialog(HoltWintersSettings& settings, SeriesChoice series, bool seasonal);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

 private:
  bool check_constant(std::string_view key, UiPort& port);
  bool check_period(UiPort& port);

  HoltWintersSettings& settings_;
  bool seasonal_;
  double alpha_, beta_, gamma_;
  int period_;
};

}  // namespace zelk
