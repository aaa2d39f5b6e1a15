#pragma once
// The trend part of the model description that every report showing the
// current model starts with.
#include <span>
#include <string>
#include <vector>

#include "model/regression.h"

namespace zelk {

enum class RegressionMethod { None = 0, LeastSquares = 1, Generalized = 2 };

// "M(t) = ..." and its continuation lines: the terms in column order, each
// coefficient by its absolute value with " +" or " -" (none before the first).
std::vector<std::string> trend_function_lines(const RegressionSpec& regressors, std::span<const double> beta);

// The lines before "ARMA Model: " in a report of the current model: with an
// estimated trend, "Y(t) = M(t) + X(t)", a blank, the heading ("Based on
// Trend Function:   " for residual reports, else "Trend Function: "), the
// M(t) lines and a blank; nothing without one.
std::vector<std::string> trend_description(const RegressionTrend& trend, bool residual_report);

// The model description: the trend lines above, "ARMA Model: " when there is
// a trend, then the already formatted ARMA model lines.
std::vector<std::string> model_description(RegressionMethod method, const RegressionSpec& regressors,
                                           std::span<const double> beta, bool residual_report,
                                           std::span<const std::string> arma_lines);

}  // namespace zelk
