#include "gui/project_editor_view.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "port/commands.h"
#include "shell/command_table.h"

namespace zelk {
namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr int kComponentRole = Qt::UserRole + 1;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QIcon icon_for(TreeNodeKind kind) {
  QStyle* st = QApplication::style();
  switch (kind) {
    case TreeNodeKind::Root: return st->standardIcon(QStyle::SP_ComputerIcon);
    case TreeNodeKind::UnivariateProject: return st->standardIcon(QStyle::SP_FileIcon);
    case TreeNodeKind::MultivariateProject: return st->standardIcon(QStyle::SP_DirIcon);
    case TreeNodeKind::Series: return st->standardIcon(QStyle::SP_FileDialogDetailedView);
  }
  return {};
}

QTreeWidgetItem* make_item(const TreeNode& n, const TreeEditor& editor) {
  auto* item = new QTreeWidgetItem(QStringList{qs(n.label)});
  item->setIcon(0, icon_for(n.kind));
  item->setData(0, kEntryRole, n.ref.entry);
  item->setData(0, kComponentRole, n.ref.component);
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editor.editable(n.ref)) f |= Qt::ItemIsEditable;
  if (editor.draggable(n.ref)) f |= Qt::ItemIsDragEnabled;
  if (n.ref.is_project()) f |= Qt::ItemIsDropEnabled;
  item->setFlags(f);
  if (n.kind == TreeNodeKind::Series && !n.active) item->setForeground(0, QApplication::palette().color(QPalette::Disabled, QPalette::Text));
  for (const TreeNode& c : n.children) item->addChild(make_item(c, editor));
  return item;
}

}  // namespace

EditorTree::EditorTree(TreeEditor& editor, QWidget* parent) : QTreeWidget(parent), editor_(editor) {
  setHeaderHidden(true);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

NodeRef EditorTree::ref(const QTreeWidgetItem* item) {
  if (!item) return {};
  return {item->data(0, kEntryRole).toInt(), item->data(0, kComponentRole).toInt()};
}

void EditorTree::startDrag(Qt::DropActions actions) {
  dragged_ = ref(currentItem());
  dragging_ = dragged_.is_series();
  if (dragging_) QTreeWidget::startDrag(actions);
  dragging_ = false;
}

bool EditorTree::can_drop_at(const QPoint& pos) const {
  const QTreeWidgetItem* target = itemAt(pos);
  return dragging_ && target && editor_.accepts_drop(dragged_, ref(target));
}

void EditorTree::dragMoveEvent(QDragMoveEvent* event) {
  QTreeWidget::dragMoveEvent(event);
  if (can_drop_at(event->position().toPoint())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void EditorTree::dropEvent(QDropEvent* event) {
  // The editor moves the data and the tree is rebuilt from it: Qt must not
  // move the item itself.
  const QPoint pos = event->position().toPoint();
  if (!can_drop_at(pos)) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  const NodeRef target = ref(itemAt(pos));
  const NodeRef source = dragged_;
  // The question is asked once the drag has ended.
  QTimer::singleShot(0, this, [this, source, target] { Q_EMIT series_dropped(source, target); });
}

ProjectEditorView::ProjectEditorView(TreeEditor& editor, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), editor_(editor), changed_(std::move(changed)) {
  setWindowTitle(qs(editor.title()));
  setModal(false);
  setObjectName(QStringLiteral("ProjectEditor"));
  tree_ = new EditorTree(editor, this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  layout->addWidget(buttons);
  resize(320, 360);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) { label_edited(item); });
  connect(tree_, &QWidget::customContextMenuRequested, this, &ProjectEditorView::popup);
  connect(tree_, &EditorTree::series_dropped, this, &ProjectEditorView::dropped);
  rebuild();
}

void ProjectEditorView::done(int result) {
  // OK and Cancel alike: what was changed stays.
  editor_.close();
  QDialog::done(result);
}

void ProjectEditorView::schedule_rebuild() {
  if (rebuild_queued_) return;
  rebuild_queued_ = true;
  QTimer::singleShot(0, this, [this] { rebuild(); });
}

void ProjectEditorView::rebuild() {
  rebuild_queued_ = false;
  // An edit under way would lose its text.
  if (tree_->editing()) return;
  building_ = true;
  const NodeRef selected = EditorTree::ref(tree_->currentItem());
  tree_->clear();
  QTreeWidgetItem* root = make_item(editor_.tree(), editor_);
  tree_->addTopLevelItem(root);
  tree_->expandAll();
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if (EditorTree::ref(*it) == selected) tree_->setCurrentItem(*it);
  building_ = false;
}

void ProjectEditorView::label_edited(QTreeWidgetItem* item) {
  if (building_) return;
  const NodeRef node = EditorTree::ref(item);
  editor_.rename(node, item->text(0).toStdString());
  if (changed_) changed_();
  schedule_rebuild();  // a label not taken shows its old text again
}

void ProjectEditorView::dropped(NodeRef series, NodeRef project) {
  if (editor_.move(series, project) && changed_) changed_();
  schedule_rebuild();
}

void ProjectEditorView::popup(const QPoint& pos) {
  QTreeWidgetItem* item = tree_->itemAt(pos);
  if (!item) return;
  const NodeRef node = EditorTree::ref(item);
  const TreeNode whole = editor_.tree();
  const TreeNode* n = find_tree_node(whole, node_ref_text(node));
  if (!n) return;
  const MenuItem* items = right_menu(tree_popup_name(n->kind));
  if (!items) return;
  bool component = false;  // only a multivariate project's series has an active flag
  for (const TreeNode& p : whole.children)
    if (p.ref.entry == node.entry) component = node.is_series() && p.kind == TreeNodeKind::MultivariateProject;
  QMenu menu(this);
  for (const MenuItem& m : items->items) {
    if (m.separator) {
      menu.addSeparator();
      continue;
    }
    QAction* a = menu.addAction(qs(m.text));
    a->setData(m.id);
    // Close, Save and New Project are offered but not carried out here.
    a->setEnabled((m.id == cmd::TreeActive && component) || m.id == cmd::Tile || m.id == cmd::Cascade);
    if (m.id == cmd::TreeActive) {
      a->setCheckable(true);
      a->setChecked(n->active);
    }
  }
  QAction* chosen = menu.exec(tree_->viewport()->mapToGlobal(pos));
  if (!chosen) return;
  editor_.popup_command(node, chosen->data().toInt());
  if (changed_) changed_();
  schedule_rebuild();
}

}  // namespace zelk
