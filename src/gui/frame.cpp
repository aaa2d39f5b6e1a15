#include "port/commands.h"
#include "gui/frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "gui/graph_view.h"
#include "gui/help_viewer.h"
#include "gui/images.h"
#include "gui/info_view.h"

// The help pages live in this static library; the linker keeps them only
// when something refers to them.
static void load_help_pages() { Q_INIT_RESOURCE(help); }

namespace zelk {

namespace {
const char* const kWindowId = "zelkWindowId";

int id_of(const QMdiSubWindow* sub) { return sub ? sub->property(kWindowId).toInt() : 0; }
}  // namespace

MainFrame::MainFrame() : port_(this), app_(std::make_unique<App>(port_)) {
  port_.set_mirror(this);
  load_help_pages();
  setObjectName(QStringLiteral("ZelkFrame"));
  setWindowTitle(QStringLiteral("ZELK 2000"));
  setWindowIcon(application_icon(2));
  app_->session().numbers = load_full_precision() ? NumberStyle::Full : NumberStyle::Report;
  setAcceptDrops(true);  // a data file dropped on the frame is imported
  build_menus();
  add_recent_menus();
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setActivationOrder(QMdiArea::StackingOrder);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &MainFrame::activated);
  for (int i = 0; i < 3; ++i) {
    status_[i] = new QLabel(this);
    status_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    status_[i]->setTextFormat(Qt::PlainText);
    status_[i]->setMinimumWidth(1);
    statusBar()->addWidget(status_[i], i == 2 ? 1 : 0);
  }
  statusBar()->setSizeGripEnabled(false);
  work_ = new WorkGuard(statusBar(), this);
  status_changed(app_->status());
  toolbar_ = new QToolBar(QStringLiteral("Tool bar"), this);
  toolbar_->setObjectName(QStringLiteral("ToolBar"));
  toolbar_->setIconSize(QSize(16, 15));
  toolbar_->setMovable(true);
  addToolBar(Qt::TopToolBarArea, toolbar_);
  rebuild_toolbar();
  apply_menu_state();
}

MainFrame::~MainFrame() {
  // Child views refer to the App: remove them while it still exists.
  shutting_down_ = true;
  disconnect(mdi_, nullptr, this, nullptr);
  delete takeCentralWidget();
  mdi_ = nullptr;
}

void MainFrame::dispatch(int id) {
  if (work_ && work_->active()) return;  // one command at a time, even while long work lets events in
  ++busy_;
  app_->dispatch(id);
  --busy_;
  if (work_) work_->finish();
  if (id == cmd::FullPrecision) save_full_precision(app_->session().numbers == NumberStyle::Full);
  sync_children();
}

void MainFrame::queue_dispatch(int id) {
  // After the menu or the tool button has finished with its own event.
  QTimer::singleShot(0, this, [this, id] { dispatch(id); });
}

QMdiSubWindow* MainFrame::child(int window_id) const {
  auto it = children_.find(window_id);
  return it == children_.end() ? nullptr : it->second.data();
}

GraphView* MainFrame::graph_view(int window_id) const {
  QMdiSubWindow* sub = child(window_id);
  return sub ? qobject_cast<GraphView*>(sub->widget()) : nullptr;
}

InfoView* MainFrame::info_view(int window_id) const {
  QMdiSubWindow* sub = child(window_id);
  return sub ? qobject_cast<InfoView*>(sub->widget()) : nullptr;
}

