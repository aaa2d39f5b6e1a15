#include "port/commands.h"
#include "gui/frame.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "gui/graph_view.h"
#include "gui/info_view.h"
#include "qt_app.h"
#include "port/scripted_port.h"

namespace zelk {
namespace {

// Keeps what would have gone to the printer.
class AnswerPort : public ScriptedPort {
 public:
  bool print_picture(const DisplayList& picture) override {
    printed = picture;
    return true;
  }
  std::optional<DisplayList> printed;
};

// The frame with every question answered from a script instead of a person.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qt_app();
    frame = std::make_unique<MainFrame>();
    frame->port().set_answers(&answers);
    frame->resize(1000, 700);
    frame->show();
  }
  void TearDown() override { frame.reset(); }

  QStringList top_texts() const {
    QStringList texts;
    for (QAction* a : frame->menuBar()->actions()) texts << a->text();
    return texts;
  }
  std::vector<bool> top_enabled() const {
    std::vector<bool> on;
    for (QAction* a : frame->menuBar()->actions()) on.push_back(a->isEnabled());
    return on;
  }
  QAction* item(const QString& top, const QString& text) const {
    for (QAction* t : frame->menuBar()->actions())
      if (t->text() == top && t->menu())
        for (QAction* a : t->menu()->actions())
          if (a->text() == text) return a;
    return nullptr;
  }
  bool toolbar_has(int id) const {
    for (QAction* a : frame->tool_bar()->actions())
      if (a->data().toInt() == id) return true;
    return false;
  }
  void new_project(bool multivariate = false) {
    answers.queue_dialog({"Create New Project ", {{multivariate ? "multivariate" : "univariate", "on"}}, "OK"});
    frame->dispatch(cmd::New);
  }
  void import(const std::string& file) {
    answers.queue_file(std::string(ZELK_TEST_DATA) + "/" + file);
    frame->dispatch(cmd::ImportFile);
  }
  const Window* window_named(const std::string& caption) const {
    for (const auto& w : frame->app().session().desktop.windows())
      if (w->caption == caption) return w.get();
    return nullptr;
  }

  AnswerPort answers;
  std::unique_ptr<MainFrame> frame;
};

const QStringList kUnivariateMenu{"&File",   "&Transform", "&Model",    "&Regression", "St&atistics", "F&orecasting",
                                  "&Smooth", "Sp&ectrum",  "&Plot",     "&Window",     "&Help"};
const QStringList kMultivariateMenu{"&File",        "&Transform", "&AR-Model", "T&ransfer", "&Statistics",
                                    "F&orecasting", "&Plot",      "&Window",   "&Help"};

TEST_F(FrameTest, StartsWithItsTitleTheUnivariateMenuGreyedAndStatusNone) {
  EXPECT_EQ(frame->windowTitle(), "ZELK 2000");
  EXPECT_EQ(top_texts(), kUnivariateMenu);
  const std::vector<bool> on = top_enabled();
  ASSERT_EQ(on.size(), 11u);
  EXPECT_TRUE(on[0]);
  for (int i = 1; i <= 9; ++i) EXPECT_FALSE(on[static_cast<std::size_t>(i)]) << "menu " << i;
  EXPECT_TRUE(on[10]);
  ASSERT_TRUE(item("&File", "&Import File"));
  EXPECT_FALSE(item("&File", "&Import File")->isEnabled());
  EXPECT_EQ(frame->status_part(0)->text(), "NONE");
  EXPECT_TRUE(toolbar_has(cmd::Print));  // Print, until the first project event
  EXPECT_TRUE(toolbar_has(cmd::ProjectEditor));
}

TEST_F(FrameTest, StatusBarPartsEndAtThirdsOfTheWidth) {
  frame->resize(900, 600);
  QApplication::processEvents();
  EXPECT_EQ(frame->status_part(0)->width(), 300);
  EXPECT_EQ(frame->status_part(1)->width(), 300);
  EXPECT_GT(frame->status_part(2)->width(), 200);
}

TEST_F(FrameTest, ANewProjectEnablesItsMenusAndSwapsTheToolBar) {
  new_project();
  const std::vector<bool> on = top_enabled();
  // Without data: Transform greyed, Model enabled, Regression..Smooth greyed, Spectrum, Plot, Window on.
  EXPECT_EQ(on, (std::vector<bool>{true, false, true, false, false, false, false, true, true, true, true}));
  EXPECT_TRUE(item("&File", "&Import File")->isEnabled());
  EXPECT_FALSE(toolbar_has(cmd::Print));
  EXPECT_TRUE(toolbar_has(cmd::SampleAcf));
  EXPECT_EQ(frame->client()->subWindowList().size(), 1);

  import("lake_huron.dat");
  EXPECT_TRUE(top_enabled()[1]);  // Transform, now that there are data
  const Window* plot = window_named("lake_huron.dat");
  ASSERT_TRUE(plot);
  EXPECT_EQ(frame->child(plot->id)->windowTitle(), "lake_huron.dat");
  EXPECT_EQ(frame->status_part(0)->text(), "lake_huron.dat");
}

