#pragma once
// The result windows of the forecasts and smoothers.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec ArmaForecast{"ARMA Forecast: ", "ARMA FORECAST:INFO: "};

}  // namespace zelk::windows
