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
  int component_count = 0;         // harmonic count k, 0..4
  std::array<int, 4> counts{};     // Fourier indices j(1..4)
  std::array<int, 3> more_counts{};  // polynomial order p, regressor count r, auxiliary count a
  std::vector<double> coefficients;  // r estimates
  std::vector<std::vector<double>> arrays;  // further arrays and matrices, column-major
  std::vector<double> fitted_trend;  // M(1..n) while an estimate is applied
  std::vector<double> covariance;    // r x r, generalized least squares only
  std::vector<double> design;        // n x r, column by column

  int harmonic_count() const { return component_count; }
  int polynomial_order() const { return more_counts[0]; }
  int regressor_count() const { return more_counts[1]; }
  int auxiliary_count() const { return more_counts[2]; }
};

}  // namespace zelk
