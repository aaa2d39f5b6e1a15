#pragma once
// The tool bar, built from the buttons the features describe: the project
// entries that are always there, then the buttons of the current project's
// kind, and the tooltip of each command.
#include <string>
#include <vector>

#include "port/registry.h"
#include "project/project_table.h"

namespace zelk {

struct ToolbarEntry {
  bool separator = false;
  int id = 0;
  int image = -1;  // application image 0..29, -1 for a standard image
  StandardImage standard = StandardImage::None;
  bool enabled = true;
};

// The buttons of one bar (a ToolbarSet bit) by order key, with a separator
// first and wherever the tens digit changes.
std::vector<ToolbarEntry> build_toolbar(const Registry& registry, unsigned bar);
// At start-up: a separator, Project Editor, New, Open, Save As, Close, Print.
std::vector<ToolbarEntry> startup_toolbar();
// After the first project switch: the six project entries (Print gone), then
// the analysis buttons of `kind` (none for ProjectKind::Free).
std::vector<ToolbarEntry> project_toolbar(ProjectKind kind);

// The tooltip of a command, empty when it has none.
std::string tooltip(int id);

}  // namespace zelk
