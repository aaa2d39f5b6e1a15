#include "numeric/finite.h"

#include <cmath>

namespace zelk::numeric {

bool all_finite(std::span<const double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

bool all_within(std::span<const double> values, double limit) {
  for (double v : values)
    if (!(std::fabs(v) <= limit)) return false;
  return true;
}

}  // namespace zelk::numeric
