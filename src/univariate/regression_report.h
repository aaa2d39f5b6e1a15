#pragma once
// Texts of the regression trend: the model description that every report
// showing the current model starts with, and the estimates report.
#include <span>
#include <string>
#include <vector>

#include "univariate/regression_fit.h"

namespace zelk {

enum class RegressionMethod { None = 0, LeastSquares = 1, Generalized = 2 };

// "M(t) = ..." and its continuation lines: the terms in column order, each
// coefficient by its absolute value with " +" or " -" (none before the first).
std::vector<std::string> trend_function_lines(const RegressionSpec& spec, std::span<const double> beta);

// The model description: with an estimated trend, "Y(t) = M(t) + X(t)", the
// trend heading ("Based on Trend Function:   " for residual reports, else
// "Trend Function: "), the M(t) lines, a blank line and "ARMA Model: ";
// then the already formatted ARMA model lines.
std::vector<std::string> model_description(RegressionMethod method, const RegressionSpec& spec,
                                           std::span<const double> beta, bool residual_report,
                                           std::span<const std::string> arma_lines);

struct RegressionReport {
  RegressionMethod method = RegressionMethod::LeastSquares;
  const RegressionSpec* spec = nullptr;
  std::span<const double> beta;
  std::span<const double> standard_errors;  // generalized least squares
  double sigma2 = 0;
  std::span<const std::string> arma_lines;
};

// The "Regression estimates" text.
std::vector<std::string> regression_estimates_report(const RegressionReport& r);

}  // namespace zelk
