#pragma once
// Every open result window of every project, in stacking order (the active
// window first). Operations open, fill and close windows here; the port is
// told of each change so that the front end can mirror it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "port/window.h"

namespace zelk {

class UiPort;

class Desktop {
 public:
  explicit Desktop(UiPort& port) : port_(port) {}

  // The slot's graph window of a project, created (empty, captioned from the
  // slot prefix and the project name) when it is not open yet.
  Window& graph(int project, Slot slot, const std::string& project_name);
  // The INFO window of a graph window, created when missing.
  Window& info(Window& graph_window, const std::string& project_name);
  // A text-only report window of a project.
  Window& report(int project, Slot slot, const std::string& project_name);

  Window* find(int project, Slot slot);
  Window* find_info(int project, Slot slot);
  Window* by_id(int id);
  Window* active();  // the window with the focus, or none
  const std::vector<std::unique_ptr<Window>>& windows() const { return windows_; }

  // Tells the front end that a window's document changed (redraw it).
  void changed(Window& w);
  void changed_project(int project);  // every window of a project
  void focus(int id);
  // Closes one window; a graph's INFO window goes with it.
  void close(int id);
  void close_project(int project);
  // Closes the windows whose results a new series makes meaningless.
  void close_data_windows(int project);
  void recaption(int project, const std::string& project_name);
  void set_minimized(int project, bool minimized);
  // The front end shows the window at a new client size (sizes below one
  // pixel are ignored). Nothing is redrawn: the front end already knows.
  void resized(int id, double width, double height);
  Window* duplicate(int id);

  // Called when a window of another project gets the focus.
  std::function<void(int project)> on_project_focus;

 private:
  Window& open(WindowKind kind, int project, Slot slot, std::string caption);
  UiPort& port_;
  std::vector<std::unique_ptr<Window>> windows_;  // front = active
  int next_id_ = 1000;
};

}  // namespace zelk
