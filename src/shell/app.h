#pragma once
// The program as both front ends see it: the session with its projects and
// windows, the dispatcher that routes every menu and tool-bar command, and
// what the frame shows (menu, menu state, tool bar, status bar, tooltips).
// The Qt front end and zelk-batch differ only in the UiPort they pass.
#include <string>
#include <vector>

#include "shell/command_table.h"
#include "shell/menu_state.h"
#include "port/registry.h"
#include "port/port.h"
#include "port/session.h"
#include "shell/status.h"
#include "shell/toolbar.h"

namespace zelk {

class App {
 public:
  // With every feature's description.
  explicit App(UiPort& port);
  // With a given registry (tests replace handlers with stubs).
  App(UiPort& port, Registry registry);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Session& session() { return session_; }
  const Session& session() const { return session_; }
  const Registry& registry() const { return registry_; }

  // Carries out a menu or tool-bar command. Unknown ids do nothing. An
  // operation that throws is reported as "ZELK Error" and its record is put
  // back as it was; so is one whose long work the user cancelled (the port's
  // progress answered false), which also closes the projects it opened.
  void dispatch(int command);

  // The menu on the frame and the state of its items.
  MenuKind menu_kind() const { return session_.menu; }
  const std::vector<MenuItem>& menu(MenuKind kind) const { return menu_bar(kind); }
  const std::vector<MenuItem>& menu() const { return menu_bar(session_.menu); }
  MenuState menu_state() const { return compute_menu_state(session_); }

  const std::vector<ToolbarEntry>& toolbar() const { return toolbar_; }
  const StatusLine& status() const { return status_; }
  std::string tooltip(int id) const { return zelk::tooltip(id); }

  // The result window that frame commands act on (Print, Copy, Duplicate,
  // Info, Zoom, Customize Colors): the active window, or none.
  Window* target_window();

  // A window got the focus (mouse click, window menu): it becomes the active
  // window and its project the current one.
  void window_focused(int id);
  // The user closes a window. Closing a project window (role 0) is the Close
  // command with its question; other windows just close. True when the
  // window is gone.
  bool request_close_window(int id);

  // Mouse zoom in a graph window drawn at width x height pixels: a rubber
  // band from (x0, y0) to (x1, y1) in zoom modes 1 and 2, a click in mode 3.
  // Every zoom acts once: the zoom mode goes back to 0.
  void zoom_band(int window_id, double x0, double y0, double x1, double y1, double width, double height);
  void zoom_click(int window_id);

  // Makes a project current (focus on one of its windows, or the editor):
  // menus, tool bar and status bar follow.
  void switch_project(int entry);
  // Redraws every window (after a change of the colour table).
  void repaint_all();
  // The project editor changed names, data or active components outside a
  // command: menus and status bar follow.
  void refresh_after_editor() { refresh_frame(); }

 private:
  void run_frame_command(int id, const CommandSpec& cmd);
  void run_univariate(const CommandSpec& cmd);
  void run_multivariate(const CommandSpec& cmd);
  void project_event();  // update menus, status and tool bar
  void refresh_frame();  // menus and status after any command
  void undo_cancelled(int current_before, const std::vector<int>& open_before);

  Registry registry_;
  Session session_;
  std::vector<ToolbarEntry> toolbar_;
  StatusLine status_;
  bool started_ = false;  // a project event has happened since start-up
};

}  // namespace zelk
