// Cholesky factorization of a symmetric nonnegative definite matrix with rank
// detection (Golub & Van Loan, "Matrix Computations", 4th ed. 2013, 4.2.8).
//
// A = R'R with R upper triangular. Only the upper triangle of A (n x n, column
// by column, leading dimension lda >= n) is read. When the pivot of column j,
// a_jj - sum_i r_ij^2, is at most tol a_jj in absolute value, column j is taken
// as dependent on the earlier ones: row j of R is set to zero and rank is not
// counted. A pivot below -tol a_jj means the matrix is not nonnegative definite:
// the message is recorded and the result is empty.
#pragma once

#include <span>
#include <vector>

namespace zelk::numeric {

struct CholeskyResult {
  std::vector<double> r;  // n x n, column by column, zero below the diagonal
  int rank = -1;          // -1 after an error
};

CholeskyResult DCHFAC(int n, std::span<const double> a, int lda, double tol);
CholeskyResult DCHFAC(int n, std::span<const double> a, double tol);

}  // namespace zelk::numeric
