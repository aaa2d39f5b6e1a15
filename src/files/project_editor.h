#pragma once
// The project editor's work on the open projects: a label edited in the tree
// renames its project or series, a series dropped on another project moves
// its values there, and "&Active" switches a component in or out of the
// multivariate analyses.
#include <cstddef>

#include "port/project_tree.h"

namespace zelk {

struct Session;

// Characters of an edited series label that become the series name.
inline constexpr std::size_t kEditedSeriesNameLength = 100;

class ProjectEditor : public TreeEditor {
 public:
  explicit ProjectEditor(Session& s) : s_(s) {}

  TreeNode tree() const override;
  bool editable(NodeRef node) const override;
  bool accepts_drop(NodeRef source, NodeRef target) const override;
  // An empty label is not taken: the node keeps its name.
  bool rename(NodeRef node, std::string_view label) override;
  // After "Confirm data transfer": onto a univariate project the series
  // becomes its data and its series name; onto a multivariate project it is
  // added as a new component. A multivariate target must have no
  // transformations (their undo has nothing to restore the new component
  // with), room for one more component and, when it has data, the same
  // length; otherwise the move is refused with a message before the question.
  bool move(NodeRef series, NodeRef project) override;
  void popup_command(NodeRef node, int command) override;

 private:
  bool exists(NodeRef node) const;
  Session& s_;
};

// "Project Editor": opens the modeless editor, or brings it forward.
void open_project_editor(Session& s);

}  // namespace zelk
