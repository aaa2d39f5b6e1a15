#pragma once
// Square k x k matrices (k <= 25) for the vector AR kernels, row-major.
// The factorizations follow Golub & Van Loan, "Matrix Computations", 4th ed.
// 2013: Cholesky (4.2), LU with implicit scaled partial pivoting (3.4.4),
// Gauss-Jordan inversion without pivoting (1.3).
#include <optional>
#include <vector>

namespace zelk {

struct Matrix {
  int k = 0;
  std::vector<double> a;
  Matrix() = default;
  explicit Matrix(int order, double diagonal = 0.0);
  double& operator()(int i, int j) { return a[static_cast<std::size_t>(i) * k + j]; }
  double operator()(int i, int j) const { return a[static_cast<std::size_t>(i) * k + j]; }
};

Matrix operator*(const Matrix& x, const Matrix& y);
Matrix operator-(const Matrix& x, const Matrix& y);
Matrix operator+(const Matrix& x, const Matrix& y);
Matrix transpose(const Matrix& x);

// Lower L with L L' = A from the lower triangle of A; nothing when a pivot is
// at most `relative` times its diagonal entry (not positive definite within
// rounding: an exactly collinear pair meets this, not a tiny negative pivot).
std::optional<Matrix> cholesky(const Matrix& A, double relative = 1e-12);

// LU with implicit scaled partial pivoting, Crout's order; a zero row gives 0.
double determinant(const Matrix& A);

// Gauss-Jordan without pivoting; nothing when a pivot is exactly 0.
std::optional<Matrix> inverse(const Matrix& A);

// Solves the Sylvester equation C X D + X E = F for X (all k x k) through its
// k^2 x k^2 Kronecker form and Gaussian elimination with partial pivoting;
// nothing when that system is singular.
std::optional<Matrix> solve_sylvester(const Matrix& C, const Matrix& D, const Matrix& E, const Matrix& F);

}  // namespace zelk
