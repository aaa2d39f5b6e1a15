#include "port/commands.h"
#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <set>

namespace zelk {
namespace {

void collect(const std::vector<MenuItem>& items, std::set<int>& ids) {
  for (const MenuItem& m : items) {
    if (m.id) ids.insert(m.id);
    collect(m.items, ids);
  }
}

TEST(CommandTable, TextsKeepAcceleratorsAndTrailingBlanks) {
  EXPECT_STREQ(find_command(cmd::Close)->text, "&Close ");
  EXPECT_STREQ(find_command(cmd::Undo)->text, "&Undo ");
  EXPECT_STREQ(find_command(cmd::ExponentialSmooth)->text, "&Exponential ");
  EXPECT_STREQ(find_command(cmd::RegressionRemove)->text, "&Remove ");
  EXPECT_STREQ(find_command(cmd::Minimize)->text, "&Minimize ");
  EXPECT_STREQ(find_command(cmd::PlotLimits)->text, "Manual");
  EXPECT_EQ(find_command(cmd::CrossAcf)->scope, CommandScope::Any);
  EXPECT_EQ(find_command(cmd::MvDifference)->scope, CommandScope::Multivariate);
  EXPECT_EQ(find_command(12345), nullptr);
}

TEST(CommandTable, MenuBarsHaveTheirTopLevelPositions) {
  const auto& uni = menu_bar(MenuKind::Univariate);
  const std::vector<std::string> u{"&File", "&Transform", "&Model", "&Regression", "St&atistics", "F&orecasting",
                                   "&Smooth", "Sp&ectrum", "&Plot", "&Window", "&Help"};
  ASSERT_EQ(uni.size(), u.size());
  for (std::size_t i = 0; i < u.size(); ++i) EXPECT_EQ(uni[i].text, u[i]);
  const auto& mv = menu_bar(MenuKind::Multivariate);
  const std::vector<std::string> m{"&File",        "&Transform", "&AR-Model", "T&ransfer", "&Statistics",
                                   "F&orecasting", "&Plot",      "&Window",   "&Help"};
  ASSERT_EQ(mv.size(), m.size());
  for (std::size_t i = 0; i < m.size(); ++i) EXPECT_EQ(mv[i].text, m[i]);
  EXPECT_EQ(window_menu_position(MenuKind::Univariate), 9);
  EXPECT_EQ(window_menu_position(MenuKind::Multivariate), 7);
  // The import items carry each menu's own text.
  EXPECT_EQ(menu_path(cmd::ImportFile, MenuKind::Univariate), "File/Import File");
  EXPECT_EQ(menu_path(cmd::ImportFile, MenuKind::Multivariate), "File/Import");
  EXPECT_EQ(menu_path(cmd::ImportClipboard, MenuKind::Multivariate), "File/Import Clipboard");
}

TEST(CommandTable, EveryCommandIsReachableFromAMenu) {
  std::set<int> ids;
  collect(menu_bar(MenuKind::Univariate), ids);
  collect(menu_bar(MenuKind::Multivariate), ids);
  collect(right_menus(), ids);
  for (const CommandSpec& c : standard_registry().commands())
    EXPECT_TRUE(ids.count(c.id)) << c.id;
  for (int id : ids) EXPECT_NE(find_command(id), nullptr) << id;
}

TEST(CommandTable, SpectrumPositionsThatTheRulesAddress) {
  const auto& spectrum = menu_bar(MenuKind::Univariate)[7].items;
  ASSERT_EQ(spectrum.size(), 9u);
  EXPECT_EQ(spectrum[0].id, cmd::Periodogram);
  EXPECT_TRUE(spectrum[4].is_submenu());  // the model spectrum needs no data
  EXPECT_EQ(spectrum[4].items[0].id, cmd::ModelSpectrum);
  EXPECT_EQ(spectrum[4].items[1].id, cmd::SpectrumResolution);
  EXPECT_EQ(spectrum[8].text, "&Cumulative Spectrum");
}

TEST(CommandTable, RightMenusHoldTheTreePopupsAndThePlotPopup) {
  ASSERT_NE(right_menu("Tree ZELK Right-Click"), nullptr);
  ASSERT_NE(right_menu("Tree Project Right-Click"), nullptr);
  ASSERT_NE(right_menu("Tree Series Right-Click"), nullptr);
  const MenuItem* plot = right_menu("&Plot");
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(item_at(plot->items, {0})->text, "&Zoom");
}

TEST(CommandTable, FindsCommandsByTextInTheMenuOnTheFrame) {
  EXPECT_EQ(find_commands_by_text("Difference", MenuKind::Univariate), std::vector<int>{cmd::Difference});
  EXPECT_EQ(find_commands_by_text("difference", MenuKind::Multivariate), std::vector<int>{cmd::MvDifference});
  EXPECT_EQ(find_commands_by_text("Box - Cox", MenuKind::Univariate), std::vector<int>{cmd::BoxCox});
  EXPECT_EQ(find_commands_by_text("Close", MenuKind::Univariate), std::vector<int>{cmd::Close});
  // Not on the frame's menu: the other menu is searched.
  EXPECT_EQ(find_commands_by_text("Burg", MenuKind::Univariate), std::vector<int>{cmd::VarBurg});
  EXPECT_EQ(find_commands_by_text("Default", MenuKind::Univariate), (std::vector<int>{cmd::Histogram, cmd::ResidualHistogram, cmd::ModelSpectrum}));
  EXPECT_EQ(find_commands_by_text("Histogram/Default", MenuKind::Univariate), (std::vector<int>{cmd::Histogram, cmd::ResidualHistogram}));
  EXPECT_EQ(find_commands_by_text("Statistics/Histogram/Default", MenuKind::Univariate), std::vector<int>{cmd::Histogram});
  EXPECT_EQ(find_commands_by_text("Residual Analysis/Histogram/Default", MenuKind::Univariate),
            std::vector<int>{cmd::ResidualHistogram});
  EXPECT_EQ(find_commands_by_text("ACF/PACF/Model", MenuKind::Univariate), std::vector<int>{cmd::ModelAcf});
  EXPECT_EQ(find_commands_by_text("Prediction", MenuKind::Multivariate), (std::vector<int>{cmd::VarPrediction, cmd::TransferPrediction}));
  EXPECT_TRUE(find_commands_by_text("Nonsense", MenuKind::Univariate).empty());
}

}  // namespace
}  // namespace zelk
