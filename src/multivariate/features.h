#pragma once
// The multivariate analyses' description of themselves.
#include "port/registry.h"

namespace zelk {

Feature describe_multivariate();

}  // namespace zelk
