#include "numeric/ccf.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/error_stack.h"
#include "numeric/machine.h"
#include "numeric/random.h"

namespace zelk::numeric {
namespace {

TEST(CrossCorrelation, HandWorkedFiveObservations) {
  // Centred x = (-2, -1, 0, 1, 2), y = (-1, -2, 1, 0, 2); variances 2 and 2.
  const double x[] = {1, 2, 3, 4, 5};
  const double y[] = {2, 1, 4, 3, 5};
  auto c = DCCF(x, y, 1, 2);
  ASSERT_EQ(c.covariances.size(), 3u);
  EXPECT_DOUBLE_EQ(c.x_mean, 3);
  EXPECT_DOUBLE_EQ(c.y_variance, 2);
  // c(-1) = (1/5) sum y_{t+1} x_t = 5/5, c(0) = 8/5, c(1) = (1/5) sum x_{t+1} y_t = 2/5.
  EXPECT_NEAR(c.covariances[0], 1.0, 1e-15);
  EXPECT_NEAR(c.covariances[1], 1.6, 1e-15);
  EXPECT_NEAR(c.covariances[2], 0.4, 1e-15);
  EXPECT_NEAR(c.correlations[0], 0.5, 1e-15);
  EXPECT_NEAR(c.correlations[2], 0.2, 1e-15);
  // Uncorrelated-series errors: r_xx(1) = 0.4, r_yy(1) = 0, so the sum over
  // |v| <= 1 is 1 and the variance 1/(n - |h|).
  EXPECT_NEAR(c.standard_errors[1], std::sqrt(1.0 / 5), 1e-15);
  EXPECT_NEAR(c.standard_errors[2], std::sqrt(1.0 / 4), 1e-15);
  EXPECT_TRUE(DCCF(x, y, 1, 0).standard_errors.empty());
}

TEST(CrossCorrelation, GeneralBartlettErrorsMatchAnIndependentEvaluation) {
  // Box & Jenkins eq. 11.1.7 evaluated separately (Python, their convention
  // corr(x_t, y_{t+k}) applied to the pair (y, x)), recorded here.
  const double x[] = {1, 2, 3, 4, 5, 7, 6, 8};
  const double y[] = {2, 1, 4, 3, 5, 5, 9, 7};
  const double r[] = {0.2895330120717931, 0.6848569324005875, 0.8017837257372733, 0.6403133920818501,
                      0.08908708063747481};
  const double se[] = {0.35868209145465907, 0.21309066083392625, 0.1780397418994172, 0.19182574997457538,
                       0.3859579340282773};
  auto c = DCCF(x, y, 2, 1);
  ASSERT_EQ(c.standard_errors.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_NEAR(c.correlations[i], r[i], 1e-14) << "lag " << i - 2;
    EXPECT_NEAR(c.standard_errors[i], se[i], 1e-13) << "lag " << i - 2;
  }
}

TEST(CrossCorrelation, BartlettErrorsVanishForASeriesWithItselfAtLagZero) {
  set_seed(31);
  auto x = DRNNOR(200);
  auto self = DCCF(x, x, 5, 1);
  EXPECT_NEAR(self.correlations[5], 1.0, 1e-15);
  EXPECT_NEAR(self.standard_errors[5], 0.0, 1e-7);
  // For independent white noise both forms are near 1/sqrt(n).
  auto y = DRNNOR(200);
  auto pair = DCCF(x, y, 5, 1);
  for (double se : pair.standard_errors) EXPECT_NEAR(se, 1 / std::sqrt(200.0), 0.02);
}

TEST(CrossCorrelation, ArgumentChecksRecordTheirMessages) {
  const double x[] = {1, 2, 3};
  clear_errors();
  EXPECT_TRUE(DCCF(x, x, 3, 0).covariances.empty());
  EXPECT_EQ(last_error()->message,
            "NOBS = 3, MAXLAG = 3, and ISEOPT = 0.  NOBS must be 2 or more and MAXLAG must be greater than or equal "
            "to 1 and less than NOBS.  ISEOPT must be 0, 1, or 2.");
  EXPECT_TRUE(DCCF(x, x, 1, 3).covariances.empty());
  const double bad[] = {1, NAN, 3};
  EXPECT_TRUE(DCCF(x, bad, 1, 0).covariances.empty());
  clear_errors();
  const double flat[] = {2, 2, 2};
  auto c = DCCF(x, flat, 1, 0);
  EXPECT_EQ(c.correlations[1], 0.0);
  EXPECT_TRUE(last_error());
  EXPECT_EQ(error_stack_depth(), 0);
}

TEST(MachineConstants, DescribeIeeeArithmetic) {
  EXPECT_EQ(DMACH(1), 0x1p-1022);
  EXPECT_EQ(DMACH(2), 0x1.fffffffffffffp+1023);
  EXPECT_EQ(DMACH(3), 0x1p-53);
  EXPECT_EQ(DMACH(4), 0x1p-52);
  EXPECT_NEAR(DMACH(5), std::log10(2.0), 1e-16);
  EXPECT_EQ(AMACH(4), 0x1p-23f);
  EXPECT_EQ(IMACH(5), 2147483647);
  EXPECT_EQ(IMACH(10), 53);
  EXPECT_EQ(IMACH(12), 1024);
  clear_errors();
  EXPECT_TRUE(std::isnan(DMACH(9)));
  EXPECT_EQ(last_error()->message, "The argument must be between 1 and 5 while N = 9 is given.");
  EXPECT_EQ(IMACH(0), 0);
}

}  // namespace
}  // namespace zelk::numeric
