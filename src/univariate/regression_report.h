#pragma once
// The "Regression estimates" report (the model description lines it starts
// with are model/regression_text.h's).
#include <span>
#include <string>
#include <vector>

#include "model/regression_text.h"
#include "univariate/regression_fit.h"

namespace zelk {

struct RegressionReport {
  RegressionMethod method = RegressionMethod::LeastSquares;
  const RegressionSpec* terms = nullptr;
  std::span<const double> beta;
  std::span<const double> standard_errors;  // generalized least squares
  double sigma2 = 0;
  std::span<const std::string> arma_lines;
};

// The "Regression estimates" text.
std::vector<std::string> regression_estimates_report(const RegressionReport& r);

}  // namespace zelk
