#include <gtest/gtest.h>

#include <stdexcept>

#include "port/commands.h"
#include "arma/windows.h"
#include "univariate/windows.h"
#include "stub_app.h"

namespace zelk {
namespace {

using testing::OperationStubs;
using testing::StubApp;

TEST(Dispatch, UnivariateCommandsNeedAUnivariateProject) {
  StubApp t;
  t.app->dispatch(cmd::SampleAcf);
  EXPECT_EQ(t.runs, 0);
  t.app->dispatch(cmd::Open);  // multivariate
  t.app->dispatch(cmd::SampleAcf);
  EXPECT_EQ(t.runs, 0);
  t.app->dispatch(cmd::New);
  t.app->dispatch(cmd::SampleAcf);
  EXPECT_EQ(t.runs, 1);
  t.app->dispatch(99999);  // unknown ids do nothing
  EXPECT_TRUE(t.port.shown().empty());
}

TEST(Dispatch, RepeatedSampleStepsTheAcfPanes) {
  OperationStubs table;
  table.real = {cmd::SampleAcf, cmd::ModelAcf, cmd::SampleModelAcf};
  StubApp t(std::move(table));
  t.app->dispatch(cmd::New);
  UnivariateRecord& r = *t.s().projects.current_univariate();
  EXPECT_EQ(r.acf_mode, 24);
  t.app->dispatch(cmd::SampleAcf);  // opens the window: no stepping yet
  EXPECT_EQ(r.acf_mode, 25);
  t.app->dispatch(cmd::SampleAcf);
  EXPECT_EQ(r.acf_mode, 9);
  t.app->dispatch(cmd::SampleAcf);
  EXPECT_EQ(r.acf_mode, 17);
  t.app->dispatch(cmd::SampleAcf);
  EXPECT_EQ(r.acf_mode, 25);
  // Another kind keeps the panes and only changes the kind.
  t.app->dispatch(cmd::SampleAcf);
  t.app->dispatch(cmd::SampleModelAcf);
  EXPECT_EQ(r.acf_mode, 11);
  t.app->dispatch(cmd::SampleModelAcf);
  EXPECT_EQ(r.acf_mode, 19);
  t.app->dispatch(cmd::ModelAcf);  // the window shows sample and model: not the model kind
  EXPECT_EQ(r.acf_mode, 18);
  t.app->dispatch(cmd::ModelAcf);
  EXPECT_EQ(r.acf_mode, 26);
}

TEST(Dispatch, ResidualAcfOpensItsWindowThenStepsItsPanes) {
  OperationStubs table;
  table.real = {cmd::ResidualAcf};
  StubApp t(std::move(table));
  t.app->dispatch(cmd::New);
  UnivariateRecord& r = *t.s().projects.current_univariate();
  t.app->dispatch(cmd::ResidualAcf);  // no residuals: nothing happens
  EXPECT_EQ(t.s().desktop.find(1, windows::ResidualAcf), nullptr);
  r.set_data({1, 3, 2, 5, 4, 6});  // the white-noise model's residuals are the series
  t.app->dispatch(cmd::ResidualAcf);  // opens the window with both panes
  EXPECT_EQ(r.residual_acf_mode, 24);
  ASSERT_NE(t.s().desktop.find(1, windows::ResidualAcf), nullptr);
  t.app->dispatch(cmd::ResidualAcf);
  t.app->dispatch(cmd::ResidualAcf);
  EXPECT_EQ(r.residual_acf_mode, 16);
}

TEST(Dispatch, CrossAcfIsNotImplementedWithOrWithoutAProject) {
  StubApp t;
  t.app->dispatch(cmd::CrossAcf);
  t.app->dispatch(cmd::Open);
  t.app->dispatch(cmd::CrossAcf);
  ASSERT_EQ(t.port.shown().size(), 2u);
  EXPECT_EQ(t.port.shown()[0], "MESSAGE [ZELK::ERROR] Procedure not yet implemented -> OK");
}

TEST(Dispatch, AboutBox) {
  StubApp t;
  t.app->dispatch(cmd::About);
  ASSERT_EQ(t.port.shown().size(), 1u);
  EXPECT_EQ(t.port.shown()[0].rfind("MESSAGE [ZELK 2000] ", 0), 0u);
  // The version of the build's project(), as CMake gives it to the tests.
  EXPECT_NE(t.port.shown()[0].find("\nVersion " ZELK_PROJECT_VERSION "\n"), std::string::npos) << t.port.shown()[0];
}

TEST(Dispatch, InfoGoesToTheGraphWithTheFocusOnly) {
  OperationStubs table;
  int written = 0;
  table.slots[windows::Project].write_info = [&](Session& s, int e, UnivariateRecord&) {
    ++written;
    Window* g = s.desktop.find(e, windows::Project);
    s.desktop.by_id(g->info)->text->write_line("# of Data Points = ");
  };
  StubApp t(std::move(table));
  t.app->dispatch(cmd::Info);  // no window: nothing
  t.app->dispatch(cmd::New);
  const int graph = t.s().desktop.find(1, windows::Project)->id;
  t.app->dispatch(cmd::Info);
  Window* info = t.s().desktop.find_info(1, windows::Project);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->caption, "INFO: New Univariate Project");
  EXPECT_EQ(t.s().desktop.active(), info);
  EXPECT_EQ(written, 1);
  // With the INFO window active the command has no graph target.
  t.app->dispatch(cmd::Info);
  EXPECT_EQ(t.s().desktop.windows().size(), 2u);
  // Back on the graph: the existing INFO window is focused, not rewritten.
  t.app->window_focused(graph);
  t.app->dispatch(cmd::Info);
  EXPECT_EQ(t.s().desktop.active()->id, info->id);
  EXPECT_EQ(written, 1);
}

TEST(Dispatch, DuplicateAndCopyActOnTheTargetWindow) {
  StubApp t;
  t.app->dispatch(cmd::New);
  t.app->dispatch(cmd::ImportFile);
  std::vector<double> x{1, 2, 3}, y{4, 5, 6};
  t.s().desktop.find(1, windows::Project)->graph->add_curve_pane(1, x, y);
  t.app->dispatch(cmd::Copy);
  ASSERT_TRUE(t.port.clipboard_picture().has_value());
  EXPECT_FALSE(t.port.clipboard_picture()->items.empty());
  t.app->dispatch(cmd::Duplicate);
  Window* dup = t.s().desktop.active();
  EXPECT_EQ(dup->kind, WindowKind::DupGraph);
  EXPECT_EQ(dup->caption, "(DUPLICATE) New Univariate Project");
}

TEST(Dispatch, ZoomOutRestoresTheFullRangeOnce) {
  StubApp t;
  t.app->dispatch(cmd::New);
  Window* w = t.s().desktop.find(1, windows::Project);
  std::vector<double> x{1, 2, 3, 4}, y{4, 5, 6, 7};
  w->graph->add_curve_pane(1, x, y);
  w->graph->set_x_range(2, 3);
  t.app->dispatch(cmd::ZoomOut);
  EXPECT_EQ(w->graph->xmin(), 1);
  EXPECT_EQ(w->graph->xmax(), 4);
  EXPECT_EQ(t.s().zoom_mode, 0);
  t.app->dispatch(cmd::ZoomRegion);
  EXPECT_EQ(t.s().zoom_mode, 1);
  t.app->zoom_band(w->id, 10, 10, 10, 10, 400, 300);  // a click: nothing, mode ends
  EXPECT_EQ(t.s().zoom_mode, 0);
  EXPECT_EQ(w->graph->xmin(), 1);
}

TEST(Dispatch, ClosingTheProjectWindowAsksOtherGraphsJustClose) {
  StubApp t;
  t.app->dispatch(cmd::New);
  t.app->dispatch(cmd::SampleAcf);
  const int acf = t.s().desktop.find(1, windows::Acf)->id;
  EXPECT_TRUE(t.app->request_close_window(acf));
  EXPECT_TRUE(t.port.shown().empty());
  const int project = t.s().desktop.find(1, windows::Project)->id;
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
  t.app->dispatch(cmd::New);
  t.app->dispatch(cmd::Info);  // INFO window of project 1
  const int info = t.s().desktop.active()->id;
  t.app->dispatch(cmd::Open);  // a multivariate project 2 becomes current
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
  OperationStubs table;
  table.univariate[cmd::Difference] = [](Session&, int, UnivariateRecord& r) {
    r.x.assign(2, 0.0);
    throw std::runtime_error("Lag too large");
  };
  StubApp t(std::move(table));
  t.app->dispatch(cmd::New);
  t.app->dispatch(cmd::ImportFile);
  t.app->dispatch(cmd::Difference);
  EXPECT_EQ(t.s().projects.current_univariate()->x, (std::vector<double>{1, 2, 3, 4}));
  ASSERT_EQ(t.port.shown().size(), 1u);
  EXPECT_EQ(t.port.shown()[0], "MESSAGE [ZELK Error] Lag too large -> OK");
}

}  // namespace
}  // namespace zelk
