#include <gtest/gtest.h>

#include <algorithm>

#include "port/commands.h"
#include "stub_app.h"

namespace zelk {
namespace {

using testing::StubApp;

std::vector<int> ids(const std::vector<ToolbarEntry>& bar) {
  std::vector<int> out;
  for (const auto& e : bar) out.push_back(e.separator ? 0 : e.id);
  return out;
}

const std::vector<int> kProjectEntries{0, cmd::ProjectEditor, cmd::New, cmd::Open, cmd::SaveAs, cmd::Close};

TEST(Toolbar, PrintOnlyUntilTheFirstProjectEvent) {
  StubApp t;
  std::vector<int> startup = kProjectEntries;
  startup.push_back(cmd::Print);
  EXPECT_EQ(ids(t.app->toolbar()), startup);
  EXPECT_EQ(t.app->toolbar()[1].image, 20);
  t.app->dispatch(cmd::New);
  const std::vector<int> after = ids(t.app->toolbar());
  EXPECT_EQ(std::count(after.begin(), after.end(), cmd::Print), 0);
  t.port.queue_message("Yes");
  t.app->dispatch(cmd::Close);  // the stub table has no Close: nothing happens
  t.app->request_close_window(t.s().desktop.find(1, windows::Project)->id);
  EXPECT_EQ(t.s().projects.current(), 0);
  EXPECT_EQ(ids(t.app->toolbar()), kProjectEntries);
}

TEST(Toolbar, AnalysisButtonsFollowTheProjectKind) {
  StubApp t;
  t.app->dispatch(cmd::New);
  const auto uni = t.app->toolbar();
  const std::vector<int> uni_ids = ids(uni);
  ASSERT_EQ(uni.size(), 6u + 26u);
  EXPECT_EQ(std::vector<int>(uni_ids.begin(), uni_ids.begin() + 6), kProjectEntries);
  EXPECT_EQ(uni[7].id, cmd::ImportFile);
  EXPECT_EQ(uni[7].image, 0);
  EXPECT_EQ(uni[10].id, cmd::Periodogram);
  EXPECT_EQ(uni[10].image, 16);
  EXPECT_EQ(uni.back().id, cmd::Export);
  EXPECT_EQ(uni.back().image, 29);
  t.app->dispatch(cmd::Open);
  const auto mv = t.app->toolbar();
  const std::vector<int> mv_ids = ids(mv);
  ASSERT_EQ(mv.size(), 6u + 24u);
  EXPECT_EQ(std::vector<int>(mv_ids.begin(), mv_ids.begin() + 6), kProjectEntries);
  EXPECT_EQ(mv[8].id, cmd::Ccf);
  EXPECT_EQ(mv[8].image, 1);
  EXPECT_EQ(mv[15].id, cmd::VarResidualCcf);
  EXPECT_EQ(mv[15].image, 7);
  EXPECT_EQ(mv.back().id, cmd::Export);
}

TEST(Toolbar, TooltipsKeepTheirExactTexts) {
  EXPECT_EQ(tooltip(cmd::SampleAcf), "Plot sample ACF/PACF ");
  EXPECT_EQ(tooltip(cmd::Duplicate), "Duplicate window.");
  EXPECT_EQ(tooltip(cmd::ProjectEditor), "Project Editor");
  EXPECT_EQ(tooltip(cmd::TransferResidualAcf), "Plot ACF of residuals");
  EXPECT_EQ(tooltip(cmd::Difference), "");
}

TEST(Status, StartsWithNoneThenShowsTheCurrentProject) {
  StubApp t;
  EXPECT_EQ(t.app->status().parts[0], "NONE");
  t.app->dispatch(cmd::About);  // About changes no project
  EXPECT_EQ(t.app->status().parts[0], "NONE");
  t.port.clear_shown();
  t.app->dispatch(cmd::New);
  UnivariateRecord& r = *t.s().projects.current_univariate();
  EXPECT_EQ(t.app->status().parts[0], "New Univariate Project");
  EXPECT_EQ(t.app->status().parts[1], "None");
  EXPECT_EQ(t.app->status().parts[2], " ");
  EXPECT_EQ(t.port.status().parts[0], "New Univariate Project");

  r.name = std::string(200, 'x');
  r.iterations = 7;
  r.transforms.emplace_back();
  r.transform_summary = "Differenced at lag 1";
  t.app->dispatch(cmd::About);
  EXPECT_EQ(t.app->status().parts[0].size(), 127u);
  EXPECT_EQ(t.app->status().parts[1], "Differenced at lag 1");
  EXPECT_EQ(t.app->status().parts[2], "Iteration  7");
}

TEST(Status, MultivariateAndNoProject) {
  StubApp t;
  t.app->dispatch(cmd::Open);
  EXPECT_EQ(t.app->status().parts[1], "No data");
  t.app->dispatch(cmd::ImportFile);
  EXPECT_EQ(t.app->status().parts[1], "# of active series = 1");
  EXPECT_EQ(t.app->status().parts[2], "Length of series = 3");
  t.port.queue_message("Yes");
  t.app->request_close_window(t.s().desktop.find(1, windows::Project)->id);
  EXPECT_EQ(t.app->status().parts[0], "No project open");
}

}  // namespace
}  // namespace zelk
