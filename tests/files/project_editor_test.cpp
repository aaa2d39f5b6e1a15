// The project commands Rename, Minimize and Restore, and the project editor:
// its tree, label edits, the four data transfers and the Active toggle.
#include <filesystem>
#include <string>
#include <vector>

#include "files/multivariate_file_ops.h"
#include "files/project_editor.h"
#include "support/desk.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

class Editor : public test::Desk {
 protected:
  // Project `entry` (made in order 1, 2, 3) with values, univariate.
  UnivariateRecord& univariate(std::vector<double> values, const std::string& series = "Series") {
    dialog("Create New Project ", {{"univariate", "on"}});
    app.dispatch(cmd::New);
    const int e = s.projects.current();
    UnivariateRecord& r = *s.projects.univariate(e);
    install_series(s, e, r, std::move(values));
    r.series_name = series;
    return r;
  }
  // A multivariate project: `m` components of `n` values, component j
  // holding 10*(j+1) + t at time t (1-based).
  MultivariateRecord& multivariate(int m, int n) {
    dialog("Create New Project ", {{"multivariate", "on"}});
    app.dispatch(cmd::New);
    const int e = s.projects.current();
    MultivariateRecord& r = *s.projects.multivariate(e);
    if (m > 0) {
      std::vector<double> data;
      for (int j = 0; j < m; ++j)
        for (int t = 1; t <= n; ++t) data.push_back(10.0 * (j + 1) + t);
      install_components(s, e, r, m, n, std::move(data));
    }
    return r;
  }
  ProjectEditor& editor() {
    app.dispatch(cmd::ProjectEditor);
    return static_cast<ProjectEditor&>(*s.tree_editor);
  }
  std::vector<std::string> lines() { return tree_lines(s.tree_editor->tree()); }
};

TEST_F(Editor, RenameRecaptionsEveryWindowOfTheProjectAndCancelKeepsTheName) {
  univariate({3, 1, 4, 1, 5, 9, 2, 6});
  app.dispatch(cmd::Histogram);
  dialog("Name Brax Project", {{"name", "Sales"}});
  app.dispatch(cmd::Rename);
  EXPECT_EQ(s.desktop.find(1, windows::Histogram)->caption, "HISTOGRAM: Sales");
  EXPECT_EQ(s.desktop.find(1, windows::Project)->caption, "Sales");
  dialog("Name Brax Project", {{"name", "Other"}}, "Cancel");
  app.dispatch(cmd::Rename);
  EXPECT_EQ(s.desktop.find(1, windows::Histogram)->caption, "HISTOGRAM: Sales");
  EXPECT_EQ(s.projects.univariate(1)->name, "Sales");

  // The tree's project label does the same as the command.
  ASSERT_TRUE(editor().rename({1, 0}, "Sales 2026"));
  EXPECT_EQ(s.desktop.find(1, windows::Histogram)->caption, "HISTOGRAM: Sales 2026");
  EXPECT_EQ(s.projects.univariate(1)->name, "Sales 2026");
}

TEST_F(Editor, MinimizeAndRestoreActOnEveryWindowOfTheCurrentProjectOnly) {
  univariate({1, 2, 3, 4});
  app.dispatch(cmd::Histogram);
  univariate({5, 6, 7});
  app.window_focused(s.desktop.find(1, windows::Project)->id);
  ASSERT_EQ(s.projects.current(), 1);
  app.dispatch(cmd::Minimize);
  for (const auto& w : s.desktop.windows()) EXPECT_EQ(w->minimized, w->project == 1) << w->caption;
  app.dispatch(cmd::Restore);
  for (const auto& w : s.desktop.windows()) EXPECT_FALSE(w->minimized) << w->caption;
}

TEST_F(Editor, TreeListsProjectsInEntryOrderWithTheirSeries) {
  univariate({1, 2, 3}, "Sales");
  multivariate(2, 3).active[1] = false;
  dialog("Create New Project ", {{"univariate", "on"}});
  app.dispatch(cmd::New);  // no data: no series node
  editor();
  EXPECT_EQ(lines(), (std::vector<std::string>{"[0] ZELK Projects", "  [1] New Univariate Project (univariate)",
                                               "    [1.1] Sales", "  [2] New Multivariate Project (multivariate)",
                                               "    [2.1] Series 1", "    [2.2] Series 2 (inactive)",
                                               "  [3] New Univariate Project (univariate)"}));
  // Root and absent nodes take no label and no drop.
  EXPECT_FALSE(s.tree_editor->rename({0, 0}, "Mine"));
  EXPECT_FALSE(s.tree_editor->rename({3, 1}, "Mine"));
  EXPECT_FALSE(s.tree_editor->accepts_drop({1, 1}, {1, 0}));  // onto its own project
  EXPECT_FALSE(s.tree_editor->accepts_drop({1, 0}, {3, 0}));  // a project is not dragged
}

