#pragma once
// The menus as the features describe them: the menu bar of each project kind,
// the project editor's popups, and look-ups by id and by text.
#include <string>
#include <string_view>
#include <vector>

#include "port/registry.h"

namespace zelk {

// Every feature's description, registered once: the folders are listed in
// shell/features.cpp.
Registry make_registry();
const Registry& standard_registry();

const CommandSpec* find_command(int id);

// A menu entry: a command (id != 0), a submenu (items) or a separator.
struct MenuItem {
  int id = 0;
  std::string text;
  std::vector<MenuItem> items;
  bool separator = false;
  std::string path;  // a submenu's popup path ("Sp&ectrum > &Model")
  bool is_submenu() const { return id == 0 && !separator; }
};

// Top-level popups of the menu bar: BRAX_MENU (univariate) or MV_MENU.
const std::vector<MenuItem>& menu_bar(MenuKind kind);
// Builds the menu bar of `kind` from a registry's popups and command places.
std::vector<MenuItem> build_menu_bar(const Registry& registry, MenuKind kind);
// RIGHT_MENUS: "Tree ZELK Right-Click", "Tree Project Right-Click",
// "Tree Series Right-Click" and the graph popup "&Plot".
const std::vector<MenuItem>& right_menus();
const MenuItem* right_menu(std::string_view name);

// Top-level position of the window list in each menu.
int window_menu_position(MenuKind kind);

// The text without '&' and surrounding blanks ("Box - Cox").
std::string plain_text(std::string_view menu_text);

// The item at a path of positions (top-level first), or none.
const MenuItem* item_at(const std::vector<MenuItem>& bar, const std::vector<int>& path);

// Ids whose plain text, or the tail of whose submenu path ("Histogram/Default",
// "Residual Analysis/Histogram/Default"), matches `name` case-insensitively.
// The menu of `preferred` is searched first; the other menu only when it has
// no match. Distinct ids come back in menu order.
std::vector<int> find_commands_by_text(std::string_view name, MenuKind preferred);
// "Statistics/ACF/PACF/Sample" for an id's first place in a menu.
std::string menu_path(int id, MenuKind kind);

}  // namespace zelk
