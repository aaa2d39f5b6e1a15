#pragma once
// What a desktop user expects of the frame beyond the commands: the
// platform's shortcuts in the menus, the recent-files list and the number
// setting remembered between sessions, and a way to stop long work.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QElapsedTimer>
#include <vector>

#include "port/port.h"
#include "port/registry.h"

class QAction;
class QKeySequence;
class QLabel;
class QPushButton;
class QStatusBar;

namespace zelk {

// The platform's keys for a command's standard shortcut (none: empty).
QKeySequence standard_key_sequence(StandardShortcut shortcut);
// Gives a menu action the shortcut its command declares.
void apply_command_shortcut(QAction* action, int command_id);

// Files opened or saved, newest first, kept in the user's settings.
struct RecentFile {
  QString path;
  FileUse use = FileUse::UnivariateProject;
};
class RecentFiles {
 public:
  static constexpr int kMax = 8;
  std::vector<RecentFile> load() const;
  // Moves the file to the top (it may be there already) and saves.
  void add(const QString& path, FileUse use);
  void remove(const QString& path);

 private:
  void save(const std::vector<RecentFile>& files) const;
};

// The full-precision number setting, remembered with the user's settings.
bool load_full_precision();
void save_full_precision(bool on);

// While a command reports progress: a Cancel button in the status bar, Esc
// as Cancel, and no other input reaching the program (a command runs to its
// end before the next one starts).
class WorkGuard : public QObject {
 public:
  WorkGuard(QStatusBar* bar, QWidget* frame);
  // At every progress report: shows the button once the work has taken a
  // moment, lets the window system draw and the user press Cancel; false
  // once Cancel was pressed.
  bool step();
  // After the command: the button goes and input is let through again.
  void finish();
  bool active() const { return active_; }
  QPushButton* cancel_button() const { return button_; }
  void request_cancel() { cancelled_ = true; }
  // Shown beside the button while the work runs.
  void note(const QString& text);
  QLabel* note_label() const { return note_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* button_ = nullptr;  // a child of the status bar
  QLabel* note_ = nullptr;         // likewise
  QWidget* frame_;
  QElapsedTimer clock_;
  bool active_ = false;
  bool cancelled_ = false;
};

}  // namespace zelk
