#include "forecast/range_dialog.h"

#include "plot/format.h"
#include "port/port.h"

namespace zelk {

RangeDialog::RangeDialog(std::string title, const ForecastRange& range, SeriesChoice series, Rule rule, bool bounds)
    : Dialog(std::move(title)), range_(range), series_(series), rule_(rule), bounds_(bounds) {
  add(ControlKind::Edit, "h", "Enter number of predicted values past last specified observation :").text =
      std::to_string(range_.h);
  add(ControlKind::Static, "h_prompt", "");
  add(ControlKind::Radio, "complete", "Use complete data set for prediction.", "range").checked = !range_.subset;
  add(ControlKind::Radio, "subset", "Specify a subset of data for prediction.", "range").checked = range_.subset;
  add(ControlKind::Edit, "first", "Enter index of first observation in subset.");
  add(ControlKind::Edit, "last", "Enter index of last observation in subset. ");
  add(ControlKind::Static, "last_prompt", "");
  add(ControlKind::Check, "original", "Apply to orignal (untransformed ) data.").checked = range_.original;
  if (bounds_) {
    add(ControlKind::Edit, "confidence", "percent prediction bounds.").text = std::to_string(range_.confidence);
    add(ControlKind::Check, "plot", "Plot ").checked = range_.plot_bounds;
  }
  if (range_.last <= 0 || range_.last > count()) range_.subset = false;
  show_range();
  set_focus("h");
}

bool RangeDialog::refuse(UiPort& port, const char* title, const std::string& text, std::string key) {
  port.message(title, text);
  set_focus(std::move(key));
  return false;
}

// The complete series fixes the range; a subset keeps what was typed.
void RangeDialog::show_range() {
  if (!range_.subset) {
    range_.first = range_.original ? series_.differenced_lags + 1 : 1;
    range_.last = count();
  }
  control("first").text = std::to_string(range_.first);
  control("last").text = std::to_string(range_.last);
  control("first").enabled = control("last").enabled = range_.subset;
  control("last_prompt").text =
      "Enter index of last observation in subset  (total number of observations is " + std::to_string(count()) + ")";
  control("h_prompt").text = "Enter number of predicted values past observation " + std::to_string(range_.last);
}

bool RangeDialog::check_h(UiPort& port, bool on_ok) {
  const auto h = read_integer(control("h").text);
  if (!h || *h < 1) {
    return on_ok ? refuse(port, "Error", " Number of predictors must be larger than 0", "h")
                 : refuse(port, "ERROR", "Number of predictors MUST be greater than 0", "h");
  }
  range_.h = static_cast<int>(std::min<long long>(*h, 1'000'000));
  return true;
}

bool RangeDialog::check_first(UiPort& port) {
  const auto first = read_integer(control("first").text);
  if (range_.original) {
    if (!first || *first <= series_.differenced_lags)
      return refuse(port, "ERROR", "Starting point MUST be greater than number of lags differenced", "first");
  } else if (!first || *first < 1) {
    return refuse(port, "ERROR", "Starting point MUST be greater than 0", "first");
  }
  range_.first = static_cast<int>(std::min<long long>(*first, 1LL << 30));
  return true;
}

bool RangeDialog::check_last(UiPort& port) {
  const auto last = read_integer(control("last").text);
  if (!last || *last - range_.first + 1 < rule_.min_count) return refuse(port, "ERROR", rule_.too_few, "last");
  if (*last > count()) return refuse(port, "ERROR", rule_.beyond_end, "last");
  range_.last = static_cast<int>(*last);
  control("h_prompt").text = "Enter number of predicted values past observation " + std::to_string(range_.last);
  return true;
}

bool RangeDialog::check_confidence(UiPort& port) {
  if (!bounds_) return true;
  const auto c = read_integer(control("confidence").text);
  if (!c || *c < 1 || *c > 99) {
    range_.confidence = 95;
    control("confidence").text = "95";
    return refuse(port, "ERROR", " Confidence level must be an integer between 0 and 100.", "confidence");
  }
  range_.confidence = static_cast<int>(*c);
  return true;
}

bool RangeDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "h") return check_h(port, false);
  if (key == "complete" || key == "subset") {
    range_.subset = control("subset").checked;
    show_range();
  } else if (key == "original") {
    range_.original = control("original").checked;
    if (range_.subset && range_.last > count()) range_.last = count();
    show_range();
  } else if (key == "first") {
    return check_first(port);
  } else if (key == "last") {
    return check_last(port);
  } else if (key == "confidence") {
    return check_confidence(port);
  } else if (key == "plot") {
    range_.plot_bounds = control("plot").checked;
  }
  return true;
}

bool RangeDialog::accept(UiPort& port) {
  if (!check_h(port, true)) return false;
  if (range_.subset && !check_first(port)) return false;
  if (!check_last(port)) return false;
  if (!check_confidence(port)) return false;
  if (bounds_) range_.plot_bounds = control("plot").checked;
  return true;
}

}  // namespace zelk
