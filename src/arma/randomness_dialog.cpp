#include "arma/randomness_dialog.h"

#include <string>

#include "plot/format.h"
#include "port/port.h"
#include "arma/randomness.h"

namespace zelk {

RandomnessDialog::RandomnessDialog(RandomnessSettings& settings)
    : Dialog("Tests of Randomness"), settings_(settings) {
  const int suggested = default_randomness_lag(settings.f, settings.n);
  add(ControlKind::Static, "about", "").text =
      "Input the value of h for the two portmanteau tests (Ljung-Box test for iid residuals and McLeod-Li test "
      "for iid Gaussian residuals).";
  // The line shows "<" although both ends are accepted.
  add(ControlKind::Static, "range", "").text = "Enter value of h, " + std::to_string(settings.f) + " < h < " +
                                              std::to_string(max_randomness_lag(settings.n));
  add(ControlKind::Static, "suggested", "").text = "Suggested value is " + std::to_string(suggested);
  add(ControlKind::Edit, "h", "h").text = std::to_string(suggested);
  set_focus("h");
}

bool RandomnessDialog::accept(UiPort& port) {
  const auto h = read_integer(control("h").text);
  if (!h || *h < settings_.f || *h > max_randomness_lag(settings_.n)) {
    port.message("ERROR", " h out of range. Try again.");
    set_focus("h");
    return false;
  }
  settings_.h = static_cast<int>(*h);
  return true;
}

}  // namespace zelk
