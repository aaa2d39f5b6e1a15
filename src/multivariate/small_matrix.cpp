#include "multivariate/small_matrix.h"

#include <cmath>
#include <utility>

namespace zelk {

Matrix::Matrix(int order, double diagonal) : k(order), a(static_cast<std::size_t>(order) * order, 0.0) {
  for (int i = 0; i < k; ++i) (*this)(i, i) = diagonal;
}

Matrix operator*(const Matrix& x, const Matrix& y) {
  Matrix r(x.k);
  for (int i = 0; i < x.k; ++i)
    for (int l = 0; l < x.k; ++l) {
      const double v = x(i, l);
      for (int j = 0; j < x.k; ++j) r(i, j) += v * y(l, j);
    }
  return r;
}

Matrix operator-(const Matrix& x, const Matrix& y) {
  Matrix r = x;
  for (std::size_t i = 0; i < r.a.size(); ++i) r.a[i] -= y.a[i];
  return r;
}

Matrix operator+(const Matrix& x, const Matrix& y) {
  Matrix r = x;
  for (std::size_t i = 0; i < r.a.size(); ++i) r.a[i] += y.a[i];
  return r;
}

Matrix transpose(const Matrix& x) {
  Matrix r(x.k);
  for (int i = 0; i < x.k; ++i)
    for (int j = 0; j < x.k; ++j) r(j, i) = x(i, j);
  return r;
}

std::optional<Matrix> cholesky(const Matrix& A, double relative) {
  const int k = A.k;
  Matrix L(k);
  for (int j = 0; j < k; ++j) {
    double d = A(j, j);
    for (int l = 0; l < j; ++l) d -= L(j, l) * L(j, l);
    if (!(d > relative * std::abs(A(j, j))) || !(d > 0)) return std::nullopt;
    L(j, j) = std::sqrt(d);
    for (int i = j + 1; i < k; ++i) {
      double s = A(i, j);
      for (int l = 0; l < j; ++l) s -= L(i, l) * L(j, l);
      L(i, j) = s / L(j, j);
    }
  }
  return L;
}

double determinant(const Matrix& A) {
  const int k = A.k;
  Matrix lu = A;
  std::vector<double> scale(k);
  for (int i = 0; i < k; ++i) {
    double big = 0;
    for (int j = 0; j < k; ++j) big = std::max(big, std::abs(lu(i, j)));
    if (big == 0) return 0.0;
    scale[i] = 1.0 / big;
  }
  double det = 1.0;
  for (int j = 0; j < k; ++j) {
    // Crout: the upper part of column j, then the lower part and the pivot.
    for (int i = 0; i < j; ++i) {
      double s = lu(i, j);
      for (int l = 0; l < i; ++l) s -= lu(i, l) * lu(l, j);
      lu(i, j) = s;
    }
    double big = 0;
    int pivot = j;
    for (int i = j; i < k; ++i) {
      double s = lu(i, j);
      for (int l = 0; l < j; ++l) s -= lu(i, l) * lu(l, j);
      lu(i, j) = s;
      if (scale[i] * std::abs(s) >= big) {
        big = scale[i] * std::abs(s);
        pivot = i;
      }
    }
    if (pivot != j) {
      for (int l = 0; l < k; ++l) std::swap(lu(pivot, l), lu(j, l));
      std::swap(scale[pivot], scale[j]);
      det = -det;
    }
    if (lu(j, j) == 0) return 0.0;
    det *= lu(j, j);
    for (int i = j + 1; i < k; ++i) lu(i, j) /= lu(j, j);
  }
  return det;
}

std::optional<Matrix> inverse(const Matrix& A) {
  const int k = A.k;
  Matrix m = A;
  for (int p = 0; p < k; ++p) {
    const double piv = m(p, p);
    if (piv == 0) return std::nullopt;
    m(p, p) = 1.0;
    for (int j = 0; j < k; ++j) m(p, j) /= piv;
    for (int i = 0; i < k; ++i) {
      if (i == p) continue;
      const double f = m(i, p);
      m(i, p) = 0.0;
      for (int j = 0; j < k; ++j) m(i, j) -= f * m(p, j);
    }
  }
  return m;
}

std::optional<Matrix> solve_sylvester(const Matrix& C, const Matrix& D, const Matrix& E, const Matrix& F) {
  const int k = C.k, K = k * k;
  // Unknown x(i, j) at i k + j. (C X D)(i, j) = sum C(i, a) X(a, b) D(b, j).
  std::vector<double> M(static_cast<std::size_t>(K) * K, 0.0), rhs(F.a);
  auto m = [&](int r, int c) -> double& { return M[static_cast<std::size_t>(r) * K + c]; };
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) {
      const int r = i * k + j;
      for (int a = 0; a < k; ++a)
        for (int b = 0; b < k; ++b) m(r, a * k + b) += C(i, a) * D(b, j);
      for (int b = 0; b < k; ++b) m(r, i * k + b) += E(b, j);
    }
  for (int c = 0; c < K; ++c) {
    int piv = c;
    for (int r = c + 1; r < K; ++r)
      if (std::abs(m(r, c)) > std::abs(m(piv, c))) piv = r;
    if (m(piv, c) == 0) return std::nullopt;
    if (piv != c) {
      for (int j = 0; j < K; ++j) std::swap(m(piv, j), m(c, j));
      std::swap(rhs[piv], rhs[c]);
    }
    for (int r = c + 1; r < K; ++r) {
      const double f = m(r, c) / m(c, c);
      if (f == 0) continue;
      for (int j = c; j < K; ++j) m(r, j) -= f * m(c, j);
      rhs[r] -= f * rhs[c];
    }
  }
  Matrix X(k);
  for (int r = K - 1; r >= 0; --r) {
    double s = rhs[r];
    for (int j = r + 1; j < K; ++j) s -= m(r, j) * X.a[j];
    X.a[r] = s / m(r, r);
  }
  return X;
}

}  // namespace zelk
