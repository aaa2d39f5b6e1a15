#pragma once
// The result windows of the univariate analyses.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec Acf{"ACF/PACF: ", "ACF.PACF:INFO: ", false, false};
inline constexpr WindowSpec Histogram{"HISTOGRAM: ", "HISTOGRAM:INFO: ", false, false};
inline constexpr WindowSpec ClassicalFit{"FIT: ", "FIT:INFO: "};
inline constexpr WindowSpec ResidualHistogram{"Residuals:HISTOGRAM: ", "Residuals:HISTOGRAM:INFO: "};
// The spectra follow a new series instead of closing.
inline constexpr WindowSpec Spectrum{"SPECTRUM: ", "SPECTRUM:INFO: ", false, false};
inline constexpr WindowSpec CumulativeSpectrum{"CUMULATIVE SPECTRUM: ", "CUMULATIVE SPECTRUM:INFO: ", false, false};
inline constexpr WindowSpec RegressionFit{"Regress: ", "Regress:INFO: "};
inline constexpr WindowSpec RegressionEstimates{"Regression estimates: ", "", true};

}  // namespace zelk::windows
