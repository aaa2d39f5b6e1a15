#pragma once
// The frame "ZELK 2000": menus and tool bar built from the shell's tables, the
// multiple-document client area mirroring the core's result windows, and the
// three-part status bar. Every command goes to App::dispatch.
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "gui/desk_habits.h"
#include "gui/help_viewer.h"
#include "gui/qt_port.h"
#include "shell/app.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace zelk {

class GraphView;
class InfoView;
class ProjectEditorView;

class MainFrame : public QMainWindow, public FrameEvents {
  Q_OBJECT
 public:
  MainFrame();
  ~MainFrame() override;

  App& app() { return *app_; }
  QtPort& port() { return port_; }
  QMdiArea* client() const { return mdi_; }
  QToolBar* tool_bar() const { return toolbar_; }
  QLabel* status_part(int i) const { return status_[i]; }
  QMdiSubWindow* child(int window_id) const;
  GraphView* graph_view(int window_id) const;
  InfoView* info_view(int window_id) const;
  // The top-level menus now on the frame, in position order.
  const std::vector<QMenu*>& top_menus() const;
  HelpViewer* help_viewer() const { return help_; }
  WorkGuard* work_guard() const { return work_; }
  // Opens a file of the recent-files list as Open would, in a new project
  // of the kind it was used in; a file that is gone leaves the list.
  void open_recent(const RecentFile& file);

  // Carries out a command as the menus and tool bar do.
  void dispatch(int id);
  // A file dropped on the frame (frame_drop.cpp).
  void import_dropped_file(const std::string& path);

  // FrameEvents
  void window_opened(const Window& w) override;
  void window_changed(const Window& w) override;
  void window_closed(int id) override;
  void window_focused(int id) override;
  void window_shown(int id, bool minimized) override;
  void status_changed(const StatusLine& s) override;
  void menus_changed() override;
  void toolbar_changed() override;
  void frame_command(int id) override;
  bool progress(int iteration) override;
  void progress_note(std::string_view text) override;
  void file_used(std::string_view path, FileUse use) override;
  void show_tree_editor(TreeEditor& editor) override;
  ProjectEditorView* project_editor() const;  // none before the first Project Editor

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct MenuSet {
    std::vector<QMenu*> tops;
    std::vector<std::pair<QAction*, std::vector<int>>> paths;  // every item by its position path
    std::vector<QAction*> window_list;                          // the client list at the Window menu's end
  };

  // frame_menus.cpp
  void build_menus();
  QMenu* build_menu(const MenuItem& item, std::vector<int> path, MenuSet* set);
  void apply_menu_state();
  void fill_window_list(MenuSet& set);
  void show_graph_popup(QPoint global_pos);
  // frame_toolbar.cpp
  void rebuild_toolbar();
  void layout_status();

  void queue_dispatch(int id);
  void activated(QMdiSubWindow* sub);
  void sync_children();
  void add_system_menu_items(QMdiSubWindow* sub, WindowKind kind);
  void tile_horizontally();
  void cascade();
  void open_help(const QString& page);
  // frame_habits.cpp
  void add_recent_menus();
  void fill_recent_menu(QMenu* menu);

  QtPort port_;
  std::unique_ptr<App> app_;
  QMdiArea* mdi_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QLabel* status_[3] = {nullptr, nullptr, nullptr};
  std::map<MenuKind, MenuSet> menus_;
  MenuKind shown_menu_ = MenuKind::Univariate;
  std::map<int, QPointer<QMdiSubWindow>> children_;
  QPointer<HelpViewer> help_;
  WorkGuard* work_ = nullptr;
  RecentFiles recent_;
  QPointer<ProjectEditorView> editor_view_;
  int busy_ = 0;               // inside the core: MDI activations are ours, not the user's
  bool closing_child_ = false;  // a close the core asked for
  bool shutting_down_ = false;
};

}  // namespace zelk
