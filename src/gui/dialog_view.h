#pragma once
// The one Qt view of any core dialog: lays its controls out by kind, forwards
// every user action to the dialog's handlers and shows the controls' state
// again after each handler. The handlers hold all the rules.
#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "port/dialog.h"

class QButtonGroup;
class QFormLayout;
class QGridLayout;
class QLabel;
class QPushButton;

namespace zelk {

class UiPort;

class DialogView : public QDialog {
  Q_OBJECT
 public:
  DialogView(Dialog& dialog, UiPort& port, QWidget* parent = nullptr);

  // The widget that shows a control (its object name is the key), or null.
  QWidget* widget_for(const std::string& key) const;
  QPushButton* ok_button() const { return ok_; }
  QPushButton* cancel_button() const { return cancel_; }

  // Clicks OK as the user would: the focused field is checked first.
  void press_ok();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 public Q_SLOTS:
  void reject() override;

 private:
  // Long lists of radio buttons or check boxes go in two columns.
  struct Columns {
    QGridLayout* grid = nullptr;
    int count = 0, placed = 0;
  };
  struct Entry {
    std::size_t index = 0;  // into dialog.controls()
    QWidget* widget = nullptr;
    QLabel* label = nullptr;
  };

  void build();
  void place(std::size_t index, QFormLayout* form);
  void place_in_column(std::size_t index, Columns& columns);
  QWidget* make_widget(std::size_t index, QLabel*& label);
  Control* control_at(std::size_t index);
  const Entry* entry_of(const QWidget* w) const;

  // Runs field_changed for a control; false when the entry was refused.
  bool validate(std::size_t index);
  void changed(std::size_t index);  // non-edit controls
  void pressed(std::size_t index);  // buttons
  void refresh();
  void focus_control(const std::string& key);
  void after_handler(const std::string& fallback_focus);

  Dialog& dialog_;
  UiPort& port_;
  std::vector<Entry> entries_;
  std::map<std::string, QFormLayout*> groups_;
  std::map<std::string, Columns> columns_;
  std::map<std::string, QButtonGroup*> radio_groups_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool busy_ = false;      // a handler runs: widget updates are not user actions
  bool refused_ = false;   // the last field check failed; its focus is back on the field
  bool skip_focus_out_ = false;
};

}  // namespace zelk
