#include "model/regression_design.h"

#include <cmath>
#include <limits>

namespace zelk {
namespace {

constexpr double kTwoPiExact = 6.283185307179586;

}  // namespace

int regression_rows_available(const RegressionSpec& terms) {
  return terms.auxiliary_count > 0 ? terms.auxiliary_rows : std::numeric_limits<int>::max();
}

std::vector<double> design_matrix(const RegressionSpec& terms, int n, int first, int count) {
  const int r = terms.regressor_count();
  std::vector<double> x(static_cast<std::size_t>(count) * r);
  int c = 0;
  auto column = [&](auto g) {
    double* col = x.data() + static_cast<std::size_t>(c++) * count;
    for (int i = 0; i < count; ++i) col[i] = g(static_cast<double>(first + i));
  };
  if (terms.intercept) column([](double) { return 1.0; });
  for (int k = 1; k <= terms.order; ++k) column([k](double t) { return std::pow(t, k); });
  for (int i = 0; i < terms.harmonics; ++i) {
    const double w = kTwoPiExact * terms.indices[i] / n;
    column([w](double t) { return std::cos(w * t); });
    column([w](double t) { return std::sin(w * t); });
  }
  for (int a = 0; a < terms.auxiliary_count; ++a) {
    const double* aux = terms.auxiliary.data() + static_cast<std::size_t>(a) * terms.auxiliary_rows;
    column([aux](double t) { return aux[static_cast<int>(t) - 1]; });
  }
  return x;
}

std::vector<double> design_matrix(const RegressionSpec& terms, int n) { return design_matrix(terms, n, 1, n); }

std::vector<double> regression_trend(std::span<const double> design, std::span<const double> beta) {
  if (beta.empty()) return {};
  const std::size_t n = design.size() / beta.size();
  std::vector<double> m(n, 0.0);
  for (std::size_t j = 0; j < beta.size(); ++j) {
    const double* col = design.data() + j * n;
    for (std::size_t i = 0; i < n; ++i) m[i] += beta[j] * col[i];
  }
  return m;
}

}  // namespace zelk
