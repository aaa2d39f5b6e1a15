#pragma once
// The result windows of the forecasting and smoothing commands.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec ArarForecast{"ARAR Forecast: ", "ARAR FORECAST:INFO: "};
inline constexpr WindowSpec HoltWintersForecast{"Holt-Winters Forecast: ", "Holt-Winters FORECAST:INFO: "};
inline constexpr WindowSpec SeasonalHoltWintersForecast{"Seasonal H-W Forecast: ", "Seasonal H-W FORECAST:INFO: "};
inline constexpr WindowSpec ExponentialSmoothing{"Exponential Smoothing: ", "Exponential Smoothing:INFO: "};
inline constexpr WindowSpec FftSmoothing{"FFT Smooth: ", "FFT Smooth:INFO: "};
inline constexpr WindowSpec MovingAverageSmoothing{"Moving Average Smoothing: ", "Moving Average Smoothing:INFO: "};
inline constexpr WindowSpec ArmaForecast{"ARMA Forecast: ", "ARMA FORECAST:INFO: "};

}  // namespace zelk::windows
