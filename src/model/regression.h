#pragma once
// Regression trend of a univariate project (polynomial, harmonic and
// auxiliary regressors): what the regressors are, and the stored state of
// the fit.
#include <algorithm>
#include <array>
#include <vector>

namespace zelk {

inline constexpr int kMaxRegressionOrder = 10;
inline constexpr int kMaxRegressionHarmonics = 4;

// What the regressors are. Columns, in this order: the intercept (when on),
// t, t^2, ..., t^order, for each harmonic i the pair cos(2 pi j_i t / n),
// sin(2 pi j_i t / n), then the auxiliary columns.
struct RegressionSpec {
  bool intercept = true;
  int order = 0;                  // 0..10
  int harmonics = 0;              // 0..4
  std::array<int, 4> indices{};   // j_1..j_harmonics, 1..n
  int auxiliary_count = 0;        // a
  int auxiliary_rows = 0;         // values per auxiliary column
  std::vector<double> auxiliary;  // a columns of auxiliary_rows values, column by column

  int regressor_count() const { return auxiliary_count + 2 * harmonics + order + (intercept ? 1 : 0); }
};

struct RegressionTrend {
  bool present = false;    // specified with at least one regressor
  int estimation = 0;      // 0 not estimated, 1 least squares, 2 generalized least squares
  bool intercept = true;   // the constant term is one of the regressors
  bool removed = false;    // the fitted trend is subtracted from the working series
  int component_count = 0;           // harmonic count k, 0..4
  std::array<int, 4> counts{};       // Fourier indices j(1..4)
  std::array<int, 3> more_counts{};  // polynomial order p, regressor count r, auxiliary count a
  int auxiliary_rows = 0;            // values per auxiliary column (may exceed n: forecasts use them)
  std::vector<double> auxiliary;     // a columns of auxiliary_rows values, column by column
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

inline RegressionSpec regression_spec(const RegressionTrend& t) {
  RegressionSpec s;
  s.intercept = t.intercept;
  s.order = t.more_counts[0];
  // indices holds four: a count beyond them (a damaged record) cannot name more.
  s.harmonics = std::clamp(t.component_count, 0, kMaxRegressionHarmonics);
  s.indices = t.counts;
  s.auxiliary_count = t.more_counts[2];
  s.auxiliary_rows = t.auxiliary_rows;
  s.auxiliary = t.auxiliary;
  return s;
}

// New regression terms: any estimate is forgotten (the caller adds its trend
// back to the series first).
inline void set_regression_spec(RegressionTrend& t, const RegressionSpec& s) {
  t = RegressionTrend{};
  t.intercept = s.intercept;
  t.more_counts = {s.order, s.regressor_count(), s.auxiliary_count};
  t.component_count = s.harmonics;
  t.counts = s.indices;
  t.auxiliary_rows = s.auxiliary_rows;
  t.auxiliary = s.auxiliary;
  t.present = s.regressor_count() > 0;
}

}  // namespace zelk
