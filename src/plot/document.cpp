#include "plot/document.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "plot/format.h"

namespace zelk {
namespace {

void widen(double& lo, double& hi, std::span<const double> v) {
  for (double a : v) {
    if (!std::isfinite(a)) continue;
    lo = std::min(lo, a);
    hi = std::max(hi, a);
  }
}

}  // namespace

void GraphDocument::store(int number, PaneKind kind, std::span<const double> x,
                          std::span<const double> y) {
  if (number < 1 || number > kMaxPanes) throw std::out_of_range("pane number");
  if (x.size() != y.size()) throw std::invalid_argument("pane arrays differ in length");
  Pane& p = panes_[number - 1];
  p.present = true;
  p.kind = kind;
  p.x.assign(x.begin(), x.end());
  p.y.assign(y.begin(), y.end());
  p.overlays.clear();
  p.data_xmin = p.data_ymin = HUGE_VAL;
  p.data_xmax = p.data_ymax = -HUGE_VAL;
  widen(p.data_xmin, p.data_xmax, p.x);
  widen(p.data_ymin, p.data_ymax, p.y);
  if (kind == PaneKind::Bars) {  // bars stand on zero
    p.data_ymin = std::min(p.data_ymin, 0.0);
    p.data_ymax = std::max(p.data_ymax, 0.0);
    // Half a bar's spacing on each side, so the first and last bars are whole.
    if (p.data_xmin <= p.data_xmax && !p.x.empty()) {
      const double half = p.x.size() > 1 ? 0.5 * (p.data_xmax - p.data_xmin) / static_cast<double>(p.x.size() - 1) : 0.5;
      p.data_xmin -= half;
      p.data_xmax += half;
    }
  }
  if (p.data_xmin > p.data_xmax) p.data_xmin = p.data_xmax = 0;
  if (p.data_ymin > p.data_ymax) p.data_ymin = p.data_ymax = 0;
  reset_ranges();
}

void GraphDocument::add_curve_pane(int number, std::span<const double> x, std::span<const double> y) {
  store(number, PaneKind::Curve, x, y);
}

void GraphDocument::add_bar_pane(int number, std::span<const double> x, std::span<const double> y) {
  store(number, PaneKind::Bars, x, y);
}

void GraphDocument::add_overlay(int number, Overlay overlay) {
  Pane& p = pane(number);
  if (overlay.x.size() != overlay.y.size()) throw std::invalid_argument("overlay arrays differ in length");
  widen(p.data_xmin, p.data_xmax, overlay.x);
  widen(p.data_ymin, p.data_ymax, overlay.y);
  p.overlays.push_back(std::move(overlay));
  reset_ranges();
}

void GraphDocument::clear_pane(int number) {
  pane(number) = Pane{};
  reset_ranges();
}

void GraphDocument::clear() {
  panes_ = {};
  xmin_ = 0;
  xmax_ = 1;
}

int GraphDocument::present_count() const {
  return static_cast<int>(std::count_if(panes_.begin(), panes_.end(), [](const Pane& p) { return p.present; }));
}

void GraphDocument::reset_ranges() {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  for (Pane& p : panes_) {
    if (!p.present) continue;
    lo = std::min(lo, p.data_xmin);
    hi = std::max(hi, p.data_xmax);
    p.ymin = p.data_ymin;
    p.ymax = p.data_ymax;
    if (p.ymin == p.ymax) {  // a flat pane still needs a visible range
      p.ymin -= 0.5;
      p.ymax += 0.5;
    }
  }
  if (lo > hi) {
    lo = 0;
    hi = 1;
  }
  if (lo == hi) {
    lo -= 0.5;
    hi += 0.5;
  }
  xmin_ = lo;
  xmax_ = hi;
}

void TextDocument::write_line(std::string_view text) {
  if (text.empty()) {
    lines_.clear();
    return;
  }
  // A text with its own line ends becomes several lines.
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find('\n', start);
    std::string_view part = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!part.empty() && part.back() == '\r') part.remove_suffix(1);
    lines_.emplace_back(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void TextDocument::write_numbers(std::span<const double> values, int per_line, int decimals) {
  if (per_line < 1) per_line = 1;
  std::string line;
  int on_line = 0;
  for (double v : values) {
    std::string f = trim(format_decimals(v, decimals));
    line += std::string(f.size() < 14 ? 14 - f.size() : 0, ' ') + f;
    if (++on_line == per_line) {
      lines_.push_back(std::move(line));
      line.clear();
      on_line = 0;
    }
  }
  if (on_line > 0) lines_.push_back(std::move(line));
}

std::string TextDocument::text() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += '\n';
    out += lines_[i];
  }
  return out;
}

}  // namespace zelk
