#include "numeric/cholesky.h"

#include <cmath>

#include "numeric/error_stack.h"

namespace zelk::numeric {

CholeskyResult DCHFAC(int n, std::span<const double> a, int lda, double tol) {
  RoutineScope scope("DCHFAC");
  if (n < 1) {
    E1MES(Severity::Terminal, 1, "The order of the matrix must be positive while N = %(I1) is given.", {{n}, {}, {}});
    return {};
  }
  if (lda < n) {
    E1MES(Severity::Terminal, 2,
          "The order of the matrix must be less than or equal to its leading dimension while N = %(I1) and LDA = "
          "%(I2) are given.",
          {{n, lda}, {}, {}});
    return {};
  }
  if (!(tol >= 0 && tol <= 1)) {
    E1MES(Severity::Terminal, 3, "TOL = %(D1).  TOL must be between 0.0 and 1.0, inclusive.", {{}, {tol}, {}});
    return {};
  }
  const long long needed = static_cast<long long>(lda) * (n - 1) + n;
  if (static_cast<long long>(a.size()) < needed) {
    E1MES(Severity::Terminal, 4, "A holds %(I1) values while LDA*(N-1)+N = %(I2) are needed.",
          {{static_cast<long long>(a.size()), needed}, {}, {}});
    return {};
  }
  auto at = [&](int i, int j) { return a[static_cast<std::size_t>(j) * lda + i]; };
  for (int j = 0; j < n; ++j)
    for (int i = 0; i <= j; ++i)
      if (!std::isfinite(at(i, j))) {
        E1MES(Severity::Terminal, 5, "A(%(I1),%(I2)) is NaN or infinite.", {{i + 1, j + 1}, {}, {}});
        return {};
      }

  CholeskyResult out;
  out.r.assign(static_cast<std::size_t>(n) * n, 0.0);
  out.rank = 0;
  auto r = [&](int i, int j) -> double& { return out.r[static_cast<std::size_t>(j) * n + i]; };
  for (int j = 0; j < n; ++j) {
    // Column j of R: r_ij = (a_ij - sum_{k<i} r_ki r_kj) / r_ii for i < j.
    for (int i = 0; i < j; ++i) {
      if (r(i, i) == 0) continue;  // a dependent row stays zero
      double s = at(i, j);
      for (int k = 0; k < i; ++k) s -= r(k, i) * r(k, j);
      r(i, j) = s / r(i, i);
    }
    double d = at(j, j);
    for (int k = 0; k < j; ++k) d -= r(k, j) * r(k, j);
    const double limit = tol * std::abs(at(j, j));
    if (d < -limit || at(j, j) < 0) {
      E1MES(Severity::Fatal, 6,
            "The leading %(I1) by %(I1) submatrix of the input matrix is not nonnegative definite within the "
            "tolerance defined by TOL = %(D1).",
            {{j + 1}, {tol}, {}});
      return {};
    }
    if (d <= limit) continue;
    r(j, j) = std::sqrt(d);
    ++out.rank;
  }
  return out;
}

CholeskyResult DCHFAC(int n, std::span<const double> a, double tol) { return DCHFAC(n, a, n, tol); }

}  // namespace zelk::numeric
