#pragma once
// The commands the frame carries out on the window with the focus (print,
// copy, zoom, info, duplicate), the window arrangement and help.
#include "port/registry.h"

namespace zelk {

Feature describe_frame();

}  // namespace zelk
