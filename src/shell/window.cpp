#include "shell/window.h"

#include <array>

namespace zelk {

const SlotPrefixes& slot_prefixes(Slot slot) {
  static const std::array<SlotPrefixes, static_cast<int>(Slot::Count)> table{{
      {"", "INFO: ", false},
      {"ACF/PACF: ", "ACF.PACF:INFO: ", false},
      {"HISTOGRAM: ", "HISTOGRAM:INFO: ", false},
      {"SPECTRUM: ", "SPECTRUM:INFO: ", false},
      {"CUMULATIVE SPECTRUM: ", "CUMULATIVE SPECTRUM:INFO: ", false},
      {"FIT: ", "FIT:INFO: ", false},
      {"Regress: ", "Regress:INFO: ", false},
      {"ARMA Forecast: ", "ARMA FORECAST:INFO: ", false},
      {"ARAR Forecast: ", "ARAR FORECAST:INFO: ", false},
      {"Holt-Winters Forecast: ", "Holt-Winters FORECAST:INFO: ", false},
      {"Seasonal H-W Forecast: ", "Seasonal H-W FORECAST:INFO: ", false},
      {"Exponential Smoothing: ", "Exponential Smoothing:INFO: ", false},
      {"FFT Smooth: ", "FFT Smooth:INFO: ", false},
      {"Moving Average Smoothing: ", "Moving Average Smoothing:INFO: ", false},
      {"Residuals: ", "Residuals:INFO: ", false},
      {"Residuals:ACF/PACF: ", "Residuals:ACF/PACF:INFO: ", false},
      {"Residuals:HISTOGRAM: ", "Residuals:HISTOGRAM:INFO: ", false},
      {"Tests of Randomness: ", "", true},
      {"Preliminary estimates: ", "", true},
      {"ML estimates: ", "", true},
      {"Regression estimates: ", "", true},
      {"AR/MA Infinity: ", "", true},
  }};
  static const SlotPrefixes none{"", "", false};
  const int i = static_cast<int>(slot);
  return i >= 0 && i < static_cast<int>(table.size()) ? table[i] : none;
}

}  // namespace zelk
