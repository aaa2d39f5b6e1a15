#pragma once
// The result windows of the ARMA model commands.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec ResidualAcf{"Residuals:ACF/PACF: ", "Residuals:ACF/PACF:INFO: "};
inline constexpr WindowSpec MlEstimates{"ML estimates: ", "", true};
inline constexpr WindowSpec AutoFit{"Auto-fit (min AICC): ", "", true};
inline constexpr WindowSpec ArmaInfinity{"AR/MA Infinity: ", "", true};

}  // namespace zelk::windows
