#pragma once
// A display list as an SVG 1.1 document, for files and the clipboard.
#include <string>

#include "plot/display_list.h"

namespace zelk {

// Logical font names map to generic families ("Serif" -> serif, "Monospace"
// -> monospace, anything else sans-serif). Text is escaped; items with
// coordinates that are not finite are left out so the file stays valid.
std::string to_svg(const DisplayList& list);

}  // namespace zelk
