#include "plot/decimate.h"

#include <algorithm>
#include <cmath>

namespace zelk {
namespace {

struct Run {
  double column = 0;
  std::size_t first = 0, last = 0, low = 0, high = 0;
  bool open = false;
};

class Reducer {
 public:
  Reducer(std::span<const double> x, std::span<const double> y, const PaneMapping& m) : x_(x), y_(y), m_(m) {}

  void add(std::size_t i) {
    if (!std::isfinite(x_[i]) || !std::isfinite(y_[i])) {
      flush();
      end_line();
      return;
    }
    const double column = std::floor(m_.to_px(x_[i]));
    if (!std::isfinite(column)) {  // overflowing pixel coordinate
      flush();
      end_line();
      return;
    }
    if (run_.open && column == run_.column) {
      run_.last = i;
      if (y_[i] < y_[run_.low]) run_.low = i;
      if (y_[i] > y_[run_.high]) run_.high = i;
      return;
    }
    flush();
    run_ = {column, i, i, i, i, true};
  }

  // Points first..end-1, known to share one pixel column: a tight scan for
  // the extremes instead of a pixel computation per point.
  void add_column(std::size_t first, std::size_t end) {
    std::size_t low = first, high = first;
    double lo = y_[first], hi = y_[first];
    bool nan = false;
    for (std::size_t k = first; k < end; ++k) {
      const double v = y_[k];
      nan |= v != v;
      if (v < lo) {
        lo = v;
        low = k;
      }
      if (v > hi) {
        hi = v;
        high = k;
      }
    }
    const bool finite = !nan && std::isfinite(lo) && std::isfinite(hi);
    const double column = std::floor(m_.to_px(x_[first]));
    if (!finite || !std::isfinite(column) || !std::isfinite(x_[end - 1])) {
      for (std::size_t k = first; k < end; ++k) add(k);
      return;
    }
    flush();
    run_ = {column, first, end - 1, low, high, true};
  }

  std::vector<Polyline> finish() {
    flush();
    end_line();
    return std::move(lines_);
  }

 private:
  void emit(std::size_t i) { line_.push_back({m_.to_px(x_[i]), m_.to_py(y_[i])}); }

  void flush() {
    if (!run_.open) return;
    std::size_t keep[4] = {run_.first, std::min(run_.low, run_.high), std::max(run_.low, run_.high), run_.last};
    std::size_t prev = static_cast<std::size_t>(-1);
    for (std::size_t k : keep) {
      if (k == prev) continue;
      emit(k);
      prev = k;
    }
    run_.open = false;
  }

  void end_line() {
    if (!line_.empty()) lines_.push_back(std::move(line_));
    line_.clear();
  }

  std::span<const double> x_, y_;
  const PaneMapping& m_;
  Run run_;
  Polyline line_;
  std::vector<Polyline> lines_;
};

// Liang-Barsky: clips the segment a-b to r; false when nothing is left.
bool clip_segment(Point& a, Point& b, const Rect& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - r.x, r.right() - a.x, a.y - r.y, r.bottom() - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const Point a0 = a;
  if (t0 > 0) a = {a0.x + t0 * dx, a0.y + t0 * dy};
  if (t1 < 1) b = {a0.x + t1 * dx, a0.y + t1 * dy};
  return true;
}

}  // namespace

std::vector<Polyline> decimate_columns(std::span<const double> x, std::span<const double> y,
                                       const PaneMapping& mapping) {
  const std::size_t n = std::min(x.size(), y.size());
  std::size_t from = 0, to = n;
  // Ascending x (time, lag, frequency) allows binary searches; a NaN fails
  // the test because it compares false.
  bool ascending = n > 2;
  for (std::size_t start = 1; ascending && start < n; start += 4096) {
    // Blocks without an early exit inside let the compiler vectorise.
    const std::size_t stop = std::min(n, start + 4096);
    bool ok = true;
    for (std::size_t i = start; i < stop; ++i) ok &= x[i] >= x[i - 1];
    ascending = ok;
  }
  if (ascending && mapping.xmin <= mapping.xmax) {
    const auto lo = std::lower_bound(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n), mapping.xmin);
    const auto hi = std::upper_bound(lo, x.begin() + static_cast<std::ptrdiff_t>(n), mapping.xmax);
    from = static_cast<std::size_t>(lo - x.begin());
    to = static_cast<std::size_t>(hi - x.begin());
    // One point beyond each edge keeps the segments that cross into view.
    if (from > 0) --from;
    if (to < n) ++to;
  }
  Reducer reducer(x, y, mapping);
  if (!ascending) {
    for (std::size_t i = from; i < to; ++i) reducer.add(i);
    return reducer.finish();
  }
  const double* xs = x.data();
  for (std::size_t i = from; i < to;) {
    const double column = std::floor(mapping.to_px(xs[i]));
    if (!std::isfinite(column)) {
      reducer.add(i++);
      continue;
    }
    // The first point at or beyond the next column's left edge.
    const double edge = mapping.from_px(column + 1);
    std::size_t end = static_cast<std::size_t>(std::lower_bound(xs + i + 1, xs + to, edge) - xs);
    reducer.add_column(i, end);
    i = end;
  }
  return reducer.finish();
}

std::vector<Polyline> clip_polylines(const std::vector<Polyline>& lines, const Rect& r) {
  std::vector<Polyline> out;
  for (const Polyline& line : lines) {
    Polyline current;
    for (std::size_t i = 1; i < line.size(); ++i) {
      Point a = line[i - 1], b = line[i];
      const bool whole_b = r.contains(b);
      if (!clip_segment(a, b, r)) {
        if (current.size() > 1) out.push_back(std::move(current));
        current.clear();
        continue;
      }
      if (current.empty()) current.push_back(a);
      current.push_back(b);
      if (!whole_b) {  // the line leaves here
        if (current.size() > 1) out.push_back(std::move(current));
        current.clear();
      }
    }
    if (current.size() > 1) out.push_back(std::move(current));
    // A lone point in view still shows as a dot.
    if (line.size() == 1 && r.contains(line[0])) out.push_back({line[0], line[0]});
  }
  return out;
}

}  // namespace zelk
