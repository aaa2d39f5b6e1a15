#include "numeric/cholesky.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/error_stack.h"

namespace zelk::numeric {
namespace {

TEST(Cholesky, HandWorkedFactors) {
  // [[4, 2], [2, 5]] = R'R with R = [[2, 1], [0, 2]]; the lower triangle is not read.
  const double a[] = {4, std::nan(""), 2, 5};
  auto f = DCHFAC(2, a, 0.0);
  ASSERT_EQ(f.rank, 2);
  EXPECT_DOUBLE_EQ(f.r[0], 2);
  EXPECT_DOUBLE_EQ(f.r[1], 0);
  EXPECT_DOUBLE_EQ(f.r[2], 1);
  EXPECT_DOUBLE_EQ(f.r[3], 2);
}

TEST(Cholesky, DetectsRankAndReproducesTheMatrix) {
  // A = v v' + w w' is 4 x 4 of rank 2.
  const double v[] = {1, 2, 0, -1}, w[] = {0, 1, 3, 1};
  double a[16];
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) a[4 * j + i] = v[i] * v[j] + w[i] * w[j];
  auto f = DCHFAC(4, a, 1e-10);
  ASSERT_EQ(f.rank, 2);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) {
      double s = 0;
      for (int k = 0; k < 4; ++k) s += f.r[4 * i + k] * f.r[4 * j + k];
      EXPECT_NEAR(s, a[4 * j + i], 1e-12) << i << "," << j;
    }
}

TEST(Cholesky, IndefiniteMatrixAndBadToleranceAreReported) {
  const double a[] = {1, 2, 2, 1};
  clear_errors();
  EXPECT_EQ(DCHFAC(2, a, 0.01).rank, -1);
  EXPECT_EQ(last_error()->message,
            "The leading 2 by 2 submatrix of the input matrix is not nonnegative definite within the tolerance "
            "defined by TOL = 0.01.");
  EXPECT_EQ(DCHFAC(2, a, 1.5).rank, -1);
  EXPECT_EQ(last_error()->message, "TOL = 1.5.  TOL must be between 0.0 and 1.0, inclusive.");
  EXPECT_EQ(error_stack_depth(), 0);
}

}  // namespace
}  // namespace zelk::numeric
