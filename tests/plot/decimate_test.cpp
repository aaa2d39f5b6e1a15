#include "plot/decimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zelk {
namespace {

// Pixel x equals the data x and pixel y is 10 - y: columns are unit steps.
PaneMapping unit_mapping() { return {{0, 0, 2, 10}, 0, 2, 0, 10}; }

std::vector<double> ys(const Polyline& l) {
  std::vector<double> out;
  for (const Point& p : l) out.push_back(10 - p.y);
  return out;
}

TEST(Decimate, KeepsFirstExtremesAndLastOfEachColumnInOrder) {
  // Column 0: y 5 9 1 4 -> first, max, min, last: all four.
  // Column 1: y 2 2 8 3 -> first (also the min), max, last.
  const std::vector<double> x{0, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75};
  const std::vector<double> y{5, 9, 1, 4, 2, 2, 8, 3};
  const auto lines = decimate_columns(x, y, unit_mapping());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(ys(lines[0]), (std::vector<double>{5, 9, 1, 4, 2, 8, 3}));
  EXPECT_DOUBLE_EQ(lines[0][3].x, 0.75);
  EXPECT_DOUBLE_EQ(lines[0][5].x, 1.5);
}

TEST(Decimate, UnorderedXGroupsConsecutiveRuns) {
  // Runs: (0.5, 0.25, 0.75) in column 0 with y 3 1 2 -> first, min, last;
  // (1.5, 1.25) in column 1; then 0.1 back in column 0 starts a new run.
  const std::vector<double> x{0.5, 0.25, 0.75, 1.5, 1.25, 0.1};
  const std::vector<double> y{3, 1, 2, 7, 6, 4};
  const auto lines = decimate_columns(x, y, unit_mapping());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(ys(lines[0]), (std::vector<double>{3, 1, 2, 7, 6, 4}));
}

TEST(Decimate, NonFiniteValuesBreakTheLine) {
  const std::vector<double> x{0, 0.5, 1, 1.5};
  const std::vector<double> y{1, INFINITY, 2, 3};
  const auto lines = decimate_columns(x, y, unit_mapping());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(ys(lines[0]), (std::vector<double>{1}));
  EXPECT_EQ(ys(lines[1]), (std::vector<double>{2, 3}));
}

TEST(Clip, CutsAtTheEdgesAndSplitsWhereTheLineLeaves) {
  const Rect r{0, 0, 10, 10};
  auto through = clip_polylines({{{-5, 5}, {5, 5}, {15, 5}}}, r);
  ASSERT_EQ(through.size(), 1u);
  ASSERT_EQ(through[0].size(), 3u);
  EXPECT_DOUBLE_EQ(through[0][0].x, 0);
  EXPECT_DOUBLE_EQ(through[0][2].x, 10);

  // Down out of the bottom at (5, 10), back in at (5.5, 10) halfway to (6, 5).
  auto twice = clip_polylines({{{5, 5}, {5, 15}, {6, 5}}}, r);
  ASSERT_EQ(twice.size(), 2u);
  EXPECT_DOUBLE_EQ(twice[0][1].y, 10);
  EXPECT_DOUBLE_EQ(twice[1][0].x, 5.5);
  EXPECT_DOUBLE_EQ(twice[1][0].y, 10);

  EXPECT_TRUE(clip_polylines({{{-5, -5}, {-1, 20}}}, r).empty());
  EXPECT_EQ(clip_polylines({{{3, 3}}}, r).size(), 1u);  // a lone point stays as a dot
}

}  // namespace
}  // namespace zelk
