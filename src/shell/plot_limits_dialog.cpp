#include "shell/plot_limits_dialog.h"

#include <cstdio>

#include "plot/format.h"
#include "plot/layout.h"
#include "plot/render.h"
#include "plot/zoom.h"
#include "port/port.h"
#include "port/session.h"
#include "port/window.h"

namespace zelk {
namespace {

constexpr const char* kFields[4] = {"xmin", "xmax", "ymin", "ymax"};

std::string field_text(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

}  // namespace

int first_present_pane(const GraphDocument& graph) {
  for (int i = 1; i <= kMaxPanes; ++i)
    if (graph.pane(i).present) return i;
  return 0;
}

int next_present_pane(const GraphDocument& graph, int pane) {
  for (int step = 1; step <= kMaxPanes; ++step) {
    const int i = (pane - 1 + step) % kMaxPanes + 1;
    if (graph.pane(i).present) return i;
  }
  return 0;
}

PlotLimitsDialog::PlotLimitsDialog(std::shared_ptr<const GraphDocument> graph, const ColourTable& colours)
    : Dialog("Set plot limits"), graph_(std::move(graph)), colours_(colours) {
  add(ControlKind::Group, "x_range", "X - Axis Range:");
  add(ControlKind::Edit, "xmin", "Min", "x_range");
  add(ControlKind::Edit, "xmax", "Max", "x_range");
  add(ControlKind::Group, "y_range", "Y - Axis Range:");
  add(ControlKind::Edit, "ymin", "Min", "y_range");
  add(ControlKind::Edit, "ymax", "Max", "y_range");
  add(ControlKind::Button, "next", "Next Plot");
  add(ControlKind::Picture, "preview", "");
  pane_ = first_present_pane(*graph_);
  show(0, graph_->xmin());
  show(1, graph_->xmax());
  show_pane();
}

void PlotLimitsDialog::show(int field, double value) {
  values_[field] = value;
  shown_[field] = field_text(value);
  control(kFields[field]).text = shown_[field];
}

void PlotLimitsDialog::show_pane() {
  if (pane_ == 0) return;
  show(2, graph_->pane(pane_).ymin);
  show(3, graph_->pane(pane_).ymax);
}

void PlotLimitsDialog::button_pressed(std::string_view key, UiPort&) {
  if (key != "next") return;
  // X is shared by all panes and keeps what was typed; Y shows the new pane.
  pane_ = next_present_pane(*graph_, pane_);
  show_pane();
}

bool PlotLimitsDialog::accept(UiPort& port) {
  double read[4];
  for (int i = 0; i < 4; ++i) {
    const std::string& text = control(kFields[i]).text;
    if (trim(text) == trim(shown_[i])) {
      read[i] = values_[i];
      continue;
    }
    const std::optional<double> v = read_number(text);
    if (!v) {
      port.message("ZELK::Brax Error", "Error reading dialog-item");
      set_focus(kFields[i]);
      return false;
    }
    read[i] = *v;
  }
  for (int i = 0; i < 4; ++i) values_[i] = read[i];
  return true;
}

std::optional<DisplayList> PlotLimitsDialog::picture(std::string_view key, double w, double h) {
  if (key != "preview") return std::nullopt;
  DisplayList d = render_graph(*graph_, colours_, w, h);
  const GraphLayout layout = layout_graph(*graph_, w, h);
  if (const PaneLayout* p = layout.find(pane_)) {
    const Rect& c = p->cell;
    d.items.push_back(RectItem{c.x + 1, c.y + 1, c.w - 2, c.h - 2, Pen{rubber_band_colour(colours_), 2, true}, false,
                               {}, true});
  }
  return d;
}

void set_plot_limits_command(Session& s, Window& window) {
  if (window.kind != WindowKind::Graph || !window.graph || first_present_pane(*window.graph) == 0) return;
  PlotLimitsDialog dialog(window.graph, s.colours);
  if (!s.port.run_dialog(dialog)) return;
  set_plot_limits(*window.graph, dialog.pane(), dialog.xmin(), dialog.xmax(), dialog.ymin(), dialog.ymax());
  s.desktop.changed(window);
}

}  // namespace zelk
