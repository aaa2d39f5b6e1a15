#pragma once
// Mouse zoom and plot limits on a graph document.
#include "plot/colours.h"
#include "plot/layout.h"

namespace zelk {

enum class ZoomMode : int { None = 0, Region = 1, Range = 2, Out = 3 };

// The rubber band as drawn between the press and the current mouse point in
// pane `pane`: clamped to the pane's plot area, and in range mode spanning
// its full height.
Rect rubber_band(const GraphLayout& layout, int pane, ZoomMode mode, Point press, Point current);

// Applies a band released in `pane`: region mode sets the x range and the
// pane's y range from the band's corners, range mode only the x range, out
// restores the full ranges. A band of zero width or height changes nothing.
// True when the document changed.
bool apply_zoom(GraphDocument& doc, const GraphLayout& layout, int pane, ZoomMode mode, Point press,
                Point release);

void zoom_out(GraphDocument& doc);

// Manual limits: equal values give max = min + 1, swapped values are sorted.
// X applies to the whole graph, Y to pane `pane`. Non-finite values are
// ignored for their axis.
void set_plot_limits(GraphDocument& doc, int pane, double xmin, double xmax, double ymin, double ymax);

// The pen of the rubber band: the inverse of further colour 5.
Rgb rubber_band_colour(const ColourTable& colours);

}  // namespace zelk
