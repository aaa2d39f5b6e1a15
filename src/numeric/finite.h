// Checks used at the boundary of every routine so that NaN or infinite input is
// reported instead of travelling silently through a computation.
#pragma once

#include <span>

namespace zelk::numeric {

bool all_finite(std::span<const double> values);

}  // namespace zelk::numeric