TEST_F(Editor, SeriesLabelsBecomeSeriesNamesCutTo100Characters) {
  univariate({1, 2, 3});
  multivariate(2, 3);
  ProjectEditor& ed = editor();
  ASSERT_TRUE(ed.rename({1, 1}, "Monthly sales"));
  EXPECT_EQ(s.projects.univariate(1)->series_name, "Monthly sales");
  EXPECT_EQ(s.desktop.find(1, windows::Project)->graph->pane(1).title, "Monthly sales");
  ASSERT_TRUE(ed.rename({2, 2}, std::string(150, 'x')));
  EXPECT_EQ(s.projects.multivariate(2)->names[1], std::string(100, 'x'));
  EXPECT_EQ(s.projects.multivariate(2)->names[0], "Series 1");
  EXPECT_FALSE(ed.rename({1, 1}, ""));  // an emptied label is not taken
  EXPECT_EQ(s.projects.univariate(1)->series_name, "Monthly sales");
}

TEST_F(Editor, DraggingASeriesOntoAUnivariateProjectCopiesValuesAndNameAndKeepsTheSource) {
  univariate({1.5, 2.5, 3.5}, "Sales");
  univariate({9, 8}, "Old");
  ProjectEditor& ed = editor();
  port.queue_message("No");
  EXPECT_FALSE(ed.move({1, 1}, {2, 0}));
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK Project Editor] Confirm data transfer -> No");
  EXPECT_EQ(s.projects.univariate(2)->x, (std::vector<double>{9, 8}));
  EXPECT_EQ(s.projects.univariate(2)->series_name, "Old");

  port.queue_message("Yes");
  ASSERT_TRUE(ed.move({1, 1}, {2, 0}));
  EXPECT_EQ(s.projects.univariate(2)->x, (std::vector<double>{1.5, 2.5, 3.5}));
  EXPECT_EQ(s.projects.univariate(2)->series_name, "Sales");
  EXPECT_EQ(s.projects.univariate(1)->x, (std::vector<double>{1.5, 2.5, 3.5}));
  EXPECT_EQ(s.projects.univariate(1)->series_name, "Sales");
  EXPECT_EQ(lines()[4], "    [2.1] Sales");
}

TEST_F(Editor, SeriesJoinMultivariateProjectsAsNewComponentsAndComponentsBecomeUnivariateData) {
  univariate({7, 8, 9}, "Sales");      // 1
  multivariate(2, 3).active[0] = false;  // 2: components 11 12 13 and 21 22 23
  multivariate(0, 0);                  // 3: empty
  ProjectEditor& ed = editor();

  // A univariate series onto a multivariate project: a third component.
  ASSERT_TRUE(ed.move({1, 1}, {2, 0}));
  const MultivariateRecord& two = *s.projects.multivariate(2);
  ASSERT_EQ(two.m, 3);
  EXPECT_EQ(two.data, (std::vector<double>{11, 12, 13, 21, 22, 23, 7, 8, 9}));
  EXPECT_EQ(two.names, (std::vector<std::string>{"Series 1", "Series 2", "Sales"}));
  EXPECT_EQ(two.active, (std::vector<bool>{false, true, true}));

  // A component onto a univariate project: its data and name.
  ASSERT_TRUE(ed.move({2, 2}, {1, 0}));
  EXPECT_EQ(s.projects.univariate(1)->x, (std::vector<double>{21, 22, 23}));
  EXPECT_EQ(s.projects.univariate(1)->series_name, "Series 2");

  // A component onto an empty multivariate project: its first component.
  ASSERT_TRUE(ed.move({2, 3}, {3, 0}));
  const MultivariateRecord& three = *s.projects.multivariate(3);
  EXPECT_EQ(three.m, 1);
  EXPECT_EQ(three.n, 3);
  EXPECT_EQ(three.data, (std::vector<double>{7, 8, 9}));
  EXPECT_EQ(three.names, (std::vector<std::string>{"Sales"}));
  EXPECT_EQ(three.first, 1);
  EXPECT_EQ(three.last, 3);
  EXPECT_EQ(s.projects.multivariate(2)->m, 3);  // the source keeps its component
}

