#pragma once
// Reduction of long series to what a pixel grid can show, and clipping of
// the result to a pane's plot area.
#include <span>
#include <vector>

#include "plot/layout.h"

namespace zelk {

using Polyline = std::vector<Point>;

// Maps the points to pixels and, for each run of consecutive points that
// fall in one pixel column, keeps its first, lowest, highest and last point
// in their original order: at most four points per column, and the drawn
// line covers the same pixels as the full series. A non-finite value breaks
// the line. When x is ascending only the points in view (and one on either
// side) are visited, so a zoomed view of a long series is cheap.
std::vector<Polyline> decimate_columns(std::span<const double> x, std::span<const double> y,
                                       const PaneMapping& mapping);

// Cuts polylines to the rectangle (Liang-Barsky per segment); a line that
// leaves and re-enters the rectangle becomes two polylines.
std::vector<Polyline> clip_polylines(const std::vector<Polyline>& lines, const Rect& r);

}  // namespace zelk
