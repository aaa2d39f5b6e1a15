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

namespace zelk::windows {

inline constexpr WindowSpec TransferEstimates{"Transfer function estimates: ", "", true};
inline constexpr WindowSpec TransferResiduals{"Transfer Model Residuals: ", "Transfer Model Residuals:INFO: "};
inline constexpr WindowSpec TransferResidualAcf{"ACF  of Transfer Model Residuals: ", "ACF  of Transfer Model Residuals:INFO: "};
inline constexpr WindowSpec TransferForecast{"Transfer Model Forecast: ", "Transfer Model Forecast:INFO: "};

}  // namespace zelk::windows
