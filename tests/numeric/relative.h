// Relative comparison for the accuracy tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace zelk::numeric::testing {

inline ::testing::AssertionResult RelativelyNear(const char* actual_text, const char*, const char*, double actual,
                                                 double expected, double tolerance) {
  double error = expected == 0 ? std::abs(actual) : std::abs(actual - expected) / std::abs(expected);
  if (error <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual_text << " = " << actual << " differs from " << expected
                                       << " by relative " << error << " > " << tolerance;
}

}  // namespace zelk::numeric::testing

#define EXPECT_REL(actual, expected, tolerance) \
  EXPECT_PRED_FORMAT3(::zelk::numeric::testing::RelativelyNear, actual, expected, tolerance)
