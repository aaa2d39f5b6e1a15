#include "univariate/spectrum_dialogs.h"

#include <algorithm>

#include "plot/colours.h"
#include "plot/document.h"
#include "plot/format.h"
#include "plot/render.h"
#include "port/port.h"
#include "univariate/spectrum_report.h"

namespace zelk {

SpectrumSmoothingDialog::SpectrumSmoothingDialog(SmoothingSettings& settings, Preview preview)
    : Dialog("Spectrum smoothing"), settings_(settings), working_(settings), preview_(std::move(preview)) {
  // A remembered count outside 0..50 cannot come from this dialog; start clean.
  if (working_.count < 0 || working_.count > kMaxDaniellFilters) working_ = {};
  for (int i = working_.count; i < kMaxDaniellFilters; ++i) working_.orders[static_cast<std::size_t>(i)] = 0;
  last_applied_ = working_;
  add(ControlKind::Edit, "count", "Number of Daniell filters:").text = std::to_string(working_.count);
  add(ControlKind::List, "filters", "Filters");
  add(ControlKind::Edit, "order", "Order of filter:");
  add(ControlKind::Picture, "weights", "");
  add(ControlKind::Button, "apply", "Apply");
  rebuild_list();
  set_focus("count");
}

void SpectrumSmoothingDialog::rebuild_list() {
  Control& list = control("filters");
  list.items.clear();
  for (int i = 1; i <= working_.count; ++i) list.items.push_back("Filter " + std::to_string(i));
  if (working_.count == 0) list.items.push_back("None");
  list.enabled = control("order").enabled = working_.count > 0;
  select(0);
  weights_ = daniell_weights(working_.active());
}

void SpectrumSmoothingDialog::select(int index) {
  selected_ = working_.count > 0 ? std::clamp(index, 0, working_.count - 1) : 0;
  control("filters").selection.assign(1, selected_);
  control("order").text =
      working_.count > 0 ? std::to_string(working_.orders[static_cast<std::size_t>(selected_)]) : "";
}

bool SpectrumSmoothingDialog::count_changed(UiPort& port) {
  Control& edit = control("count");
  const auto v = read_integer(edit.text);
  if (!v || *v < 0 || *v > kMaxDaniellFilters) {
    port.message("ZELK Error", "Number of Daniell filters must be from 0 to 50");
    edit.text = std::to_string(working_.count);
    set_focus("count");
    return false;
  }
  if (*v == working_.count) return true;
  working_.count = static_cast<int>(*v);
  for (int i = working_.count; i < kMaxDaniellFilters; ++i) working_.orders[static_cast<std::size_t>(i)] = 0;
  rebuild_list();
  return true;
}

bool SpectrumSmoothingDialog::order_changed(UiPort& port) {
  if (working_.count == 0) return true;
  Control& edit = control("order");
  int& order = working_.orders[static_cast<std::size_t>(selected_)];
  const auto v = read_integer(edit.text);
  if (!v || *v < 0 || *v > kMaxDaniellOrder) {
    port.message("ZELK Error", "Order of filter must be from 0 to " + std::to_string(kMaxDaniellOrder));
    edit.text = std::to_string(order);
    set_focus("order");
    return false;
  }
  order = static_cast<int>(*v);
  weights_ = daniell_weights(working_.active());
  return true;
}

bool SpectrumSmoothingDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "count") return count_changed(port);
  if (key == "order") return order_changed(port);
  if (key == "filters") {
    const Control& list = control("filters");
    if (!list.selection.empty()) select(list.selection.front());
  }
  return true;
}

void SpectrumSmoothingDialog::apply() {
  if (preview_) preview_(&working_);
  applied_ = true;
  last_applied_ = working_;
}

void SpectrumSmoothingDialog::button_pressed(std::string_view key, UiPort& port) {
  if (key != "apply") return;
  // An edit still holding an unread entry counts, as it would on leaving it.
  if (!count_changed(port) || !order_changed(port)) return;
  apply();
}

bool SpectrumSmoothingDialog::accept(UiPort& port) {
  if (!count_changed(port) || !order_changed(port)) return false;
  // The curve shown must be the one the kept settings describe, so OK also
  // smooths with filters changed since the last Apply.
  if (!applied_ || !(working_ == last_applied_)) apply();
  settings_ = working_;
  return true;
}

void SpectrumSmoothingDialog::cancelled(UiPort&) {
  if (applied_ && preview_) preview_(nullptr);
  applied_ = false;
}

std::optional<DisplayList> SpectrumSmoothingDialog::picture(std::string_view key, double w, double h) {
  if (key != "weights") return std::nullopt;
  // The whole symmetric filter W(-L..L) as bars.
  const long long L = static_cast<long long>(weights_.size()) - 1;
  std::vector<double> x, y;
  for (long long k = -L; k <= L; ++k) {
    x.push_back(static_cast<double>(k));
    y.push_back(weights_[static_cast<std::size_t>(k < 0 ? -k : k)]);
  }
  GraphDocument g;
  g.add_bar_pane(1, x, y);
  return render_graph(g, ColourTable::defaults(), w, h);
}

FisherTestDialog::FisherTestDialog(const FisherTest& result) : Dialog("Fisher Spectrum Test") {
  add(ControlKind::Static, "ratio", "Ratio of maximum periodogram ordinate to mean = ").text = fisher_ratio_text(result);
  add(ControlKind::Static, "probability", "Probability of exceeding this value (under H0) =").text =
      fisher_probability_text(result);
}

ResolutionDialog::ResolutionDialog(ResolutionSettings& settings)
    : Dialog("Specify resoultion for model spectrum"), settings_(settings) {
  add(ControlKind::Edit, "points", "Enter # grid points:").text = std::to_string(settings.M);
  set_focus("points");
}

bool ResolutionDialog::accept(UiPort& port) {
  Control& edit = control("points");
  const auto v = read_integer(edit.text);
  if (!v || *v < kMinResolution || *v > kMaxResolution) {
    port.message("ZELK:: Error", v && *v > kMaxResolution ? "Enter integer <= 1000000" : "Enter integer >= 100");
    edit.text = std::to_string(kDefaultResolution);
    set_focus("points");
    return false;
  }
  settings_.M = static_cast<int>(*v);
  return true;
}

}  // namespace zelk
