#pragma once
// The univariate analyses' description of themselves.
#include "port/registry.h"

namespace zelk {

Feature describe_univariate();

}  // namespace zelk
