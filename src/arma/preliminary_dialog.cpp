#include "arma/preliminary_dialog.h"

#include "model/arma_model.h"
#include "plot/format.h"
#include "port/port.h"

namespace zelk {
PreliminaryDialog::PreliminaryDialog(PreliminarySettings& settings)
    : Dialog("Preliminary Estimation"), settings_(settings), p_(settings.p), q_(settings.q) {
  const PreliminaryMethod m = settings.method;
  add(ControlKind::Edit, "ar_order", "AR order").text = std::to_string(p_);
  add(ControlKind::Edit, "ma_order", "MA order").text = std::to_string(q_);
  add(ControlKind::Group, "ar_group", "AR");
  add(ControlKind::Radio, "yule_walker", "Yule-Walker", "ar_group").checked =
      m == PreliminaryMethod::YuleWalker || m == PreliminaryMethod::YuleWalkerAicc;
  add(ControlKind::Radio, "burg", "Burg", "ar_group").checked =
      m == PreliminaryMethod::Burg || m == PreliminaryMethod::BurgAicc;
  add(ControlKind::Check, "min_aicc", "Find AR model with min AICC", "ar_group").checked =
      m == PreliminaryMethod::YuleWalkerAicc || m == PreliminaryMethod::BurgAicc;
  add(ControlKind::Group, "ma_group", "MA and ARMA");
  add(ControlKind::Radio, "hannan_rissanen", "Hannan-Rissanen", "ma_group").checked =
      m == PreliminaryMethod::HannanRissanen;
  add(ControlKind::Radio, "innovations", "Innovations", "ma_group").checked = m == PreliminaryMethod::Innovations;
  add(ControlKind::Edit, "acvf_count", "Number of ACVF's used. (Enter 0 for auto-selection.)", "ma_group").text =
      std::to_string(settings.acvf_entry);
  enable_for_orders(false);
  set_focus("ar_order");
}

bool PreliminaryDialog::selected(std::string_view key) const {
  const Control& c = control(key);
  return c.enabled && c.checked;
}

void PreliminaryDialog::enable_for_orders(bool reset_acvf) {
  Control &yw = control("yule_walker"), &burg = control("burg"), &aicc = control("min_aicc");
  Control &hr = control("hannan_rissanen"), &inn = control("innovations"), &acvf = control("acvf_count");
  const bool ar_only = q_ == 0, ma_only = p_ == 0 && q_ > 0;
  yw.enabled = burg.enabled = aicc.enabled = !ma_only;
  hr.enabled = inn.enabled = !ar_only;
  if (ar_only) {
    hr.checked = inn.checked = false;
    if (!burg.checked) check_radio(yw);
  }
  if (ma_only) {
    if (!hr.checked) check_radio(inn);
    if (reset_acvf) acvf.text = "0";
  }
  acvf.enabled = inn.enabled && inn.checked;
}

bool PreliminaryDialog::read_order(std::string_view key, UiPort& port, int& order) {
  const auto v = read_integer(control(key).text);
  if (!v || *v < 0 || *v > kMaxArmaOrder) {
    port.message("ERROR", key == "ar_order" ? " p must be between 0 and 27" : " q must be between 0 and 27");
    set_focus(std::string(key));
    return false;
  }
  order = static_cast<int>(*v);
  return true;
}

bool PreliminaryDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "ar_order" || key == "ma_order") {
    if (!read_order(key, port, key == "ar_order" ? p_ : q_)) return false;
    enable_for_orders(true);
    return true;
  }
  Control& c = control(key);
  if (key == "min_aicc" && c.checked) {
    if (!control("burg").checked) check_radio(control("yule_walker"));
    control("hannan_rissanen").checked = control("innovations").checked = false;
    control("acvf_count").enabled = false;
  } else if (key == "hannan_rissanen" && c.checked) {
    control("acvf_count").enabled = false;
    control("min_aicc").checked = false;
  } else if (key == "innovations" && c.checked) {
    control("acvf_count").enabled = true;
  }
  return true;
}

bool PreliminaryDialog::accept(UiPort& port) {
  if (!read_order("ar_order", port, p_) || !read_order("ma_order", port, q_)) return false;
  auto refuse = [&](const char* text, const char* focus) {
    port.message("ERROR", text);
    set_focus(focus);
    return false;
  };
  const bool search = selected("min_aicc");
  if (!search && p_ == 0 && q_ == 0) return refuse(" p and q must be between 0 and 27", "ar_order");
  const bool ar = selected("yule_walker") || selected("burg");
  const bool ma = selected("hannan_rissanen") || selected("innovations");
  if (q_ == 0 && !ar && !search) return refuse(" q=0 select an AR method box", "yule_walker");
  if (q_ >= 1 && !ma) return refuse(" Select an ARMA method box", "hannan_rissanen");
  // The later selection wins: Yule-Walker, Burg, innovations, Hannan-Rissanen.
  PreliminaryMethod m = search ? PreliminaryMethod::YuleWalkerAicc : PreliminaryMethod::YuleWalker;
  if (selected("burg")) m = search ? PreliminaryMethod::BurgAicc : PreliminaryMethod::Burg;
  if (selected("innovations")) m = PreliminaryMethod::Innovations;
  if (selected("hannan_rissanen")) m = PreliminaryMethod::HannanRissanen;
  const auto acvf = read_integer(control("acvf_count").text);
  settings_.p = p_;
  settings_.q = q_;
  settings_.method = m;
  settings_.acvf_entry = acvf && *acvf > 0 && *acvf < 1000000 ? static_cast<int>(*acvf) : 0;
  return true;
}

PreliminaryContinueDialog::PreliminaryContinueDialog() : Dialog(" Preliminary estimation") {
  add(ControlKind::Static, "text", "").text = "Model noncausal--all coeffs have been set to .001";
}

}  // namespace zelk
