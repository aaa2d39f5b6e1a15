#pragma once
// The INFO text of the "ARMA Forecast" window, in the layout with sqrt(MSE)
// or, when Box-Cox was inverted, the layout with the bounds only.
#include <string>
#include <vector>

#include "forecast/forecast_units.h"

namespace zelk {

std::vector<std::string> arma_forecast_report(const ForecastInUnits& f, int level_percent, bool box_cox_inverted);

}  // namespace zelk
