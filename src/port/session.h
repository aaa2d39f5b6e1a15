#pragma once
// What every operation works in: the port to the user, the open projects,
// their windows, the settings shared by all graphs, and the registry of
// features with the events they react to.
#include <functional>
#include <memory>

#include "plot/colours.h"
#include "plot/format.h"
#include "port/desktop.h"
#include "port/port.h"
#include "port/project_tree.h"
#include "port/registry.h"
#include "project/project_table.h"

namespace zelk {

struct Session {
  explicit Session(UiPort& p) : port(p), desktop(p) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  UiPort& port;
  ProjectTable projects;
  Desktop desktop;
  ColourTable colours = ColourTable::defaults();
  int zoom_mode = 0;  // 1 region, 2 range, 3 out
  MenuKind menu = MenuKind::Univariate;
  const Registry* registry = nullptr;  // set by the shell at start-up
  // How INFO texts and clipboard exports write numbers; the shell puts it
  // in force around every command (the desktop remembers it, zelk-batch
  // takes --full-precision).
  NumberStyle numbers = NumberStyle::Report;
  // The modeless project editor, made when first opened.
  std::unique_ptr<TreeEditor> tree_editor;

  // Tells every feature that reacts to `e`, in registration order; then,
  // for a change of series or model, redraws the project's open windows.
  void publish(Event e, int entry);
  // Redraws every open window of a project from its record.
  void refresh_windows(int entry);
  // The status bar changed (an iteration count, a new summary): the shell
  // recomputes and shows it.
  void status_changed() {
    if (on_status) on_status();
  }
  // Long work reports here. Once the user has asked to stop, every later
  // report of the same command answers stop too, and the shell puts the
  // project back as it was before the command.
  bool progress(int step) {
    if (!cancelled && !port.progress(step)) cancelled = true;
    return !cancelled;
  }
  bool cancelled = false;  // cleared by the shell before each command
  std::function<void()> on_status;
};

}  // namespace zelk
