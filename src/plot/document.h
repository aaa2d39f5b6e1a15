#pragma once
// Documents behind result windows: a graph of up to 25 panes of curves or
// bars, and the text of an INFO window. Front ends only mirror them.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

inline constexpr int kMaxPanes = 25;

enum class PaneKind : int { None = 0, Curve = 2, Bars = 4 };

// Extra lines drawn in a pane on top of its main data (confidence bounds,
// a second curve, prediction limits). Colour is a pane-colour index 1..25.
struct Overlay {
  std::vector<double> x, y;
  int colour = 2;
  bool dashed = false;
};

struct Pane {
  bool present = false;
  PaneKind kind = PaneKind::None;
  std::vector<double> x, y;
  std::vector<Overlay> overlays;
  double data_xmin = 0, data_xmax = 0, data_ymin = 0, data_ymax = 0;
  double ymin = 0, ymax = 0;  // the shown vertical range (zoom, plot limits)
  double bar_spacing = 0;     // bars: the width of a bar's slot; 0 = from the abscissae
  std::string title;          // optional label drawn inside the pane
};

class GraphDocument {
 public:
  // Replaces pane `number` (1..25) with a copy of the arrays and resets every
  // range of the graph to its full data, undoing any zoom.
  void add_curve_pane(int number, std::span<const double> x, std::span<const double> y);
  // Takes the abscissae over instead of copying them (a long series' time axis).
  void add_curve_pane(int number, std::vector<double>&& x, std::span<const double> y);
  // `spacing` > 0 gives each bar a slot of that width (histogram bins), so
  // even a single bar spans its bin.
  void add_bar_pane(int number, std::span<const double> x, std::span<const double> y, double spacing = 0);
  void add_overlay(int number, Overlay overlay);  // widens the pane's ranges to fit
  void clear_pane(int number);
  void clear();

  Pane& pane(int number) { return panes_.at(number - 1); }
  const Pane& pane(int number) const { return panes_.at(number - 1); }
  int present_count() const;
  bool empty() const { return present_count() == 0; }

  double xmin() const { return xmin_; }
  double xmax() const { return xmax_; }
  void set_x_range(double lo, double hi) { xmin_ = lo; xmax_ = hi; }
  void reset_ranges();  // full data of all panes

  // Horizontal axis holds whole numbers (time index, lag): labels drop decimals.
  bool integer_x = true;
  // What the horizontal axis measures ("Time", "Lag", "Frequency"), drawn
  // under it; empty when the graph does not know.
  std::string x_title;
  int role = 1;  // 0 = project window (series plot), 1 = any other graph

 private:
  void store(int number, PaneKind kind, std::span<const double> x, std::span<const double> y,
             std::vector<double>* take_x = nullptr, double spacing = 0);
  std::array<Pane, kMaxPanes> panes_{};
  double xmin_ = 0, xmax_ = 1;
};

class TextDocument {
 public:
  // Appends a line; an empty text clears the document instead.
  void write_line(std::string_view text);
  // Values by format decimals, right-aligned in 14 characters, per_line a line.
  void write_numbers(std::span<const double> values, int per_line, int decimals);
  const std::vector<std::string>& lines() const { return lines_; }
  std::string text() const;  // lines joined with "\n"
  void clear() { lines_.clear(); }

 private:
  std::vector<std::string> lines_;
};

}  // namespace zelk
