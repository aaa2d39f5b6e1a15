#include "forecast/arar_dialog.h"

namespace zelk {
namespace {

// At least 30 observations; the method needs the room for its lags.
const RangeDialog::Rule kArarRule{30, "Need at least 30 observations to run ARAR",
                                  "Final point must be less than number of obs."};

}  // namespace

ArarDialog::ArarDialog(ArarSettings& settings, SeriesChoice series)
    : RangeDialog("ARAR Forecasting", settings.range, series, kArarRule, true), settings_(settings) {
  add(ControlKind::Check, "shortening", "Include memory shortening step").checked = settings.shortening;
  const int c = static_cast<int>(settings.criterion);
  add(ControlKind::Radio, "criterion1", "Minimize WN variance (max lag = 13)", "criterion").checked = c == 1;
  add(ControlKind::Radio, "criterion2", "Minimize WN variance (max lag = 26)", "criterion").checked = c == 2;
  add(ControlKind::Radio, "criterion3", "Maximize Gaussian like (max lag = 13)", "criterion").checked = c == 3;
}

bool ArarDialog::accept(UiPort& port) {
  if (!RangeDialog::accept(port)) return false;
  settings_.range = range();
  settings_.shortening = control("shortening").checked;
  settings_.criterion = control("criterion3").checked   ? ArarCriterion::MaxLikelihood13
                        : control("criterion2").checked ? ArarCriterion::MinVariance26
                                                        : ArarCriterion::MinVariance13;
  return true;
}

}  // namespace zelk
