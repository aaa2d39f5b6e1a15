#include "univariate/histogram.h"

#include <gtest/gtest.h>

#include <numeric>

namespace zelk {
namespace {

TEST(Histogram, DefaultBinCountGrowsWithLogN) {
  EXPECT_EQ(default_bin_count(10), 3);
  EXPECT_EQ(default_bin_count(100), 7);
  EXPECT_EQ(default_bin_count(1000), 9);
  EXPECT_EQ(default_bin_count(4096), 13);
  EXPECT_EQ(default_bin_count(4095), 11);
  EXPECT_EQ(default_bin_count(1), 1);
  EXPECT_EQ(default_bin_count(0), 1);
}

TEST(Histogram, OneToHundredCountsEveryValueOnce) {
  std::vector<double> v(100);
  std::iota(v.begin(), v.end(), 1.0);
  const auto h = make_histogram(v, 7);
  ASSERT_EQ(h.counts.size(), 7u);
  EXPECT_DOUBLE_EQ(h.edges[0], 1.0);
  EXPECT_DOUBLE_EQ(h.edges[1], 1.0 + 99.0 / 7);
  EXPECT_DOUBLE_EQ(h.edges[7], 100.0);
  EXPECT_EQ(h.counts[0], 15);  // 1..15
  // The largest value lands in the last bin instead of being dropped.
  EXPECT_EQ(std::accumulate(h.counts.begin(), h.counts.end(), 0.0), 100.0);
  EXPECT_EQ(h.counts[1], 14);  // 16..29
  EXPECT_EQ(h.counts[6], 15);  // 86..100 (1 + 6 w = 85.86)
}

TEST(Histogram, RepeatedMaximumAndConstantSeries) {
  const std::vector<double> v{0, 1, 2, 2, 2};
  const auto h = make_histogram(v, 2);
  EXPECT_EQ(h.counts[0], 1);
  EXPECT_EQ(h.counts[1], 4);
  const auto flat = make_histogram(std::vector<double>(6, 3.0), 3);
  EXPECT_DOUBLE_EQ(flat.edges[0], 1.5);
  EXPECT_DOUBLE_EQ(flat.edges[3], 4.5);
  EXPECT_EQ(flat.counts, (std::vector<double>{0, 6, 0}));
  const auto zero = make_histogram(std::vector<double>(4, 0.0), 1);
  EXPECT_EQ(zero.counts, (std::vector<double>{4}));
  EXPECT_DOUBLE_EQ(zero.edges[1] - zero.edges[0], 1.0);
}

}  // namespace
}  // namespace zelk
