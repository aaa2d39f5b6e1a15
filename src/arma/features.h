#pragma once
// The ARMA model commands' description of themselves.
#include "port/registry.h"

namespace zelk {

Feature describe_arma();

}  // namespace zelk
