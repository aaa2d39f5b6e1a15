#include "multivariate/transfer_dialog.h"

#include <algorithm>

#include "model/causality.h"
#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

const char* const kTabs[] = {"in", "tf", "noise"};

std::string five(double v) { return trim(format_decimals(v, 5)); }

// Items of a comma-separated entry; a single value is the usual case.
std::vector<std::string> items_of(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(',', start);
    out.push_back(trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

bool refuse(Dialog& d, UiPort& port, const char* title, const char* text, const std::string& key) {
  port.message(title, text);
  d.set_focus(key);
  return false;
}

bool starts_with(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

}  // namespace

TransferModelDialog::TransferModelDialog(const TransferModel& model, const std::vector<std::string>& names)
    : Dialog("Transfer Function Model Parameters"), m_(model) {
  const int m = static_cast<int>(names.size());
  Control& in = add(ControlKind::Combo, "input", "Input Series");
  Control& out = add(ControlKind::Combo, "output", "Output Series");
  in.items = out.items = names;
  if (m > 0) {
    in.selection = {std::clamp(m_.input, 1, m) - 1};
    out.selection = {std::clamp(m_.output, 1, m) - 1};
  }
  add(ControlKind::Tab, "tabs", "").items = {"Input Model", "Transfer Model", "Residual Model"};

  TransferArma& a = m_.input_model;
  in_ar_ = {"in_ar_order", "in_ar_list", "in_phi", "Phi(", "AR Order must be <= 10", &a.p, a.phi.data()};
  in_ma_ = {"in_ma_order", "in_ma_list", "in_theta", "Theta(", "MA Order must be <= 10", &a.q, a.theta.data()};
  add_side(in_ar_, "Input AR", "AR Order");
  add_side(in_ma_, "Input MA", "MA Order");
  add(ControlKind::Edit, "in_variance", "White Noise Variance").text = trim(format_decimals(a.sigma2, 6));
  add(ControlKind::Button, "in_check", "Causal/Invertible");
  add(ControlKind::Static, "in_causal", "");
  add(ControlKind::Static, "in_invertible", "");

  den_ = {"tf_den_order", "tf_den_list", "tf_v", "V(", "Denominator Order must be <= 10", &m_.r, m_.v.data()};
  num_ = {"tf_num_order", "tf_num_list", "tf_w", "W(", "Numerator Order must be <= 10", &m_.s, m_.w.data(), 0};
  add_side(den_, "Denominator", "Den. Order");
  add_side(num_, "Numerator", "Num. Order");
  add(ControlKind::Edit, "tf_delay", "Delay").text = std::to_string(m_.delay);
  add(ControlKind::Button, "tf_check", "Causal/Invertible");
  add(ControlKind::Static, "tf_causal", "");
  add(ControlKind::Static, "tf_invertible", "");

  TransferArma& e = m_.noise;
  noise_ar_ = {"noise_ar_order", "noise_ar_list", "noise_phi", "Phi(N, ", "AR Order must be <= 10", &e.p, e.phi.data()};
  noise_ma_ = {"noise_ma_order", "noise_ma_list", "noise_theta", "Theta(N, ", "MA Order must be <= 10", &e.q,
               e.theta.data()};
  add_side(noise_ar_, "Residual AR", "AR Order");
  add_side(noise_ma_, "Residual MA", "MA Order");
  add(ControlKind::Edit, "noise_variance", "White Noise Variance").text = trim(format_decimals(e.sigma2, 6));
  add(ControlKind::Button, "noise_check", "Causal/Invertible");
  add(ControlKind::Static, "noise_causal", "");
  add(ControlKind::Static, "noise_invertible", "");
  show_tab(0);
  set_focus("input");
}

void TransferModelDialog::add_side(Side& s, const std::string& list_label, const std::string& order_label) {
  add(ControlKind::Edit, s.order_key, order_label).text = std::to_string(*s.order);
  add(ControlKind::List, s.list_key, list_label);
  add(ControlKind::Edit, s.edit_key, list_label + " value");
  rebuild(s);
}

TransferModelDialog::Side* TransferModelDialog::side(std::string_view key) {
  for (Side* s : {&in_ar_, &in_ma_, &den_, &num_, &noise_ar_, &noise_ma_})
    if (key == s->order_key || key == s->list_key || key == s->edit_key) return s;
  return nullptr;
}

void TransferModelDialog::show_tab(int tab) {
  control("tabs").selection = {tab};
  for (Control& c : controls())
    for (int t = 0; t < 3; ++t)
      if (starts_with(c.key, std::string(kTabs[t]) + "_")) c.visible = t == tab;
}

void TransferModelDialog::rebuild(Side& s) {
  Control& list = control(s.list_key);
  list.items.clear();
  for (int i = 0; i < s.count(); ++i)
    list.items.push_back(s.entry + std::to_string(i + s.base) + ") = " + five(s.coef[i]));
  list.enabled = control(s.edit_key).enabled = s.count() > 0;
  select(s, 0);
}

void TransferModelDialog::select(Side& s, int index) {
  Control& list = control(s.list_key);
  s.selected = s.count() > 0 ? index % s.count() : 0;
  list.selection.assign(1, s.selected);
  if (s.count() == 0) list.selection.clear();
  control(s.edit_key).text = s.count() > 0 ? five(s.coef[s.selected]) : "";
}

bool TransferModelDialog::order_changed(Side& s, UiPort& port) {
  Control& edit = control(s.order_key);
  const auto v = read_integer(edit.text);
  if (v && *v > kMaxTransferOrder) port.message("ZELK::ERROR", s.too_large);
  if (!v || *v < 0 || *v > kMaxTransferOrder) {
    edit.text = std::to_string(*s.order);
    set_focus(s.order_key);
    return false;
  }
  *s.order = static_cast<int>(*v);
  for (int i = s.count(); i < kMaxTransferOrder + (s.base == 0 ? 1 : 0); ++i) s.coef[i] = 0;
  rebuild(s);
  return true;
}

bool TransferModelDialog::coefficient_changed(Side& s) {
  if (s.count() == 0) return true;
  Control& edit = control(s.edit_key);
  // Several comma-separated values fill the coefficients from the selected
  // one on, as typing each and pressing Enter would.
  std::vector<double> values;
  for (const auto& item : items_of(edit.text)) {
    const auto v = read_number(item);
    if (!v) {
      edit.text = five(s.coef[s.selected]);
      set_focus(s.edit_key);
      return false;
    }
    values.push_back(*v == 0 ? 0.0 : *v);
  }
  Control& list = control(s.list_key);
  int at = s.selected;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k > 0) at = (at + 1) % s.count();
    s.coef[at] = values[k];
    list.items[static_cast<std::size_t>(at)] = s.entry + std::to_string(at + s.base) + ") = " + five(values[k]);
  }
  s.selected = at;
  list.selection.assign(1, at);
  edit.text = five(s.coef[at]);
  return true;
}

