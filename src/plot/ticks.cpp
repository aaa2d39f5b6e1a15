#include "plot/ticks.h"

#include <cmath>
#include <cstdio>

#include "plot/format.h"

namespace zelk {
namespace {

// Steps and ranges come out of binary arithmetic: 0.3 / 0.1 is 2.999...
// A small tolerance makes the rules behave as worked by hand in decimals.
constexpr double kSlack = 1e-9;

double floor_slack(double v) { return std::floor(v + kSlack); }

// Enough ticks for any step the rule yields (r/h stays below 12.5); the cap
// guards values so large that adding h no longer changes them.
constexpr int kMaxTicks = 200;

std::string print(const char* fmt, int width, int decimals, double v) {
  char buf[400];
  std::snprintf(buf, sizeof buf, fmt, width, decimals, v);
  return buf;
}

// A tick that should be zero but carries rounding noise prints as "-0.00".
double clean(double v, double step) { return std::fabs(v) < step * kSlack ? 0.0 : v; }

std::vector<double> tick_values(double minimum, double maximum, double step) {
  std::vector<double> out;
  if (!(step > 0) || !std::isfinite(minimum) || !std::isfinite(maximum)) return out;
  const double first = first_tick(minimum, step);
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = first + i * step;
    if (v >= maximum - step * kSlack) break;
    if (!out.empty() && v <= out.back()) break;
    out.push_back(clean(v, step));
  }
  return out;
}

}  // namespace

double tick_step(double range) {
  if (!(range > 0) || !std::isfinite(range)) return 0;
  double h = std::pow(10.0, floor_slack(std::log10(range)));
  if (floor_slack(range / h) <= 4) {
    h *= 0.5;
    if (floor_slack(range / h) <= 4) h *= 0.4;
  }
  return h;
}

double first_tick(double minimum, double step) {
  if (!(step > 0)) return minimum;
  const double k = std::ceil(minimum / step - kSlack);
  const double multiple = k * step;
  // A minimum that is a multiple of h (within rounding) is its own first tick.
  return std::fabs(multiple - minimum) <= step * kSlack ? minimum : multiple;
}

bool thin_vertical_labels(double range, double step, double pane_height) {
  if (!(step > 0)) return false;
  return 7 * floor_slack(range / step) >= pane_height / 2;
}

std::string vertical_label(double value, double step) {
  if (!(step >= 0.0001 && step <= 9999)) return print("%*.*E", 9, 1, value);
  if (step >= 1) {
    const int width = static_cast<int>(floor_slack(std::log10(step))) + 4;
    return print("%*.*f", width, 0, value);
  }
  const int k = static_cast<int>(floor_slack(std::fabs(std::log10(step)))) + 5;
  return print("%*.*f", k + 1, k - 3, value);
}

std::string horizontal_label(double value, double step, bool integer_axis) {
  if (!(step >= 0.0001 && step <= 9999)) return print("%*.*E", 12, 1, value);
  if (integer_axis) {
    // std::round takes halves away from zero.
    return print("%*.*f", 1, 0, std::round(value));
  }
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - kSlack));
  return print("%*.*f", 1, decimals, value);
}

AxisTicks vertical_ticks(double minimum, double maximum, double pane_height, double text_size) {
  AxisTicks axis;
  const double r = maximum - minimum;
  axis.step = tick_step(r);
  for (double v : tick_values(minimum, maximum, axis.step))
    axis.ticks.push_back({v, true, vertical_label(v, axis.step)});
  if (axis.ticks.empty()) return axis;
  int stride = thin_vertical_labels(r, axis.step, pane_height) ? 2 : 1;
  // In very small panes even every second label may touch its neighbour.
  const double spacing = pane_height * axis.step / r;
  while (stride < kMaxTicks && spacing * stride < text_size * 1.1) stride *= 2;
  for (std::size_t i = 0; i < axis.ticks.size(); ++i) axis.ticks[i].labelled = i % stride == 0;
  return axis;
}

AxisTicks horizontal_ticks(double minimum, double maximum, bool integer_axis, double pane_width,
                           double char_width) {
  AxisTicks axis;
  const double r = maximum - minimum;
  axis.step = tick_step(r);
  // Whole-number axes get no ticks between whole numbers.
  if (integer_axis && axis.step > 0 && axis.step < 1) axis.step = 1;
  for (double v : tick_values(minimum, maximum, axis.step))
    axis.ticks.push_back({v, true, horizontal_label(v, axis.step, integer_axis)});
  if (axis.ticks.empty()) return axis;
  std::size_t widest = 0;
  for (const Tick& t : axis.ticks) widest = std::max(widest, trim(t.label).size());
  // Centred labels need their own width plus two characters of air.
  const double need = (static_cast<double>(widest) + 2) * char_width;
  const double spacing = pane_width * axis.step / r;
  int stride = 1;
  while (stride < kMaxTicks && spacing * stride < need) stride *= 2;
  for (std::size_t i = 0; i < axis.ticks.size(); ++i) axis.ticks[i].labelled = i % stride == 0;
  return axis;
}

}  // namespace zelk
