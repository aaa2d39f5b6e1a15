#include "shell/toolbar.h"

#include <algorithm>

#include "shell/command_table.h"

namespace zelk {

std::vector<ToolbarEntry> build_toolbar(const Registry& r, unsigned bar) {
  std::vector<const CommandSpec*> shown;
  for (const CommandSpec& c : r.commands())
    if (c.button.bars & bar) shown.push_back(&c);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const CommandSpec* a, const CommandSpec* b) { return a->button.order < b->button.order; });
  std::vector<ToolbarEntry> entries;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (i == 0 || shown[i]->button.order / 10 != shown[i - 1]->button.order / 10) {
      ToolbarEntry gap;
      gap.separator = true;
      entries.push_back(gap);
    }
    ToolbarEntry e;
    e.id = shown[i]->id;
    e.image = shown[i]->button.image;
    e.standard = shown[i]->button.standard;
    entries.push_back(e);
  }
  return entries;
}

std::vector<ToolbarEntry> startup_toolbar() { return build_toolbar(standard_registry(), kStartupBar); }

std::vector<ToolbarEntry> project_toolbar(ProjectKind kind) {
  const unsigned bar = kind == ProjectKind::Univariate     ? kUnivariateBar
                       : kind == ProjectKind::Multivariate ? kMultivariateBar
                                                           : kFreeBar;
  return build_toolbar(standard_registry(), bar);
}

std::string tooltip(int id) {
  const CommandSpec* c = find_command(id);
  return c && c->tooltip ? c->tooltip : std::string();
}

}  // namespace zelk
