#pragma once
// The result windows of multivariate projects.
#include "port/window.h"

namespace zelk::windows {

inline constexpr WindowSpec Ccf{"CCF: ", "CCF:INFO: "};
inline constexpr WindowSpec CrossSpectrum{"CROSS-SPECTRUM: ", "CROSS-SPECTRUM:INFO: "};

}  // namespace zelk::windows
