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

void set_tops(MenuState& m, int from, int to, bool on) {
  for (int i = from; i <= to; ++i) m.set_top_enabled(i, on);
}

void univariate_rules(const Session& s, const UnivariateRecord& rec, MenuState& m) {
  if (rec.data_present()) {
    for (int id : {40005, 40098, 40152, 40006}) m.set_enabled(id, true);
    set_tops(m, 1, 2, true);
    if (s.operations && s.operations->transform_menu) s.operations->transform_menu(rec, m);
    for (int id : {40045, 40078, 40079, 40087, 40090}) m.set_enabled(id, true);
    set_tops(m, 3, 7, true);
    for (int p : {1, 2, 3, 4, 7, 8}) m.set_position_enabled(kSpectrumMenu, p, true);
  } else {
    m.set_enabled(40005, false);
    m.set_enabled(40098, true);
    m.set_enabled(40152, true);
    m.set_enabled(40006, false);
    m.set_top_enabled(1, false);
    m.set_top_enabled(2, true);
    for (int id : {40045, 40087, 40090}) m.set_enabled(id, true);
    for (int id : {40078, 40079, 40049}) m.set_enabled(id, false);
    set_tops(m, 3, 6, false);
    m.set_top_enabled(7, true);
    for (int p : {1, 2, 3, 7, 8}) m.set_position_enabled(kSpectrumMenu, p, false);
    m.set_position_enabled(kSpectrumMenu, 4, true);
  }
  set_tops(m, 8, 9, true);
}

void multivariate_rules(const Session& s, const MultivariateRecord& rec, MenuState& m) {
  if (rec.data_present()) {
    set_tops(m, 0, 6, true);
    for (int id : {40005, 40098, 40006}) m.set_enabled(id, true);
    if (s.operations && s.operations->multivariate_transform_menu) s.operations->multivariate_transform_menu(rec, m);
  } else {
    m.set_top_enabled(0, true);
    m.set_enabled(40005, false);
    m.set_enabled(40098, true);
    m.set_enabled(40006, false);
    set_tops(m, 1, 5, false);
    m.set_top_enabled(6, true);
  }
}

}  // namespace

MenuState compute_menu_state(const Session& s) {
  MenuState m;
  const int cur = s.projects.current();
  switch (s.projects.kind(cur)) {
    case ProjectKind::Free:
      // The start-up menu, with everything that needs a project greyed.
      m.kind = MenuKind::Univariate;
      m.set_enabled(40098, false);
      set_tops(m, 1, 9, false);
      break;
    case ProjectKind::Univariate:
      m.kind = MenuKind::Univariate;
      univariate_rules(s, *s.projects.univariate(cur), m);
      break;
    case ProjectKind::Multivariate:
      m.kind = MenuKind::Multivariate;
      // The table has no const look-up for multivariate records; nothing is changed here.
      multivariate_rules(s, *s.projects.multivariate(cur), m);
      break;
  }
  return m;
}

}  // namespace zelk