TEST_F(FrameTest, AMultivariateProjectPutsItsOwnMenuOnTheFrameAndFocusSwitchesBack) {
  new_project();
  const int uni_window = frame->app().session().desktop.active()->id;
  new_project(true);
  EXPECT_EQ(top_texts(), kMultivariateMenu);
  EXPECT_TRUE(toolbar_has(cmd::VarYuleWalker));
  EXPECT_FALSE(toolbar_has(cmd::SampleAcf));
  // Clicking into the univariate project's window makes it current again.
  frame->client()->setActiveSubWindow(frame->child(uni_window));
  EXPECT_EQ(frame->app().session().projects.current(), 1);
  EXPECT_EQ(top_texts(), kUnivariateMenu);
  EXPECT_TRUE(toolbar_has(cmd::SampleAcf));
}

TEST_F(FrameTest, GraphWindowsPaintTheirCurve) {
  new_project();
  import("lake_huron.dat");
  const Window* plot = window_named("lake_huron.dat");
  ASSERT_TRUE(plot);
  GraphView* view = frame->graph_view(plot->id);
  ASSERT_TRUE(view);
  const QImage img = view->grab().toImage();
  ASSERT_FALSE(img.isNull());
  // Pane 1's default colour (0, 160, 128), smoothed at the edges, and the frame's ink.
  int curve = 0, dark = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.green() > 100 && c.green() > c.red() + 60 && c.green() > c.blue()) ++curve;
      if (c.lightness() < 80) ++dark;
    }
  EXPECT_GT(curve, img.width() / 2);
  EXPECT_GT(dark, 100);
}

TEST_F(FrameTest, InfoWindowsShowTheReportReadOnlyInAFixedFont) {
  new_project();
  import("lake_huron.dat");
  frame->dispatch(cmd::Info);
  const Window* info = window_named("INFO: lake_huron.dat");
  ASSERT_TRUE(info);
  InfoView* view = frame->info_view(info->id);
  ASSERT_TRUE(view);
  EXPECT_TRUE(view->isReadOnly());
  EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());
  EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(view->toPlainText().contains("# of Data Points =       98"));
}

