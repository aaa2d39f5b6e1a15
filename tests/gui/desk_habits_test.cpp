// Shortcuts, the recent-files list, the remembered number setting and
// cancelling long work, on the real frame.
#include <QAction>
#include <QDir>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <gtest/gtest.h>

#include <map>

#include "gui/frame.h"
#include "port/commands.h"
#include "port/scripted_port.h"
#include "project/project_file.h"
#include "qt_app.h"

namespace zelk {
namespace {

class DeskHabits : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    QSettings().clear();
    frame = std::make_unique<MainFrame>();
    frame->port().set_answers(&answers);
    frame->resize(1000, 700);
    frame->show();
  }
  void TearDown() override { frame.reset(); }

  QAction* command_action(int id) const {
    for (QAction* top : frame->menuBar()->actions())
      for (QAction* a : top->menu()->findChildren<QAction*>())
        if (a->data().toInt() == id) return a;
    return nullptr;
  }
  QMenu* recent_menu() const { return frame->menuBar()->actions().front()->menu()->findChild<QMenu*>("RecentFiles"); }
  QStringList recent_texts() const {
    QMenu* m = recent_menu();
    Q_EMIT m->aboutToShow();
    QStringList texts;
    for (QAction* a : m->actions()) texts << a->text();
    return texts;
  }
  void open_lake_huron() {
    answers.queue_dialog({"Create New Project ", {}, "OK"});
    answers.queue_file(std::string(ZELK_TEST_DATA) + "/lake_huron.dat");
    frame->dispatch(cmd::Open);
  }

  ScriptedPort answers;
  std::unique_ptr<MainFrame> frame;
};

TEST_F(DeskHabits, TheUsualShortcutsAreOnTheirCommandsAndNoKeyIsTakenTwice) {
  // The platform's key where it has one, else the one most programs use.
  const std::map<int, std::pair<QKeySequence::StandardKey, const char*>> expected{
      {cmd::New, {QKeySequence::New, "Ctrl+N"}},       {cmd::Open, {QKeySequence::Open, "Ctrl+O"}},
      {cmd::Save, {QKeySequence::Save, "Ctrl+S"}},     {cmd::SaveAs, {QKeySequence::SaveAs, "Ctrl+Shift+S"}},
      {cmd::Print, {QKeySequence::Print, "Ctrl+P"}},   {cmd::Copy, {QKeySequence::Copy, "Ctrl+C"}},
      {cmd::Close, {QKeySequence::Close, "Ctrl+W"}},   {cmd::Exit, {QKeySequence::Quit, "Ctrl+Q"}},
      {cmd::HelpContents, {QKeySequence::HelpContents, "F1"}}};
  for (const auto& [id, key] : expected) {
    QAction* a = command_action(id);
    ASSERT_TRUE(a) << id;
    const QKeySequence platform(key.first);
    EXPECT_EQ(a->shortcut(), platform.isEmpty() ? QKeySequence(QString::fromLatin1(key.second)) : platform) << id;
  }
  QStringList seen;
  for (QAction* top : frame->menuBar()->actions())
    for (QAction* a : top->menu()->findChildren<QAction*>()) {
      if (a->shortcut().isEmpty()) continue;
      EXPECT_FALSE(seen.contains(a->shortcut().toString())) << a->shortcut().toString().toStdString();
      seen << a->shortcut().toString();
    }
}

TEST_F(DeskHabits, RecentFilesAreRememberedReopenedAndForgottenWhenGone) {
  EXPECT_EQ(recent_texts(), QStringList{"(none)"});
  open_lake_huron();
  EXPECT_EQ(recent_texts(), QStringList{"&1 lake_huron.dat"});

  // Reopening asks nothing: a second project with the same data.
  frame->open_recent(RecentFiles().load().front());
  Session& s = frame->app().session();
  ASSERT_NE(s.projects.univariate(2), nullptr);
  EXPECT_EQ(s.projects.univariate(2)->x, s.projects.univariate(1)->x);
  EXPECT_TRUE(answers.shown().empty());

  // A file that has gone is dropped with a word to the user.
  const QString gone = QDir::tempPath() + "/zelk_recent_gone.dat";
  QFile::copy(QString(ZELK_TEST_DATA) + "/lake_huron.dat", gone);
  RecentFiles().add(gone, FileUse::UnivariateProject);
  EXPECT_EQ(recent_texts().size(), 2);
  QFile::remove(gone);
  frame->open_recent(RecentFiles().load().front());
  ASSERT_EQ(answers.shown().size(), 1u);
  EXPECT_NE(answers.shown()[0].find("no longer exists"), std::string::npos);
  EXPECT_EQ(recent_texts(), QStringList{"&1 lake_huron.dat"});

  // The list keeps the newest eight.
  for (int i = 0; i < 10; ++i) RecentFiles().add(QStringLiteral("/data/f%1.dat").arg(i), FileUse::UnivariateProject);
  const QStringList texts = recent_texts();
  ASSERT_EQ(texts.size(), RecentFiles::kMax);
  EXPECT_EQ(texts.front(), "&1 f9.dat");
}

TEST_F(DeskHabits, FullPrecisionIsACheckItemRememberedForTheNextStart) {
  QAction* item = command_action(cmd::FullPrecision);
  ASSERT_TRUE(item);
  EXPECT_FALSE(item->isChecked());
  frame->dispatch(cmd::FullPrecision);
  EXPECT_TRUE(item->isChecked());
  frame.reset();
  frame = std::make_unique<MainFrame>();
  EXPECT_EQ(frame->app().session().numbers, NumberStyle::Full);
  EXPECT_TRUE(command_action(cmd::FullPrecision)->isChecked());
}

// Esc while the fit runs: the project is as it was before the command.
TEST_F(DeskHabits, EscapeCancelsALongFitAndTheProjectStaysAsItWas) {
  open_lake_huron();
  answers.queue_dialog({"Specify Model", {{"ar_order", "2"}, {"phi", "1.0538,-0.2668"}}});
  frame->dispatch(cmd::SpecifyModel);
  Session& s = frame->app().session();
  const std::string before = project_file_text(*s.projects.univariate(1), s.colours);

  answers.queue_dialog({"Subtract Mean?", {}, "Yes"});
  answers.queue_dialog({"Maximum Likelihood Estimation", {}});
  QApplication::postEvent(frame.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  frame->dispatch(cmd::MaxLikelihood);
  EXPECT_EQ(project_file_text(*s.projects.univariate(1), s.colours), before);
  EXPECT_FALSE(frame->work_guard()->active());
  EXPECT_TRUE(frame->work_guard()->cancel_button()->isHidden());

  // Without Esc the same fit runs to its end.
  answers.queue_dialog({"Subtract Mean?", {}, "Yes"});
  answers.queue_dialog({"Maximum Likelihood Estimation", {}});
  frame->dispatch(cmd::MaxLikelihood);
  EXPECT_NE(project_file_text(*s.projects.univariate(1), s.colours), before);
}

}  // namespace
}  // namespace zelk
