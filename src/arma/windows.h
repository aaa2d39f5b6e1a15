#pragma once
// The result windows of the ARMA model commands.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec Residuals{"Residuals: ", "Residuals:INFO: "};
inline constexpr WindowSpec ResidualAcf{"Residuals:ACF/PACF: ", "Residuals:ACF/PACF:INFO: "};
inline constexpr WindowSpec RandomnessTests{"Tests of Randomness: ", "", true};
inline constexpr WindowSpec PreliminaryEstimates{"Preliminary estimates: ", "", true};
inline constexpr WindowSpec MlEstimates{"ML estimates: ", "", true};
inline constexpr WindowSpec AutoFit{"Auto-fit (min AICC): ", "", true};
inline constexpr WindowSpec ArmaInfinity{"AR/MA Infinity: ", "", true};

}  // namespace zelk::windows
