#include "port/project_tree.h"

#include <charconv>

#include "port/dialog.h"

namespace zelk {
namespace {

bool parse_int(std::string_view t, int& v) {
  if (t.empty()) return false;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && end == t.data() + t.size() && v >= 0;
}

const TreeNode* find_in(const TreeNode& n, std::string_view label) {
  if (same_text(n.label, label)) return &n;
  for (const TreeNode& c : n.children)
    if (const TreeNode* f = find_in(c, label)) return f;
  return nullptr;
}

const TreeNode* find_ref(const TreeNode& n, NodeRef ref) {
  if (n.ref == ref) return &n;
  for (const TreeNode& c : n.children)
    if (const TreeNode* f = find_ref(c, ref)) return f;
  return nullptr;
}

void add_lines(const TreeNode& n, int depth, std::vector<std::string>& out) {
  std::string line(static_cast<std::size_t>(2 * depth), ' ');
  line += "[" + node_ref_text(n.ref) + "] " + n.label;
  switch (n.kind) {
    case TreeNodeKind::UnivariateProject: line += " (univariate)"; break;
    case TreeNodeKind::MultivariateProject: line += " (multivariate)"; break;
    case TreeNodeKind::Series:
      if (n.ref.component > 0 && !n.active) line += " (inactive)";
      break;
    case TreeNodeKind::Root: break;
  }
  out.push_back(std::move(line));
  for (const TreeNode& c : n.children) add_lines(c, depth + 1, out);
}

}  // namespace

std::optional<NodeRef> parse_node_ref(std::string_view text) {
  NodeRef r;
  const std::size_t dot = text.find('.');
  if (!parse_int(text.substr(0, dot), r.entry)) return std::nullopt;
  if (dot != std::string_view::npos && (!parse_int(text.substr(dot + 1), r.component) || r.component == 0))
    return std::nullopt;
  if (r.entry == 0 && r.component != 0) return std::nullopt;
  return r;
}

std::string node_ref_text(NodeRef ref) {
  std::string t = std::to_string(ref.entry);
  if (ref.component > 0) t += "." + std::to_string(ref.component);
  return t;
}

const TreeNode* find_tree_node(const TreeNode& root, std::string_view ref_or_label) {
  if (auto ref = parse_node_ref(ref_or_label))
    if (const TreeNode* n = find_ref(root, *ref)) return n;
  return find_in(root, ref_or_label);
}

std::vector<std::string> tree_lines(const TreeNode& root) {
  std::vector<std::string> out;
  add_lines(root, 0, out);
  return out;
}

const char* tree_popup_name(TreeNodeKind kind) {
  switch (kind) {
    case TreeNodeKind::Root: return "Tree ZELK Right-Click";
    case TreeNodeKind::Series: return "Tree Series Right-Click";
    default: return "Tree Project Right-Click";
  }
}

}  // namespace zelk
