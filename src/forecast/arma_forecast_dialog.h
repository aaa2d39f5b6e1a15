#pragma once
// "ARMA Forecast": the number of forecasts, the white-noise variance, the
// ways back to the units of the data (each enabled only when the project has
// that transformation) and the prediction bounds.
#include <span>

#include "forecast/forecast_units.h"
#include "port/dialog.h"
#include "model/transform.h"

namespace zelk {

inline constexpr int kMaxForecasts = 100000;

// Remembered per project between uses of the dialog.
struct ArmaForecastSettings {
  int h = 10;
  double sigma2 = 1.0;  // filled by the caller from the last likelihood
  int level = 95;
  bool plot_bounds = true;
  BackSteps steps;
};

// The choices a choice implies: inverting Box-Cox takes every other step;
// trend/seasonal or undifferencing take the mean and the regression.
BackSteps complete_steps(BackSteps chosen, const BackSteps& available);

class ArmaForecastDialog : public Dialog {
 public:
  // n: length of the working series; aux_rows: the rows of the regression's
  // auxiliary columns (a large number without any).
  ArmaForecastDialog(ArmaForecastSettings& settings, const BackSteps& available, int n, int aux_rows);

  bool accept(UiPort& port) override;

 private:
  ArmaForecastSettings& settings_;
  BackSteps available_;
  int n_, aux_rows_;
};

}  // namespace zelk
