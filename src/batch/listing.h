#pragma once
// What `print` shows: the open windows, the status bar, the menu on the
// frame with the state of every item, and one window's text or panes.
#include <ostream>

#include "shell/app.h"

namespace zelk {

// One line per window, the active one first: kind, caption, project.
void list_windows(const Desktop& desktop, std::ostream& out);
// STATUS [first] [second] [third]
void list_status(const StatusLine& status, std::ostream& out);
// The frame's menu as a tree: position and text of each popup, then its
// items with id, enabled or greyed, and checked.
void list_menu(const App& app, std::ostream& out);
// A text window's lines; for a graph, a summary of its panes.
void list_window(const Window& w, std::ostream& out);

}  // namespace zelk
