#pragma once
// The project editor's window: a tree of projects and series over the core's
// TreeEditor. Label edits, drops and popup commands go to the editor; the
// tree is then rebuilt from it. The view keeps no state of its own.
#include <QDialog>
#include <QTreeWidget>
#include <functional>

#include "port/project_tree.h"

namespace zelk {

class EditorTree : public QTreeWidget {
  Q_OBJECT
 public:
  EditorTree(TreeEditor& editor, QWidget* parent);
  static NodeRef ref(const QTreeWidgetItem* item);
  bool editing() const { return state() == EditingState; }

 Q_SIGNALS:
  void series_dropped(zelk::NodeRef series, zelk::NodeRef project);

 protected:
  void startDrag(Qt::DropActions actions) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool can_drop_at(const QPoint& pos) const;
  TreeEditor& editor_;
  NodeRef dragged_;
  bool dragging_ = false;
};

class ProjectEditorView : public QDialog {
  Q_OBJECT
 public:
  // `changed` runs after every action that may have changed the projects.
  ProjectEditorView(TreeEditor& editor, std::function<void()> changed, QWidget* parent);
  // Rebuilds the tree once control returns to the event loop: never from
  // inside the tree's own signal or drop handling.
  void schedule_rebuild();
  void rebuild();
  QTreeWidget* tree() const { return tree_; }

 protected:
  void done(int result) override;

 private:
  void label_edited(QTreeWidgetItem* item);
  void popup(const QPoint& pos);
  void dropped(NodeRef series, NodeRef project);

  TreeEditor& editor_;
  std::function<void()> changed_;
  EditorTree* tree_ = nullptr;
  bool building_ = false;  // item changes made by rebuild() are not edits
  bool rebuild_queued_ = false;
};

}  // namespace zelk
