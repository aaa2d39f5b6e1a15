#pragma once
// Where each pane of a graph goes in a window of a given size, and the
// mapping between data values and pixels inside a pane.
#include <vector>

#include "plot/display_list.h"
#include "plot/document.h"

namespace zelk {

struct Rect {
  double x = 0, y = 0, w = 0, h = 0;
  double right() const { return x + w; }
  double bottom() const { return y + h; }
  bool contains(Point p) const { return p.x >= x && p.x <= right() && p.y >= y && p.y <= bottom(); }
};

// Data <-> pixel mapping of one pane: x over [xmin, xmax] spans the plot
// rectangle from left to right, y over [ymin, ymax] from bottom to top.
struct PaneMapping {
  Rect plot;
  double xmin = 0, xmax = 1, ymin = 0, ymax = 1;
  double to_px(double x) const;
  double to_py(double y) const;
  double from_px(double px) const;
  double from_py(double py) const;
};

struct PaneLayout {
  int number = 0;       // pane number 1..25
  Rect cell;            // the pane's grid cell
  Rect plot;            // the framed plot area inside the cell
  double text_size = 0; // character height of its axis text
  // Maps the ranges onto the plot area less a padding on every side, so
  // curves, bars and bounds at the ends of a range stay clear of the frame.
  PaneMapping mapping;
  bool title_line = false;       // the pane's title stands on a line above the frame
  bool axis_title_line = false;  // the graph's axis title under the tick labels
  const Rect& data() const { return mapping.plot; }
};

struct GridShape {
  int columns = 0, rows = 0;
};

struct GraphLayout {
  double width = 0, height = 0;
  GridShape grid;
  int margin = 0;  // label margin W/60 + 6
  int gap = 0;     // max(W/80, 2)
  std::vector<PaneLayout> panes;  // present panes in number order
  const PaneLayout* find(int number) const;
};

// C = ceil(sqrt(k)) columns and R = ceil(k / C) rows for k present panes.
GridShape grid_shape(int present);
// A size in pixels as a whole number, 0 for anything not positive and
// finite, capped at 10^7.
int whole_pixels(double v);
int label_margin(double width);
int pane_gap(double width);

// Pane i sits in row (i-1) div C, column (i-1) mod C. When a present pane's
// number would fall outside the R x C grid (numbers with holes below them),
// present panes fill the cells in number order instead, so none is lost.
GraphLayout layout_graph(const GraphDocument& doc, double width, double height);

// Room between the frame and the data along a side of `extent` pixels.
double pane_padding(double extent);

// The pane whose cell holds the point (label margins included), 0 for none.
int pane_at(const GraphLayout& layout, Point p);

}  // namespace zelk
