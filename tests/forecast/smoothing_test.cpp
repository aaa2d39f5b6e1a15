#include "forecast/smoothing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "support/test_data.h"

namespace zelk {
namespace {

// The low-pass filter written as a direct O(n^2) transform, as a reference.
std::vector<double> direct_fft_smooth(const std::vector<double>& x, double f) {
  const std::size_t n = x.size();
  std::vector<double> re(n), im(n), out(n, 0.0);
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t t = 0; t < n; ++t) {
      const double w = -2 * std::numbers::pi * static_cast<double>((k * t) % n) / static_cast<double>(n);
      re[k] += x[t] * std::cos(w);
      im[k] += x[t] * std::sin(w);
    }
  for (std::size_t k = 0; k < n; ++k) {
    const double kk = static_cast<double>(k), nn = static_cast<double>(n);
    if ((2 * kk <= nn && 2 * kk > nn * f) || (2 * kk >= nn && 2 * (nn - kk) > nn * f)) continue;
    for (std::size_t t = 0; t < n; ++t) {
      const double w = 2 * std::numbers::pi * static_cast<double>((k * t) % n) / nn;
      out[t] += (re[k] * std::cos(w) - im[k] * std::sin(w)) / nn;
    }
  }
  return out;
}

TEST(ExponentialSmoothing, EndPointsOfAlpha) {
  const std::vector<double> x{4, 7, 1, 8, 2};
  const auto one = exponential_smooth(x, 1);
  EXPECT_EQ(one.smoothed, x);
  EXPECT_EQ(smoothing_mse(x, one.smoothed), 0);
  const auto zero = exponential_smooth(x, 0);
  EXPECT_EQ(zero.smoothed, std::vector<double>(5, 4.0));
  EXPECT_DOUBLE_EQ(smoothing_mse(x, zero.smoothed), (0 + 9 + 9 + 16 + 4) / 5.0);
}

TEST(ExponentialSmoothing, MatchesR) {
  // R 4.2: HoltWinters(x, alpha = 0.4, beta = FALSE, gamma = FALSE): $SSE and
  // the last fitted level, on tests/data/lake_huron.dat.
  const auto x = test::read_series("lake_huron.dat");
  const auto r = exponential_smooth(x, 0.4);
  EXPECT_NEAR(r.sse1, 75.937976349350478, 1e-10);
  EXPECT_NEAR(r.smoothed[x.size() - 2], 579.32432329831659, 1e-10);
  // The grid search: in R, SSE over a <- 0, a + 0.01, ... (100 values) is
  // smallest at the 26th value for tests/data/nile.dat.
  EXPECT_NEAR(best_exponential_alpha(test::read_series("nile.dat")), 0.25, 1e-12);
}

TEST(FftSmoothing, AgreesWithDirectTransformForEveryKindOfLength) {
  for (int n : {1, 2, 12, 97, 100, 101, 210, 218}) {  // 97, 101, 218 = 2 x 109: by convolution
    std::vector<double> x(n);
    for (int t = 0; t < n; ++t) x[t] = std::sin(0.37 * t) + 0.1 * t + std::cos(2.9 * t);
    for (double f : {0.0, 0.13, 0.5, 0.77, 1.0}) {
      const auto got = fft_smooth(x, f);
      const auto want = direct_fft_smooth(x, f);
      for (int t = 0; t < n; ++t) EXPECT_NEAR(got[t], want[t], 1e-12 * (1 + std::abs(want[t]))) << n << " " << f;
    }
  }
}

TEST(FftSmoothing, AllOrOnlyTheMean) {
  const auto x = test::read_series("nile.dat");
  double mean = 0;
  for (double v : x) mean += v;
  mean /= static_cast<double>(x.size());
  const auto all = fft_smooth(x, 1);
  const auto flat = fft_smooth(x, 0);
  for (std::size_t t = 0; t < x.size(); ++t) {
    EXPECT_NEAR(all[t], x[t], 1e-10);
    EXPECT_NEAR(flat[t], mean, 1e-10);
  }
}

TEST(MovingAverage, WeightsNormalizeAndEndsRepeat) {
  const std::vector<double> x{1, 2, 4, 8, 16, 32};
  const auto same = moving_average_smooth(x, std::vector<double>{5});
  ASSERT_TRUE(same);
  EXPECT_EQ(*same, x);
  const auto five = moving_average_smooth(x, std::vector<double>{1, 1, 1});
  ASSERT_TRUE(five);
  EXPECT_DOUBLE_EQ((*five)[0], (3 * 1 + 2 + 4) / 5.0);
  EXPECT_DOUBLE_EQ((*five)[1], (1 + 1 + 2 + 4 + 8) / 5.0);
  EXPECT_DOUBLE_EQ((*five)[2], (1 + 2 + 4 + 8 + 16) / 5.0);
  EXPECT_DOUBLE_EQ((*five)[5], (8 + 16 + 3 * 32) / 5.0);
  EXPECT_FALSE(moving_average_smooth(x, std::vector<double>{2, -1}));  // 2 + 2 (-1) = 0
}

}  // namespace
}  // namespace zelk
