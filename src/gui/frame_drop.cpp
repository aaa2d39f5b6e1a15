// Files dropped on the frame are imported into the current project (a new
// one when none is open) by the command that reads them, through the same
// file chooser answer a user would give.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "gui/frame.h"
#include "port/commands.h"
#include "shell/dropped_file.h"

namespace zelk {
namespace {

QString dropped_file(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) return url.toLocalFile();
  return {};
}

}  // namespace

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!dropped_file(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  const QString path = dropped_file(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // After the drag has finished: the import may show dialogs.
  QTimer::singleShot(0, this, [this, path] { import_dropped_file(path.toStdString()); });
}

void MainFrame::import_dropped_file(const std::string& path) {
  if (app_->session().projects.current() == 0) dispatch(cmd::New);
  if (app_->session().projects.current() == 0) return;
  port_.answer_next_file(path);
  dispatch(import_command_for(path));
  port_.answer_next_file(std::nullopt);
}

}  // namespace zelk
