#include "plot/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zelk {
namespace {

GraphDocument with_panes(std::initializer_list<int> numbers) {
  GraphDocument doc;
  const std::vector<double> x{1, 2, 3, 4}, y{0, 1, 0, 1};
  for (int n : numbers) doc.add_curve_pane(n, x, y);
  return doc;
}

void expect_cell(const GraphLayout& g, int pane, double x, double y, double w, double h) {
  const PaneLayout* p = g.find(pane);
  ASSERT_NE(p, nullptr) << "pane " << pane;
  EXPECT_DOUBLE_EQ(p->cell.x, x) << "pane " << pane;
  EXPECT_DOUBLE_EQ(p->cell.y, y) << "pane " << pane;
  EXPECT_DOUBLE_EQ(p->cell.w, w) << "pane " << pane;
  EXPECT_DOUBLE_EQ(p->cell.h, h) << "pane " << pane;
}

TEST(GridShape, ColumnsAreTheCeilingOfTheRootRowsWhatIsLeft) {
  EXPECT_EQ(grid_shape(1).columns, 1);
  EXPECT_EQ(grid_shape(1).rows, 1);
  EXPECT_EQ(grid_shape(2).columns, 2);
  EXPECT_EQ(grid_shape(2).rows, 1);
  EXPECT_EQ(grid_shape(3).columns, 2);
  EXPECT_EQ(grid_shape(3).rows, 2);
  EXPECT_EQ(grid_shape(4).rows, 2);
  EXPECT_EQ(grid_shape(5).columns, 3);
  EXPECT_EQ(grid_shape(5).rows, 2);
  EXPECT_EQ(grid_shape(10).columns, 4);
  EXPECT_EQ(grid_shape(10).rows, 3);
  EXPECT_EQ(grid_shape(25).columns, 5);
  EXPECT_EQ(grid_shape(25).rows, 5);
  EXPECT_EQ(grid_shape(0).columns, 0);
}

TEST(GraphLayout, MarginAndGapUseIntegerDivision) {
  EXPECT_EQ(label_margin(1200), 26);  // 1200/60 + 6
  EXPECT_EQ(pane_gap(1200), 15);      // 1200/80
  EXPECT_EQ(label_margin(100), 7);    // 100/60 = 1
  EXPECT_EQ(pane_gap(100), 2);        // 100/80 = 1 < 2
  EXPECT_EQ(pane_gap(59), 2);
}

TEST(GraphLayout, CellsFillRowByRowInPaneOrder) {
  const GraphLayout one = layout_graph(with_panes({1}), 1200, 800);
  expect_cell(one, 1, 0, 0, 1200, 800);

  const GraphLayout two = layout_graph(with_panes({1, 2}), 1200, 800);
  expect_cell(two, 1, 0, 0, 600, 800);
  expect_cell(two, 2, 600, 0, 600, 800);

  const GraphLayout three = layout_graph(with_panes({1, 2, 3}), 1200, 800);
  expect_cell(three, 3, 0, 400, 600, 400);
  EXPECT_EQ(three.find(4), nullptr);

  const GraphLayout four = layout_graph(with_panes({1, 2, 3, 4}), 1200, 800);
  expect_cell(four, 4, 600, 400, 600, 400);

  GraphDocument all;
  const std::vector<double> x{0, 1}, y{0, 1};
  for (int i = 1; i <= 25; ++i) all.add_curve_pane(i, x, y);
  const GraphLayout g = layout_graph(all, 1200, 800);
  ASSERT_EQ(g.panes.size(), 25u);
  expect_cell(g, 7, 240, 160, 240, 160);    // row 1, column 1
  expect_cell(g, 25, 960, 640, 240, 160);   // row 4, column 4
}

TEST(GraphLayout, HolesKeepPlacesWhenTheGridHoldsThemElsePack) {
  // Three present panes make a 2 x 2 grid: pane 4 keeps its own cell.
  const GraphLayout kept = layout_graph(with_panes({1, 2, 4}), 1000, 600);
  expect_cell(kept, 4, 500, 300, 500, 300);
  // Two panes make 2 x 1: pane 5 would fall outside, so they pack side by side.
  const GraphLayout packed = layout_graph(with_panes({1, 5}), 1000, 600);
  expect_cell(packed, 1, 0, 0, 500, 600);
  expect_cell(packed, 5, 500, 0, 500, 600);
}

TEST(GraphLayout, PlotAreasSitInsideTheirCellsBehindTheMargins) {
  const GraphLayout g = layout_graph(with_panes({1, 2, 3, 4}), 1200, 800);
  for (const PaneLayout& p : g.panes) {
    EXPECT_GE(p.plot.x, p.cell.x + g.gap + g.margin);
    EXPECT_GE(p.plot.y, p.cell.y + g.gap);
    EXPECT_LE(p.plot.right(), p.cell.right() - g.gap);
    EXPECT_LE(p.plot.bottom(), p.cell.bottom() - g.gap - g.margin);
    EXPECT_GT(p.plot.w, 400);
    EXPECT_GT(p.plot.h, 250);
    EXPECT_EQ(p.text_size, 400 / 60 + 6);
  }
  // Tiny, empty or nonsense window sizes still give every pane an area.
  for (double size : {0.0, -5.0, double(NAN), HUGE_VAL})
    for (const PaneLayout& p : layout_graph(with_panes({1, 2}), size, size).panes) EXPECT_GT(p.plot.w, 0);
  for (const PaneLayout& p : layout_graph(with_panes({1, 2, 3}), 10, 10).panes) {
    EXPECT_GT(p.plot.w, 0);
    EXPECT_GT(p.plot.h, 0);
  }
}

TEST(GraphLayout, AxesLineUpAcrossPanesWhateverTheirLabels) {
  GraphDocument doc = with_panes({1, 2, 3, 4});
  doc.pane(3).ymin = -1250000;  // labels like -1.0E+06 need a wider margin
  doc.pane(3).ymax = 1750000;
  const GraphLayout g = layout_graph(doc, 1000, 600);
  EXPECT_DOUBLE_EQ(g.find(1)->plot.x, g.find(3)->plot.x);
  EXPECT_DOUBLE_EQ(g.find(2)->plot.x - g.find(1)->plot.x, 500);
  EXPECT_DOUBLE_EQ(g.find(1)->plot.y, g.find(2)->plot.y);
  EXPECT_DOUBLE_EQ(g.find(3)->plot.w, g.find(4)->plot.w);
  // "-1.0E+06" is 8 characters: the margin holds them at the serif digit width.
  EXPECT_GE(g.find(1)->plot.x - g.gap, 8 * g.find(1)->text_size * 0.6);
}

TEST(GraphLayout, PaneAtFindsTheCellUnderThePoint) {
  const GraphLayout g = layout_graph(with_panes({1, 2, 3}), 1000, 600);
  EXPECT_EQ(pane_at(g, {10, 10}), 1);
  EXPECT_EQ(pane_at(g, {700, 100}), 2);
  EXPECT_EQ(pane_at(g, {200, 500}), 3);
  EXPECT_EQ(pane_at(g, {700, 500}), 0);  // the empty fourth cell
  EXPECT_EQ(pane_at(layout_graph(GraphDocument{}, 1000, 600), {10, 10}), 0);
}

TEST(PaneMapping, MapsTheRangeCornersToTheDataAreaCorners) {
  GraphDocument doc = with_panes({1});
  doc.set_x_range(10, 20);
  doc.pane(1).ymin = -1;
  doc.pane(1).ymax = 3;
  const PaneLayout p = layout_graph(doc, 800, 600).panes[0];
  const PaneMapping& m = p.mapping;
  // The ranges span the data area, which keeps a few pixels clear inside the frame.
  EXPECT_GE(p.data().x - p.plot.x, 3);
  EXPECT_GE(p.plot.right() - p.data().right(), 3);
  EXPECT_GE(p.data().y - p.plot.y, 3);
  EXPECT_GE(p.plot.bottom() - p.data().bottom(), 3);
  EXPECT_DOUBLE_EQ(m.to_px(10), p.data().x);
  EXPECT_DOUBLE_EQ(m.to_px(20), p.data().right());
  EXPECT_DOUBLE_EQ(m.to_px(15), p.data().x + p.data().w / 2);
  EXPECT_DOUBLE_EQ(m.to_py(-1), p.data().bottom());
  EXPECT_DOUBLE_EQ(m.to_py(3), p.data().y);
  EXPECT_NEAR(m.from_px(m.to_px(12.5)), 12.5, 1e-12);
  EXPECT_NEAR(m.from_py(m.to_py(0.25)), 0.25, 1e-12);
  // A reversed range typed by hand never divides by zero.
  PaneMapping flat = m;
  flat.xmax = flat.xmin;
  EXPECT_TRUE(std::isfinite(flat.to_px(11)));
}

}  // namespace
}  // namespace zelk