TEST_F(FrameTest, RegionZoomArmsTheCrossCursorAndActsOnce) {
  new_project();
  import("lake_huron.dat");
  const Window* plot = window_named("lake_huron.dat");
  GraphView* view = frame->graph_view(plot->id);
  const double before = plot->graph->xmax() - plot->graph->xmin();
  frame->dispatch(cmd::ZoomRegion);
  EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
  const QPointF a(view->width() * 0.3, view->height() * 0.3), b(view->width() * 0.6, view->height() * 0.7);
  QMouseEvent press(QEvent::MouseButtonPress, a, view->mapToGlobal(a), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent move(QEvent::MouseMove, b, view->mapToGlobal(b), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, b, view->mapToGlobal(b), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view, &press);
  QApplication::sendEvent(view, &move);
  QApplication::sendEvent(view, &release);
  const double after = plot->graph->xmax() - plot->graph->xmin();
  EXPECT_LT(after, before * 0.5);
  EXPECT_EQ(frame->app().session().zoom_mode, 0);
  EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameTest, DuplicatesCopyTheSourceUnderTheirOwnCaption) {
  new_project();
  import("lake_huron.dat");
  frame->dispatch(cmd::Duplicate);
  const Window* dup = window_named("(DUPLICATE) lake_huron.dat");
  ASSERT_TRUE(dup);
  ASSERT_TRUE(frame->child(dup->id));
  EXPECT_EQ(frame->child(dup->id)->windowTitle(), "(DUPLICATE) lake_huron.dat");
  EXPECT_TRUE(frame->graph_view(dup->id));
}

TEST_F(FrameTest, PrintedGraphsHaveTheSizeTheWindowShows) {
  new_project();
  import("lake_huron.dat");
  const Window* w = window_named("lake_huron.dat");
  ASSERT_TRUE(w);
  frame->child(w->id)->resize(433, 287);
  QApplication::processEvents();
  const GraphView* view = frame->graph_view(w->id);
  ASSERT_TRUE(view);
  ASSERT_NE(view->width(), 800);
  frame->dispatch(cmd::Print);
  ASSERT_TRUE(answers.printed);
  EXPECT_EQ(answers.printed->width, view->width());
  EXPECT_EQ(answers.printed->height, view->height());
}

TEST_F(FrameTest, SystemMenusOfferTheCommandsOfEachWindowKind) {
  new_project();
  import("lake_huron.dat");
  frame->dispatch(cmd::Info);
  auto texts = [&](const std::string& caption) {
    QStringList t;
    if (const Window* w = window_named(caption))
      for (QAction* a : frame->child(w->id)->systemMenu()->actions()) t << a->text();
    return t;
  };
  const QStringList graph = texts("lake_huron.dat");
  EXPECT_EQ(graph.mid(0, 4), (QStringList{"Duplicate", "Info", "Print", "Copy"}));
  EXPECT_EQ(texts("INFO: lake_huron.dat").mid(0, 2), (QStringList{"Print", "Duplicate"}));
  EXPECT_FALSE(texts("INFO: lake_huron.dat").contains("Copy"));
}

TEST_F(FrameTest, ClosingTheProjectWindowAsksFirst) {
  new_project();
  const int id = frame->app().session().desktop.active()->id;
  answers.queue_message("No");
  frame->child(id)->close();
  QApplication::processEvents();
  EXPECT_TRUE(frame->child(id));
  ASSERT_FALSE(answers.shown().empty());
  EXPECT_NE(answers.shown().back().find("Close current project ?"), std::string::npos);

  answers.queue_message("Yes");
  frame->child(id)->close();
  QApplication::processEvents();
  EXPECT_FALSE(frame->child(id));
  EXPECT_EQ(frame->app().session().projects.current(), 0);
  EXPECT_FALSE(top_enabled()[1]);
}

TEST_F(FrameTest, TheWindowMenuListsTheChildWindows) {
  new_project();
  import("lake_huron.dat");
  frame->dispatch(cmd::Info);
  QMenu* window_menu = frame->menuBar()->actions().at(9)->menu();
  ASSERT_TRUE(window_menu);
  Q_EMIT window_menu->aboutToShow();
  QStringList texts;
  for (QAction* a : window_menu->actions()) texts << a->text();
  EXPECT_TRUE(texts.contains("&Tile"));
  EXPECT_TRUE(texts.contains("&Cascade"));
  EXPECT_TRUE(texts.contains("&1 lake_huron.dat"));
  EXPECT_TRUE(texts.contains("&2 INFO: lake_huron.dat"));
}

TEST_F(FrameTest, TileStacksFullWidthStripsAndCascadeKeepsWindowsLarge) {
  new_project();
  import("lake_huron.dat");
  frame->dispatch(cmd::Info);
  frame->dispatch(cmd::Tile);
  const QSize area = frame->client()->viewport()->size();
  std::vector<QRect> strips;
  for (QMdiSubWindow* sub : frame->client()->subWindowList()) strips.push_back(sub->geometry());
  ASSERT_EQ(strips.size(), 2u);
  std::sort(strips.begin(), strips.end(), [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
  EXPECT_EQ(strips[0], QRect(0, 0, area.width(), area.height() / 2));
  EXPECT_EQ(strips[1].top(), area.height() / 2);
  EXPECT_EQ(strips[1].bottom(), area.height() - 1);

  frame->dispatch(cmd::Cascade);
  for (QMdiSubWindow* sub : frame->client()->subWindowList()) {
    EXPECT_EQ(sub->width(), std::max(360, area.width() * 2 / 3));
    EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(sub->geometry()));
  }
}

TEST_F(FrameTest, HelpOpensTheProgramsOwnPages) {
  frame->dispatch(cmd::HelpContents);
  ASSERT_TRUE(frame->help_viewer());
  EXPECT_TRUE(frame->help_viewer()->browser()->toPlainText().contains("Getting started"));
  frame->dispatch(cmd::HelpOnHelp);
  EXPECT_TRUE(frame->help_viewer()->browser()->toPlainText().contains("Back"));
}

TEST_F(FrameTest, ADroppedTableIsImportedIntoANewProject) {
  // No project yet: the drop asks for one, then reads the CSV through Import
  // Table without showing the file chooser.
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(std::string(ZELK_TEST_DATA) + "/uk_lung_deaths.csv"))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  answers.queue_dialog({"Create New Project ", {{"univariate", "on"}}, "OK"});
  answers.queue_dialog({"Import Table", {{"columns", "3"}}, "OK"});
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &drop);
  QApplication::processEvents();
  const UnivariateRecord* rec = frame->app().session().projects.univariate(1);
  ASSERT_TRUE(rec);
  EXPECT_EQ(rec->x.size(), 72u);
  EXPECT_EQ(rec->series_name, "female");
  EXPECT_TRUE(answers.unused().empty());
  EXPECT_TRUE(answers.shown().empty());
}

}  // namespace
}  // namespace zelk
