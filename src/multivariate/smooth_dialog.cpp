#include "multivariate/smooth_dialog.h"

#include "multivariate/cross_spectrum.h"
#include "plot/format.h"
#include "port/port.h"

namespace zelk {

std::vector<double> DaniellSettings::weights() const {
  return daniell_weights(std::span<const int>(orders.data(), static_cast<std::size_t>(count)));
}

SmoothSpectrumDialog::SmoothSpectrumDialog(DaniellSettings& settings, Apply apply)
    : Dialog("Spectrum smoothing"), settings_(settings), work_(settings), apply_(std::move(apply)) {
  add(ControlKind::Edit, "count", "Number of Daniell filters:").text = std::to_string(work_.count);
  add(ControlKind::List, "filters", "Filters");
  add(ControlKind::Edit, "order", "Order of filter:");
  add(ControlKind::Static, "weights", "Weights");
  add(ControlKind::Button, "apply", "Apply");
  rebuild();
  set_focus("count");
}

void SmoothSpectrumDialog::rebuild() {
  Control& list = control("filters");
  list.items.clear();
  for (int i = 0; i < work_.count; ++i)
    list.items.push_back("Filter " + std::to_string(i + 1) + ": order " + std::to_string(work_.orders[i]));
  if (work_.count == 0) list.items.push_back("None");
  if (selected_ >= work_.count) selected_ = 0;
  list.selection.assign(1, selected_);
  control("order").enabled = work_.count > 0;
  control("order").text = work_.count > 0 ? std::to_string(work_.orders[selected_]) : "";
  std::string w;
  for (double v : work_.weights()) w += (w.empty() ? "" : " ") + trim(format_decimals(v, 4));
  control("weights").text = w;
}

bool SmoothSpectrumDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "count") {
    const auto v = read_integer(control("count").text);
    if (!v || *v < 0 || *v > kMaxDaniellFilters) {
      port.message("ZELK::Error", "Number of Daniell filters must be from 0 to 50");
      control("count").text = std::to_string(work_.count);
      set_focus("count");
      return false;
    }
    work_.count = static_cast<int>(*v);
    for (int i = work_.count; i < kMaxDaniellFilters; ++i) work_.orders[i] = 0;
  } else if (key == "filters") {
    const auto& sel = control("filters").selection;
    const int index = sel.empty() ? 0 : sel.front();
    if (work_.count > 0 && index >= work_.count) {
      port.message("ZELK::Error", "Invalid index, must be less than " + std::to_string(work_.count));
      set_focus("filters");
      rebuild();
      return false;
    }
    selected_ = index;
  } else if (key == "order") {
    if (work_.count == 0) return true;
    const auto v = read_integer(control("order").text);
    if (!v || *v < 0 || *v > 10000) {
      port.message("ZELK::Error", "Order of filter must be an integer from 0 to 10000");
      set_focus("order");
      rebuild();
      return false;
    }
    work_.orders[selected_] = static_cast<int>(*v);
  }
  rebuild();
  return true;
}

void SmoothSpectrumDialog::button_pressed(std::string_view key, UiPort&) {
  if (key == "apply" && apply_) apply_(work_.weights());
}

bool SmoothSpectrumDialog::accept(UiPort& port) {
  if (!field_changed("count", port) || !field_changed("order", port)) return false;
  settings_ = work_;
  if (apply_) apply_(work_.weights());
  return true;
}

void SmoothSpectrumDialog::cancelled(UiPort&) {
  if (apply_) apply_(settings_.weights());
}

}  // namespace zelk
