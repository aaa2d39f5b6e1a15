#include "plot/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/layout.h"
#include "plot/ticks.h"

namespace zelk {
namespace {

template <class T>
std::vector<const T*> items_of(const DisplayList& d) {
  std::vector<const T*> out;
  for (const DisplayItem& i : d.items)
    if (const T* t = std::get_if<T>(&i)) out.push_back(t);
  return out;
}

std::size_t polyline_points(const DisplayList& d) {
  std::size_t n = 0;
  for (const PolylineItem* p : items_of<PolylineItem>(d)) n += p->points.size();
  return n;
}

// A label's box from its anchor, with the widths used to reserve room.
Rect text_box(const TextItem& t) {
  const double w = static_cast<double>(t.text.size()) * t.size * kDigitWidth;
  double x = t.at.x, y = t.at.y;
  if (t.halign == HAlign::Centre) x -= w / 2;
  if (t.halign == HAlign::Right) x -= w;
  if (t.valign == VAlign::Middle) y -= t.size / 2;
  if (t.valign == VAlign::Baseline) y -= t.size * 0.8;
  if (t.valign == VAlign::Bottom) y -= t.size;
  return {x, y, w, t.size};
}

bool overlap(const Rect& a, const Rect& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

GraphDocument series(std::size_t n, double (*f)(double)) {
  std::vector<double> x(n), y(n);
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = static_cast<double>(i + 1);
    y[i] = f(static_cast<double>(i));
  }
  GraphDocument doc;
  doc.add_curve_pane(1, x, y);
  return doc;
}

TEST(RenderGraph, EmptyGraphSaysNoDataPresent) {
  const ColourTable c = ColourTable::defaults();
  const DisplayList d = render_graph(GraphDocument{}, c, 600, 400);
  EXPECT_EQ(d.background, c.further[0]);
  const auto texts = items_of<TextItem>(d);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, "<NO DATA PRESENT>");
  EXPECT_DOUBLE_EQ(texts[0]->at.x, 300);
  EXPECT_DOUBLE_EQ(texts[0]->at.y, 200);
  EXPECT_EQ(texts[0]->halign, HAlign::Centre);
}

TEST(RenderGraph, UsesThePaneAndFurtherColours) {
  ColourTable c = ColourTable::defaults();
  c.pane[1] = {1, 2, 3};
  c.further[2] = {4, 5, 6};
  c.further[3] = {7, 8, 9};
  GraphDocument doc;
  const std::vector<double> x{1, 2, 3, 4}, y{1, 3, 2, 4}, b{0.5, -0.25, 0.1, 0};
  doc.add_curve_pane(1, x, y);
  doc.add_bar_pane(2, x, b);
  doc.add_overlay(1, Overlay{{1, 4}, {3, 3}, 4, true});
  const DisplayList d = render_graph(doc, c, 1200, 600);
  const auto lines = items_of<PolylineItem>(d);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]->pen.colour, c.pane[0]);
  EXPECT_TRUE(lines[1]->pen.dashed);  // bounds drawn over the curve
  EXPECT_EQ(lines[1]->pen.colour, c.pane[3]);
  int bars = 0, frames = 0;
  for (const RectItem* r : items_of<RectItem>(d)) {
    if (r->filled) {
      EXPECT_EQ(r->fill, (Rgb{1, 2, 3}));
      ++bars;
    } else {
      EXPECT_EQ(r->pen.colour, (Rgb{4, 5, 6}));
      ++frames;
    }
  }
  EXPECT_EQ(bars, 3);  // the bar of height 0 has no area
  EXPECT_EQ(frames, 2);
  for (const TextItem* t : items_of<TextItem>(d)) {
    EXPECT_EQ(t->colour, (Rgb{7, 8, 9}));
    EXPECT_EQ(t->font, "Serif");
    EXPECT_EQ(t->size, 600 / 60 + 6);  // H/60 + 6 of the pane's cell
  }
}

TEST(RenderGraph, BarsStandOnZero) {
  GraphDocument doc;
  const std::vector<double> x{1, 2}, y{0.5, -0.5};
  doc.add_bar_pane(1, x, y);
  const DisplayList d = render_graph(doc, ColourTable::defaults(), 800, 600);
  const PaneLayout p = layout_graph(doc, 800, 600).panes[0];
  const double zero = p.mapping.to_py(0);
  std::vector<const RectItem*> bars;
  for (const RectItem* r : items_of<RectItem>(d))
    if (r->filled) bars.push_back(r);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_NEAR(bars[0]->y + bars[0]->h, zero, 1e-9);  // upward from zero
  EXPECT_NEAR(bars[1]->y, zero, 1e-9);               // downward from zero
  EXPECT_NEAR(bars[0]->y, p.data().y, 1e-9);         // 0.5 is the top of the range
}

TEST(RenderGraph, BarsSharingAPixelColumnMerge) {
  std::vector<double> x(100000), y(100000);
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = static_cast<double>(i);
    y[i] = i % 2 ? 1.0 : -2.0;
  }
  GraphDocument doc;
  doc.add_bar_pane(1, x, y);
  const DisplayList d = render_graph(doc, ColourTable::defaults(), 800, 600);
  const PaneLayout p = layout_graph(doc, 800, 600).panes[0];
  std::size_t bars = 0;
  for (const RectItem* r : items_of<RectItem>(d))
    if (r->filled) {
      ++bars;
      // Each merged bar reaches from the lowest to the highest value.
      EXPECT_NEAR(r->y, p.mapping.to_py(1), 1e-9);
      EXPECT_NEAR(r->y + r->h, p.mapping.to_py(-2), 1e-9);
    }
  EXPECT_LE(bars, static_cast<std::size_t>(p.plot.w + 2));
}

