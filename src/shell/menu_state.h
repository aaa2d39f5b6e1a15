#pragma once
// Which menu is on the frame and which of its items are enabled, checked or
// relabelled, computed from the session after every command and project
// switch. The front end only applies it.
#include <map>
#include <string>
#include <vector>

#include "shell/command_table.h"
#include "port/session.h"

namespace zelk {

class MenuState {
 public:
  MenuKind kind = MenuKind::Univariate;

  // Items by command id (every place the id appears).
  void set_enabled(int id, bool on) { by_id_[id] = on; }
  void set_checked(int id, bool on) { checked_[id] = on; }
  // A new label, for example "Undo Differencing(12)".
  void set_text(int id, std::string text) { text_[id] = std::move(text); }
  // A popup at a path of positions, from its rule.
  void set_path_enabled(const std::vector<int>& path, bool on) { by_path_[path] = on; }

  bool top_enabled(int position) const;
  bool enabled(int id) const;  // true unless greyed by id
  bool checked(int id) const;
  // The item's own state: greyed by its position or by its id. Reaching it
  // also needs every enclosing popup enabled (see reachable()).
  bool enabled_at(const std::vector<int>& path) const;
  bool reachable(const std::vector<int>& path) const;
  std::string text_at(const std::vector<int>& path) const;

 private:
  std::map<int, bool> by_id_;
  std::map<int, bool> checked_;
  std::map<int, std::string> text_;
  std::map<std::vector<int>, bool> by_path_;
};

// Update menus: the menu the frame shows for the current project and the
// state of its items.
MenuState compute_menu_state(const Session& s);

}  // namespace zelk
