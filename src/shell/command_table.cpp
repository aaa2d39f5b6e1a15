#include "shell/command_table.h"

#include <algorithm>
#include <cctype>

#include "plot/format.h"
#include "port/dialog.h"
#include "port/commands.h"

namespace zelk {

const Registry& standard_registry() {
  static const Registry registry = make_registry();
  return registry;
}

const CommandSpec* find_command(int id) { return standard_registry().command(id); }

namespace {

// Menu texts hold '/' ("&ACF/PACF"), so paths join popups otherwise.
constexpr std::string_view kPathSeparator = " > ";

MenuItem item(int id, const char* text = nullptr) {
  MenuItem m;
  m.id = id;
  m.text = text ? text : find_command(id)->text;
  return m;
}
MenuItem sep() {
  MenuItem m;
  m.separator = true;
  return m;
}
MenuItem sub(const char* text, std::vector<MenuItem> items) {
  MenuItem m;
  m.text = text;
  m.items = std::move(items);
  return m;
}

// The popup's entries by order key, with a separator where the tens digit
// changes.
std::vector<MenuItem> popup_items(const Registry& r, MenuKind kind, const std::string& path) {
  std::vector<std::pair<int, MenuItem>> keyed;
  for (const PopupSpec& p : r.popups()) {
    if (p.menu != kind) continue;
    const auto gap = p.path.rfind(kPathSeparator);
    if (gap == std::string::npos || p.path.substr(0, gap) != path) continue;
    MenuItem m = sub(p.path.c_str() + gap + kPathSeparator.size(), popup_items(r, kind, p.path));
    m.path = p.path;
    keyed.emplace_back(p.order, std::move(m));
  }
  for (const CommandSpec& c : r.commands())
    for (const MenuPlace& place : c.places)
      if (place.menu == kind && place.path == path) keyed.emplace_back(place.order, item(c.id, place.text ? place.text : c.text));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<MenuItem> items;
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    if (i > 0 && keyed[i].first / 10 != keyed[i - 1].first / 10) items.push_back(sep());
    items.push_back(std::move(keyed[i].second));
  }
  return items;
}

bool same_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Visits every command with the plain texts of the popups above it.
template <class F>
void walk(const std::vector<MenuItem>& items, const std::string& path, F&& f) {
  for (const MenuItem& m : items) {
    if (m.separator) continue;
    const std::string here = path.empty() ? plain_text(m.text) : path + "/" + plain_text(m.text);
    if (m.is_submenu())
      walk(m.items, here, f);
    else
      f(m, here);
  }
}

}  // namespace

std::vector<MenuItem> build_menu_bar(const Registry& r, MenuKind kind) {
  std::vector<std::pair<int, MenuItem>> tops;
  for (const PopupSpec& p : r.popups())
    if (p.menu == kind && p.path.find(kPathSeparator) == std::string::npos) {
      MenuItem m = sub(p.path.c_str(), popup_items(r, kind, p.path));
      m.path = p.path;
      tops.emplace_back(p.order, std::move(m));
    }
  std::stable_sort(tops.begin(), tops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<MenuItem> bar;
  for (auto& [order, m] : tops) bar.push_back(std::move(m));
  return bar;
}

const std::vector<MenuItem>& menu_bar(MenuKind kind) {
  static const std::vector<MenuItem> uni = build_menu_bar(standard_registry(), MenuKind::Univariate);
  static const std::vector<MenuItem> multi = build_menu_bar(standard_registry(), MenuKind::Multivariate);
  return kind == MenuKind::Multivariate ? multi : uni;
}

const std::vector<MenuItem>& right_menus() {
  static const std::vector<MenuItem> popups{
      sub("Tree ZELK Right-Click", {item(cmd::TreeNewProject), sep(), item(cmd::Tile), item(cmd::Cascade)}),
      sub("Tree Project Right-Click",
          {item(cmd::TreeSave), item(cmd::TreeClose), sep(), item(cmd::Tile), item(cmd::Cascade)}),
      sub("Tree Series Right-Click", {item(cmd::TreeActive)}),
      *std::find_if(menu_bar(MenuKind::Univariate).begin(), menu_bar(MenuKind::Univariate).end(),
                    [](const MenuItem& m) { return m.text == "&Plot"; }),
  };
  return popups;
}

const MenuItem* right_menu(std::string_view name) {
  for (const MenuItem& m : right_menus())
    if (same_text(m.text, name) || same_text(plain_text(m.text), name)) return &m;
  return nullptr;
}

int window_menu_position(MenuKind kind) {
  const auto& bar = menu_bar(kind);
  for (std::size_t i = 0; i < bar.size(); ++i)
    if (bar[i].text == "&Window") return static_cast<int>(i);
  return static_cast<int>(bar.size());
}

std::string plain_text(std::string_view menu_text) {
  std::string out;
  for (char c : menu_text)
    if (c != '&') out += c;
  return trim(out);
}

const MenuItem* item_at(const std::vector<MenuItem>& bar, const std::vector<int>& path) {
  const std::vector<MenuItem>* level = &bar;
  const MenuItem* item = nullptr;
  for (int pos : path) {
    if (pos < 0 || pos >= static_cast<int>(level->size())) return nullptr;
    item = &(*level)[pos];
    level = &item->items;
  }
  return item;
}

std::vector<int> find_commands_by_text(std::string_view name, MenuKind preferred) {
  const std::string want = plain_text(name);
  auto search = [&](const std::vector<MenuItem>& bar) {
    std::vector<int> ids;
    walk(bar, "", [&](const MenuItem& m, const std::string& path) {
      const bool hit = same_nocase(plain_text(m.text), want) || same_nocase(path, want) ||
                       (path.size() > want.size() && path[path.size() - want.size() - 1] == '/' &&
                        same_nocase(std::string_view(path).substr(path.size() - want.size()), want));
      if (hit && std::find(ids.begin(), ids.end(), m.id) == ids.end()) ids.push_back(m.id);
    });
    return ids;
  };
  const MenuKind other = preferred == MenuKind::Univariate ? MenuKind::Multivariate : MenuKind::Univariate;
  std::vector<int> ids = search(menu_bar(preferred));
  if (ids.empty()) ids = search(menu_bar(other));
  if (ids.empty()) ids = search(right_menus());
  return ids;
}

std::string menu_path(int id, MenuKind kind) {
  std::string found;
  walk(menu_bar(kind), "", [&](const MenuItem& m, const std::string& path) {
    if (found.empty() && m.id == id) found = path;
  });
  return found;
}

}  // namespace zelk
