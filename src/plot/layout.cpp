#include "plot/layout.h"

#include <algorithm>
#include <cmath>

#include "plot/format.h"
#include "plot/ticks.h"

namespace zelk {
namespace {

// A span the mapping can divide by: empty, reversed or overflowing ranges
// (limits typed by hand, flat data) fall back to a unit span.
double span(double lo, double hi) {
  const double s = hi - lo;
  return s > 0 && std::isfinite(s) ? s : 1.0;
}

double widest_label(const AxisTicks& axis) {
  std::size_t n = 0;
  for (const Tick& t : axis.ticks) n = std::max(n, trim(t.label).size());
  return static_cast<double>(n);
}

}  // namespace

double PaneMapping::to_px(double x) const { return plot.x + (x - xmin) / span(xmin, xmax) * plot.w; }
double PaneMapping::to_py(double y) const { return plot.bottom() - (y - ymin) / span(ymin, ymax) * plot.h; }
double PaneMapping::from_px(double px) const { return xmin + (px - plot.x) / plot.w * span(xmin, xmax); }
double PaneMapping::from_py(double py) const { return ymin + (plot.bottom() - py) / plot.h * span(ymin, ymax); }

const PaneLayout* GraphLayout::find(int number) const {
  for (const PaneLayout& p : panes)
    if (p.number == number) return &p;
  return nullptr;
}

GridShape grid_shape(int present) {
  if (present <= 0) return {};
  int c = 1;
  while (c * c < present) ++c;
  return {c, (present + c - 1) / c};
}

int whole_pixels(double v) {
  // Sizes come from window systems and print dialogs: keep the casts defined.
  return v > 0 && v < 1e7 ? static_cast<int>(v) : v >= 1e7 ? 10000000 : 0;
}

int label_margin(double width) { return whole_pixels(width) / 60 + 6; }
int pane_gap(double width) { return std::max(whole_pixels(width) / 80, 2); }

GraphLayout layout_graph(const GraphDocument& doc, double width, double height) {
  width = whole_pixels(width) == 0 ? 0 : width;
  height = whole_pixels(height) == 0 ? 0 : height;
  if (width > 1e7) width = 1e7;
  if (height > 1e7) height = 1e7;
  GraphLayout g;
  g.width = width;
  g.height = height;
  g.margin = label_margin(width);
  g.gap = pane_gap(width);
  std::vector<int> numbers;
  for (int i = 1; i <= kMaxPanes; ++i)
    if (doc.pane(i).present) numbers.push_back(i);
  if (numbers.empty()) return g;
  g.grid = grid_shape(static_cast<int>(numbers.size()));
  const int cells = g.grid.columns * g.grid.rows;
  const bool by_number = numbers.back() <= cells;
  const double cw = width / g.grid.columns, ch = height / g.grid.rows;
  const double gap = g.gap;
  // Every cell has the same size and text size, so one set of reserves for
  // all panes keeps the axes of a column and of a row aligned.
  const double s = whole_pixels(ch) / 60 + 6;
  const double char_w = s * kDigitWidth;
  const double tick = std::max(s / 3, 3.0);
  const AxisTicks ht = horizontal_ticks(doc.xmin(), doc.xmax(), doc.integer_x, cw, char_w);
  // Room for the labels: vertical ones right-aligned left of the axis,
  // horizontal ones centred below it and reaching past either end.
  const double x_half = (widest_label(ht) / 2 + 0.5) * char_w;
  double left = std::max<double>(g.margin, x_half - gap);
  for (int n : numbers) {
    const Pane& pane = doc.pane(n);
    const AxisTicks vt = vertical_ticks(pane.ymin, pane.ymax, ch, s);
    left = std::max(left, (widest_label(vt) + 1) * char_w + tick);
  }
  const double right = std::max(s / 2, x_half);
  double top = s / 2 + 1;
  double bottom = std::max<double>(g.margin, tick + 1.3 * s);
  // Titles get lines of their own outside the frame, so they never cover
  // data; in cells too small to keep five lines of plot they are left out,
  // the pane titles (which say what a pane shows) last.
  const double room = ch - 2 * gap - top - bottom;
  const double line = 1.2 * s;
  const bool any_title =
      std::any_of(numbers.begin(), numbers.end(), [&](int n) { return !doc.pane(n).title.empty(); });
  const bool title_line = any_title && room - line >= 5 * s;
  const bool axis_line = !doc.x_title.empty() && room - line * (title_line ? 2 : 1) >= 5 * s;
  if (title_line) top += line;
  if (axis_line) bottom += line;
  for (std::size_t rank = 0; rank < numbers.size(); ++rank) {
    const int n = numbers[rank];
    const int slot = by_number ? n - 1 : static_cast<int>(rank);
    PaneLayout p;
    p.number = n;
    p.cell = {(slot % g.grid.columns) * cw, (slot / g.grid.columns) * ch, cw, ch};
    p.text_size = s;
    p.plot.x = p.cell.x + gap + left;
    p.plot.y = p.cell.y + gap + top;
    p.plot.w = std::max(1.0, p.cell.w - 2 * gap - left - right);
    p.plot.h = std::max(1.0, p.cell.h - 2 * gap - top - bottom);
    p.title_line = title_line && !doc.pane(n).title.empty();
    p.axis_title_line = axis_line;
    const double px = pane_padding(p.plot.w), py = pane_padding(p.plot.h);
    const Rect data{p.plot.x + px, p.plot.y + py, p.plot.w - 2 * px, p.plot.h - 2 * py};
    const Pane& pane = doc.pane(n);
    p.mapping = {data, doc.xmin(), doc.xmax(), pane.ymin, pane.ymax};
    g.panes.push_back(p);
  }
  return g;
}

double pane_padding(double extent) {
  // A few pixels, more in large panes; never more than a quarter of a
  // tiny pane, which keeps its data area positive.
  const double pad = std::clamp(std::round(0.03 * extent), 3.0, 10.0);
  return extent > 0 ? std::min(pad, extent / 4) : 0;
}

int pane_at(const GraphLayout& layout, Point p) {
  for (const PaneLayout& pane : layout.panes)
    if (pane.cell.contains(p)) return pane.number;
  return 0;
}

}  // namespace zelk
