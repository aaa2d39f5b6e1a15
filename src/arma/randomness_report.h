#pragma once
// The texts of the residual windows: the residual plot's INFO, the residual
// ACF/PACF INFO and the tests of randomness.
#include <span>
#include <string>
#include <vector>

#include "arma/randomness.h"

namespace zelk {

// Panes of the residual ACF/PACF window: 8 the ACF, 16 the PACF, 24 both.
inline constexpr int kResidualAcfPane = 8, kResidualPacfPane = 16, kResidualBothPanes = 24;
// The next pane state when the open window's command is given again:
// both, ACF only, PACF only, both; any other state returns to both.
int cycle_residual_panes(int mode);

std::vector<std::string> residual_plot_info(double residual_variance, std::span<const std::string> model_lines,
                                            double wn_variance);

// acf and pacf hold lags 0..L; the first L of each are listed (lags 0..L-1)
// when mode shows at least one pane.
std::vector<std::string> residual_acf_info(int lags, double residual_variance, std::span<const double> acf,
                                           std::span<const double> pacf, int mode);

// p-values below 1e-5 are written as 0; values that do not exist say so.
std::vector<std::string> randomness_report(const RandomnessTests& t);

}  // namespace zelk
