// The project editor's window over the core editor: its tree follows the
// projects, an edited label renames, a drop moves data, OK closes.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "files/project_ops.h"
#include "gui/frame.h"
#include "gui/project_editor_view.h"
#include "port/commands.h"
#include "port/scripted_port.h"
#include "qt_app.h"

namespace zelk {
namespace {

class EditorView : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    frame = std::make_unique<MainFrame>();
    frame->port().set_answers(&answers);
    frame->show();
  }
  void new_project(std::vector<double> values) {
    answers.queue_dialog({"Create New Project ", {{"univariate", "on"}}, "OK"});
    frame->dispatch(cmd::New);
    Session& s = frame->app().session();
    const int e = s.projects.current();
    install_series(s, e, *s.projects.univariate(e), std::move(values));
  }
  QTreeWidgetItem* item(int project, int series = -1) {
    QTreeWidgetItem* p = frame->project_editor()->tree()->topLevelItem(0)->child(project - 1);
    return series < 0 ? p : p->child(series - 1);
  }
  ScriptedPort answers;
  std::unique_ptr<MainFrame> frame;
};

TEST_F(EditorView, TreeFollowsTheProjectsAndItsActionsReachThem) {
  new_project({1, 2, 3});
  new_project({4, 5});
  frame->dispatch(cmd::ProjectEditor);
  ProjectEditorView* view = frame->project_editor();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_FALSE(view->isModal());
  EXPECT_EQ(view->tree()->topLevelItem(0)->text(0), "ZELK Projects");
  ASSERT_EQ(view->tree()->topLevelItem(0)->childCount(), 2);

  // An edited label (what Enter commits) renames the project's windows.
  item(1)->setText(0, "Sales");
  EXPECT_EQ(frame->app().session().desktop.find(1, windows::Project)->caption, "Sales");

  // A drop of project 1's series on project 2, answered Yes.
  answers.queue_message("Yes");
  Q_EMIT static_cast<EditorTree*>(view->tree())->series_dropped({1, 1}, {2, 0});
  EXPECT_EQ(frame->app().session().projects.univariate(2)->x, (std::vector<double>{1, 2, 3}));
  QCoreApplication::processEvents();
  EXPECT_EQ(item(1)->text(0), "Sales");

  // A command that closes a project rebuilds the tree.
  frame->dispatch(cmd::Close);
  QCoreApplication::processEvents();
  EXPECT_EQ(view->tree()->topLevelItem(0)->childCount(), 1);

  view->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_FALSE(view->isVisible());
  EXPECT_FALSE(frame->app().session().tree_editor->is_open());
}

}  // namespace
}  // namespace zelk
