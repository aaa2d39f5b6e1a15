#include <gtest/gtest.h>

#include <algorithm>

#include "stub_app.h"

namespace zelk {
namespace {

using testing::StubApp;

std::vector<int> ids(const std::vector<ToolbarEntry>& bar) {
  std::vector<int> out;
  for (const auto& e : bar) out.push_back(e.separator ? 0 : e.id);
  return out;
}

const std::vector<int> kProjectEntries{0, 40151, 40091, 40095, 40097, 40069};

TEST(Toolbar, PrintOnlyUntilTheFirstProjectEvent) {
  StubApp t;
  std::vector<int> startup = kProjectEntries;
  startup.push_back(40005);
  EXPECT_EQ(ids(t.app->toolbar()), startup);
  EXPECT_EQ(t.app->toolbar()[1].image, 20);
  t.app->dispatch(40091);
  const std::vector<int> after = ids(t.app->toolbar());
  EXPECT_EQ(std::count(after.begin(), after.end(), 40005), 0);
  t.port.queue_message("Yes");
  t.app->dispatch(40069);  // the stub table has no Close: nothing happens
  t.app->request_close_window(t.s().desktop.find(1, Slot::Project)->id);
  EXPECT_EQ(t.s().projects.current(), 0);
  EXPECT_EQ(ids(t.app->toolbar()), kProjectEntries);
}

TEST(Toolbar, AnalysisButtonsFollowTheProjectKind) {
  StubApp t;
  t.app->dispatch(40091);
  const auto uni = t.app->toolbar();
  const std::vector<int> uni_ids = ids(uni);
  ASSERT_EQ(uni.size(), 6u + 26u);
  EXPECT_EQ(std::vector<int>(uni_ids.begin(), uni_ids.begin() + 6), kProjectEntries);
  EXPECT_EQ(uni[7].id, 40098);
  EXPECT_EQ(uni[7].image, 0);
  EXPECT_EQ(uni[10].id, 40051);
  EXPECT_EQ(uni[10].image, 16);
  EXPECT_EQ(uni.back().id, 40006);
  EXPECT_EQ(uni.back().image, 29);
  t.app->dispatch(40095);
  const auto mv = t.app->toolbar();
  const std::vector<int> mv_ids = ids(mv);
  ASSERT_EQ(mv.size(), 6u + 24u);
  EXPECT_EQ(std::vector<int>(mv_ids.begin(), mv_ids.begin() + 6), kProjectEntries);
  EXPECT_EQ(mv[8].id, 40166);
  EXPECT_EQ(mv[8].image, 1);
  EXPECT_EQ(mv[15].id, 40183);
  EXPECT_EQ(mv[15].image, 7);
  EXPECT_EQ(mv.back().id, 40006);
}

TEST(Toolbar, TooltipsKeepTheirExactTexts) {
  EXPECT_EQ(tooltip(40047), "Plot sample ACF/PACF ");
  EXPECT_EQ(tooltip(40041), "Duplicate window.");
  EXPECT_EQ(tooltip(40151), "Project Editor");
  EXPECT_EQ(tooltip(40189), "Plot ACF of residuals");
  EXPECT_EQ(tooltip(40044), "");
}

TEST(Status, StartsWithNoneThenShowsTheCurrentProject) {
  StubApp t;
  EXPECT_EQ(t.app->status().parts[0], "NONE");
  t.app->dispatch(40016);  // About changes no project
  EXPECT_EQ(t.app->status().parts[0], "NONE");
  t.port.clear_shown();
  t.app->dispatch(40091);
  UnivariateRecord& r = *t.s().projects.current_univariate();
  EXPECT_EQ(t.app->status().parts[0], "New Univariate Project");
  EXPECT_EQ(t.app->status().parts[1], "None");
  EXPECT_EQ(t.app->status().parts[2], " ");
  EXPECT_EQ(t.port.status().parts[0], "New Univariate Project");

  r.name = std::string(200, 'x');
  r.iterations = 7;
  r.transforms.emplace_back();
  r.transform_summary = "Differenced at lag 1";
  t.app->dispatch(40016);
  EXPECT_EQ(t.app->status().parts[0].size(), 127u);
  EXPECT_EQ(t.app->status().parts[1], "Differenced at lag 1");
  EXPECT_EQ(t.app->status().parts[2], "Iteration  7");
}

TEST(Status, MultivariateAndNoProject) {
  StubApp t;
  t.app->dispatch(40095);
  EXPECT_EQ(t.app->status().parts[1], "No data");
  t.app->dispatch(40098);
  EXPECT_EQ(t.app->status().parts[1], "# of active series = 1");
  EXPECT_EQ(t.app->status().parts[2], "Length of series = 3");
  t.port.queue_message("Yes");
  t.app->request_close_window(t.s().desktop.find(1, Slot::Project)->id);
  EXPECT_EQ(t.app->status().parts[0], "No project open");
}

}  // namespace
}  // namespace zelk
