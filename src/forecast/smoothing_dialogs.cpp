#include "forecast/smoothing_dialogs.h"

#include <cmath>

#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

constexpr int kMaxMaOrder = 99;

std::string value_text(double v) { return trim(format_decimals(v, 5)); }

int slider_position(double v) {
  const long p = std::lround(10 * v);
  return static_cast<int>(p < 0 ? 0 : p > 10 ? 10 : p);
}

}  // namespace

SliderSmoothDialog::SliderSmoothDialog(Kind kind, SmoothingSettings& settings, SmoothingPreview preview)
    : Dialog(kind == Kind::Exponential ? "Exponential Smoothing" : "FFT Smoothing"),
      kind_(kind),
      settings_(settings),
      preview_(std::move(preview)),
      value_(kind == Kind::Exponential ? settings.alpha : settings.cutoff) {
  add(ControlKind::Static, "text",
      kind_ == Kind::Exponential
          ? "Enter the exponential smoothing parameter. Enter the value -1 for an optimal value to be calculated."
          : "You must specify the proportion of the spectrum which is to be retained .  A low pass filter is used "
            "with cutoff at frequency   [pi f].");
  add(ControlKind::Edit, "value", kind_ == Kind::Exponential ? "Alpha = " : "f  =  ").text = value_text(value_);
  Control& s = add(ControlKind::Slider, "slider", "");
  s.min = 0;
  s.max = 10;
  s.value = slider_position(value_);
  add(ControlKind::Static, "low", "0.0");
  add(ControlKind::Static, "high", "1.0");
  set_focus("value");
}

bool SliderSmoothDialog::read_value(UiPort& port) {
  const auto v = read_number(control("value").text);
  const bool ok = v && ((*v >= 0 && *v <= 1) || (kind_ == Kind::Exponential && *v == -1));
  if (!ok) {
    port.message("ZELK Error", kind_ == Kind::Exponential ? "Exp. smooth parameter must be in [0.0, 1.0] or -1"
                                                          : "FFT smooth parameter must be in [0.0, 1.0]");
    set_focus("value");
    return false;
  }
  value_ = *v;
  control("slider").value = slider_position(value_);
  return true;
}

void SliderSmoothDialog::preview() {
  if (!preview_.apply) return;
  SmoothingSettings s = settings_;
  (kind_ == Kind::Exponential ? s.alpha : s.cutoff) = value_;
  preview_.apply(s);
  previewed_ = true;
}

bool SliderSmoothDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "value") return read_value(port);
  if (key == "slider") {
    value_ = control("slider").value * 0.1;
    control("value").text = value_text(value_);
    preview();
  }
  return true;
}

bool SliderSmoothDialog::accept(UiPort& port) {
  if (!read_value(port)) return false;
  (kind_ == Kind::Exponential ? settings_.alpha : settings_.cutoff) = value_;
  return true;
}

void SliderSmoothDialog::cancelled(UiPort&) {
  if (previewed_ && preview_.restore) preview_.restore();
}

MovingAverageDialog::MovingAverageDialog(SmoothingSettings& settings, SmoothingPreview preview)
    : Dialog("Moving Average Smooth"), settings_(settings), preview_(std::move(preview)), w_(settings.weights) {
  if (w_.empty()) w_.assign(1, 1.0);
  add(ControlKind::Edit, "order", "Enter filter order:").text = std::to_string(w_.size() - 1);
  add(ControlKind::List, "weights", "");
  add(ControlKind::Edit, "weight", "");
  add(ControlKind::Button, "apply", "Apply");
  rebuild();
  set_focus("order");
}

void MovingAverageDialog::rebuild() {
  Control& list = control("weights");
  list.items.clear();
  for (std::size_t j = 0; j < w_.size(); ++j)
    list.items.push_back("Theta(" + std::to_string(j) + ") = " + value_text(w_[j]));
  select(0);
}

void MovingAverageDialog::select(int index) {
  selected_ = index % static_cast<int>(w_.size());
  control("weights").selection.assign(1, selected_);
  control("weight").text = value_text(w_[selected_]);
}

bool MovingAverageDialog::order_changed(UiPort& port) {
  Control& edit = control("order");
  const auto q = read_integer(edit.text);
  if (q && *q > kMaxMaOrder) port.message("ZELK  ERROR", "MA Order must be < 100");
  if (!q || *q < 0 || *q > kMaxMaOrder) {
    edit.text = std::to_string(w_.size() - 1);
    set_focus("order");
    return false;
  }
  // Weights up to the smaller order are kept; new ones start at 0.
  w_.resize(static_cast<std::size_t>(*q) + 1, 0.0);
  rebuild();
  return true;
}

bool MovingAverageDialog::weight_changed() {
  const auto v = read_number(control("weight").text);
  if (!v) {
    control("weight").text = value_text(w_[selected_]);
    set_focus("weight");
    return false;
  }
  w_[selected_] = *v;
  control("weights").items[selected_] = "Theta(" + std::to_string(selected_) + ") = " + value_text(*v);
  return true;
}

bool MovingAverageDialog::weights_usable(UiPort& port) {
  double s = w_[0];
  for (std::size_t j = 1; j < w_.size(); ++j) s += 2 * w_[j];
  if (s == 0) {
    port.message("ZELK ERROR", "MA coefficients cannot sum to zero");
    set_focus("weight");
    return false;
  }
  return true;
}

bool MovingAverageDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "order") return order_changed(port);
  if (key == "weight") return weight_changed();
  if (key == "weights" && !control("weights").selection.empty()) select(control("weights").selection.front());
  return true;
}

void MovingAverageDialog::enter_pressed(std::string_view key, UiPort& port) {
  if (key == "order" && order_changed(port)) set_focus("weight");
  if (key == "weight" && weight_changed()) select(selected_ + 1);
}

void MovingAverageDialog::button_pressed(std::string_view key, UiPort& port) {
  if (key != "apply" || !weights_usable(port) || !preview_.apply) return;
  SmoothingSettings s = settings_;
  s.weights = w_;
  preview_.apply(s);
  previewed_ = true;
}

bool MovingAverageDialog::accept(UiPort& port) {
  if (!weights_usable(port)) return false;
  settings_.weights = w_;
  return true;
}

void MovingAverageDialog::cancelled(UiPort&) {
  if (previewed_ && preview_.restore) preview_.restore();
}

}  // namespace zelk
