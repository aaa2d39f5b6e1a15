// The "editor" step: what a user does in the project editor's tree, by node.
#include <ostream>

#include "batch/interpreter.h"
#include "plot/format.h"
#include "port/dialog.h"
#include "port/project_tree.h"
#include "shell/command_table.h"

namespace zelk {
namespace {

constexpr const char* kEditorUsage =
    "editor takes print, rename NODE \"TEXT\", move NODE PROJECT, popup NODE ITEM, ok or cancel";

// The id of ITEM in the node's popup, 0 when that popup has no such item.
int popup_item(TreeNodeKind kind, const std::string& item) {
  const MenuItem* popup = right_menu(tree_popup_name(kind));
  if (!popup) return 0;
  for (const MenuItem& m : popup->items)
    if (!m.separator && m.id != 0 && same_text(plain_text(m.text), plain_text(item))) return m.id;
  return 0;
}

}  // namespace

bool Interpreter::editor(const std::vector<std::string>& w, std::string& error) {
  if (w.size() < 2) return error = kEditorUsage, false;
  TreeEditor* ed = app_->session().tree_editor.get();
  if (!ed || !ed->is_open()) return error = "the project editor is not open (do Project Editor first)", false;
  const std::string& what = w[1];
  const TreeNode tree = ed->tree();
  auto node = [&](std::size_t i) -> const TreeNode* {
    const TreeNode* n = i < w.size() ? find_tree_node(tree, w[i]) : nullptr;
    if (!n) error = "no node \"" + (i < w.size() ? w[i] : std::string()) + "\" in the project editor";
    return n;
  };

  if (what == "print" && w.size() == 2) {
    for (const std::string& line : tree_lines(tree)) out_ << line << '\n';
    return true;
  }
  if ((what == "ok" || what == "cancel") && w.size() == 2) {
    ed->close();
    return true;
  }
  if (what == "rename" && w.size() == 4) {
    const TreeNode* n = node(2);
    if (!n) return false;
    if (!ed->editable(n->ref)) return error = "the label of \"" + n->label + "\" cannot be edited", false;
    if (!ed->rename(n->ref, w[3])) return error = "the label of \"" + n->label + "\" was not taken", false;
    app_->refresh_after_editor();
    return true;
  }
  if (what == "move" && w.size() == 4) {
    const TreeNode* from = node(2);
    const TreeNode* to = from ? node(3) : nullptr;
    if (!to) return false;
    if (!ed->accepts_drop(from->ref, to->ref))
      return error = "\"" + from->label + "\" cannot be dropped on \"" + to->label + "\"", false;
    ed->move(from->ref, to->ref);  // a refusal or a No is the script's answer, not an error
    app_->refresh_after_editor();
    return true;
  }
  if (what == "popup" && w.size() == 4) {
    const TreeNode* n = node(2);
    if (!n) return false;
    const int id = popup_item(n->kind, w[3]);
    if (id == 0) return error = "the popup \"" + std::string(tree_popup_name(n->kind)) + "\" has no \"" + w[3] + "\"", false;
    ed->popup_command(n->ref, id);
    app_->refresh_after_editor();
    return true;
  }
  return error = kEditorUsage, false;
}

void print_tree_editor(std::ostream& out) {
  out << "TREE \"Project Editor\"  (editor steps)\n"
         "  nodes: 0 \"ZELK Projects\", N project N, N.K series K of project N, or a label\n";
  for (TreeNodeKind kind : {TreeNodeKind::Root, TreeNodeKind::UnivariateProject, TreeNodeKind::Series}) {
    out << "  popup \"" << tree_popup_name(kind) << "\":";
    if (const MenuItem* popup = right_menu(tree_popup_name(kind)))
      for (const MenuItem& m : popup->items)
        if (!m.separator) out << " \"" << plain_text(m.text) << '"';
    out << '\n';
  }
  out << "  buttons: OK, Cancel\n\n";
}

}  // namespace zelk
