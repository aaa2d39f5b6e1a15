#include "plot/render.h"

#include <algorithm>
#include <cmath>

#include "plot/decimate.h"
#include "plot/format.h"
#include "plot/layout.h"
#include "plot/ticks.h"

namespace zelk {
namespace {

constexpr const char* kAxisFont = "Serif";
constexpr const char* kGraphFont = "Monospace";
constexpr double kMonoWidth = 0.62;  // monospace advance per character height

Rgb pane_colour(const ColourTable& c, int index) { return c.pane[static_cast<std::size_t>(std::clamp(index, 1, 25) - 1)]; }

void add_lines(DisplayList& out, const std::vector<Polyline>& lines, const Pen& pen) {
  for (const Polyline& l : lines) out.items.push_back(PolylineItem{l, pen});
}

void draw_series(DisplayList& out, std::span<const double> x, std::span<const double> y, const PaneLayout& p,
                 const Pen& pen) {
  add_lines(out, clip_polylines(decimate_columns(x, y, p.mapping), p.data()), pen);
}

// Bars stand on zero; bars sharing a pixel column merge into one rectangle.
void draw_bars(DisplayList& out, const Pane& pane, const PaneLayout& p, Rgb colour) {
  const PaneMapping& m = p.mapping;
  const Rect& area = p.data();
  const std::size_t n = std::min(pane.x.size(), pane.y.size());
  double spacing = pane.bar_spacing > 0 ? pane.bar_spacing : HUGE_VAL;
  for (std::size_t i = 1; i < n && !(pane.bar_spacing > 0); ++i) {
    const double d = std::fabs(pane.x[i] - pane.x[i - 1]);
    if (d > 0 && std::isfinite(d)) spacing = std::min(spacing, d);
  }
  double width = std::isfinite(spacing) ? 0.6 * spacing / std::max(m.xmax - m.xmin, 1e-300) * area.w : area.w / 50;
  width = std::clamp(width, 1.0, std::max(1.0, area.w / 2));
  const double zero = m.to_py(0);
  bool open = false, height = false;
  double column = 0, left = 0, right = 0, top = 0, bottom = 0;
  auto flush = [&] {
    if (!open) return;
    open = false;
    const double x0 = std::max(left, area.x), x1 = std::min(right, area.right());
    const double y0 = std::max(top, area.y), y1 = std::min(bottom, area.bottom());
    if (x1 <= x0 || y1 < y0 || !height) return;
    RectItem r{x0, y0, x1 - x0, std::max(y1 - y0, 1.0), Pen{colour, 1, false}, true, colour, false};
    out.items.push_back(r);
  };
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(pane.x[i]) || !std::isfinite(pane.y[i])) continue;
    const double px = m.to_px(pane.x[i]), py = m.to_py(pane.y[i]);
    if (px + width / 2 < area.x || px - width / 2 > area.right()) continue;
    const double c = std::floor(px);
    if (!open || c != column) {
      flush();
      open = true;
      column = c;
      left = px - width / 2;
      right = px + width / 2;
      top = bottom = zero;
      height = false;
    }
    height = height || pane.y[i] != 0;
    left = std::min(left, px - width / 2);
    right = std::max(right, px + width / 2);
    top = std::min(top, py);
    bottom = std::max(bottom, py);
  }
  flush();
}

// Titles longer than the pane is wide are cut rather than overflow.
std::string fitted(const std::string& title, double width, double char_width) {
  const auto fit = static_cast<std::size_t>(std::max(0.0, width / char_width));
  return title.substr(0, fit);
}

