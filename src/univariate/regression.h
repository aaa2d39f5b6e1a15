#pragma once
// Regression trend of a univariate project (polynomial, harmonic and
// auxiliary regressors). Only the stored state lives here; fitting comes later.
#include <array>
#include <vector>

namespace zelk {

struct RegressionTrend {
  bool present = false;
  int estimation = 0;      // 0 while not estimated
  bool intercept = true;   // the constant term is one of the regressors
  bool removed = false;
  int component_count = 0;
  std::array<int, 4> counts{};
  std::array<int, 3> more_counts{};
  std::vector<double> coefficients;
  std::vector<std::vector<double>> arrays;  // further arrays and matrices, column-major
};

}  // namespace zelk
