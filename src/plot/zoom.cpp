#include "plot/zoom.h"

#include <algorithm>
#include <cmath>

namespace zelk {
namespace {

Point clamp_to(const Rect& r, Point p) { return {std::clamp(p.x, r.x, r.right()), std::clamp(p.y, r.y, r.bottom())}; }

// Sorted limits with a usable span: equal values open to min .. min + 1.
void order(double& lo, double& hi) {
  if (lo > hi) std::swap(lo, hi);
  if (lo == hi) hi = lo + 1;
  // Beyond 2^53 adding 1 changes nothing; widen relative to the value.
  if (lo == hi) hi = lo + std::fabs(lo) * 1e-12;
}

}  // namespace

Rect rubber_band(const GraphLayout& layout, int pane, ZoomMode mode, Point press, Point current) {
  const PaneLayout* p = layout.find(pane);
  if (!p) return {};
  // Bands stop at the edge of the data area: the padding inside the frame
  // lies beyond the ranges, and a zoom never reaches past them.
  const Point a = clamp_to(p->data(), press), b = clamp_to(p->data(), current);
  Rect r{std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(a.x - b.x), std::fabs(a.y - b.y)};
  if (mode == ZoomMode::Range) {
    r.y = p->plot.y;
    r.h = p->plot.h;
  }
  return r;
}

bool apply_zoom(GraphDocument& doc, const GraphLayout& layout, int pane, ZoomMode mode, Point press,
                Point release) {
  if (mode == ZoomMode::Out) {
    zoom_out(doc);
    return true;
  }
  if (mode != ZoomMode::Region && mode != ZoomMode::Range) return false;
  const PaneLayout* p = layout.find(pane);
  if (!p || !doc.pane(pane).present) return false;
  const Rect band = rubber_band(layout, pane, mode, press, release);
  if (band.w <= 0 || band.h <= 0) return false;
  const PaneMapping& m = p->mapping;
  const double x0 = m.from_px(band.x), x1 = m.from_px(band.right());
  if (!(x1 > x0)) return false;  // too narrow to tell apart in doubles
  if (mode == ZoomMode::Region) {
    const double y0 = m.from_py(band.bottom()), y1 = m.from_py(band.y);
    if (!(y1 > y0)) return false;
    doc.pane(pane).ymin = y0;
    doc.pane(pane).ymax = y1;
  }
  doc.set_x_range(x0, x1);
  return true;
}

void zoom_out(GraphDocument& doc) { doc.reset_ranges(); }

void set_plot_limits(GraphDocument& doc, int pane, double xmin, double xmax, double ymin, double ymax) {
  if (std::isfinite(xmin) && std::isfinite(xmax)) {
    order(xmin, xmax);
    doc.set_x_range(xmin, xmax);
  }
  if (pane >= 1 && pane <= kMaxPanes && std::isfinite(ymin) && std::isfinite(ymax)) {
    order(ymin, ymax);
    doc.pane(pane).ymin = ymin;
    doc.pane(pane).ymax = ymax;
  }
}

Rgb rubber_band_colour(const ColourTable& colours) {
  const Rgb c = colours.further[4];
  return {static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
          static_cast<std::uint8_t>(255 - c.b)};
}

}  // namespace zelk
