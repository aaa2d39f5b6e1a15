#include "plot/zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zelk {
namespace {

struct Zoomed : ::testing::Test {
  Zoomed() {
    const std::vector<double> x{0, 50, 100}, y{0, 10, 5}, y2{-1, 1, 0};
    doc.add_curve_pane(1, x, y);
    doc.add_curve_pane(2, x, y2);
    layout = layout_graph(doc, 1000, 600);
    m = layout.find(1)->mapping;
  }
  Point at(double x, double y) const { return {m.to_px(x), m.to_py(y)}; }
  GraphDocument doc;
  GraphLayout layout;
  PaneMapping m;
};

TEST_F(Zoomed, RegionSetsXAndThePanesY) {
  EXPECT_TRUE(apply_zoom(doc, layout, 1, ZoomMode::Region, at(60, 8), at(20, 2)));
  EXPECT_NEAR(doc.xmin(), 20, 1e-9);
  EXPECT_NEAR(doc.xmax(), 60, 1e-9);
  EXPECT_NEAR(doc.pane(1).ymin, 2, 1e-9);
  EXPECT_NEAR(doc.pane(1).ymax, 8, 1e-9);
  EXPECT_EQ(doc.pane(2).ymin, -1);  // other panes keep their y range
}

TEST_F(Zoomed, RangeSetsOnlyXAndSpansTheFullHeight) {
  const Rect band = rubber_band(layout, 1, ZoomMode::Range, at(20, 2), at(60, 3));
  EXPECT_EQ(band.y, layout.find(1)->plot.y);
  EXPECT_EQ(band.h, layout.find(1)->plot.h);
  EXPECT_TRUE(apply_zoom(doc, layout, 1, ZoomMode::Range, at(20, 2), at(60, 2)));
  EXPECT_NEAR(doc.xmin(), 20, 1e-9);
  EXPECT_NEAR(doc.xmax(), 60, 1e-9);
  EXPECT_EQ(doc.pane(1).ymin, 0);
  EXPECT_EQ(doc.pane(1).ymax, 10);
}

TEST_F(Zoomed, ZeroWidthOrHeightChangesNothing) {
  EXPECT_FALSE(apply_zoom(doc, layout, 1, ZoomMode::Region, at(20, 2), at(20, 8)));
  EXPECT_FALSE(apply_zoom(doc, layout, 1, ZoomMode::Region, at(20, 2), at(60, 2)));
  EXPECT_FALSE(apply_zoom(doc, layout, 1, ZoomMode::Range, at(20, 2), at(20, 8)));
  EXPECT_FALSE(apply_zoom(doc, layout, 1, ZoomMode::None, at(20, 2), at(60, 8)));
  EXPECT_FALSE(apply_zoom(doc, layout, 7, ZoomMode::Region, at(20, 2), at(60, 8)));
  EXPECT_EQ(doc.xmin(), 0);
  EXPECT_EQ(doc.xmax(), 100);
  EXPECT_EQ(doc.pane(1).ymax, 10);
}

TEST_F(Zoomed, BandsStopAtThePlotEdgeAndOutRestoresEverything) {
  // Dragging past the right edge zooms to the end of the data, not beyond.
  EXPECT_TRUE(apply_zoom(doc, layout, 1, ZoomMode::Region, at(50, 5), {5000, 5000}));
  EXPECT_NEAR(doc.xmin(), 50, 1e-9);
  EXPECT_NEAR(doc.xmax(), 100, 1e-9);
  EXPECT_NEAR(doc.pane(1).ymin, 0, 1e-9);
  EXPECT_NEAR(doc.pane(1).ymax, 5, 1e-9);
  EXPECT_TRUE(apply_zoom(doc, layout, 1, ZoomMode::Out, {}, {}));
  EXPECT_EQ(doc.xmin(), 0);
  EXPECT_EQ(doc.xmax(), 100);
  EXPECT_EQ(doc.pane(1).ymin, 0);
  EXPECT_EQ(doc.pane(1).ymax, 10);
}

TEST_F(Zoomed, PlotLimitsOrderAndWidenTheirValues) {
  set_plot_limits(doc, 2, 5, 5, 3, -3);
  EXPECT_EQ(doc.xmin(), 5);
  EXPECT_EQ(doc.xmax(), 6);
  EXPECT_EQ(doc.pane(2).ymin, -3);
  EXPECT_EQ(doc.pane(2).ymax, 3);
  EXPECT_EQ(doc.pane(1).ymax, 10);  // Y only for the chosen pane
  set_plot_limits(doc, 1, 10, 2, 7, 7);
  EXPECT_EQ(doc.xmin(), 2);
  EXPECT_EQ(doc.xmax(), 10);
  EXPECT_EQ(doc.pane(1).ymin, 7);
  EXPECT_EQ(doc.pane(1).ymax, 8);
  // min + 1 is min itself beyond 2^53: the range still opens.
  set_plot_limits(doc, 1, 1e20, 1e20, NAN, 1);
  EXPECT_GT(doc.xmax(), doc.xmin());
  EXPECT_EQ(doc.pane(1).ymin, 7);  // a non-number leaves that axis alone
}

TEST(RubberBand, PenIsTheInverseOfFurtherColourFive) {
  EXPECT_EQ(rubber_band_colour(ColourTable::defaults()), (Rgb{15, 255, 95}));
}

}  // namespace
}  // namespace zelk