bool TransferModelDialog::read_variance(const std::string& key, TransferArma& a, UiPort& port) {
  const auto v = read_number(control(key).text);
  if (!v || !(*v > 0)) return refuse(*this, port, "ZELK Error", "Variance must be positive", key);
  a.sigma2 = *v;
  return true;
}

bool TransferModelDialog::read_delay(UiPort& port) {
  const auto b = read_integer(control("tf_delay").text);
  if (!b || *b == 0) return refuse(*this, port, "ZELK Error", "Delay must be non-zero", "tf_delay");
  // The output may only follow the input: a lead would filter future input.
  if (*b < 0 || *b > 1000000) return refuse(*this, port, "ZELK Error", "Delay must be positive", "tf_delay");
  m_.delay = static_cast<int>(*b);
  return true;
}

bool TransferModelDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "tabs") {
    const auto& sel = control("tabs").selection;
    show_tab(sel.empty() ? 0 : sel.front());
    return true;
  }
  if (Side* s = side(key)) {
    if (key == s->order_key) return order_changed(*s, port);
    if (key == s->edit_key) return coefficient_changed(*s);
    const Control& list = control(s->list_key);
    if (!list.selection.empty()) select(*s, list.selection.front());
    return true;
  }
  if (key == "in_variance") return read_variance("in_variance", m_.input_model, port);
  if (key == "noise_variance") return read_variance("noise_variance", m_.noise, port);
  if (key == "tf_delay") return read_delay(port);
  return true;
}

void TransferModelDialog::enter_pressed(std::string_view key, UiPort& port) {
  Side* s = side(key);
  if (!s) return;
  if (key == s->order_key) {
    if (order_changed(*s, port)) set_focus(s->edit_key);
  } else if (key == s->edit_key) {
    if (coefficient_changed(*s) && s->count() > 0) select(*s, s->selected + 1);
  }
}

