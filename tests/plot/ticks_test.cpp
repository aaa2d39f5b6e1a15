#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelk {
namespace {

TEST(TickStep, FollowsTheHalveThenTimesPointFourRule) {
  // r = 3: h = 10^0 = 1; floor(3/1) = 3 <= 4 -> 0.5; floor(3/0.5) = 6 -> keep.
  EXPECT_DOUBLE_EQ(tick_step(3), 0.5);
  // r = 100: h = 100; floor(1) = 1 -> 50; floor(2) = 2 -> 50 * 0.4 = 20.
  EXPECT_DOUBLE_EQ(tick_step(100), 20);
  // r = 0.07: log10 = -1.15, h = 0.01; floor(7) = 7 -> keep.
  EXPECT_DOUBLE_EQ(tick_step(0.07), 0.01);
  // r = 5: h = 1, floor(5) = 5 -> keep.
  EXPECT_DOUBLE_EQ(tick_step(5), 1);
  // r = 4.99: h = 1, floor 4 -> 0.5; floor(9.98) = 9 -> keep.
  EXPECT_DOUBLE_EQ(tick_step(4.99), 0.5);
  // r = 2: h = 1 -> 0.5 (floor 2); floor(4) = 4 -> 0.2.
  EXPECT_DOUBLE_EQ(tick_step(2), 0.2);
  // r = 0.3: h = 0.1 -> 0.05 (floor 3); floor(6) -> keep. 0.3/0.05 is 5.999... in doubles.
  EXPECT_DOUBLE_EQ(tick_step(0.3), 0.05);
  // r = 25000: h = 10^4; floor(2.5) = 2 -> 5000; floor(5) = 5 -> keep.
  EXPECT_DOUBLE_EQ(tick_step(25000), 5000);
  // r = 12: h = 10 -> 5 (floor 1) -> 2 (floor 2).
  EXPECT_DOUBLE_EQ(tick_step(12), 2);
}

TEST(TickStep, DegenerateRangesGiveNoStep) {
  EXPECT_EQ(tick_step(0), 0);
  EXPECT_EQ(tick_step(-1), 0);
  EXPECT_EQ(tick_step(HUGE_VAL), 0);
  EXPECT_EQ(tick_step(NAN), 0);
}

TEST(FirstTick, IsTheMinimumOrTheNextMultipleAbove) {
  EXPECT_DOUBLE_EQ(first_tick(0.3, 0.5), 0.5);
  EXPECT_DOUBLE_EQ(first_tick(-1.3, 0.5), -1.0);
  EXPECT_DOUBLE_EQ(first_tick(2, 0.5), 2);
  EXPECT_DOUBLE_EQ(first_tick(-3, 1), -3);
  EXPECT_DOUBLE_EQ(first_tick(0.3, 0.1), 0.3);  // 0.3 / 0.1 is 2.999... in doubles
  EXPECT_DOUBLE_EQ(first_tick(101, 20), 120);
}

TEST(VerticalTicks, ThinWhenSevenTimesTheCountReachesHalfTheHeight) {
  // r = 3, h = 0.5: 7 * 6 = 42 >= H/2 exactly when H <= 84.
  EXPECT_TRUE(thin_vertical_labels(3, 0.5, 84));
  EXPECT_FALSE(thin_vertical_labels(3, 0.5, 85));

  // Ticks run while below the maximum: 0 .. 2.5, never 3.
  AxisTicks big = vertical_ticks(0, 3, 600, 16);
  ASSERT_EQ(big.ticks.size(), 6u);
  EXPECT_DOUBLE_EQ(big.ticks.back().value, 2.5);
  for (const Tick& t : big.ticks) EXPECT_TRUE(t.labelled);

  AxisTicks small = vertical_ticks(0, 3, 80, 7);
  ASSERT_EQ(small.ticks.size(), 6u);
  EXPECT_TRUE(small.ticks[0].labelled);
  EXPECT_FALSE(small.ticks[1].labelled);
  EXPECT_TRUE(small.ticks[2].labelled);
}

TEST(VerticalTicks, ZeroPrintsWithoutSignAndHugeOffsetsEnd) {
  // -1.3 .. 1.7: h = 0.5, ticks -1, -0.5, 0, 0.5, 1, 1.5.
  AxisTicks a = vertical_ticks(-1.3, 1.7, 600, 16);
  ASSERT_EQ(a.ticks.size(), 6u);
  EXPECT_EQ(a.ticks[2].label, "  0.00");
  // 1e17 + 10 rounds back to a neighbour of 1e17: the ticks still end.
  AxisTicks b = vertical_ticks(1e17, 1e17 + 64, 600, 16);
  EXPECT_LE(b.ticks.size(), 200u);
  for (std::size_t i = 1; i < b.ticks.size(); ++i) EXPECT_GT(b.ticks[i].value, b.ticks[i - 1].value);
}

TEST(VerticalLabel, WidthAndDecimalsFollowTheStep) {
  // h = 0.5: k = floor(0.30) + 5 = 5 -> 2 decimals in 6 characters.
  EXPECT_EQ(vertical_label(1.5, 0.5), "  1.50");
  // h = 0.01: k = 2 + 5 = 7 -> 4 decimals in 8 characters.
  EXPECT_EQ(vertical_label(0.07, 0.01), "  0.0700");
  // h = 0.0001: k = 9 -> 6 decimals in 10 characters.
  EXPECT_EQ(vertical_label(0.0003, 0.0001), "  0.000300");
  // h = 20: floor(log10 20) + 4 = 5 characters, no decimals.
  EXPECT_EQ(vertical_label(40, 20), "   40");
  EXPECT_EQ(vertical_label(-3, 1), "  -3");
  EXPECT_EQ(vertical_label(2000, 1000), "   2000");
  // Beyond 9999 and below 0.0001: one decimal, scientific, 9 characters.
  EXPECT_EQ(vertical_label(200000, 1e5), "  2.0E+05");
  EXPECT_EQ(vertical_label(10000, 10000), "  1.0E+04");
  EXPECT_EQ(vertical_label(0.0001, 0.00005), "  1.0E-04");
}

TEST(HorizontalLabel, IntegerAxesRoundHalvesAwayFromZero) {
  EXPECT_EQ(horizontal_label(2.5, 1, true), "3");
  EXPECT_EQ(horizontal_label(-2.5, 1, true), "-3");
  EXPECT_EQ(horizontal_label(7, 1, true), "7");
  EXPECT_EQ(horizontal_label(1440, 20, true), "1440");
  // Large steps: exponential with one decimal in 12 characters.
  EXPECT_EQ(horizontal_label(40000, 20000, true), "     4.0E+04");
  EXPECT_EQ(horizontal_label(0.00002, 0.00001, false), "     2.0E-05");
  // Other axes: decimals enough for the step.
  EXPECT_EQ(horizontal_label(1.5, 0.5, false), "1.5");
  EXPECT_EQ(horizontal_label(0.15, 0.05, false), "0.15");
  EXPECT_EQ(horizontal_label(40, 20, false), "40");
}

TEST(HorizontalTicks, IntegerStepsAndThinningWhenLabelsCrowd) {
  // 1 .. 100: r = 99, h = 10; ticks 10 .. 90.
  AxisTicks wide = horizontal_ticks(1, 100, true, 1000, 10);
  ASSERT_EQ(wide.ticks.size(), 9u);
  EXPECT_EQ(wide.ticks.front().label, "10");
  for (const Tick& t : wide.ticks) EXPECT_TRUE(t.labelled);
  // 150 px: ticks 15.2 px apart, labels need (2 + 2) * 10 = 40 px -> every fourth.
  AxisTicks narrow = horizontal_ticks(1, 100, true, 150, 10);
  EXPECT_TRUE(narrow.ticks[0].labelled);
  EXPECT_FALSE(narrow.ticks[2].labelled);
  EXPECT_TRUE(narrow.ticks[4].labelled);
  // A whole-number axis over 3 units steps by 1, not 0.5.
  EXPECT_DOUBLE_EQ(horizontal_ticks(0, 3, true, 600, 10).step, 1);
  EXPECT_DOUBLE_EQ(horizontal_ticks(0, 3, false, 600, 10).step, 0.5);
}

}  // namespace
}  // namespace zelk
