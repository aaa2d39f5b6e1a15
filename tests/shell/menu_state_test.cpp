#include "port/commands.h"
#include "shell/menu_state.h"

#include <gtest/gtest.h>

#include "stub_app.h"

namespace zelk {
namespace {

using testing::StubApp;

TEST(MenuState, NoProjectGreysImportAndTransformToWindow) {
  StubApp t;
  const MenuState m = t.app->menu_state();
  EXPECT_EQ(m.kind, MenuKind::Univariate);
  EXPECT_TRUE(m.top_enabled(0));
  for (int i = 1; i <= 9; ++i) EXPECT_FALSE(m.top_enabled(i)) << i;
  EXPECT_TRUE(m.top_enabled(10));
  EXPECT_FALSE(m.enabled(cmd::ImportFile));
  EXPECT_TRUE(m.enabled(cmd::New));
  EXPECT_FALSE(m.reachable({1, 0}));  // Box - Cox under a greyed Transform
}

TEST(MenuState, UnivariateWithoutData) {
  StubApp t;
  t.app->dispatch(cmd::New);
  const MenuState m = t.app->menu_state();
  EXPECT_FALSE(m.enabled(cmd::Print));
  EXPECT_TRUE(m.enabled(cmd::ImportFile));
  EXPECT_TRUE(m.enabled(cmd::ImportClipboard));
  EXPECT_FALSE(m.enabled(cmd::Export));
  EXPECT_FALSE(m.top_enabled(1));
  EXPECT_TRUE(m.top_enabled(2));
  for (int id : {cmd::SpecifyModel, cmd::Simulate, cmd::ArMaInfinity}) EXPECT_TRUE(m.enabled(id)) << id;
  for (int id : {cmd::Preliminary, cmd::MaxLikelihood, cmd::SampleModelAcf}) EXPECT_FALSE(m.enabled(id)) << id;
  for (int i = 3; i <= 6; ++i) EXPECT_FALSE(m.top_enabled(i)) << i;
  for (int i = 7; i <= 9; ++i) EXPECT_TRUE(m.top_enabled(i)) << i;
  for (int p : {1, 2, 3, 8}) EXPECT_FALSE(m.enabled_at({7, p})) << p;  // 7 is a separator
  EXPECT_TRUE(m.enabled_at({7, 4}));
  EXPECT_TRUE(m.reachable({7, 4, 0}));  // model spectrum, Default
  EXPECT_TRUE(m.enabled_at({7, 0}));    // the periodogram checks for data itself
}

TEST(MenuState, UnivariateWithDataEnablesTheAnalysisMenus) {
  StubApp t;
  t.app->dispatch(cmd::New);
  t.app->dispatch(cmd::ImportFile);
  MenuState m = t.app->menu_state();
  for (int id : {cmd::Print, cmd::ImportFile, cmd::ImportClipboard, cmd::Export, cmd::SpecifyModel, cmd::Preliminary,
                 cmd::MaxLikelihood, cmd::Simulate, cmd::ArMaInfinity, cmd::SampleModelAcf})
    EXPECT_TRUE(m.enabled(id)) << id;
  for (int i = 0; i <= 10; ++i) EXPECT_TRUE(m.top_enabled(i)) << i;
  for (int p : {1, 2, 3, 4, 7, 8}) EXPECT_TRUE(m.enabled_at({7, p})) << p;
  // A fresh series: nothing to undo, no classical fit to show.
  EXPECT_FALSE(m.enabled(cmd::ShowClassicalFit));
  EXPECT_FALSE(m.enabled(cmd::Undo));
  EXPECT_EQ(m.text_at({1, 0}), "&Box - Cox");

  // After a differencing the Undo item names it, and a Box-Cox may no
  // longer follow.
  UnivariateRecord& r = *t.s().projects.current_univariate();
  Transformation d;
  d.kind = TransformKind::Difference;
  d.lag = 1;
  r.transforms.push_back(d);
  m = t.app->menu_state();
  EXPECT_TRUE(m.enabled(cmd::Undo));
  EXPECT_EQ(m.text_at({1, 6}), "Undo Differencing(1)");
  EXPECT_FALSE(m.enabled(cmd::BoxCox));
  EXPECT_TRUE(m.enabled(cmd::Difference));
}

TEST(MenuState, MultivariateWithAndWithoutData) {
  StubApp t;
  t.app->dispatch(cmd::Open);
  MenuState m = t.app->menu_state();
  EXPECT_EQ(m.kind, MenuKind::Multivariate);
  EXPECT_TRUE(m.top_enabled(0));
  EXPECT_FALSE(m.enabled(cmd::Print));
  EXPECT_TRUE(m.enabled(cmd::ImportFile));
  EXPECT_FALSE(m.enabled(cmd::Export));
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(m.top_enabled(i)) << i;
  EXPECT_TRUE(m.top_enabled(6));
  t.app->dispatch(cmd::ImportFile);
  m = t.app->menu_state();
  for (int i = 0; i <= 6; ++i) EXPECT_TRUE(m.top_enabled(i)) << i;
  for (int id : {cmd::Print, cmd::ImportFile, cmd::Export}) EXPECT_TRUE(m.enabled(id)) << id;
}

TEST(MenuState, FrameMenuFollowsTheKindOfTheCurrentProject) {
  StubApp t;
  t.app->dispatch(cmd::Open);  // multivariate, entry 1
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Multivariate);
  t.app->dispatch(cmd::New);  // univariate, entry 2
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Univariate);
  // Focus on the multivariate project's window switches back.
  t.app->window_focused(t.s().desktop.find(1, windows::Project)->id);
  EXPECT_EQ(t.s().projects.current(), 1);
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Multivariate);
  EXPECT_EQ(&t.app->menu(), &menu_bar(MenuKind::Multivariate));
}

}  // namespace
}  // namespace zelk
