#include "files/project_ops.h"

#include <filesystem>
#include <numeric>

#include "plot/format.h"
#include "project/clipboard_text.h"
#include "project/data_file.h"
#include "files/export.h"
#include "files/project_dialogs.h"
#include "files/project_file_ops.h"
#include "files/multivariate_file_ops.h"
#include "port/session.h"

namespace zelk {
namespace {

Window& project_window(Session& s, int entry) { return s.desktop.graph(entry, windows::Project, project_name(s, entry)); }

void focus_project_window(Session& s, int entry) {
  if (Window* w = s.desktop.find(entry, windows::Project)) s.desktop.focus(w->id);
}

// Shows why clipboard text was not imported; true when it was read.
bool clipboard_read(Session& s, ClipboardRead status, const std::string& message) {
  if (status == ClipboardRead::Read) return true;
  s.port.message("Import from clipboard", status == ClipboardRead::Empty ? "Clipboard empty" : message, Buttons::Ok);
  return false;
}

}  // namespace

const std::string& project_name(Session& s, int entry) {
  static const std::string none;
  if (UnivariateRecord* u = s.projects.univariate(entry)) return u->name;
  if (MultivariateRecord* m = s.projects.multivariate(entry)) return m->name;
  return none;
}

int create_univariate_project(Session& s, int entry) {
  UnivariateRecord& rec = s.projects.create_univariate(entry);
  plot_project_window(s, entry, rec);
  return entry;
}

int find_free_entry(Session& s) {
  const int e = s.projects.free_entry();
  if (e == 0) s.port.message("ZELK Error", "Maximum allowable projects exceeded", Buttons::Ok);
  return e;
}

int create_project(Session& s) {
  const int entry = find_free_entry(s);
  if (entry == 0) return 0;
  CreateProjectDialog dlg;
  if (!s.port.run_dialog(dlg)) return 0;
  if (dlg.multivariate()) {
    s.projects.create_multivariate(entry);
    project_window(s, entry);
  } else {
    create_univariate_project(s, entry);
  }
  s.projects.set_current(entry);
  focus_project_window(s, entry);
  return entry;
}

bool open_project(Session& s) {
  const int entry = create_project(s);
  if (entry == 0) return false;
  bool ok = false;
  if (UnivariateRecord* rec = s.projects.univariate(entry)) ok = import_file(s, entry, *rec);
  else if (MultivariateRecord* m = s.projects.multivariate(entry)) ok = import_file(s, entry, *m);
  if (!ok) {
    close_project(s, entry);
    s.projects.set_current(s.projects.last_open_entry());
    return false;
  }
  // The project window's INFO comes with an opened project; plotting writes it.
  s.desktop.info(project_window(s, entry), project_name(s, entry));
  if (UnivariateRecord* rec = s.projects.univariate(entry)) plot_project_window(s, entry, *rec);
  else s.refresh_windows(entry);
  focus_project_window(s, entry);
  return true;
}

void install_series(Session& s, int entry, UnivariateRecord& rec, std::vector<double> values) {
  // Windows from the classical fit on show results of the old data.
  s.desktop.close_data_windows(entry);
  rec.release_data();
  rec.set_data(std::move(values));
  rec.iterations = 0;
  redraw_project(s, entry, rec);
}

void redraw_project(Session& s, int entry, UnivariateRecord& rec) {
  // The project window is among the windows a refresh redraws: drawn once,
  // a long series is copied into its picture once.
  project_window(s, entry);
  const WindowHandlers* h = s.registry ? s.registry->window(windows::Project) : nullptr;
  if (!h || !h->refresh) plot_project_window(s, entry, rec);
  s.refresh_windows(entry);
}

bool import_file(Session& s, int entry, UnivariateRecord& rec, std::string_view data_title) {
  auto path = data_title.empty() ? choose_open_file(s.port) : choose_data_file(s.port, data_title);
  if (!path) return false;  // cancelling keeps the project as it was
  if (!load_file(s, entry, rec, *path)) return false;
  rec.file_name = *path;
  rec.name = std::filesystem::path(*path).filename().string();
  s.desktop.recaption(entry, rec.name);
  focus_project_window(s, entry);
  s.port.file_used(*path, FileUse::UnivariateProject);
  return true;
}

bool import_clipboard(Session& s, int entry, UnivariateRecord& rec) {
  // No text on the clipboard reads as empty text.
  ClipboardSeries r = read_clipboard_series(s.port.clipboard_text().value_or(""));
  if (!clipboard_read(s, r.status, r.message)) return false;
  install_series(s, entry, rec, std::move(r.values));
  focus_project_window(s, entry);
  return true;
}

bool import_clipboard(Session& s, int entry, MultivariateRecord& rec) {
  ClipboardTable r = read_clipboard_table(s.port.clipboard_text().value_or(""), kMaxComponents);
  if (!clipboard_read(s, r.status, r.message)) return false;
  install_components(s, entry, rec, r.m, r.n, std::move(r.data));
  focus_project_window(s, entry);
  return true;
}

void close_project(Session& s, int entry) {
  s.publish(Event::ProjectClosed, entry);
  s.desktop.close_project(entry);
  s.projects.close(entry);
}

bool close_current_project(Session& s) {
  const int entry = s.projects.current();
  if (entry == 0) return false;
  if (s.port.message("ZELK", "Close current project ?", Buttons::YesNo) != Button::Yes) return false;
  close_project(s, entry);
  s.projects.set_current(s.projects.last_open_entry());
  return true;
}

bool close_all_projects(Session& s) {
  if (s.port.message("ZELK", "Close all projects ?", Buttons::YesNo) != Button::Yes) return false;
  for (int e = 1; e <= kMaxProjects; ++e)
    if (s.projects.kind(e) != ProjectKind::Free) close_project(s, e);
  s.projects.set_current(0);
  return true;
}

void rename_project(Session& s, int entry) {
  std::string* name = nullptr;
  if (UnivariateRecord* u = s.projects.univariate(entry)) name = &u->name;
  if (MultivariateRecord* m = s.projects.multivariate(entry)) name = &m->name;
  if (!name) return;
  RenameProjectDialog dlg(*name);
  if (!s.port.run_dialog(dlg)) return;
  *name = dlg.name();
  s.desktop.recaption(entry, *name);
}

void set_project_minimized(Session& s, int entry, bool minimized) { s.desktop.set_minimized(entry, minimized); }

void plot_project_window(Session& s, int entry, UnivariateRecord& rec) {
  Window& w = project_window(s, entry);
  w.graph->clear();
  w.graph->role = 0;
  w.graph->x_title = "Time";
  if (rec.data_present()) {
    // Time runs over the original indices, so a subsequence keeps its place.
    std::vector<double> t(rec.x.size());
    std::iota(t.begin(), t.end(), static_cast<double>(rec.first));
    w.graph->add_curve_pane(1, std::move(t), rec.x);
    w.graph->pane(1).title = rec.series_name;
  }
  s.desktop.changed(w);
  if (Window* info = s.desktop.by_id(w.info); info && s.registry) {
    const WindowHandlers* h = s.registry->window(windows::Project);
    if (h && h->write_info) h->write_info(s, entry, rec);
    s.desktop.changed(*info);
  }
}

}  // namespace zelk
