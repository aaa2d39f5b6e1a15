#pragma once
// Forecasting and smoothing's description of themselves.
#include "port/registry.h"

namespace zelk {

Feature describe_forecast();

}  // namespace zelk
