// The frame's recent-files list and its part in long work.
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

#include "gui/frame.h"
#include "port/commands.h"

namespace zelk {

// Both File menus get the list, just above Exit.
void MainFrame::add_recent_menus() {
  for (auto& [kind, set] : menus_) {
    if (set.tops.empty()) continue;
    QMenu* file = set.tops.front();
    QAction* exit = nullptr;
    for (QAction* a : file->actions())
      if (a->data().toInt() == cmd::Exit) exit = a;
    auto* recent = new QMenu(QStringLiteral("Recent &Files"), file);
    recent->setObjectName(QStringLiteral("RecentFiles"));
    file->insertMenu(exit, recent);
    file->insertSeparator(exit);
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fill_recent_menu(recent); });
  }
}

void MainFrame::fill_recent_menu(QMenu* menu) {
  menu->clear();
  const std::vector<RecentFile> files = recent_.load();
  if (files.empty()) {
    menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
    return;
  }
  int number = 1;
  for (const RecentFile& f : files) {
    QString name = QFileInfo(f.path).fileName();
    name.replace('&', QStringLiteral("&&"));
    QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(name));
    a->setToolTip(f.path);
    a->setStatusTip(f.path);
    connect(a, &QAction::triggered, this, [this, f] { QTimer::singleShot(0, this, [this, f] { open_recent(f); }); });
  }
}

void MainFrame::open_recent(const RecentFile& file) {
  if (work_ && work_->active()) return;
  if (!QFileInfo(file.path).isFile()) {
    recent_.remove(file.path);
    port_.message("Recent Files",
                  ("The file " + file.path + " no longer exists; it was removed from the list.").toStdString(),
                  Buttons::Ok);
    return;
  }
  // Open asks for the project kind and the file: both are known.
  ScriptedPort presets;
  const bool multivariate = file.use == FileUse::MultivariateProject;
  presets.queue_dialog({"Create New Project ", {{multivariate ? "multivariate" : "univariate", "on"}}});
  presets.queue_file(file.path.toStdString());
  port_.set_presets(&presets);
  dispatch(cmd::Open);
  port_.set_presets(nullptr);
}

void MainFrame::file_used(std::string_view path, FileUse use) {
  recent_.add(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())), use);
}

bool MainFrame::progress(int) { return work_ ? work_->step() : true; }
void MainFrame::progress_note(std::string_view text) {
  if (work_) work_->note(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace zelk
