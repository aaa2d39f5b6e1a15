// Least squares by Householder QR with column pivoting (Golub & Van Loan,
// "Matrix Computations", 4th ed. 2013, section 5.4.2).
//
// A is nra x nca, stored column by column with leading dimension lda >= nra.
// Columns are chosen in turn by the largest part not yet explained by those
// already chosen, relative to the column's own norm; when that relative part is
// at most tol for every remaining column, they are taken as linearly dependent
// and get coefficient 0 (a basic solution). rank counts the columns used. On
// a consistent system of full column rank the fit is exact up to rounding.
// Bad arguments are recorded on the error stack and give an empty result with
// rank -1.
#pragma once

#include <span>
#include <vector>

namespace zelk::numeric {

struct LeastSquaresResult {
  std::vector<double> b;          // nca coefficients
  std::vector<double> residuals;  // y - A b, nra values
  int rank = -1;
};

struct QrFactorization {
  int nra = 0, nca = 0;
  // Column by column, nra x nca: R on and above the diagonal, the Householder
  // vectors below it (their first elements in qraux).
  std::vector<double> qr;
  std::vector<double> qraux;
  std::vector<int> pivots;  // column j of A Pi is column pivots[j] of A (0-based)
  int rank = -1;
};

LeastSquaresResult DLSQRR(int nra, int nca, std::span<const double> a, int lda, std::span<const double> y, double tol);
LeastSquaresResult DLSQRR(int nra, int nca, std::span<const double> a, std::span<const double> y, double tol);

// The factorization behind DLSQRR.
QrFactorization DL2RRR(int nra, int nca, std::span<const double> a, int lda, double tol);

// Solution and residuals from a factorization; a is the matrix factored (for
// residuals formed from the data rather than from the factors).
LeastSquaresResult DLQRSL(const QrFactorization& qr, std::span<const double> a, int lda, std::span<const double> y);

// DLSQRR that also hands back its factorization (R gives the covariance of b).
struct LeastSquaresFit {
  QrFactorization factorization;
  LeastSquaresResult solution;
};
LeastSquaresFit DL2QRR(int nra, int nca, std::span<const double> a, int lda, std::span<const double> y, double tol);

}  // namespace zelk::numeric
