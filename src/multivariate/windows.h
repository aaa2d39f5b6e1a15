#pragma once
// The result windows of multivariate projects.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec Ccf{"CCF: ", "CCF:INFO: "};
inline constexpr WindowSpec CrossSpectrum{"CROSS-SPECTRUM: ", "CROSS-SPECTRUM:INFO: "};
inline constexpr WindowSpec ArYuleWalkerEstimates{"Multivariate Yule-Walker estimates: ", "", true};
inline constexpr WindowSpec ArBurgEstimates{"Multivariate Burg estimates: ", "", true};
inline constexpr WindowSpec ArForecast{"AR Forecast: ", "AR Forecast:INFO: "};
inline constexpr WindowSpec ArResiduals{"AR Model Residuals: ", "AR Model Residuals:INFO: "};
inline constexpr WindowSpec ArResidualCcf{"CCF of AR residuals: ", "CCF of AR residuals:INFO: "};

}  // namespace zelk::windows
