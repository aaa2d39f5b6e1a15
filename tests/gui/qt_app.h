#pragma once
// One QApplication for all Qt tests of this program (offscreen platform).
#include <QApplication>
#include <cstdlib>

namespace zelk::test {

inline QApplication& qt_app() {
  static int argc = 1;
  static char name[] = "zelk_gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace zelk::test
