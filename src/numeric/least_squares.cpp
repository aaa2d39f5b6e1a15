#include "numeric/least_squares.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "numeric/error_stack.h"
#include "numeric/finite.h"

namespace zelk::numeric {
namespace {

double column_norm(const double* c, int from, int to) {
  // Scaled sum of squares: no overflow for huge entries.
  double scale = 0, sum = 1;
  for (int i = from; i < to; ++i) {
    double v = std::abs(c[i]);
    if (v == 0) continue;
    if (v > scale) {
      sum = 1 + sum * (scale / v) * (scale / v);
      scale = v;
    } else {
      sum += (v / scale) * (v / scale);
    }
  }
  return scale * std::sqrt(sum);
}

bool check_shape(int nra, int nca, std::span<const double> a, int lda) {
  if (nra < 1) {
    E1MES(Severity::Terminal, 1, "The number of rows of the input matrix must be positive while NRA = %(I1) is given.",
          {{nra}, {}, {}});
    return false;
  }
  if (nca < 1) {
    E1MES(Severity::Terminal, 2, "The number of columns of the input matrix must be positive while NCA = %(I1) is given.",
          {{nca}, {}, {}});
    return false;
  }
  if (nra > lda) {
    E1MES(Severity::Terminal, 3,
          "The number of rows of A must be less than or equal to its leading dimension while NRA = %(I1) and LDA = "
          "%(I2) are given.",
          {{nra, lda}, {}, {}});
    return false;
  }
  const long long needed = static_cast<long long>(lda) * (nca - 1) + nra;
  if (static_cast<long long>(a.size()) < needed) {
    E1MES(Severity::Terminal, 4, "A holds %(I1) values while LDA*(NCA-1)+NRA = %(I2) are needed.",
          {{static_cast<long long>(a.size()), needed}, {}, {}});
    return false;
  }
  for (int j = 0; j < nca; ++j)
    if (!all_finite(a.subspan(static_cast<std::size_t>(j) * lda, static_cast<std::size_t>(nra)))) {
      E1MES(Severity::Terminal, 5, "Column %(I1) of A contains a value that is NaN or infinite.", {{j + 1}, {}, {}});
      return false;
    }
  return true;
}

void report_storage(int nra, int nca) {
  E1MES(Severity::Terminal, 6,
        "The required storage cannot be allocated.  The workspace is based on NRA and NCA, where NRA = %(I1) and NCA "
        "= %(I2) are given.",
        {{nra, nca}, {}, {}});
}

QrFactorization factor(int nra, int nca, std::span<const double> a, int lda, double tol) {
  QrFactorization f;
  f.nra = nra;
  f.nca = nca;
  f.qr.resize(static_cast<std::size_t>(nra) * nca);
  for (int j = 0; j < nca; ++j)
    std::copy_n(a.begin() + static_cast<std::ptrdiff_t>(j) * lda, nra, f.qr.begin() + static_cast<std::ptrdiff_t>(j) * nra);
  f.qraux.assign(nca, 0.0);
  f.pivots.resize(nca);
  std::vector<double> original(nca), remaining(nca);
  auto col = [&](int j) { return f.qr.data() + static_cast<std::ptrdiff_t>(j) * nra; };
  for (int j = 0; j < nca; ++j) {
    f.pivots[j] = j;
    original[j] = remaining[j] = column_norm(col(j), 0, nra);
  }
  const int steps = std::min(nra, nca);
  int k = 0;
  for (; k < steps; ++k) {
    // Pivot: the column with the largest unexplained part relative to its norm.
    int best = -1;
    double best_ratio = 0;
    for (int j = k; j < nca; ++j) {
      double ratio = original[j] > 0 ? remaining[j] / original[j] : 0;
      if (ratio > best_ratio) best_ratio = ratio, best = j;
    }
    if (best < 0 || best_ratio <= tol) break;
    if (best != k) {
      std::swap_ranges(col(k), col(k) + nra, col(best));
      std::swap(f.pivots[k], f.pivots[best]);
      std::swap(original[k], original[best]);
      std::swap(remaining[k], remaining[best]);
    }
    // Householder vector v = x - alpha e1 with alpha = -sign(x0) |x|.
    double* x = col(k);
    double norm = column_norm(x, k, nra);
    double alpha = -std::copysign(norm, x[k]);
    double v0 = x[k] - alpha;
    double vtv = v0 * v0;
    for (int i = k + 1; i < nra; ++i) vtv += x[i] * x[i];
    f.qraux[k] = v0;
    x[k] = alpha;
    for (int j = k + 1; j < nca; ++j) {
      double* c = col(j);
      double s = v0 * c[k];
      for (int i = k + 1; i < nra; ++i) s += x[i] * c[i];
      s *= 2 / vtv;
      c[k] -= s * v0;
      for (int i = k + 1; i < nra; ++i) c[i] -= s * x[i];
      // Downdate the unexplained norm; recompute when cancellation has eaten it.
      double r = remaining[j];
      double t = r > 0 ? 1 - (c[k] / r) * (c[k] / r) : 0;
      remaining[j] = t > 1e-8 ? r * std::sqrt(t) : column_norm(c, k + 1, nra);
    }
  }
  f.rank = k;
  return f;
}

LeastSquaresResult solve(const QrFactorization& f, std::span<const double> a, int lda, std::span<const double> y) {
  const int nra = f.nra, nca = f.nca;
  std::vector<double> qty(y.begin(), y.end());
  auto col = [&](int j) { return f.qr.data() + static_cast<std::ptrdiff_t>(j) * nra; };
  for (int k = 0; k < f.rank; ++k) {
    const double* v = col(k);
    double v0 = f.qraux[k];
    double vtv = v0 * v0, s = v0 * qty[k];
    for (int i = k + 1; i < nra; ++i) vtv += v[i] * v[i], s += v[i] * qty[i];
    if (vtv == 0) continue;
    s *= 2 / vtv;
    qty[k] -= s * v0;
    for (int i = k + 1; i < nra; ++i) qty[i] -= s * v[i];
  }
  std::vector<double> z(f.rank);
  for (int k = f.rank - 1; k >= 0; --k) {
    double s = qty[k];
    for (int j = k + 1; j < f.rank; ++j) s -= col(j)[k] * z[j];
    z[k] = s / col(k)[k];
  }
  LeastSquaresResult out;
  out.rank = f.rank;
  out.b.assign(nca, 0.0);
  for (int k = 0; k < f.rank; ++k) out.b[f.pivots[k]] = z[k];
  out.residuals.assign(y.begin(), y.end());
  for (int j = 0; j < nca; ++j) {
    if (out.b[j] == 0) continue;
    const double* c = a.data() + static_cast<std::ptrdiff_t>(j) * lda;
    for (int i = 0; i < nra; ++i) out.residuals[i] -= c[i] * out.b[j];
  }
  return out;
}

bool check_y(int nra, std::span<const double> y) {
  if (static_cast<long long>(y.size()) != nra) {
    E1MES(Severity::Terminal, 7, "Y holds %(I1) values while NRA = %(I2).", {{static_cast<long long>(y.size()), nra}, {}, {}});
    return false;
  }
  if (!all_finite(y)) {
    E1MES(Severity::Terminal, 8, "Y contains a value that is NaN or infinite.");
    return false;
  }
  return true;
}

bool check_tol(double tol) {
  if (!(tol >= 0 && tol <= 1)) {
    E1MES(Severity::Terminal, 9, "TOL = %(D1).  TOL must be between 0.0 and 1.0, inclusive.", {{}, {tol}, {}});
    return false;
  }
  return true;
}

}  // namespace

QrFactorization DL2RRR(int nra, int nca, std::span<const double> a, int lda, double tol) {
  RoutineScope scope("DL2RRR");
  if (!check_shape(nra, nca, a, lda) || !check_tol(tol)) return {};
  try {
    return factor(nra, nca, a, lda, tol);
  } catch (const std::bad_alloc&) {
    report_storage(nra, nca);
    return {};
  }
}

LeastSquaresResult DLQRSL(const QrFactorization& qr, std::span<const double> a, int lda, std::span<const double> y) {
  RoutineScope scope("DLQRSL");
  if (qr.rank < 0 || qr.qr.size() != static_cast<std::size_t>(qr.nra) * qr.nca) {
    E1MES(Severity::Terminal, 1, "The number of rows of the input matrix must be positive while NRA = %(I1) is given.",
          {{qr.nra}, {}, {}});
    return {};
  }
  if (!check_shape(qr.nra, qr.nca, a, lda) || !check_y(qr.nra, y)) return {};
  return solve(qr, a, lda, y);
}

LeastSquaresFit DL2QRR(int nra, int nca, std::span<const double> a, int lda, std::span<const double> y, double tol) {
  RoutineScope scope("DL2QRR");
  LeastSquaresFit fit;
  if (!check_shape(nra, nca, a, lda) || !check_y(nra, y) || !check_tol(tol)) return fit;
  try {
    fit.factorization = factor(nra, nca, a, lda, tol);
    fit.solution = solve(fit.factorization, a, lda, y);
  } catch (const std::bad_alloc&) {
    report_storage(nra, nca);
    fit = {};
  }
  return fit;
}

LeastSquaresResult DLSQRR(int nra, int nca, std::span<const double> a, int lda, std::span<const double> y, double tol) {
  RoutineScope scope("DLSQRR");
  return DL2QRR(nra, nca, a, lda, y, tol).solution;
}

LeastSquaresResult DLSQRR(int nra, int nca, std::span<const double> a, std::span<const double> y, double tol) {
  return DLSQRR(nra, nca, a, nra, y, tol);
}

}  // namespace zelk::numeric
