#include "gui/dialog_view.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <gtest/gtest.h>

#include "gui/picture_widget.h"
#include "gui/qt_port.h"
#include "qt_app.h"
#include "port/scripted_port.h"
#include "shell/colour_dialog.h"

namespace zelk {
namespace {

// A dialog with one control of every kind and handlers that count their calls.
class EveryKind : public Dialog {
 public:
  EveryKind() : Dialog("Every Kind") {
    add(ControlKind::Edit, "lag", "Enter lag:").text = "12";
    add(ControlKind::Check, "log", "Log scale");
    add(ControlKind::Group, "to", "To");
    add(ControlKind::Radio, "file", "File", "to");
    add(ControlKind::Radio, "clipboard", "Clipboard", "to").checked = true;
    Control& list = add(ControlKind::List, "series", "Series");
    list.items = {"a", "b", "c"};
    list.selection = {1};
    add(ControlKind::MultiList, "active", "Active").items = {"x", "y", "z"};
    Control& slider = add(ControlKind::Slider, "weight", "Weight");
    slider.min = 1;
    slider.max = 9;
    slider.value = 3;
    add(ControlKind::Combo, "window", "Window").items = {"Daniell", "Bartlett"};
    add(ControlKind::Tab, "tabs", "").items = {"One", "Two"};
    add(ControlKind::Button, "next", "Next Plot");
    add(ControlKind::Static, "note", "").text = "Nothing yet";
    add(ControlKind::Picture, "preview", "");
  }

  bool field_changed(std::string_view key, UiPort& port) override {
    changes.emplace_back(key);
    if (key == "lag" && control("lag").text == "abc") {
      port.message("ZELK Error", " Lag must be an integer");
      set_focus("lag");
      return false;
    }
    if (key == "log") control("note").text = control("log").checked ? "log on" : "log off";
    return true;
  }
  void button_pressed(std::string_view key, UiPort&) override {
    presses.emplace_back(key);
    control("lag").text = "24";  // the view must show this without calling field_changed
  }
  bool accept(UiPort&) override { return ++accepts > 1; }
  std::optional<DisplayList> picture(std::string_view, double w, double h) override {
    ++pictures;
    DisplayList d;
    d.width = w;
    d.height = h;
    d.background = Rgb{10, 20, 30};
    return d;
  }

