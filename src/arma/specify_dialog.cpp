#include "arma/specify_dialog.h"

#include <cmath>

#include "arma/acvf.h"
#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

std::string five(double v) { return trim(format_decimals(v, 5)); }
std::string three(double v) { return trim(format_decimals(v, 3)); }

// Items of a comma-separated entry; a single value is the usual case.
std::vector<std::string> items_of(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(',', start);
    out.push_back(trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

}  // namespace

SpecifyModelDialog::SpecifyModelDialog(const ArmaModel& model) : Dialog("Specify Model"), m_(model) {
  if (!m_.fractional) {
    m_.d = 0;
    m_.M = 50;
  }
  ar_ = {"ar_order", "ar_list", "phi", "Phi", &m_.p, m_.phi.data()};
  ma_ = {"ma_order", "ma_list", "theta", "Theta", &m_.q, m_.theta.data()};
  add(ControlKind::Edit, "ar_order", "AR Order").text = std::to_string(m_.p);
  add(ControlKind::List, "ar_list", "AR Coefficients");
  add(ControlKind::Edit, "phi", "Phi");
  add(ControlKind::Edit, "ma_order", "MA Order").text = std::to_string(m_.q);
  add(ControlKind::List, "ma_list", "MA Coefficients");
  add(ControlKind::Edit, "theta", "Theta");
  add(ControlKind::Edit, "variance", "White Noise Variance").text = trim(format_decimals(m_.sigma2, 6));
  add(ControlKind::Check, "fractional", "Fractionally integrated model").checked = m_.fractional;
  add(ControlKind::Edit, "d", "d").text = three(m_.d);
  add(ControlKind::Edit, "M", "M").text = std::to_string(m_.M);
  add(ControlKind::Button, "causal_invertible", "Causal/Invertible");
  add(ControlKind::Static, "invertibility", "");
  add(ControlKind::Static, "causality", "");
  control("d").enabled = control("M").enabled = m_.fractional;
  rebuild(ar_);
  rebuild(ma_);
  set_focus("ar_order");
}

SpecifyModelDialog::Side& SpecifyModelDialog::side(std::string_view key) {
  return key == ma_.order_key || key == ma_.list_key || key == ma_.edit_key ? ma_ : ar_;
}

void SpecifyModelDialog::rebuild(Side& s) {
  Control& list = control(s.list_key);
  list.items.clear();
  for (int i = 1; i <= *s.order; ++i)
    list.items.push_back(std::string(s.name) + "(" + std::to_string(i) + ") = " + five(s.coef[i - 1]));
  list.enabled = control(s.edit_key).enabled = *s.order > 0;
  select(s, 0);
}

void SpecifyModelDialog::select(Side& s, int index) {
  Control& list = control(s.list_key);
  s.selected = *s.order > 0 ? index % *s.order : 0;
  list.selection.assign(1, s.selected);
  if (*s.order == 0) list.selection.clear();
  control(s.edit_key).text = *s.order > 0 ? five(s.coef[s.selected]) : "";
}

bool SpecifyModelDialog::order_changed(Side& s, UiPort& port) {
  Control& edit = control(s.order_key);
  const auto v = read_integer(edit.text);
  if (v && *v > kMaxArmaOrder)
    port.message("ZELK ERROR", &s == &ar_ ? "AR Order must be < 27" : "MA Order must be < 27");
  if (!v || *v < 0 || *v > kMaxArmaOrder) {
    edit.text = std::to_string(*s.order);
    set_focus(s.order_key);
    return false;
  }
  const int order = static_cast<int>(*v);
  for (int i = order; i < kMaxArmaOrder; ++i) s.coef[i] = 0;
  *s.order = order;
  rebuild(s);
  return true;
}

bool SpecifyModelDialog::coefficient_changed(Side& s) {
  if (*s.order == 0) return true;
  Control& edit = control(s.edit_key);
  // Several comma-separated values fill the coefficients from the selected
  // one on, as typing each and pressing Enter would.
  const auto items = items_of(edit.text);
  std::vector<double> values;
  for (const auto& item : items) {
    const auto v = read_number(item);
    if (!v) {
      edit.text = five(s.coef[s.selected]);
      set_focus(s.edit_key);
      return false;
    }
    values.push_back(*v == 0 ? 0.0 : *v);  // -0 is zero
  }
  Control& list = control(s.list_key);
  int at = s.selected;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k > 0) at = (at + 1) % *s.order;
    s.coef[at] = values[k];
    list.items[at] = std::string(s.name) + "(" + std::to_string(at + 1) + ") = " + five(values[k]);
  }
  s.selected = at;
  list.selection.assign(1, at);
  edit.text = five(s.coef[at]);
  return true;
}

