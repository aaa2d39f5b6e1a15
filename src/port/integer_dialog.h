#pragma once
// A dialog of one integer field ("Specify Lag", "Specify Histogram Bins",
// "Difference the series"). OK reads the field; the check decides whether
// the value is taken or the dialog stays open (after its own message, if any).
#include <functional>
#include <optional>
#include <string>

#include "plot/format.h"
#include "port/dialog.h"

namespace zelk {

class IntegerDialog : public Dialog {
 public:
  // Unreadable text arrives as nullopt.
  using Check = std::function<bool(std::optional<long long>, UiPort&)>;

  IntegerDialog(std::string title, std::string label, long long initial, Check check)
      : Dialog(std::move(title)), check_(std::move(check)) {
    add(ControlKind::Edit, "value", label).text = std::to_string(initial);
    set_focus("value");
  }

  bool accept(UiPort& port) override {
    const std::optional<long long> v = read_integer(control("value").text);
    if (check_ && !check_(v, port)) {
      set_focus("value");
      return false;
    }
    value_ = v;
    return v.has_value();
  }

  long long value() const { return value_.value_or(0); }

 private:
  Check check_;
  std::optional<long long> value_;
};

}  // namespace zelk
