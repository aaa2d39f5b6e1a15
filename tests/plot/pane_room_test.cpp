// Room inside and around panes: bars and bounds of a correlogram clear of
// the frame, titles on lines of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/layout.h"
#include "plot/render.h"

namespace zelk {
namespace {

// Lake Huron, n = 98, lags 0..40. R 4.2: acf(LakeHuron, lag.max = 40)$acf and
// c(1, pacf(LakeHuron, lag.max = 40)$acf), rounded to 5 decimals.
const std::vector<double> kAcf{
    1.00000,  0.83191,  0.60994,  0.45825,  0.37050,  0.32555,  0.28486,  0.26478,  0.26404,  0.25770, 0.18274,
    0.09480,  0.04442,  0.02922,  0.04117,  0.04527,  0.03510,  0.00498,  -0.03280, -0.05269, -0.05217,
    0.01448,  0.10385,  0.17727,  0.19649,  0.18157,  0.13779,  0.09258,  0.07459,  0.08555,  0.12838,
    0.14188,  0.11377,  0.07197,  0.02381,  -0.00682, -0.01297, -0.02417, -0.01751, -0.02454, -0.03994};
const std::vector<double> kPacf{
    1.00000,  0.83191,  -0.26675, 0.13075,  0.03406,  0.06209,  -0.02113, 0.09197,  0.04548,  0.00269, -0.20003,
    0.01936,  0.00944,  0.01170,  0.03463,  -0.01489, -0.02523, -0.07376, -0.02664, 0.06052,  0.02059,
    0.20507,  0.05116,  0.06010,  -0.06536, 0.03362,  -0.08927, 0.02272,  0.00188,  0.06246,  0.00944,
    -0.09995, -0.05871, 0.01196,  -0.04720, 0.04532,  0.03002,  -0.08623, 0.04070,  -0.10349, 0.06505};
// 1.96 / sqrt(98), R 4.2.
constexpr double kBound = 0.1979899;

template <class T>
std::vector<const T*> items_of(const DisplayList& d) {
  std::vector<const T*> out;
  for (const DisplayItem& i : d.items)
    if (const T* t = std::get_if<T>(&i)) out.push_back(t);
  return out;
}

// The correlogram as the ACF/PACF window builds it: bars at the lags and
// dashed bounds across them.
GraphDocument correlogram() {
  GraphDocument doc;
  std::vector<double> lags(kAcf.size());
  for (std::size_t k = 0; k < lags.size(); ++k) lags[k] = static_cast<double>(k);
  doc.add_bar_pane(1, lags, kAcf);
  doc.add_bar_pane(2, lags, kPacf);
  for (int pane : {1, 2})
    for (double b : {kBound, -kBound}) doc.add_overlay(pane, Overlay{{0.0, 40.0}, {b, b}, 2, true});
  doc.pane(1).title = "Sample ACF";
  doc.pane(2).title = "Sample PACF";
  doc.x_title = "Lag";
  return doc;
}

// Clear pixels between a drawn item and the frame: fewer than two read as
// touching it.
constexpr double kClear = 2;

TEST(BarPane, RangeCoversEveryBarAndBoundWithRoomToTheFrame) {
  const GraphDocument doc = correlogram();
  EXPECT_LE(doc.pane(1).ymin, -kBound);  // the ACF's lowest drawn value is its lower bound
  EXPECT_GE(doc.pane(1).ymax, 1.0);
  EXPECT_LE(doc.pane(2).ymin, -0.26675);  // the PACF at lag 2
  EXPECT_GE(doc.pane(2).ymax, 1.0);
  // The window as first shown, and as a small tiled window.
  for (auto [w, h] : {std::pair{1200.0, 420.0}, std::pair{420.0, 240.0}}) {
    const DisplayList d = render_graph(doc, ColourTable::defaults(), w, h);
    const GraphLayout g = layout_graph(doc, w, h);
    std::size_t bars = 0;
    for (const RectItem* r : items_of<RectItem>(d)) {
      if (!r->filled) continue;
      ++bars;
      const PaneLayout& p = *g.find(pane_at(g, {r->x + r->w / 2, r->y + r->h / 2}));
      EXPECT_GE(r->x, p.plot.x + kClear) << w;
      EXPECT_LE(r->x + r->w, p.plot.right() - kClear) << w;
      EXPECT_GE(r->y, p.plot.y + kClear) << w;
      EXPECT_LE(r->y + r->h, p.plot.bottom() - kClear) << w;
    }
    EXPECT_GT(bars, 40u) << w;
    // Lag 2 of the PACF is drawn whole: its bar ends where -0.26675 maps.
    const PaneLayout& pacf = *g.find(2);
    double lowest = 0;
    for (const RectItem* r : items_of<RectItem>(d))
      if (r->filled && r->x > pacf.cell.x) lowest = std::max(lowest, r->y + r->h);
    EXPECT_NEAR(lowest, pacf.mapping.to_py(-0.26675), 1e-6) << w;
    // Four dashed bounds, at their values and clear of the frame.
    int bounds = 0;
    for (const PolylineItem* l : items_of<PolylineItem>(d)) {
      ASSERT_TRUE(l->pen.dashed);
      ++bounds;
      const PaneLayout& p = *g.find(pane_at(g, l->points.front()));
      for (const Point& pt : l->points) {
        EXPECT_TRUE(std::fabs(pt.y - p.mapping.to_py(kBound)) < 1e-9 ||
                    std::fabs(pt.y - p.mapping.to_py(-kBound)) < 1e-9);
        EXPECT_GE(pt.y, p.plot.y + kClear) << w;
        EXPECT_LE(pt.y, p.plot.bottom() - kClear) << w;
        EXPECT_GE(pt.x, p.plot.x + kClear) << w;
        EXPECT_LE(pt.x, p.plot.right() - kClear) << w;
      }
    }
    EXPECT_EQ(bounds, 4) << w;
  }
}

std::vector<const TextItem*> texts_saying(const DisplayList& d, const std::string& what) {
  std::vector<const TextItem*> out;
  for (const TextItem* t : items_of<TextItem>(d))
    if (t->text == what) out.push_back(t);
  return out;
}

TEST(Titles, AxisTitleUnderEachPanePaneTitleAboveItsFrame) {
  GraphDocument doc = correlogram();
  const DisplayList d = render_graph(doc, ColourTable::defaults(), 1200, 420);
  const GraphLayout g = layout_graph(doc, 1200, 420);
  const auto lag = texts_saying(d, "Lag");
  ASSERT_EQ(lag.size(), 2u);
  for (int pane : {1, 2}) {
    const Rect& frame = g.find(pane)->plot;
    const TextItem& axis = *lag[static_cast<std::size_t>(pane - 1)];
    EXPECT_NEAR(axis.at.x, frame.x + frame.w / 2, 1e-9);
    // Below the tick labels, which hang from the frame by at most a tick and a line.
    EXPECT_GE(axis.at.y, frame.bottom() + axis.size);
    const auto title = texts_saying(d, pane == 1 ? "Sample ACF" : "Sample PACF");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_LE(title[0]->at.y, frame.y);  // its bottom edge above the frame
  }
  // A graph that does not know its axis names none.
  doc.x_title.clear();
  EXPECT_TRUE(texts_saying(render_graph(doc, ColourTable::defaults(), 1200, 420), "Lag").empty());
  // A window too small for extra lines keeps its plot and drops the titles.
  doc.x_title = "Lag";
  const DisplayList tiny = render_graph(doc, ColourTable::defaults(), 300, 60);
  EXPECT_TRUE(texts_saying(tiny, "Lag").empty());
  EXPECT_TRUE(texts_saying(tiny, "Sample ACF").empty());
}

}  // namespace
}  // namespace zelk
