#include <gtest/gtest.h>

#include <stdexcept>

#include "stub_app.h"

namespace zelk {
namespace {

using testing::StubApp;

TEST(Dispatch, UnivariateCommandsNeedAUnivariateProject) {
  StubApp t;
  t.app->dispatch(40047);
  EXPECT_EQ(t.runs, 0);
  t.app->dispatch(40095);  // multivariate
  t.app->dispatch(40047);
  EXPECT_EQ(t.runs, 0);
  t.app->dispatch(40091);
  t.app->dispatch(40047);
  EXPECT_EQ(t.runs, 1);
  t.app->dispatch(99999);  // unknown ids do nothing
  EXPECT_TRUE(t.port.shown().empty());
}

TEST(Dispatch, RepeatedSampleStepsTheAcfPanes) {
  StubApp t;
  t.app->dispatch(40091);
  UnivariateRecord& r = *t.s().projects.current_univariate();
  EXPECT_EQ(r.acf_mode, 24);
  t.app->dispatch(40047);  // opens the window: no stepping yet
  EXPECT_EQ(r.acf_mode, 25);
  t.app->dispatch(40047);
  EXPECT_EQ(r.acf_mode, 9);
  t.app->dispatch(40047);
  EXPECT_EQ(r.acf_mode, 17);
  t.app->dispatch(40047);
  EXPECT_EQ(r.acf_mode, 25);
  // Another kind keeps the panes and only changes the kind.
  t.app->dispatch(40047);
  t.app->dispatch(40049);
  EXPECT_EQ(r.acf_mode, 11);
  t.app->dispatch(40049);
  EXPECT_EQ(r.acf_mode, 19);
  t.app->dispatch(40048);  // the window shows sample and model: not the model kind
  EXPECT_EQ(r.acf_mode, 18);
  t.app->dispatch(40048);
  EXPECT_EQ(r.acf_mode, 26);
  EXPECT_EQ(t.runs, 9);
}

TEST(Dispatch, ResidualAcfStepsPanesOnlyWhileItsWindowIsOpen) {
  OperationTable table;
  int computed = 0;
  table.univariate[40084] = [&](Session& s, int e, UnivariateRecord& r) {
    ++computed;
    s.desktop.graph(e, Slot::ResidualAcf, r.name);
  };
  StubApp t(std::move(table));
  t.app->dispatch(40091);
  UnivariateRecord& r = *t.s().projects.current_univariate();
  t.app->dispatch(40084);
  EXPECT_EQ(computed, 1);
  EXPECT_EQ(r.residual_acf_mode, 24);
  t.app->dispatch(40084);
  t.app->dispatch(40084);
  EXPECT_EQ(computed, 1);
  EXPECT_EQ(r.residual_acf_mode, 16);
}

TEST(Dispatch, CrossAcfIsNotImplementedWithOrWithoutAProject) {
  StubApp t;
  t.app->dispatch(40139);
  t.app->dispatch(40095);
  t.app->dispatch(40139);
  ASSERT_EQ(t.port.shown().size(), 2u);
  EXPECT_EQ(t.port.shown()[0], "MESSAGE [ZELK::ERROR] Procedure not yet implemented -> OK");
}

TEST(Dispatch, AboutBox) {
  StubApp t;
  t.app->dispatch(40016);
  ASSERT_EQ(t.port.shown().size(), 1u);
  EXPECT_EQ(t.port.shown()[0].rfind("MESSAGE [ZELK 2000] ", 0), 0u);
}

TEST(Dispatch, InfoGoesToTheGraphWithTheFocusOnly) {
  OperationTable table;
  int written = 0;
  table.slots[Slot::Project].write_info = [&](Session& s, int e, UnivariateRecord&) {
    ++written;
    Window* g = s.desktop.find(e, Slot::Project);
    s.desktop.by_id(g->info)->text->write_line("# of Data Points = ");
  };
  StubApp t(std::move(table));
  t.app->dispatch(40042);  // no window: nothing
  t.app->dispatch(40091);
  const int graph = t.s().desktop.find(1, Slot::Project)->id;
  t.app->dispatch(40042);
  Window* info = t.s().desktop.find_info(1, Slot::Project);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->caption, "INFO: New Univariate Project");
  EXPECT_EQ(t.s().desktop.active(), info);
  EXPECT_EQ(written, 1);
  // With the INFO window active the command has no graph target.
  t.app->dispatch(40042);
  EXPECT_EQ(t.s().desktop.windows().size(), 2u);
  // Back on the graph: the existing INFO window is focused, not rewritten.
  t.app->window_focused(graph);
  t.app->dispatch(40042);
  EXPECT_EQ(t.s().desktop.active()->id, info->id);
  EXPECT_EQ(written, 1);
}

TEST(Dispatch, DuplicateAndCopyActOnTheTargetWindow) {
  StubApp t;
  t.app->dispatch(40091);
  t.app->dispatch(40098);
  std::vector<double> x{1, 2, 3}, y{4, 5, 6};
  t.s().desktop.find(1, Slot::Project)->graph->add_curve_pane(1, x, y);
  t.app->dispatch(40011);
  ASSERT_TRUE(t.port.clipboard_picture().has_value());
  EXPECT_FALSE(t.port.clipboard_picture()->items.empty());
  t.app->dispatch(40041);
  Window* dup = t.s().desktop.active();
  EXPECT_EQ(dup->kind, WindowKind::DupGraph);
  EXPECT_EQ(dup->caption, "(DUPLICATE) New Univariate Project");
}

TEST(Dispatch, ZoomOutRestoresTheFullRangeOnce) {
  StubApp t;
  t.app->dispatch(40091);
  Window* w = t.s().desktop.find(1, Slot::Project);
  std::vector<double> x{1, 2, 3, 4}, y{4, 5, 6, 7};
  w->graph->add_curve_pane(1, x, y);
  w->graph->set_x_range(2, 3);
  t.app->dispatch(40026);
  EXPECT_EQ(w->graph->xmin(), 1);
  EXPECT_EQ(w->graph->xmax(), 4);
  EXPECT_EQ(t.s().zoom_mode, 0);
  t.app->dispatch(40027);
  EXPECT_EQ(t.s().zoom_mode, 1);
  t.app->zoom_band(w->id, 10, 10, 10, 10, 400, 300);  // a click: nothing, mode ends
  EXPECT_EQ(t.s().zoom_mode, 0);
  EXPECT_EQ(w->graph->xmin(), 1);
}

TEST(Dispatch, ClosingTheProjectWindowAsksOtherGraphsJustClose) {
  StubApp t;
  t.app->dispatch(40091);
  t.app->dispatch(40047);
  const int acf = t.s().desktop.find(1, Slot::Acf)->id;
  EXPECT_TRUE(t.app->request_close_window(acf));
  EXPECT_TRUE(t.port.shown().empty());
  const int project = t.s().desktop.find(1, Slot::Project)->id;
  t.port.queue_message("No");
  EXPECT_FALSE(t.app->request_close_window(project));
  ASSERT_EQ(t.port.shown().size(), 1u);
  EXPECT_EQ(t.port.shown()[0], "MESSAGE [ZELK] Close current project ? -> No");
  EXPECT_EQ(t.s().projects.current(), 1);
  t.port.queue_message("Yes");
  EXPECT_TRUE(t.app->request_close_window(project));
  EXPECT_EQ(t.s().projects.current(), 0);
  EXPECT_TRUE(t.s().desktop.windows().empty());
}

TEST(Dispatch, FocusOnAnotherProjectsWindowMakesItCurrent) {
  StubApp t;
  t.app->dispatch(40091);
  t.app->dispatch(40042);  // INFO window of project 1
  const int info = t.s().desktop.active()->id;
  t.app->dispatch(40095);  // a multivariate project 2 becomes current
  EXPECT_EQ(t.s().projects.current(), 2);
  t.app->window_focused(info);
  EXPECT_EQ(t.s().projects.current(), 1);
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Univariate);
  EXPECT_EQ(t.app->status().parts[0], "New Univariate Project");
  // Closing an INFO window activates the next window, here project 2's.
  EXPECT_TRUE(t.app->request_close_window(info));
  EXPECT_EQ(t.s().projects.current(), 2);
}

TEST(Dispatch, AFailingOperationLeavesTheRecordAsItWas) {
  OperationTable table;
  table.univariate[40044] = [](Session&, int, UnivariateRecord& r) {
    r.x.assign(2, 0.0);
    throw std::runtime_error("Lag too large");
  };
  StubApp t(std::move(table));
  t.app->dispatch(40091);
  t.app->dispatch(40098);
  t.app->dispatch(40044);
  EXPECT_EQ(t.s().projects.current_univariate()->x, (std::vector<double>{1, 2, 3, 4}));
  ASSERT_EQ(t.port.shown().size(), 1u);
  EXPECT_EQ(t.port.shown()[0], "MESSAGE [ZELK Error] Lag too large -> OK");
}

}  // namespace
}  // namespace zelk