TEST(RenderGraph, LabelsNeitherOverlapNorCoverDataNorLeaveTheirCell) {
  GraphDocument doc;
  std::vector<double> x, y;
  for (int i = 1; i <= 144; ++i) {
    x.push_back(i);
    y.push_back(100 + 400 * std::sin(i / 9.0) + 0.5 * i * i);
  }
  for (int n = 1; n <= 4; ++n) doc.add_curve_pane(n, x, y);
  doc.pane(2).ymin = 0.00001;
  doc.pane(2).ymax = 0.00093;
  doc.pane(3).ymin = -250000;
  doc.pane(3).ymax = 1750000;
  doc.pane(1).title = "Series";
  doc.pane(4).title = "A title far longer than any pane of a small window is wide";
  doc.x_title = "Time";
  for (auto [w, h] : {std::pair{1200.0, 800.0}, std::pair{500.0, 300.0}, std::pair{300.0, 200.0}}) {
    const DisplayList d = render_graph(doc, ColourTable::defaults(), w, h);
    const GraphLayout g = layout_graph(doc, w, h);
    std::vector<Rect> boxes;
    for (const TextItem* t : items_of<TextItem>(d)) boxes.push_back(text_box(*t));
    ASSERT_GT(boxes.size(), 8u);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const int pane = pane_at(g, {boxes[i].x + boxes[i].w / 2, boxes[i].y + boxes[i].h / 2});
      ASSERT_NE(pane, 0) << w << "x" << h << " label " << i;
      const Rect& cell = g.find(pane)->cell;
      EXPECT_GE(boxes[i].x, cell.x) << w << "x" << h;
      EXPECT_LE(boxes[i].right(), cell.right()) << w << "x" << h;
      EXPECT_GE(boxes[i].y, cell.y) << w << "x" << h;
      EXPECT_LE(boxes[i].bottom(), cell.bottom()) << w << "x" << h;
      for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(overlap(boxes[i], boxes[j])) << w << "x" << h << " " << i << "," << j;
      // Nothing written over the data: every label stays outside every frame.
      for (const PaneLayout& p : g.panes) EXPECT_FALSE(overlap(boxes[i], p.plot)) << w << "x" << h << " label " << i;
    }
  }
}

TEST(RenderGraph, MillionPointsDrawAsAFewPointsPerPixelColumn) {
  const GraphDocument doc = series(1000000, [](double i) { return std::sin(i / 1000.0) + std::fmod(i, 7.0) / 10; });
  const DisplayList d = render_graph(doc, ColourTable::defaults(), 1200, 800);
  const PaneLayout p = layout_graph(doc, 1200, 800).panes[0];
  EXPECT_LE(polyline_points(d), static_cast<std::size_t>(4 * (p.plot.w + 2)));
  // The line still starts at the first point and ends at the last.
  const auto lines = items_of<PolylineItem>(d);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NEAR(lines[0]->points.front().x, p.data().x, 1e-6);
  EXPECT_NEAR(lines[0]->points.back().x, p.data().right(), 1e-6);
}

TEST(RenderGraph, CurvesKeepClearOfTheFrameWholeOrZoomed) {
  GraphDocument doc = series(1000, [](double i) { return std::sin(i / 20); });
  for (bool zoomed : {false, true}) {
    if (zoomed) {
      doc.set_x_range(100, 200);
      doc.pane(1).ymin = -0.5;
      doc.pane(1).ymax = 0.5;
    }
    for (auto [w, h] : {std::pair{800.0, 600.0}, std::pair{260.0, 150.0}}) {
      const DisplayList d = render_graph(doc, ColourTable::defaults(), w, h);
      const Rect frame = layout_graph(doc, w, h).panes[0].plot;
      const auto lines = items_of<PolylineItem>(d);
      ASSERT_GE(lines.size(), zoomed ? 2u : 1u);  // zoomed, the sine leaves the band and comes back
      // Two clear pixels at least: a line on the frame or one pixel off it reads as part of it.
      for (const PolylineItem* l : lines)
        for (const Point& pt : l->points) {
          EXPECT_GE(pt.x, frame.x + 2) << w;
          EXPECT_LE(pt.x, frame.right() - 2) << w;
          EXPECT_GE(pt.y, frame.y + 2) << w;
          EXPECT_LE(pt.y, frame.bottom() - 2) << w;
        }
    }
  }
}

TEST(RenderText, LinesRunFromTheTopUntilThePageEnds) {
  TextDocument t;
  for (int i = 0; i < 100; ++i) t.write_line("line " + std::to_string(i));
  const DisplayList d = render_text(t, 500, 140, 14);
  const auto texts = items_of<TextItem>(d);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[0]->text, "line 0");
  EXPECT_DOUBLE_EQ(texts[0]->at.x, 4);
  EXPECT_DOUBLE_EQ(texts[0]->at.y, 0);
  EXPECT_DOUBLE_EQ(texts[9]->at.y, 126);
  EXPECT_EQ(texts[9]->font, "Monospace");
}

}  // namespace
}  // namespace zelk
