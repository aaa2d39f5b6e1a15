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
  EXPECT_FALSE(m.enabled(40098));
  EXPECT_TRUE(m.enabled(40091));
  EXPECT_FALSE(m.reachable({1, 0}));  // Box - Cox under a greyed Transform
}

TEST(MenuState, UnivariateWithoutData) {
  StubApp t;
  t.app->dispatch(40091);
  const MenuState m = t.app->menu_state();
  EXPECT_FALSE(m.enabled(40005));
  EXPECT_TRUE(m.enabled(40098));
  EXPECT_TRUE(m.enabled(40152));
  EXPECT_FALSE(m.enabled(40006));
  EXPECT_FALSE(m.top_enabled(1));
  EXPECT_TRUE(m.top_enabled(2));
  for (int id : {40045, 40087, 40090}) EXPECT_TRUE(m.enabled(id)) << id;
  for (int id : {40078, 40079, 40049}) EXPECT_FALSE(m.enabled(id)) << id;
  for (int i = 3; i <= 6; ++i) EXPECT_FALSE(m.top_enabled(i)) << i;
  for (int i = 7; i <= 9; ++i) EXPECT_TRUE(m.top_enabled(i)) << i;
  for (int p : {1, 2, 3, 7, 8}) EXPECT_FALSE(m.enabled_at({7, p})) << p;
  EXPECT_TRUE(m.enabled_at({7, 4}));
  EXPECT_TRUE(m.reachable({7, 4, 0}));  // model spectrum, Default
  EXPECT_TRUE(m.enabled_at({7, 0}));    // the periodogram checks for data itself
}

TEST(MenuState, UnivariateWithDataEnablesTheAnalysisMenus) {
  OperationTable table;
  int hook_calls = 0;
  table.transform_menu = [&](const UnivariateRecord&, MenuState& m) {
    ++hook_calls;
    m.set_enabled(40115, false);
    m.set_text(40055, "Undo Differencing(1)");
  };
  StubApp t(std::move(table));
  t.app->dispatch(40091);
  EXPECT_EQ(hook_calls, 0);  // only a series has transformation rules
  t.app->dispatch(40098);
  const MenuState m = t.app->menu_state();
  EXPECT_GE(hook_calls, 1);
  for (int id : {40005, 40098, 40152, 40006, 40045, 40078, 40079, 40087, 40090, 40049})
    EXPECT_TRUE(m.enabled(id)) << id;
  for (int i = 0; i <= 10; ++i) EXPECT_TRUE(m.top_enabled(i)) << i;
  for (int p : {1, 2, 3, 4, 7, 8}) EXPECT_TRUE(m.enabled_at({7, p})) << p;
  EXPECT_FALSE(m.enabled(40115));
  EXPECT_EQ(m.text_at({1, 6}), "Undo Differencing(1)");
  EXPECT_EQ(m.text_at({1, 0}), "&Box - Cox");
}

TEST(MenuState, MultivariateWithAndWithoutData) {
  StubApp t;
  t.app->dispatch(40095);
  MenuState m = t.app->menu_state();
  EXPECT_EQ(m.kind, MenuKind::Multivariate);
  EXPECT_TRUE(m.top_enabled(0));
  EXPECT_FALSE(m.enabled(40005));
  EXPECT_TRUE(m.enabled(40098));
  EXPECT_FALSE(m.enabled(40006));
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(m.top_enabled(i)) << i;
  EXPECT_TRUE(m.top_enabled(6));
  t.app->dispatch(40098);
  m = t.app->menu_state();
  for (int i = 0; i <= 6; ++i) EXPECT_TRUE(m.top_enabled(i)) << i;
  for (int id : {40005, 40098, 40006}) EXPECT_TRUE(m.enabled(id)) << id;
}

TEST(MenuState, FrameMenuFollowsTheKindOfTheCurrentProject) {
  StubApp t;
  t.app->dispatch(40095);  // multivariate, entry 1
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Multivariate);
  t.app->dispatch(40091);  // univariate, entry 2
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Univariate);
  // Focus on the multivariate project's window switches back.
  t.app->window_focused(t.s().desktop.find(1, Slot::Project)->id);
  EXPECT_EQ(t.s().projects.current(), 1);
  EXPECT_EQ(t.app->menu_kind(), MenuKind::Multivariate);
  EXPECT_EQ(&t.app->menu(), &menu_bar(MenuKind::Multivariate));
}

}  // namespace
}  // namespace zelk
