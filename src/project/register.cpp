#include "shell/operations.h"

#include <memory>

#include "project/export.h"
#include "project/project_dialogs.h"
#include "project/project_file_ops.h"
#include "project/project_ops.h"
#include "shell/session.h"

namespace zelk {

// Project commands act on the current project, whatever its kind; the
// dispatcher updates menus, tool bar and status bar after them.
void register_project_operations(OperationTable& t) {
  t.session[40091] = [](Session& s) {
    if (create_project(s) == 0) s.projects.set_current(s.projects.last_open_entry());
  };
  t.session[40095] = [](Session& s) { open_project(s); };
  t.session[40096] = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) save_project(s, e, *u);
  };
  t.session[40097] = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) save_project_as(s, e, *u);
  };
  t.session[40069] = [](Session& s) { close_current_project(s); };
  t.session[40072] = [](Session& s) { close_all_projects(s); };
  t.session[40073] = [](Session& s) { rename_project(s, s.projects.current()); };
  t.session[40068] = [](Session& s) { set_project_minimized(s, s.projects.current(), true); };
  t.session[40070] = [](Session& s) { set_project_minimized(s, s.projects.current(), false); };
  t.session[40098] = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) import_file(s, e, *u);
  };
  t.session[40152] = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) import_clipboard(s, e, *u);
    else if (MultivariateRecord* m = s.projects.multivariate(e)) import_clipboard(s, e, *m);
  };
  t.session[40006] = [](Session& s) {
    if (UnivariateRecord* u = s.projects.current_univariate()) export_project(s, *u);
  };
  t.slots[Slot::Project].refresh = [](Session& s, int e, UnivariateRecord& r) { plot_project_window(s, e, r); };

  t.dialogs.push_back([] { return std::make_unique<CreateProjectDialog>(); });
  t.dialogs.push_back([] { return std::make_unique<RenameProjectDialog>("New Univariate Project"); });
  t.dialogs.push_back([] {
    std::vector<double> one{1.0};
    return std::make_unique<ExportDialog>(std::vector<std::span<const double>>{one});
  });
}

}  // namespace zelk
