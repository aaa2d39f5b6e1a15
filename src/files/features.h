#pragma once
// The File menu's description of itself.
#include "port/registry.h"

namespace zelk {

Feature describe_files();

}  // namespace zelk