TEST_F(Editor, TransfersAMultivariateProjectCannotTakeAreRefusedBeforeTheQuestion) {
  univariate({1, 2, 3, 4}, "Long");  // 1
  multivariate(2, 3);               // 2
  ProjectEditor& ed = editor();
  EXPECT_FALSE(ed.move({1, 1}, {2, 0}));
  EXPECT_EQ(port.shown().back(),
            "MESSAGE [ZELK Project Editor] The series has 4 values; the components of New Multivariate Project have "
            "3. -> OK");
  s.projects.multivariate(2)->transforms.push_back({});
  port.queue_dialog({"Create New Project ", {{"univariate", "on"}}, "OK", "test"});
  app.dispatch(cmd::New);
  install_series(s, 3, *s.projects.univariate(3), {1, 2, 3});
  EXPECT_FALSE(ed.move({3, 1}, {2, 0}));
  EXPECT_EQ(port.shown().back(),
            "MESSAGE [ZELK Project Editor] Undo the transformations of New Multivariate Project before adding a "
            "series to it. -> OK");
  EXPECT_EQ(s.projects.multivariate(2)->m, 2);
}

TEST_F(Editor, ActiveTogglesAComponentAndTheStatusBarCountsIt) {
  multivariate(3, 4);
  ProjectEditor& ed = editor();
  ed.popup_command({1, 2}, cmd::TreeActive);
  app.refresh_after_editor();
  EXPECT_EQ(s.projects.multivariate(1)->active, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(app.status().parts[1], "# of active series = 2");
  ed.popup_command({1, 2}, cmd::TreeActive);
  EXPECT_EQ(s.projects.multivariate(1)->active, (std::vector<bool>{true, true, true}));
  ed.popup_command({1, 0}, cmd::TreeActive);  // not a series: nothing
  EXPECT_EQ(s.projects.multivariate(1)->active_count(), 3);
  for (int k = 1; k <= 3; ++k) ed.popup_command({1, k}, cmd::TreeActive);
  app.refresh_after_editor();
  EXPECT_EQ(app.status().parts[1], "# of active series = 0");
  EXPECT_NE(s.desktop.find(1, windows::Project), nullptr);
}

TEST_F(Editor, OkAndCancelCloseTheEditorAndWhatWasDoneStays) {
  univariate({1, 2}, "Sales");
  ProjectEditor& ed = editor();
  EXPECT_TRUE(ed.is_open());
  ed.rename({1, 0}, "Kept");
  ed.close();  // Cancel
  EXPECT_FALSE(ed.is_open());
  EXPECT_EQ(s.desktop.find(1, windows::Project)->caption, "Kept");
}

TEST_F(Editor, NamesWithBlanksSurviveSaveAndOpen) {
  const fs::path dir = fs::temp_directory_path() / "zelk_editor_names";
  fs::create_directories(dir);
  univariate({1.25, 2.5, -3});
  multivariate(2, 3);
  ProjectEditor& ed = editor();
  ed.rename({1, 1}, "Monthly sales, Leeds");
  ed.rename({2, 1}, "Rain fall (mm)");
  const std::string uni = (dir / "named.zlk").string(), multi = (dir / "named_mv.zlk").string();
  app.window_focused(s.desktop.find(1, windows::Project)->id);
  port.queue_file(uni);
  app.dispatch(cmd::SaveAs);
  app.window_focused(s.desktop.find(2, windows::Project)->id);
  port.queue_file(multi);
  app.dispatch(cmd::SaveAs);

  dialog("Create New Project ", {{"univariate", "on"}});
  port.queue_file(uni);
  app.dispatch(cmd::Open);
  EXPECT_EQ(s.projects.univariate(3)->series_name, "Monthly sales, Leeds");
  EXPECT_EQ(s.projects.univariate(3)->x, (std::vector<double>{1.25, 2.5, -3}));
  app.dispatch(cmd::Close);
  dialog("Create New Project ", {{"multivariate", "on"}});
  port.queue_file(multi);
  app.dispatch(cmd::Open);
  EXPECT_EQ(s.projects.multivariate(3)->names[0], "Rain fall (mm)");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zelk
