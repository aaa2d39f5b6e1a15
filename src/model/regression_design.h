#pragma once
// The regressors of a regression trend at any run of time indices, and the
// trend they give with fitted coefficients: what fitting, forecasting and
// simulation all evaluate.
#include <span>
#include <vector>

#include "model/regression.h"

namespace zelk {

// Rows t = first..first+count-1 of the design of a series of n values, column
// by column (count x r). Rows beyond n continue the powers and harmonics (the
// harmonics keep the period of the fitted length n); auxiliary values must
// exist for every row asked for (see regression_rows_available).
std::vector<double> design_matrix(const RegressionSpec& terms, int n, int first, int count);
std::vector<double> design_matrix(const RegressionSpec& terms, int n);
// Last time index the design can give: unlimited (a large int) without auxiliary columns.
int regression_rows_available(const RegressionSpec& terms);

// M(t) at the design's rows: the design times beta.
std::vector<double> regression_trend(std::span<const double> design, std::span<const double> beta);

}  // namespace zelk
