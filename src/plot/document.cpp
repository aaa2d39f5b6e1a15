#include "plot/document.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "plot/format.h"

namespace zelk {
namespace {

// Four independent minima and maxima, branch-free: a long series takes one
// quick pass. a - a is 0 for a finite a and NaN otherwise.
void widen(double& lo, double& hi, std::span<const double> v) {
  double l[4] = {lo, lo, lo, lo}, h[4] = {hi, hi, hi, hi};
  std::size_t i = 0;
  for (; i + 4 <= v.size(); i += 4)
    for (int k = 0; k < 4; ++k) {
      const double a = v[i + k];
      const bool finite = a - a == 0;
      l[k] = finite && a < l[k] ? a : l[k];
      h[k] = finite && a > h[k] ? a : h[k];
    }
  for (; i < v.size(); ++i) {
    const double a = v[i];
    if (a - a != 0) continue;
    l[0] = std::min(l[0], a);
    h[0] = std::max(h[0], a);
  }
  lo = std::min({l[0], l[1], l[2], l[3]});
  hi = std::max({h[0], h[1], h[2], h[3]});
}

// Copies `in` and widens [lo, hi] block by block, each block read again
// while it is still in the cache: a long series is read from memory once.
void copy_widening(std::vector<double>& out, std::span<const double> in, double& lo, double& hi) {
  constexpr std::size_t kBlock = 4096;
  if (in.data() == out.data()) {  // a pane stored again from its own arrays
    widen(lo, hi, in);
    return;
  }
  out.clear();
  out.reserve(in.size());
  for (std::size_t at = 0; at < in.size(); at += kBlock) {
    const std::span<const double> block = in.subspan(at, std::min(kBlock, in.size() - at));
    widen(lo, hi, block);
    out.insert(out.end(), block.begin(), block.end());
  }
}

}  // namespace

void GraphDocument::store(int number, PaneKind kind, std::span<const double> x, std::span<const double> y,
                          std::vector<double>* take_x, double spacing) {
  if (number < 1 || number > kMaxPanes) throw std::out_of_range("pane number");
  if (x.size() != y.size()) throw std::invalid_argument("pane arrays differ in length");
  Pane& p = panes_[number - 1];
  p.present = true;
  p.kind = kind;
  p.overlays.clear();
  p.bar_spacing = spacing > 0 && std::isfinite(spacing) ? spacing : 0;
  p.data_xmin = p.data_ymin = HUGE_VAL;
  p.data_xmax = p.data_ymax = -HUGE_VAL;
  if (take_x) {
    widen(p.data_xmin, p.data_xmax, *take_x);
    p.x = std::move(*take_x);
  } else {
    copy_widening(p.x, x, p.data_xmin, p.data_xmax);
  }
  copy_widening(p.y, y, p.data_ymin, p.data_ymax);
  if (kind == PaneKind::Bars) {  // bars stand on zero
    p.data_ymin = std::min(p.data_ymin, 0.0);
    p.data_ymax = std::max(p.data_ymax, 0.0);
    // Half a bar's spacing on each side, so the first and last bars are whole.
    if (p.data_xmin <= p.data_xmax && !p.x.empty()) {
      const double half = p.bar_spacing > 0 ? 0.5 * p.bar_spacing
                          : p.x.size() > 1 ? 0.5 * (p.data_xmax - p.data_xmin) / static_cast<double>(p.x.size() - 1)
                                           : 0.5;
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

void GraphDocument::add_curve_pane(int number, std::vector<double>&& x, std::span<const double> y) {
  store(number, PaneKind::Curve, x, y, &x);
}

void GraphDocument::add_bar_pane(int number, std::span<const double> x, std::span<const double> y, double spacing) {
  store(number, PaneKind::Bars, x, y, nullptr, spacing);
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
    line += pad_left(f, 14);
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
