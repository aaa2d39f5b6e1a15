#pragma once
// "Select Subsequence": a range of time indices within [first, last], with
// first below last. Univariate and multivariate projects word the refusal
// under their own title.
#include <string>

#include "plot/format.h"
#include "port/dialog.h"
#include "port/port.h"

namespace zelk {

class SubsequenceDialog : public Dialog {
 public:
  SubsequenceDialog(int first, int last, std::string error_title)
      : Dialog("Select Subsequence"), first_(first), last_(last), error_title_(std::move(error_title)) {
    add(ControlKind::Group, "time", "Time Index:");
    add(ControlKind::Edit, "min", "Min", "time").text = std::to_string(first);
    add(ControlKind::Edit, "max", "Max", "time").text = std::to_string(last);
    set_focus("min");
  }
  bool accept(UiPort& port) override {
    const auto a = read_integer(control("min").text), b = read_integer(control("max").text);
    if (!a || !b || *a < first_ || *a >= *b || *b > last_) {
      port.message(error_title_, "Select a subsequence in [" + std::to_string(first_) + "," + std::to_string(last_) + "]",
                   Buttons::Ok);
      set_focus("min");
      return false;
    }
    a_ = static_cast<int>(*a);
    b_ = static_cast<int>(*b);
    return true;
  }
  int a() const { return a_; }
  int b() const { return b_; }

 private:
  int first_, last_, a_ = 0, b_ = 0;
  std::string error_title_;
};

}  // namespace zelk
