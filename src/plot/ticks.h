#pragma once
// Tick steps, tick positions and tick label texts of the two axes.
#include <string>
#include <vector>

namespace zelk {

struct Tick {
  double value = 0;
  bool labelled = true;
  std::string label;  // the formatted text, blank-padded to its field
};

struct AxisTicks {
  double step = 0;
  std::vector<Tick> ticks;
};

// h = 10^floor(log10 r), halved when floor(r/h) <= 4, then times 0.4 when
// still <= 4: always 1, 0.5 or 0.2 times a power of ten. 0 when r is not a
// positive finite number.
double tick_step(double range);
// The minimum when it is a multiple of h, else the first multiple above it.
double first_tick(double minimum, double step);
// Vertical labels go to every second tick when 7 floor(r/h) >= height/2.
bool thin_vertical_labels(double range, double step, double pane_height);

// Vertical axis text of a tick value for step h.
std::string vertical_label(double value, double step);
// Horizontal axis text; integer_axis rounds to whole numbers.
std::string horizontal_label(double value, double step, bool integer_axis);

// Ticks from the first tick upward in steps of h while below the maximum.
// text_size is the character height: labels never come closer than that.
AxisTicks vertical_ticks(double minimum, double maximum, double pane_height, double text_size);
// char_width is the width of one label character in pixels.
AxisTicks horizontal_ticks(double minimum, double maximum, bool integer_axis, double pane_width,
                           double char_width);

// Widths used to reserve room for labels, in pixels per character.
inline constexpr double kDigitWidth = 0.65;  // times the character height (serif digits)

}  // namespace zelk
