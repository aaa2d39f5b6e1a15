#include "shell/operations.h"

#include <vector>

#include "shell/session.h"

namespace zelk {

OperationTable make_operation_table() {
  OperationTable t;
  register_project_operations(t);
  register_univariate_operations(t);
  register_arma_operations(t);
  register_forecast_operations(t);
  register_multivariate_operations(t);
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
