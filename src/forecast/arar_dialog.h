#pragma once
// "ARAR Forecasting": the shared forecast range plus the memory-shortening
// switch and the subset-search criterion.
#include "forecast/arar.h"
#include "forecast/range_dialog.h"

namespace zelk {

struct ArarSettings {
  ForecastRange range;
  bool shortening = true;  // "Include memory shortening step"
  ArarCriterion criterion = ArarCriterion::MinVariance13;
};

class ArarDialog : public RangeDialog {
 public:
  // Writes the accepted values to `settings` on OK only.
  ArarDialog(ArarSettings& settings, SeriesChoice series);
  bool accept(UiPort& port) override;

 private:
  ArarSettings& settings_;
};

}  // namespace zelk
