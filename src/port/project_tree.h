#pragma once
// The project editor as data: a tree of the open projects and their series,
// and what its view can do to it (edit a label, drag a series onto a
// project, a node's popup command, OK or Cancel). The editor's work is done
// by the project commands; the desktop view and scripts drive this interface
// alike.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

enum class TreeNodeKind { Root, UnivariateProject, MultivariateProject, Series };

// A node by position: entry 0 is the root; component 0 a project itself;
// component k >= 1 the project's k-th series (a univariate project's one
// series is 1).
struct NodeRef {
  int entry = 0;
  int component = 0;
  bool is_root() const { return entry == 0; }
  bool is_project() const { return entry > 0 && component == 0; }
  bool is_series() const { return entry > 0 && component > 0; }
  friend bool operator==(const NodeRef&, const NodeRef&) = default;
};

// "0" (the root), "2" (project 2), "2.3" (its third series); none when the
// text is not of that form.
std::optional<NodeRef> parse_node_ref(std::string_view text);
std::string node_ref_text(NodeRef ref);

struct TreeNode {
  TreeNodeKind kind = TreeNodeKind::Root;
  NodeRef ref;
  std::string label;
  bool active = true;  // a component of a multivariate project
  std::vector<TreeNode> children;
};

// A node by its reference text, else by its label (case-insensitive; the
// first in tree order).
const TreeNode* find_tree_node(const TreeNode& root, std::string_view ref_or_label);
// One line per node, indented by depth: "[2.1] Sales (active)".
std::vector<std::string> tree_lines(const TreeNode& root);
// The RIGHT_MENUS popup a right click on such a node opens.
const char* tree_popup_name(TreeNodeKind kind);

class TreeEditor {
 public:
  virtual ~TreeEditor() = default;
  std::string title() const { return "Project Editor"; }

  // The tree as the projects are now: the view rebuilds from it after every
  // action and after every command (a project may have closed meanwhile).
  virtual TreeNode tree() const = 0;
  // Whether a node's label can be edited in place / dragged / dropped on.
  virtual bool editable(NodeRef node) const = 0;
  virtual bool draggable(NodeRef node) const { return node.is_series(); }
  virtual bool accepts_drop(NodeRef source, NodeRef target) const = 0;

  // The end of an in-place edit with Enter; Escape calls nothing. True when
  // the label was taken.
  virtual bool rename(NodeRef node, std::string_view label) = 0;
  // A series dropped on a project: asks for confirmation, then moves the
  // data. True when data moved.
  virtual bool move(NodeRef series, NodeRef project) = 0;
  // A command of the node's popup (a RIGHT_MENUS id).
  virtual void popup_command(NodeRef node, int command) = 0;

  bool is_open() const { return open_; }
  void set_open(bool open) { open_ = open; }
  // OK and Cancel both close: the changes already made stay.
  void close() { open_ = false; }

 private:
  bool open_ = false;
};

}  // namespace zelk
