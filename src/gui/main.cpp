// zelk: the desktop program.
#include <QApplication>
#include <QTimer>

#include "gui/frame.h"
#include "gui/screenshot_script.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZELK 2000"));
  QApplication::setOrganizationName(QStringLiteral("ZELK"));  // where QSettings keeps recent files
  // Frame, menus, status bar "NONE", tool bar and an empty project table.
  zelk::MainFrame frame;
  frame.showMaximized();

  const QStringList args = QApplication::arguments();
  const qsizetype at = args.indexOf(QStringLiteral("--screenshot-script"));
  if (at >= 0 && at + 2 < args.size()) {
    int result = 0;
    QTimer::singleShot(0, &frame, [&] {
      result = zelk::run_screenshot_script(frame, args[at + 1], args[at + 2]);
      QApplication::exit(result);
    });
    return QApplication::exec() == 0 ? result : 1;
  }
  return QApplication::exec();
}
