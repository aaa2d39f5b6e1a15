#include "plot/document.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

TEST(GraphDocument, AddingAPaneUndoesAnyZoom) {
  GraphDocument g;
  std::vector<double> x{1, 2, 3, 4}, y{5, -1, 2, 0};
  g.add_curve_pane(1, x, y);
  g.set_x_range(2, 3);
  g.pane(1).ymin = 0;
  g.add_curve_pane(2, x, x);
  EXPECT_EQ(g.xmin(), 1);
  EXPECT_EQ(g.xmax(), 4);
  EXPECT_EQ(g.pane(1).ymin, -1);
  EXPECT_EQ(g.pane(1).ymax, 5);
  EXPECT_EQ(g.present_count(), 2);
}

TEST(GraphDocument, BarsStandOnZeroAndKeepTheirEdgeBarsWhole) {
  GraphDocument g;
  std::vector<double> lags{0, 1, 2, 3, 4}, r{1, 0.8, 0.6, 0.4, 0.2};
  g.add_bar_pane(1, lags, r);
  EXPECT_EQ(g.pane(1).ymin, 0);  // all positive, yet zero is shown
  EXPECT_EQ(g.xmin(), -0.5);      // half a lag on each side
  EXPECT_EQ(g.xmax(), 4.5);
}

TEST(GraphDocument, FlatAndEmptyPanesStillHaveARange) {
  GraphDocument g;
  EXPECT_TRUE(g.empty());
  std::vector<double> x{7}, y{3};
  g.add_curve_pane(1, x, y);
  EXPECT_LT(g.xmin(), g.xmax());
  EXPECT_LT(g.pane(1).ymin, g.pane(1).ymax);
}

TEST(TextDocument, WriteLineAndNumbers) {
  TextDocument t;
  t.write_line("a");
  t.write_line("b\r\nc");
  EXPECT_EQ(t.lines().size(), 3u);
  t.write_line("");  // an empty text clears
  EXPECT_TRUE(t.lines().empty());
  std::vector<double> v{1.5, -2, 1000, 0.25, 3};
  t.write_numbers(v, 2, 2);
  ASSERT_EQ(t.lines().size(), 3u);  // the incomplete last line ends too
  EXPECT_EQ(t.lines()[0], "          1.50         -2.00");
  EXPECT_EQ(t.lines()[1], "      0.10E+04          0.25");
  EXPECT_EQ(t.lines()[2], "          3.00");
}

}  // namespace
}  // namespace zelk