  std::vector<std::string> changes, presses;
  int accepts = 0;
  int pictures = 0;
};

class DialogViewTest : public ::testing::Test {
 protected:
  void SetUp() override { test::qt_app(); }
  ScriptedPort port;
  EveryKind dialog;
};

TEST_F(DialogViewTest, BuildsAWidgetOfTheRightKindForEveryControl) {
  DialogView view(dialog, port);
  EXPECT_EQ(view.windowTitle(), "Every Kind");
  auto* lag = qobject_cast<QLineEdit*>(view.widget_for("lag"));
  ASSERT_TRUE(lag);
  EXPECT_EQ(lag->text(), "12");
  EXPECT_TRUE(qobject_cast<QCheckBox*>(view.widget_for("log")));
  auto* box = qobject_cast<QGroupBox*>(view.widget_for("to"));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title(), "To");
  auto* clip = qobject_cast<QRadioButton*>(view.widget_for("clipboard"));
  ASSERT_TRUE(clip);
  EXPECT_TRUE(clip->isChecked());
  EXPECT_TRUE(box->isAncestorOf(clip));  // radios sit in the box their group names
  auto* series = qobject_cast<QListWidget*>(view.widget_for("series"));
  ASSERT_TRUE(series);
  EXPECT_EQ(series->count(), 3);
  EXPECT_EQ(series->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_TRUE(series->item(1)->isSelected());
  auto* active = qobject_cast<QListWidget*>(view.widget_for("active"));
  ASSERT_TRUE(active);
  EXPECT_EQ(active->selectionMode(), QAbstractItemView::ExtendedSelection);
  auto* weight = view.widget_for("weight")->findChild<QSlider*>();
  ASSERT_TRUE(weight);
  EXPECT_EQ(weight->minimum(), 1);
  EXPECT_EQ(weight->maximum(), 9);
  EXPECT_EQ(weight->value(), 3);
  EXPECT_EQ(qobject_cast<QComboBox*>(view.widget_for("window"))->count(), 2);
  EXPECT_EQ(qobject_cast<QTabBar*>(view.widget_for("tabs"))->count(), 2);
  EXPECT_EQ(qobject_cast<QPushButton*>(view.widget_for("next"))->text(), "Next Plot");
  EXPECT_EQ(qobject_cast<QLabel*>(view.widget_for("note"))->text(), "Nothing yet");
  EXPECT_TRUE(qobject_cast<PictureWidget*>(view.widget_for("preview")));
  EXPECT_EQ(view.ok_button()->text(), "OK");
  ASSERT_TRUE(view.cancel_button());
  EXPECT_EQ(view.cancel_button()->text(), "Cancel");
}

TEST_F(DialogViewTest, UserChangesReachTheDialogAndItsAnswerIsShown) {
  DialogView view(dialog, port);
  qobject_cast<QCheckBox*>(view.widget_for("log"))->click();
  EXPECT_TRUE(dialog.control("log").checked);
  EXPECT_EQ(qobject_cast<QLabel*>(view.widget_for("note"))->text(), "log on");

  qobject_cast<QRadioButton*>(view.widget_for("file"))->click();
  EXPECT_TRUE(dialog.control("file").checked);
  EXPECT_FALSE(dialog.control("clipboard").checked);

  auto* active = qobject_cast<QListWidget*>(view.widget_for("active"));
  active->item(0)->setSelected(true);
  active->item(2)->setSelected(true);
  EXPECT_EQ(dialog.control("active").selection, (std::vector<int>{0, 2}));

  view.widget_for("weight")->findChild<QSlider*>()->setValue(7);
  EXPECT_EQ(dialog.control("weight").value, 7);
  qobject_cast<QComboBox*>(view.widget_for("window"))->setCurrentIndex(1);
  EXPECT_EQ(dialog.control("window").selection, (std::vector<int>{1}));
  EXPECT_EQ(dialog.changes, (std::vector<std::string>{"log", "file", "active", "active", "weight", "window"}));
}

TEST_F(DialogViewTest, RefreshingWidgetsFromTheDialogFiresNoHandlers) {
  DialogView view(dialog, port);
  dialog.changes.clear();
  qobject_cast<QPushButton*>(view.widget_for("next"))->click();
  EXPECT_EQ(dialog.presses, (std::vector<std::string>{"next"}));
  EXPECT_EQ(qobject_cast<QLineEdit*>(view.widget_for("lag"))->text(), "24");
  EXPECT_TRUE(dialog.changes.empty());
}

TEST_F(DialogViewTest, EnterOnARefusedFieldShowsTheMessageAndKeepsTheDialogOpen) {
  DialogView view(dialog, port);
  view.show();
  auto* lag = qobject_cast<QLineEdit*>(view.widget_for("lag"));
  lag->setFocus();
  lag->setText("abc");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&view, &enter);
  EXPECT_EQ(dialog.control("lag").text, "abc");
  ASSERT_EQ(port.shown().size(), 1u);
  EXPECT_NE(port.shown()[0].find(" Lag must be an integer"), std::string::npos);
  EXPECT_TRUE(view.isVisible());
  EXPECT_EQ(dialog.accepts, 0);
  view.hide();
}

TEST_F(DialogViewTest, OkAsksTheDialogAndClosesOnlyWhenItAgrees) {
  DialogView view(dialog, port);
  view.show();
  view.press_ok();  // the first accept() refuses
  EXPECT_EQ(dialog.accepts, 1);
  EXPECT_TRUE(view.isVisible());
  view.press_ok();
  EXPECT_EQ(dialog.accepts, 2);
  EXPECT_EQ(view.result(), QDialog::Accepted);
}

TEST_F(DialogViewTest, PreviewsComeFromTheDialogAtTheWidgetsSize) {
  DialogView view(dialog, port);
  view.show();
  auto* preview = view.widget_for("preview");
  const QImage shot = preview->grab().toImage();
  EXPECT_GT(dialog.pictures, 0);
  EXPECT_EQ(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(10, 20, 30));
  view.hide();
}

TEST_F(DialogViewTest, ChooseColorRedrawsTheCheckedSwatchInTheChosenColour) {
  ColourTable table = ColourTable::defaults();
  ColourDialog colours(table);
  QtPort qt;
  qt.set_answers(&port);
  port.queue_colour(0x20C040);
  DialogView view(colours, qt);
  view.show();
  qobject_cast<QRadioButton*>(view.widget_for("colour2"))->click();
  qobject_cast<QPushButton*>(view.widget_for("choose"))->click();
  EXPECT_EQ(table.pane[1], (Rgb{0x20, 0xC0, 0x40}));
  // The second of seven rows, right of its label: the swatch of "#2".
  const QImage shot = view.widget_for("swatches")->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(shot.width() * 3 / 4, shot.height() * 3 / 14)), QColor(0x20, 0xC0, 0x40));
  view.reject();
  EXPECT_EQ(table, ColourTable::defaults());
}

TEST(FileDialogFilter, MatchesBothCasesOfEachPattern) {
  EXPECT_EQ(file_dialog_filter({{"ZELK Files (*.ZLK)", "*.ZLK"}, {"All Files (*.*)", "*.*"}}),
            "ZELK Files (*.ZLK *.zlk);;All Files (*.*)");
  EXPECT_EQ(file_dialog_filter({{"Data", "*.dat;*.txt"}}), "Data (*.dat *.DAT *.txt *.TXT)");
}

}  // namespace
}  // namespace zelk
