#pragma once
// Dialogs as data: a title, controls with stable keys and the labels the
// program shows, and handlers that carry the validation rules. One generic
// renderer shows any dialog; scripts and tests drive it by key or label.
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/display_list.h"

namespace zelk {

class UiPort;

enum class ControlKind { Edit, Check, Radio, List, MultiList, Slider, Combo, Tab, Group, Button, Static, Picture };

const char* control_kind_name(ControlKind kind);

struct Control {
  std::string key;
  std::string label;  // the program's text, blanks kept
  ControlKind kind = ControlKind::Static;
  std::string text;   // edit text; static text
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::string group;  // radio group / enclosing group box key
  std::vector<std::string> items;  // list, combo, tab
  std::vector<int> selection;      // 0-based selected items
  int value = 0, min = 0, max = 100;  // slider
};

class Dialog {
 public:
  explicit Dialog(std::string title) : title_(std::move(title)) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  const std::string& title() const { return title_; }
  std::deque<Control>& controls() { return controls_; }
  const std::deque<Control>& controls() const { return controls_; }

  // By key first, then by label (case-insensitive, surrounding blanks ignored).
  Control* find(std::string_view key_or_label);
  Control& control(std::string_view key);  // throws std::out_of_range
  const Control& control(std::string_view key) const;

  // Sets a control from a script value: edits take the text, check boxes and
  // radio buttons on/off, lists 1-based item numbers, sliders an integer.
  // Returns false with `why` when the value does not suit the control.
  bool set_from_text(Control& c, std::string_view value, std::string* why);

  // Events. A handler that refuses an entry shows its message through the
  // port, sets focus() to the offending control and returns false.
  virtual bool field_changed(std::string_view /*key*/, UiPort& /*port*/) { return true; }
  virtual void button_pressed(std::string_view /*key*/, UiPort& /*port*/) {}
  virtual void enter_pressed(std::string_view /*key*/, UiPort& /*port*/) {}
  virtual bool accept(UiPort& /*port*/) { return true; }  // OK
  virtual void cancelled(UiPort& /*port*/) {}
  // Live preview for Picture controls.
  virtual std::optional<DisplayList> picture(std::string_view /*key*/, double /*w*/, double /*h*/) {
    return std::nullopt;
  }

  const std::string& focus() const { return focus_; }
  void set_focus(std::string key) { focus_ = std::move(key); }
  // Text of the default and cancel buttons.
  virtual std::string ok_label() const { return "OK"; }
  virtual std::string cancel_label() const { return "Cancel"; }
  virtual bool has_cancel() const { return true; }

 protected:
  Control& add(ControlKind kind, std::string key, std::string label, std::string group = {});
  // Checks one radio button of a group and clears the others.
  void check_radio(Control& c);

 private:
  std::string title_;
  // A deque: the reference add() returns stays valid while more controls are added.
  std::deque<Control> controls_;
  std::string focus_;
};

// Case-insensitive comparison ignoring surrounding blanks, used for titles,
// labels and captions.
bool same_text(std::string_view a, std::string_view b);

}  // namespace zelk
