#include "shell/operations.h"

#include <memory>
#include <vector>

#include "shell/plot_limits_dialog.h"
#include "shell/session.h"

namespace zelk {

OperationTable make_operation_table() {
  OperationTable t;
  register_project_operations(t);
  register_univariate_operations(t);
  register_arma_operations(t);
  register_forecast_operations(t);
  register_multivariate_operations(t);
  // The shell's own dialog, shown on a graph of one pane.
  t.dialogs.push_back([] {
    auto graph = std::make_shared<GraphDocument>();
    const double x[] = {1, 2}, y[] = {0, 1};
    graph->add_curve_pane(1, x, y);
    return std::make_unique<PlotLimitsDialog>(graph, ColourTable::defaults());
  });
  return t;
}

void refresh_project(Session& s, int entry) {
  UnivariateRecord* rec = s.projects.univariate(entry);
  if (!rec || !s.operations) return;
  std::vector<Slot> open;
  for (const auto& w : s.desktop.windows())
    if (w->project == entry && w->slot != Slot::None && (w->kind == WindowKind::Graph || w->kind == WindowKind::Info))
      open.push_back(w->slot);
  for (Slot slot : open) {
    auto it = s.operations->slots.find(slot);
    if (it != s.operations->slots.end() && it->second.refresh && s.desktop.find(entry, slot))
      it->second.refresh(s, entry, *rec);
  }
}

}  // namespace zelk
