// The tool bar from the shell's entries, and the status bar's three parts.
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "gui/frame.h"
#include "gui/help_viewer.h"
#include "gui/images.h"
#include "shell/command_table.h"

namespace zelk {

void MainFrame::rebuild_toolbar() {
  // Old actions may be the one whose click got us here: delete them later.
  const QList<QAction*> old = toolbar_->actions();
  toolbar_->clear();
  for (QAction* a : old) a->deleteLater();
  for (const ToolbarEntry& e : app_->toolbar()) {
    if (e.separator) {
      toolbar_->addSeparator();
      continue;
    }
    const QIcon icon = e.image >= 0 ? application_icon(e.image) : standard_icon(e.standard, style());
    std::string tip = app_->tooltip(e.id);
    if (tip.empty())
      if (const CommandSpec* c = find_command(e.id)) tip = plain_text(c->text);
    auto* action = new QAction(icon, QString::fromStdString(tip), toolbar_);
    action->setToolTip(QString::fromStdString(tip));
    action->setData(e.id);
    action->setEnabled(e.enabled);
    const int id = e.id;
    connect(action, &QAction::triggered, this, [this, id] { queue_dispatch(id); });
    toolbar_->addAction(action);
  }
}

// The parts end at one third and two thirds of the frame's width; the last
// reaches the right edge.
void MainFrame::layout_status() {
  if (!status_[0]) return;
  const int w = width();
  status_[0]->setFixedWidth(w / 3);
  status_[1]->setFixedWidth(w * 2 / 3 - w / 3);
}

}  // namespace zelk
