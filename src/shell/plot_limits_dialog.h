#pragma once
// "Set plot limits": the horizontal range of a graph and the vertical range
// of one pane at a time, typed by hand.
#include <memory>
#include <optional>
#include <string>

#include "plot/colours.h"
#include "plot/document.h"
#include "port/dialog.h"

namespace zelk {

struct Session;
class Window;

// The first present pane (1..25), 0 when the graph has none.
int first_present_pane(const GraphDocument& graph);
// The next present pane after `pane`, wrapping from 25 back to 1.
int next_present_pane(const GraphDocument& graph, int pane);

class PlotLimitsDialog : public Dialog {
 public:
  // Opens on the first present pane, its fields showing the current ranges.
  PlotLimitsDialog(std::shared_ptr<const GraphDocument> graph, const ColourTable& colours);

  int pane() const { return pane_; }
  // The four values read by OK, in the order typed (not yet sorted).
  double xmin() const { return values_[0]; }
  double xmax() const { return values_[1]; }
  double ymin() const { return values_[2]; }
  double ymax() const { return values_[3]; }

  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  // The window's picture with the chosen pane outlined.
  std::optional<DisplayList> picture(std::string_view key, double w, double h) override;

 private:
  void show(int field, double value);
  void show_pane();
  std::shared_ptr<const GraphDocument> graph_;
  ColourTable colours_;
  int pane_ = 0;
  double values_[4] = {0, 1, 0, 1};
  // What each field showed: untouched fields keep their exact value instead
  // of the rounded text.
  std::string shown_[4];
};

// The "Manual" command on a graph window: runs the dialog and applies the
// limits, X to the whole graph and Y to the chosen pane. A graph with no
// present pane (or a duplicate, which cannot be zoomed) opens nothing.
void set_plot_limits_command(Session& s, Window& window);

}  // namespace zelk
