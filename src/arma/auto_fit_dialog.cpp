#include "arma/auto_fit_dialog.h"

#include "plot/format.h"
#include "port/port.h"

namespace zelk {

AutoFitDialog::AutoFitDialog(AutoFitSettings& settings) : Dialog("Auto-fit (min AICC)"), settings_(settings) {
  const AutoFitOptions& o = settings.options;
  add(ControlKind::Edit, "max_p", "Largest AR order p").text = std::to_string(o.max_p);
  add(ControlKind::Edit, "max_q", "Largest MA order q").text = std::to_string(o.max_q);
  add(ControlKind::Group, "criterion", "Criterion");
  add(ControlKind::Radio, "ml", "Maximum likelihood", "criterion").checked = !o.least_squares;
  add(ControlKind::Radio, "ls", "Least squares", "criterion").checked = o.least_squares;
  add(ControlKind::Check, "keep_table", "Keep the table of every candidate").checked = settings.keep_table;
  set_focus("max_p");
}

bool AutoFitDialog::read_order(std::string_view key, UiPort& port, int& order) {
  const auto v = read_integer(control(key).text);
  if (!v || *v < 0 || *v > kMaxArmaOrder) {
    port.message("ERROR", key == "max_p" ? " p must be between 0 and 27" : " q must be between 0 and 27");
    set_focus(std::string(key));
    return false;
  }
  order = static_cast<int>(*v);
  return true;
}

bool AutoFitDialog::field_changed(std::string_view key, UiPort& port) {
  int order = 0;
  if (key == "max_p" || key == "max_q") return read_order(key, port, order);
  return true;
}

bool AutoFitDialog::accept(UiPort& port) {
  int p = 0, q = 0;
  if (!read_order("max_p", port, p) || !read_order("max_q", port, q)) return false;
  if (p + q > kMaxArmaOrder) {
    port.message("ERROR", " p + q must be at most 27");
    set_focus("max_q");
    return false;
  }
  settings_.options.max_p = p;
  settings_.options.max_q = q;
  settings_.options.least_squares = control("ls").checked;
  settings_.keep_table = control("keep_table").checked;
  return true;
}

}  // namespace zelk
