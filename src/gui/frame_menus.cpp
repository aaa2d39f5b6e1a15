// The frame's menus: both menu bars built once from the shell's menu tree,
// swapped when the current project's kind changes, and greyed, checked and
// relabelled from the core's menu state after every command.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "gui/frame.h"
#include "gui/project_editor_view.h"
#include "gui/help_viewer.h"

namespace zelk {

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void MainFrame::build_menus() {
  for (MenuKind kind : {MenuKind::Univariate, MenuKind::Multivariate}) {
    MenuSet& set = menus_[kind];
    const std::vector<MenuItem>& bar = app_->menu(kind);
    for (std::size_t i = 0; i < bar.size(); ++i) {
      QMenu* top = build_menu(bar[i], {static_cast<int>(i)}, &set);
      set.tops.push_back(top);
    }
    const auto window_at = static_cast<std::size_t>(window_menu_position(kind));
    if (window_at < set.tops.size()) {
      QMenu* window_menu = set.tops[window_at];
      connect(window_menu, &QMenu::aboutToShow, this, [this, kind] { fill_window_list(menus_[kind]); });
    }
  }
  shown_menu_ = app_->menu_kind();
  for (QMenu* top : menus_[shown_menu_].tops) menuBar()->addMenu(top);
}

QMenu* MainFrame::build_menu(const MenuItem& item, std::vector<int> path, MenuSet* set) {
  auto* menu = new QMenu(qs(item.text), this);
  if (set) set->paths.emplace_back(menu->menuAction(), path);
  for (std::size_t i = 0; i < item.items.size(); ++i) {
    const MenuItem& sub = item.items[i];
    std::vector<int> sub_path = path;
    sub_path.push_back(static_cast<int>(i));
    if (sub.separator) {
      // Separators keep their position so that the item paths stay right.
      QAction* sep = menu->addSeparator();
      if (set) set->paths.emplace_back(sep, sub_path);
    } else if (sub.is_submenu()) {
      menu->addMenu(build_menu(sub, sub_path, set));
    } else {
      QAction* action = menu->addAction(qs(sub.text));
      action->setData(sub.id);
      apply_command_shortcut(action, sub.id);
      const int id = sub.id;
      connect(action, &QAction::triggered, this, [this, id] { queue_dispatch(id); });
      if (set) set->paths.emplace_back(action, sub_path);
    }
  }
  return menu;
}

const std::vector<QMenu*>& MainFrame::top_menus() const { return menus_.at(shown_menu_).tops; }

void MainFrame::menus_changed() {
  apply_menu_state();
  // Any command may have renamed, filled or closed a project.
  if (editor_view_ && editor_view_->isVisible()) editor_view_->schedule_rebuild();
}

ProjectEditorView* MainFrame::project_editor() const { return editor_view_; }

void MainFrame::show_tree_editor(TreeEditor& editor) {
  if (!editor_view_) editor_view_ = new ProjectEditorView(editor, [this] { app_->refresh_after_editor(); }, this);
  editor_view_->rebuild();
  editor_view_->show();
  editor_view_->raise();
  editor_view_->activateWindow();
}

void MainFrame::apply_menu_state() {
  const MenuState state = app_->menu_state();
  if (state.kind != shown_menu_) {
    menuBar()->clear();
    shown_menu_ = state.kind;
    for (QMenu* top : menus_[shown_menu_].tops) menuBar()->addMenu(top);
  }
  MenuSet& set = menus_[shown_menu_];
  for (auto& [action, path] : set.paths) {
    if (action->isSeparator()) continue;
    action->setEnabled(state.enabled_at(path));
    const int id = action->data().toInt();
    if (id != 0) {
      const bool checked = state.checked(id);
      action->setCheckable(checked || action->isChecked());
      action->setChecked(checked);
      const QString text = qs(state.text_at(path));
      if (!text.isEmpty() && text != action->text()) action->setText(text);
    }
  }
}

// The client area's window list at the end of the Window menu.
void MainFrame::fill_window_list(MenuSet& set) {
  const std::size_t at = static_cast<std::size_t>(window_menu_position(shown_menu_));
  if (&set != &menus_[shown_menu_] || at >= set.tops.size()) return;
  QMenu* menu = set.tops[at];
  for (QAction* a : set.window_list) {
    menu->removeAction(a);
    a->deleteLater();
  }
  set.window_list.clear();
  const QList<QMdiSubWindow*> subs = mdi_->subWindowList(QMdiArea::CreationOrder);
  if (subs.isEmpty()) return;
  set.window_list.push_back(menu->addSeparator());
  int number = 1;
  for (QMdiSubWindow* sub : subs) {
    QString text = sub->windowTitle();
    text.replace('&', QStringLiteral("&&"));
    if (number <= 9) text = QStringLiteral("&%1 %2").arg(number).arg(text);
    QAction* a = menu->addAction(text);
    a->setCheckable(true);
    a->setChecked(sub == mdi_->activeSubWindow());
    connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
      if (!sub) return;
      if (sub->isMinimized()) sub->showNormal();
      mdi_->setActiveSubWindow(sub);
    });
    set.window_list.push_back(a);
    ++number;
  }
}

void MainFrame::show_graph_popup(QPoint global_pos) {
  const MenuItem* plot = right_menu("&Plot");
  if (!plot) return;
  QMenu* popup = build_menu(*plot, {}, nullptr);
  const MenuState state = app_->menu_state();
  for (QAction* a : popup->findChildren<QAction*>())
    if (const int id = a->data().toInt(); id != 0) a->setEnabled(state.enabled(id));
  popup->exec(global_pos);
  popup->deleteLater();
}

}  // namespace zelk