void draw_axes(DisplayList& out, const GraphDocument& doc, const PaneLayout& p, const ColourTable& c) {
  const Pen axis{c.further[2], 1, false};
  const Rgb text = c.further[3];
  const double s = p.text_size, tick = std::max(s / 3, 3.0);
  const Pane& pane = doc.pane(p.number);
  out.items.push_back(RectItem{p.plot.x, p.plot.y, p.plot.w, p.plot.h, axis, false, {}, true});
  if (pane.kind == PaneKind::Bars && pane.ymin < 0 && pane.ymax > 0) {
    // The line bars stand on, in the one further colour not tied to a role.
    const double y0 = p.mapping.to_py(0);
    out.items.push_back(LineItem{{p.plot.x, y0}, {p.plot.right(), y0}, Pen{c.further[1], 1, false}});
  }
  for (const Tick& t : vertical_ticks(pane.ymin, pane.ymax, p.data().h, s).ticks) {
    const double y = p.mapping.to_py(t.value);
    out.items.push_back(LineItem{{p.plot.x - tick, y}, {p.plot.x, y}, axis});
    if (t.labelled)
      out.items.push_back(TextItem{{p.plot.x - tick - s / 4, y}, trim(t.label), kAxisFont, s, text, HAlign::Right,
                                   VAlign::Middle});
  }
  const AxisTicks ht = horizontal_ticks(doc.xmin(), doc.xmax(), doc.integer_x, p.data().w, s * kDigitWidth);
  for (const Tick& t : ht.ticks) {
    const double x = p.mapping.to_px(t.value);
    out.items.push_back(LineItem{{x, p.plot.bottom()}, {x, p.plot.bottom() + tick}, axis});
    if (t.labelled)
      out.items.push_back(TextItem{{x, p.plot.bottom() + tick + s / 4}, trim(t.label), kAxisFont, s, text,
                                   HAlign::Centre, VAlign::Top});
  }
  if (p.axis_title_line) {
    const std::string title = fitted(doc.x_title, p.plot.w, s * kDigitWidth * 1.1);
    if (!title.empty())
      out.items.push_back(TextItem{{p.plot.x + p.plot.w / 2, p.plot.bottom() + tick + s / 4 + 1.15 * s}, title,
                                   kAxisFont, s, text, HAlign::Centre, VAlign::Top});
  }
  if (p.title_line) {
    const std::string title = fitted(pane.title, p.plot.w, s * kMonoWidth);
    if (!title.empty())
      out.items.push_back(
          TextItem{{p.plot.x, p.plot.y - s / 4}, title, kGraphFont, s, text, HAlign::Left, VAlign::Bottom});
  }
}

}  // namespace

DisplayList render_graph(const GraphDocument& doc, const ColourTable& colours, double width, double height) {
  DisplayList out;
  out.width = width;
  out.height = height;
  out.background = colours.further[0];
  const GraphLayout layout = layout_graph(doc, width, height);
  if (layout.panes.empty()) {
    const double s = whole_pixels(height) / 60 + 6;
    out.items.push_back(TextItem{{width / 2, height / 2}, kNoDataText, kGraphFont, s, colours.further[3],
                                 HAlign::Centre, VAlign::Middle});
    return out;
  }
  for (const PaneLayout& p : layout.panes) {
    const Pane& pane = doc.pane(p.number);
    const Rgb colour = pane_colour(colours, p.number);
    if (pane.kind == PaneKind::Bars)
      draw_bars(out, pane, p, colour);
    else
      draw_series(out, pane.x, pane.y, p, Pen{colour, 1, false});
    for (const Overlay& o : pane.overlays)
      draw_series(out, o.x, o.y, p, Pen{pane_colour(colours, o.colour), 1, o.dashed});
    draw_axes(out, doc, p, colours);
  }
  return out;
}

DisplayList render_text(const TextDocument& doc, double width, double height, double line_height) {
  DisplayList out;
  out.width = width;
  out.height = height;
  if (!(line_height > 0)) return out;
  double top = 0;
  for (const std::string& line : doc.lines()) {
    if (top + line_height > height) break;
    // A line's height holds the glyphs and their leading.
    out.items.push_back(
        TextItem{{4, top}, line, kGraphFont, line_height * 0.85, Rgb{0, 0, 0}, HAlign::Left, VAlign::Top});
    top += line_height;
  }
  return out;
}

}  // namespace zelk