void MainFrame::window_opened(const Window& w) {
  ++busy_;
  QWidget* view = nullptr;
  QSize size;
  const QSize area = mdi_->viewport()->size();
  if (w.kind == WindowKind::Graph || w.kind == WindowKind::DupGraph) {
    auto* graph = new GraphView(*app_, w.id);
    connect(graph, &GraphView::popup_requested, this, &MainFrame::show_graph_popup);
    view = graph;
    size = QSize(std::max(360, area.width() * 11 / 20), std::max(240, area.height() * 3 / 5));
  } else {
    view = new InfoView(*app_, w.id);
    size = QSize(std::max(360, area.width() * 9 / 20), std::max(200, area.height() / 2));
  }
  auto* sub = new QMdiSubWindow;
  sub->setWidget(view);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setProperty(kWindowId, w.id);
  sub->setWindowTitle(QString::fromStdString(w.caption));
  sub->setWindowIcon(application_icon(w.is_graph() ? 16 : 14));
  sub->installEventFilter(this);
  add_system_menu_items(sub, w.kind);
  mdi_->addSubWindow(sub);
  // New windows step down and right from the top left, as a cascade does.
  const int step = 26 * (static_cast<int>(children_.size()) % 8);
  sub->setGeometry(QRect(QPoint(step, step), size));
  children_[w.id] = sub;
  if (w.minimized) sub->showMinimized();
  else sub->show();
  mdi_->setActiveSubWindow(sub);
  --busy_;
}

// Each kind of window offers its own commands in its system menu; they act
// on that window, as the frame's commands act on the active one.
void MainFrame::add_system_menu_items(QMdiSubWindow* sub, WindowKind kind) {
  QMenu* menu = sub->systemMenu();
  if (!menu) return;
  struct Item {
    const char* text;
    int command;
  };
  std::vector<Item> items;
  switch (kind) {
    case WindowKind::Graph: items = {{"Duplicate", cmd::Duplicate}, {"Info", cmd::Info}, {"Print", cmd::Print}, {"Copy", cmd::Copy}}; break;
    case WindowKind::Info: items = {{"Print", cmd::Print}, {"Duplicate", cmd::Duplicate}}; break;
    case WindowKind::DupGraph: items = {{"Print", cmd::Print}, {"Copy", cmd::Copy}}; break;
    case WindowKind::DupInfo: items = {{"Print", cmd::Print}}; break;
  }
  QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
  for (const Item& item : items) {
    auto* action = new QAction(QString::fromLatin1(item.text), menu);
    const int command = item.command;
    connect(action, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub), command] {
      if (!sub) return;
      mdi_->setActiveSubWindow(sub);
      queue_dispatch(command);
    });
    menu->insertAction(first, action);
  }
  if (kind == WindowKind::Graph) menu->insertSeparator(first);
}

void MainFrame::window_changed(const Window& w) {
  QMdiSubWindow* sub = child(w.id);
  if (!sub) return;
  sub->setWindowTitle(QString::fromStdString(w.caption));
  if (auto* g = qobject_cast<GraphView*>(sub->widget())) g->refresh();
  if (auto* i = qobject_cast<InfoView*>(sub->widget())) i->refresh();
}

void MainFrame::window_closed(int id) {
  QMdiSubWindow* sub = child(id);
  children_.erase(id);
  if (!sub) return;
  ++busy_;
  closing_child_ = true;
  sub->close();
  closing_child_ = false;
  --busy_;
}

void MainFrame::window_focused(int id) {
  QMdiSubWindow* sub = child(id);
  if (!sub || mdi_->activeSubWindow() == sub) return;
  ++busy_;
  mdi_->setActiveSubWindow(sub);
  --busy_;
}

void MainFrame::window_shown(int id, bool minimized) {
  QMdiSubWindow* sub = child(id);
  if (!sub) return;
  ++busy_;
  if (minimized) sub->showMinimized();
  else sub->showNormal();
  --busy_;
}

void MainFrame::status_changed(const StatusLine& s) {
  for (int i = 0; i < 3; ++i) status_[i]->setText(QString::fromStdString(s.parts[i]));
}

void MainFrame::toolbar_changed() { rebuild_toolbar(); }