std::pair<bool, bool> TransferModelDialog::check(int tab) const {
  switch (tab) {
    case 0: return {check_causal(m_.input_model.ar()), check_invertible(m_.input_model.ma())};
    case 1: {
      // The numerator is tested as the MA polynomial W(B)/W(0); W(0) = 0
      // has a zero at B = 0.
      bool invertible = m_.w[0] != 0;
      if (invertible) {
        std::vector<double> t;
        for (int j = 1; j <= m_.s; ++j) t.push_back(m_.w[static_cast<std::size_t>(j)] / m_.w[0]);
        invertible = check_invertible(t);
      }
      return {check_causal(m_.denominator()), invertible};
    }
    default: return {check_causal(m_.noise.ar()), check_invertible(m_.noise.ma())};
  }
}

void TransferModelDialog::button_pressed(std::string_view key, UiPort&) {
  for (int t = 0; t < 3; ++t)
    if (key == std::string(kTabs[t]) + "_check") {
      const auto [causal, invertible] = check(t);
      control(std::string(kTabs[t]) + "_causal").text = causal ? "Causal" : "Non - Causal";
      control(std::string(kTabs[t]) + "_invertible").text = invertible ? "Invertible" : "Non - Invertible";
    }
}

bool TransferModelDialog::accept(UiPort& port) {
  if (!read_variance("in_variance", m_.input_model, port) || !read_delay(port) ||
      !read_variance("noise_variance", m_.noise, port))
    return false;
  const auto& in = control("input").selection;
  const auto& out = control("output").selection;
  if (in.empty() || out.empty()) return refuse(*this, port, "ZELK Error", "Choose the input and output series", "input");
  if (in.front() == out.front())
    return refuse(*this, port, "ZELK Error", "Input and output series must be different", "output");
  m_.input = in.front() + 1;
  m_.output = out.front() + 1;
  // The numerator need not be invertible: nothing inverts W(B).
  const auto [ic, ii] = check(0);
  const auto [dc, ni] = check(1);
  const auto [nc, nn] = check(2);
  const int bad = !(ic && ii) ? 0 : !dc ? 1 : !(nc && nn) ? 2 : -1;
  if (bad >= 0) {
    show_tab(bad);
    return refuse(*this, port, "ZELK Error", "Model must be Causal and Invertible",
                  bad == 0 ? "in_phi" : bad == 1 ? "tf_v" : "noise_phi");
  }
  return true;
}

TransferModel TransferModelDialog::result() const {
  TransferModel m = m_;
  m.estimated = false;
  m.residuals.clear();
  return m;
}

TransferEstimationDialog::TransferEstimationDialog(TransferEstimationSettings& settings)
    : Dialog("Transfer Function Estimation"), settings_(settings) {
  add(ControlKind::Check, "no_optimization", "No optimization (just compute likelihood)").checked =
      settings.no_optimization;
  add(ControlKind::Edit, "step", "Step size (e.g. .1 reducing later to .01, .001,...)").text =
      pad_left(trim(format_decimals(settings.step, 5)), 8);
  set_focus("step");
}

bool TransferEstimationDialog::accept(UiPort& port) {
  const auto s = read_number(control("step").text);
  if (!s || !(*s > 0 && *s < 1))
    return refuse(*this, port, "ERROR", " Choose accuracy parameter between 0 and 1.", "step");
  settings_.step = *s;
  settings_.no_optimization = control("no_optimization").checked;
  return true;
}

TransferForecastDialog::TransferForecastDialog(TransferForecastSettings& settings)
    : Dialog("Transfer forecasts"), settings_(settings) {
  add(ControlKind::Edit, "count", "Number of predictors h (1 to 20):").text = std::to_string(settings.count);
  add(ControlKind::Edit, "level", "percent prediction bounds.").text = std::to_string(settings.level);
  add(ControlKind::Check, "plot", "Plot ").checked = settings.plot_bounds;
  set_focus("count");
}

bool TransferForecastDialog::accept(UiPort& port) {
  const auto h = read_integer(control("count").text);
  if (!h || *h < 1) return refuse(*this, port, "Error", " Number of predictors must be larger than 0", "count");
  if (*h > 20) return refuse(*this, port, "Error", " Number of predictors must be <= 20", "count");
  const auto level = read_integer(control("level").text);
  if (!level || *level < 1 || *level > 99) {
    control("level").text = "95";
    return refuse(*this, port, "ERROR", " Confidence level must be an integer between 0 and 100.", "level");
  }
  settings_.count = static_cast<int>(*h);
  settings_.level = static_cast<int>(*level);
  settings_.plot_bounds = control("plot").checked;
  return true;
}

}  // namespace zelk
