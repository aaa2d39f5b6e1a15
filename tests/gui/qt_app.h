#pragma once
// One QApplication for all Qt tests of this program (offscreen platform).
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <cstdlib>

namespace zelk::test {

inline QApplication& qt_app() {
  static int argc = 1;
  static char name[] = "zelk_gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto* a = new QApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ZELK tests"));
    // Remembered settings (recent files, number style) stay out of the user's
    // own, and out of the other test processes ctest runs beside this one.
    static const QString settings =
        QDir::tempPath() + QStringLiteral("/zelk_gui_tests_settings_%1").arg(QCoreApplication::applicationPid());
    QDir(settings).removeRecursively();
    std::atexit([] { QDir(settings).removeRecursively(); });
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    return a;
  }();
  return *app;
}

}  // namespace zelk::test
