#include "univariate/windows.h"
#include "shell/plot_limits_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "port/scripted_port.h"
#include "port/session.h"

namespace zelk {
namespace {

class CountingPort : public ScriptedPort {
 public:
  void window_changed(const Window&) override { ++changes; }
  int changes = 0;
};

struct PlotLimits : ::testing::Test {
  PlotLimits() : s(port), w(s.desktop.graph(1, windows::Acf, "Lake")) {
    const std::vector<double> x{1, 2, 3}, y{0, 4, 2}, y2{-1, 1, 0};
    w.graph->add_curve_pane(1, x, y);
    w.graph->add_bar_pane(2, x, y2);
    port.clear_shown();
  }
  void answer(std::vector<std::pair<std::string, std::string>> settings, std::string press = "OK") {
    port.queue_dialog({"Set plot limits", std::move(settings), std::move(press)});
  }
  CountingPort port;
  Session s;
  Window& w;
};

TEST_F(PlotLimits, EqualAndSwappedValuesAreRepaired) {
  answer({{"xmin", "5"}, {"xmax", "5"}, {"ymin", "10"}, {"ymax", "2"}});
  set_plot_limits_command(s, w);
  EXPECT_EQ(w.graph->xmin(), 5);
  EXPECT_EQ(w.graph->xmax(), 6);
  EXPECT_EQ(w.graph->pane(1).ymin, 2);
  EXPECT_EQ(w.graph->pane(1).ymax, 10);
  EXPECT_EQ(w.graph->pane(2).ymin, -1);  // the other pane is untouched
  EXPECT_EQ(port.changes, 1);
  EXPECT_TRUE(port.unused().empty());
}

TEST_F(PlotLimits, NextPlotMovesTheYFieldsToTheNextPane) {
  answer({}, "Next Plot");
  answer({{"xmax", "2"}, {"ymin", "-0.5"}, {"ymax", "0.5"}});
  set_plot_limits_command(s, w);
  EXPECT_TRUE(port.errors().empty());
  EXPECT_EQ(w.graph->xmin(), 0.5);  // untouched: the full range, half a bar left of the first
  EXPECT_EQ(w.graph->xmax(), 2);
  EXPECT_EQ(w.graph->pane(2).ymin, -0.5);
  EXPECT_EQ(w.graph->pane(2).ymax, 0.5);
  EXPECT_EQ(w.graph->pane(1).ymax, 4);
}

TEST_F(PlotLimits, UnreadableFieldKeepsTheDialogOpenWithFocusThere) {
  answer({{"ymax", "abc"}});
  answer({{"ymax", "7"}});
  set_plot_limits_command(s, w);
  ASSERT_EQ(port.shown().size(), 1u);
  EXPECT_EQ(port.shown()[0], "MESSAGE [ZELK::Brax Error] Error reading dialog-item -> OK");
  EXPECT_EQ(w.graph->pane(1).ymax, 7);

  PlotLimitsDialog d(w.graph, s.colours);
  d.control("xmin").text = "one";
  EXPECT_FALSE(d.accept(port));
  EXPECT_EQ(d.focus(), "xmin");
}

TEST_F(PlotLimits, CancelAndUntouchedFieldsChangeNothing) {
  w.graph->set_x_range(1.123456789012, 2.987654321098);
  answer({{"xmin", "0"}}, "Cancel");
  set_plot_limits_command(s, w);
  EXPECT_EQ(w.graph->xmin(), 1.123456789012);
  EXPECT_EQ(port.changes, 0);
  // OK without edits must not round the ranges to the shown digits.
  answer({});
  set_plot_limits_command(s, w);
  EXPECT_EQ(w.graph->xmin(), 1.123456789012);
  EXPECT_EQ(w.graph->xmax(), 2.987654321098);
}

TEST_F(PlotLimits, EmptyGraphsAndDuplicatesOpenNothing) {
  Window& empty = s.desktop.graph(1, windows::Histogram, "Lake");
  answer({{"xmin", "0"}});
  set_plot_limits_command(s, empty);
  w.kind = WindowKind::DupGraph;
  set_plot_limits_command(s, w);
  EXPECT_TRUE(port.shown().empty());
  EXPECT_EQ(port.unused().size(), 1u);  // the answer was never asked for
}

TEST(PresentPanes, NextWrapsFromTwentyFiveBackToOne) {
  GraphDocument g;
  EXPECT_EQ(first_present_pane(g), 0);
  EXPECT_EQ(next_present_pane(g, 1), 0);
  const std::vector<double> x{1}, y{1};
  g.add_curve_pane(3, x, y);
  g.add_curve_pane(25, x, y);
  EXPECT_EQ(first_present_pane(g), 3);
  EXPECT_EQ(next_present_pane(g, 3), 25);
  EXPECT_EQ(next_present_pane(g, 25), 3);
  g.clear_pane(25);
  EXPECT_EQ(next_present_pane(g, 3), 3);  // a lone pane selects itself
}

TEST(PresentPanes, DialogOpensOnTheFirstPaneAndPreviewsIt) {
  auto g = std::make_shared<GraphDocument>();
  const std::vector<double> x{0, 10}, y{-2, 3};
  g->add_curve_pane(2, x, y);
  g->add_curve_pane(4, x, y);
  PlotLimitsDialog d(g, ColourTable::defaults());
  EXPECT_EQ(d.pane(), 2);
  EXPECT_EQ(d.control("xmax").text, "10");
  EXPECT_EQ(d.control("ymin").text, "-2");
  ScriptedPort port;
  d.button_pressed("next", port);
  EXPECT_EQ(d.pane(), 4);
  d.button_pressed("next", port);
  EXPECT_EQ(d.pane(), 2);
  const auto picture = d.picture("preview", 400, 300);
  ASSERT_TRUE(picture.has_value());
  EXPECT_FALSE(picture->items.empty());
}

}  // namespace
}  // namespace zelk
