#include "shell/menu_state.h"

namespace zelk {

bool MenuState::top_enabled(int position) const {
  auto it = by_path_.find({position});
  return it == by_path_.end() || it->second;
}

bool MenuState::enabled(int id) const {
  auto it = by_id_.find(id);
  return it == by_id_.end() || it->second;
}

bool MenuState::checked(int id) const {
  auto it = checked_.find(id);
  return it != checked_.end() && it->second;
}

bool MenuState::enabled_at(const std::vector<int>& path) const {
  if (auto it = by_path_.find(path); it != by_path_.end() && !it->second) return false;
  const MenuItem* item = item_at(menu_bar(kind), path);
  return !item || item->id == 0 || enabled(item->id);
}

bool MenuState::reachable(const std::vector<int>& path) const {
  for (std::size_t len = 1; len <= path.size(); ++len)
    if (!enabled_at(std::vector<int>(path.begin(), path.begin() + static_cast<long>(len)))) return false;
  return true;
}

std::string MenuState::text_at(const std::vector<int>& path) const {
  const MenuItem* item = item_at(menu_bar(kind), path);
  if (!item) return {};
  if (item->id != 0)
    if (auto it = text_.find(item->id); it != text_.end()) return it->second;
  return item->text;
}

namespace {

// Popups grey by their own rules, wherever they stand in the menu.
void popup_rules(const Registry& r, const ProjectView& view, const std::vector<MenuItem>& items,
                 std::vector<int>& path, MenuState& m) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    if (!item.is_submenu()) continue;
    path.push_back(static_cast<int>(i));
    for (const PopupSpec& p : r.popups())
      if (p.menu == m.kind && p.path == item.path && p.enabled) m.set_path_enabled(path, p.enabled(view));
    popup_rules(r, view, item.items, path, m);
    path.pop_back();
  }
}

}  // namespace

MenuState compute_menu_state(const Session& s) {
  MenuState m;
  const int cur = s.projects.current();
  m.kind = s.projects.kind(cur) == ProjectKind::Multivariate ? MenuKind::Multivariate : MenuKind::Univariate;
  const ProjectView view{s, cur, s.projects.univariate(cur), s.projects.multivariate(cur)};
  const Registry& r = s.registry ? *s.registry : standard_registry();
  for (const CommandSpec& c : r.commands()) {
    if (c.enabled) m.set_enabled(c.id, c.enabled(view));
    if (c.checked) m.set_checked(c.id, c.checked(view));
    if (c.label) m.set_text(c.id, c.label(view));
  }
  std::vector<int> path;
  popup_rules(r, view, menu_bar(m.kind), path, m);
  return m;
}

}  // namespace zelk