bool SpecifyModelDialog::read_field(std::string_view key, UiPort& port) {
  auto refuse = [&](const char* text) {
    port.message("ZELK Error", text);
    set_focus(std::string(key));
    return false;
  };
  if (key == "variance") {
    const auto var = read_number(control("variance").text);
    if (!var || *var <= 0) return refuse("Variance must be positive");
    m_.sigma2 = *var;
  } else if (key == "d") {
    const auto d = read_number(control("d").text);
    if (!d || *d <= -0.5 || *d >= 0.5) return refuse("d must be between -.5 and .5");
    m_.d = *d;
  } else if (key == "M") {
    const auto M = read_integer(control("M").text);
    if (!M || *M < 50) return refuse("M must be at least 50.");
    // The fractional ACF costs of order M^2: keep it to a sane size.
    if (*M > 10000) return refuse("M must be at most 10000.");
    m_.M = static_cast<int>(*M);
  }
  return true;
}

bool SpecifyModelDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "ar_order" || key == "ma_order") return order_changed(side(key), port);
  if (key == "phi" || key == "theta") return coefficient_changed(side(key));
  if (key == "ar_list" || key == "ma_list") {
    Side& s = side(key);
    const Control& list = control(s.list_key);
    if (!list.selection.empty()) select(s, list.selection.front());
    return true;
  }
  if (key == "fractional") {
    m_.fractional = control("fractional").checked;
    control("d").enabled = control("M").enabled = m_.fractional;
    if (!m_.fractional) {
      m_.d = 0;
      m_.M = 50;
      control("d").text = three(0);
      control("M").text = "50";
    }
    return true;
  }
  if (key == "variance") return read_field(key, port);
  if (key == "d" || key == "M") return !m_.fractional || read_field(key, port);
  return true;
}

void SpecifyModelDialog::enter_pressed(std::string_view key, UiPort& port) {
  if (key == "ar_order" || key == "ma_order") {
    if (order_changed(side(key), port)) set_focus(side(key).edit_key);
    return;
  }
  if (key == "phi" || key == "theta") {
    Side& s = side(key);
    if (coefficient_changed(s) && *s.order > 0) select(s, s.selected + 1);
  }
}

void SpecifyModelDialog::button_pressed(std::string_view key, UiPort&) {
  if (key != "causal_invertible") return;
  control("invertibility").text = check_invertible({m_.theta.data(), static_cast<std::size_t>(m_.q)})
                                      ? "Invertible"
                                      : "Non - Invertible";
  control("causality").text =
      check_causal({m_.phi.data(), static_cast<std::size_t>(m_.p)}) ? "Causal" : "Non - Causal";
}

bool SpecifyModelDialog::accept(UiPort& port) {
  if (!read_field("variance", port)) return false;
  if (m_.fractional && (!read_field("d", port) || !read_field("M", port))) return false;
  if (m_.fractional && !check_invertible({m_.theta.data(), static_cast<std::size_t>(m_.q)})) {
    port.message("ZELK Error", "Model is not invertible");
    set_focus("theta");
    return false;
  }
  if (!check_causal({m_.phi.data(), static_cast<std::size_t>(m_.p)})) {
    port.message("ZELK Error", "Model is not causal");
    set_focus("phi");
    return false;
  }
  return true;
}

ArmaModel SpecifyModelDialog::result() const {
  ArmaModel m = m_;
  for (int i = m.p; i < kMaxArmaOrder; ++i) m.phi[i] = 0;
  for (int j = m.q; j < kMaxArmaOrder; ++j) m.theta[j] = 0;
  m.relation_count = 0;
  m.free_parameters.clear();
  for (int i = 1; i <= m.p + m.q; ++i)
    if (m.beta(i) != 0) m.free_parameters.push_back(i);
  return m;
}

}  // namespace zelk
