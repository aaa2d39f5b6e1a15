#include "numeric/least_squares.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/error_stack.h"

namespace zelk::numeric {
namespace {

TEST(LeastSquares, LineThroughFourPointsByHand) {
  // y = 1.1 + 1.1 x fits (0,1), (1,3), (2,2), (3,5): Sxy = 5.5, Sxx = 5.
  const double a[] = {1, 1, 1, 1, 0, 1, 2, 3};
  const double y[] = {1, 3, 2, 5};
  auto fit = DLSQRR(4, 2, a, y, 1e-10);
  EXPECT_EQ(fit.rank, 2);
  EXPECT_NEAR(fit.b[0], 1.1, 1e-14);
  EXPECT_NEAR(fit.b[1], 1.1, 1e-14);
  const double residuals[] = {-0.1, 0.8, -1.3, 0.6};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(fit.residuals[i], residuals[i], 1e-14);
}

TEST(LeastSquares, ConsistentSystemsAreSolvedExactlyWhateverTheLeadingDimension) {
  // 6 x 3 with columns of very different scale, stored with lda = 8 and NaN
  // in the two rows that are not part of A.
  const double nan = std::nan("");
  const double a[] = {1, 2, 3, 4, 5, 6, nan, nan,             //
                      1e6, -1e6, 2e6, 0, 3e6, 1e6, nan, nan,  //
                      0.5, 0.25, -1, 2, 0, 1, nan, nan};
  const double b[] = {3, -2e-6, 7};
  double y[6];
  for (int i = 0; i < 6; ++i) y[i] = a[i] * b[0] + a[8 + i] * b[1] + a[16 + i] * b[2];
  auto fit = DLSQRR(6, 3, a, 8, y, 1e-10);
  ASSERT_EQ(fit.rank, 3);
  for (int j = 0; j < 3; ++j) EXPECT_NEAR(fit.b[j], b[j], 1e-13 * std::abs(b[j]));
  for (double r : fit.residuals) EXPECT_NEAR(r, 0.0, 1e-12);
}

TEST(LeastSquares, RankFollowsTheTolerance) {
  // Column 3 = column 1 + column 2 + 1e-6 e_1: dependent at tol 1e-3, not at 1e-12.
  double a[15] = {1, 0, 2, 1, 3, 0, 1, 1, -1, 2};
  for (int i = 0; i < 5; ++i) a[10 + i] = a[i] + a[5 + i];
  a[10] += 1e-6;
  const double y[] = {2, 1, 3, 0, 5};
  auto coarse = DLSQRR(5, 3, a, y, 1e-3);
  EXPECT_EQ(coarse.rank, 2);
  EXPECT_TRUE(coarse.b[0] == 0 || coarse.b[1] == 0 || coarse.b[2] == 0);
  auto fine = DLSQRR(5, 3, a, y, 1e-12);
  EXPECT_EQ(fine.rank, 3);
  // Scaling a column does not change the decision.
  for (int i = 0; i < 5; ++i) a[5 + i] *= 1e9;
  EXPECT_EQ(DLSQRR(5, 3, a, y, 1e-3).rank, 2);
  // Residuals of the rank-2 fit are orthogonal to every column.
  for (int j = 0; j < 3; ++j) {
    double dot = 0;
    for (int i = 0; i < 5; ++i) dot += a[5 * j + i] * coarse.residuals[i] * (j == 1 ? 1e-9 : 1);
    EXPECT_NEAR(dot, 0.0, 1e-5);
  }
}

TEST(LeastSquares, FactorizationAndSolveStepsAgreeWithTheDriver) {
  const double a[] = {1, 1, 1, 1, 0, 1, 2, 3};
  const double y[] = {1, 3, 2, 5};
  auto qr = DL2RRR(4, 2, a, 4, 0.0);
  ASSERT_EQ(qr.rank, 2);
  // |R_11 R_22| = sqrt(det A'A) = sqrt(4 * 14 - 36) = sqrt(20).
  EXPECT_NEAR(std::abs(qr.qr[0] * qr.qr[4 + 1]), std::sqrt(20.0), 1e-13);
  auto solved = DLQRSL(qr, a, 4, y);
  EXPECT_NEAR(solved.b[1], 1.1, 1e-14);
}

TEST(LeastSquares, ArgumentChecksRecordTheirMessages) {
  const double a[] = {1, 2, 3, 4};
  const double y[] = {1, 2};
  clear_errors();
  EXPECT_EQ(DLSQRR(2, 2, a, 1, y, 0.0).rank, -1);
  EXPECT_EQ(last_error()->message,
            "The number of rows of A must be less than or equal to its leading dimension while NRA = 2 and LDA = 1 "
            "are given.");
  EXPECT_EQ(DLSQRR(0, 2, a, 2, y, 0.0).rank, -1);
  EXPECT_EQ(last_error()->message, "The number of rows of the input matrix must be positive while NRA = 0 is given.");
  const double bad_y[] = {1, std::nan("")};
  EXPECT_EQ(DLSQRR(2, 2, a, bad_y, 0.0).rank, -1);
  EXPECT_EQ(DLSQRR(2, 3, a, y, 0.0).rank, -1);  // A too short
  EXPECT_EQ(error_stack_depth(), 0);
}

}  // namespace
}  // namespace zelk::numeric