void MainFrame::frame_command(int id) {
  switch (id) {
    case cmd::Tile: tile_horizontally(); break;
    case cmd::Cascade: cascade(); break;
    case cmd::HelpContents: open_help(QStringLiteral("qrc:/help/index.html")); break;
    case cmd::HelpOnHelp: open_help(QStringLiteral("qrc:/help/help_on_help.html")); break;
    case cmd::Exit: QTimer::singleShot(0, this, &QWidget::close); break;
    default: break;
  }
}

void MainFrame::open_help(const QString& page) {
  if (!help_) help_ = new HelpViewer(this);
  help_->show_page(QUrl(page));
  help_->show();
  help_->raise();
  help_->activateWindow();
}

// Horizontal tiling: full-width strips one above the other; with more windows
// than fit as strips, a grid as QMdiArea makes it.
void MainFrame::tile_horizontally() {
  std::vector<QMdiSubWindow*> shown;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::StackingOrder))
    if (sub->isVisible() && !sub->isMinimized()) shown.push_back(sub);
  if (shown.empty()) return;
  const QSize area = mdi_->viewport()->size();
  const int n = static_cast<int>(shown.size());
  if (area.height() / n < 150) {
    mdi_->tileSubWindows();
    return;
  }
  std::reverse(shown.begin(), shown.end());  // the active window ends on top
  for (int i = 0; i < n; ++i) {
    const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
    shown[static_cast<std::size_t>(i)]->showNormal();
    shown[static_cast<std::size_t>(i)]->setGeometry(0, top, area.width(), bottom - top);
  }
}

// Cascade keeps the windows large: each steps one title bar down and right
// and covers two thirds of the client area.
void MainFrame::cascade() {
  std::vector<QMdiSubWindow*> shown;
  for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::StackingOrder))
    if (sub->isVisible() && !sub->isMinimized()) shown.push_back(sub);
  if (shown.empty()) return;
  const QSize area = mdi_->viewport()->size();
  const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, shown.front()) + 4;
  const QSize size(std::max(360, area.width() * 2 / 3), std::max(240, area.height() * 2 / 3));
  int at = 0;
  for (QMdiSubWindow* sub : shown) {  // bottom of the stack first
    sub->showNormal();
    if (at + size.width() > area.width() || at + size.height() > area.height()) at = 0;
    sub->setGeometry(QRect(QPoint(at, at), size));
    sub->raise();
    at += step;
  }
  if (QMdiSubWindow* active = mdi_->activeSubWindow()) active->raise();
}

void MainFrame::activated(QMdiSubWindow* sub) {
  if (!sub || busy_ > 0 || shutting_down_) return;
  const int id = id_of(sub);
  const Window* active = app_->session().desktop.active();
  if (id == 0 || (active && active->id == id)) return;
  ++busy_;
  app_->window_focused(id);
  --busy_;
  sync_children();
}

// After the core has run: captions, pictures and texts, the active window and
// the cursor of armed zoom follow the core's state.
void MainFrame::sync_children() {
  if (shutting_down_) return;
  for (auto& [id, sub] : children_) {
    if (!sub) continue;
    const Window* w = app_->session().desktop.by_id(id);
    if (!w) continue;
    sub->setWindowTitle(QString::fromStdString(w->caption));
    if (auto* g = qobject_cast<GraphView*>(sub->widget())) {
      g->refresh();
      g->update_cursor();
    }
    if (auto* i = qobject_cast<InfoView*>(sub->widget())) i->refresh();
  }
  if (const Window* active = app_->session().desktop.active()) window_focused(active->id);
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  auto* sub = qobject_cast<QMdiSubWindow*>(watched);
  if (sub && event->type() == QEvent::Close && !closing_child_ && !shutting_down_) {
    // The core decides: closing the project window is closing the project.
    event->ignore();
    const int id = id_of(sub);
    QTimer::singleShot(0, this, [this, id] {
      ++busy_;
      app_->request_close_window(id);
      --busy_;
      sync_children();
    });
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  layout_status();
}

}  // namespace zelk
