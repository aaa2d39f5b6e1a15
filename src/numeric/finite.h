// Checks used at the boundary of every routine so that NaN or infinite input is
// reported instead of travelling silently through a computation.
#pragma once

#include <span>

namespace zelk::numeric {

bool all_finite(std::span<const double> values);

// Data values beyond this size are refused where a series comes in: squared
// and summed over ten million points, and after any transformation the
// program offers (Box-Cox raises to at most 1.5), they still fit a double.
inline constexpr double kLargestDataValue = 1e100;
// Every value finite and at most `limit` in size.
bool all_within(std::span<const double> values, double limit);

}  // namespace zelk::numeric
