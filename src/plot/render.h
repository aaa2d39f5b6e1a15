#pragma once
// Turns documents into display lists for a target rectangle in pixels.
#include "plot/colours.h"
#include "plot/display_list.h"
#include "plot/document.h"

namespace zelk {

// The picture of a graph window: background in further colour 1, frames and
// ticks in further colour 3, axis text in further colour 4, pane i's curves
// and bars in colour i; "<NO DATA PRESENT>" when no pane is present. Long
// series are reduced to a few points per pixel column.
DisplayList render_graph(const GraphDocument& doc, const ColourTable& colours, double width, double height);

// The printed page of an INFO window: monospace lines from the top; lines
// that fall below the page are left out.
DisplayList render_text(const TextDocument& doc, double width, double height, double line_height = 14);

inline constexpr const char* kNoDataText = "<NO DATA PRESENT>";

}  // namespace zelk
