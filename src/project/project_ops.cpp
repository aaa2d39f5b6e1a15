#include "project/project_ops.h"

#include <filesystem>
#include <numeric>

#include "plot/format.h"
#include "project/data_file.h"
#include "project/export.h"
#include "project/project_dialogs.h"
#include "project/project_file_ops.h"
#include "shell/session.h"

namespace zelk {
namespace {

Window& project_window(Session& s, int entry) { return s.desktop.graph(entry, Slot::Project, project_name(s, entry)); }

void focus_project_window(Session& s, int entry) {
  if (Window* w = s.desktop.find(entry, Slot::Project)) s.desktop.focus(w->id);
}

// Clipboard text as lines: the last piece, after the final line end, is not used.
std::vector<std::string_view> clipboard_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  lines.pop_back();
  return lines;
}

bool clipboard_empty(Session& s, const std::optional<std::string>& text,
                     std::vector<std::string_view>& lines) {
  if (text) lines = clipboard_lines(*text);
  if (!text || lines.empty()) {
    s.port.message("Import from clipboard", "Clipboard empty", Buttons::Ok);
    return true;
  }
  return false;
}

// A clipboard line: a number, else 0 (letters import as 0); a value that is
// not finite refuses the whole text.
bool clipboard_value(Session& s, std::string_view line, std::size_t number, double& v) {
  auto r = parse_data_text(line.substr(0, 255));
  if (r.ok()) {
    v = r.value->front();
    return true;
  }
  if (r.failure == DataReadFailure::NotFinite) {
    s.port.message("Import from clipboard",
                   "Line " + std::to_string(number) + " of the clipboard text is not a finite number.", Buttons::Ok);
    return false;
  }
  if (r.failure == DataReadFailure::TooLarge) {
    s.port.message("Import from clipboard",
                   "Line " + std::to_string(number) +
                       " of the clipboard text is too large to analyse: values must be at most 1E+100 in size.",
                   Buttons::Ok);
    return false;
  }
  v = 0;
  return true;
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

int create_project(Session& s) {
  const int entry = s.projects.find_free_entry(s.port);
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
  if (UnivariateRecord* rec = s.projects.univariate(entry)) {
    ok = import_file(s, entry, *rec);
  } else {
    s.port.message("ZELK Error", "Multivariate data files cannot be opened yet; use Import Clipboard.", Buttons::Ok);
  }
  if (!ok) {
    close_project(s, entry);
    s.projects.set_current(s.projects.last_open_entry());
    return false;
  }
  // The project window's INFO comes with an opened project; plotting writes it.
  s.desktop.info(project_window(s, entry), project_name(s, entry));
  plot_project_window(s, entry, *s.projects.univariate(entry));
  focus_project_window(s, entry);
  return true;
}

void install_series(Session& s, int entry, UnivariateRecord& rec, std::vector<double> values) {
  // Windows from the classical fit on show results of the old data.
  s.desktop.close_slots_from(entry, Slot::ClassicalFit);
  rec.release_data();
  rec.set_data(std::move(values));
  rec.iterations = 0;
  redraw_project(s, entry, rec);
}

void redraw_project(Session& s, int entry, UnivariateRecord& rec) {
  // The project window is among the windows a refresh redraws: drawn once,
  // a long series is copied into its picture once.
  project_window(s, entry);
  const bool refreshed = s.operations && s.operations->slots.count(Slot::Project) != 0;
  if (!refreshed) plot_project_window(s, entry, rec);
  refresh_project(s, entry);
}

bool import_file(Session& s, int entry, UnivariateRecord& rec) {
  auto path = choose_open_file(s.port);
  if (!path) return false;  // cancelling keeps the project as it was
  if (!load_file(s, entry, rec, *path)) return false;
  rec.file_name = *path;
  rec.name = std::filesystem::path(*path).filename().string();
  s.desktop.recaption(entry, rec.name);
  focus_project_window(s, entry);
  return true;
}

bool import_clipboard(Session& s, int entry, UnivariateRecord& rec) {
  auto text = s.port.clipboard_text();
  std::vector<std::string_view> lines;
  if (clipboard_empty(s, text, lines)) return false;
  std::vector<double> values(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!clipboard_value(s, lines[i], i + 1, values[i])) return false;
  install_series(s, entry, rec, std::move(values));
  focus_project_window(s, entry);
  return true;
}

bool import_clipboard(Session& s, int entry, MultivariateRecord& rec) {
  auto text = s.port.clipboard_text();
  std::vector<std::string_view> lines;
  if (clipboard_empty(s, text, lines)) return false;
  const int m = static_cast<int>(std::count(lines[0].begin(), lines[0].end(), '\t')) + 1;
  if (m > kMaxComponents) {
    s.port.message("Import from clipboard", "At most 25 columns can be imported.", Buttons::Ok);
    return false;
  }
  const int n = static_cast<int>(lines.size());
  std::vector<double> data(static_cast<std::size_t>(m) * n, 0.0);
  for (int t = 0; t < n; ++t) {
    // Free-form row; a missing or unreadable value stays 0.
    std::string_view line = lines[t];
    int j = 0;
    std::size_t i = 0;
    while (j < m && i < line.size()) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i;
      std::size_t k = i;
      while (k < line.size() && line[k] != ' ' && line[k] != '\t' && line[k] != ',') ++k;
      if (k == i) break;
      double v = 0;
      if (!clipboard_value(s, line.substr(i, k - i), static_cast<std::size_t>(t) + 1, v)) return false;
      data[static_cast<std::size_t>(j++) * n + t] = v;
      i = k;
    }
  }
  rec.m = m;
  rec.n = n;
  rec.data = std::move(data);
  rec.active.assign(m, true);
  rec.names.clear();
  for (int j = 0; j < m; ++j) rec.names.push_back("Series " + std::to_string(j + 1));
  s.desktop.changed_project(entry);
  focus_project_window(s, entry);
  return true;
}

void close_project(Session& s, int entry) {
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
  if (rec.data_present()) {
    // Time runs over the original indices, so a subsequence keeps its place.
    std::vector<double> t(rec.x.size());
    std::iota(t.begin(), t.end(), static_cast<double>(rec.first));
    w.graph->add_curve_pane(1, std::move(t), rec.x);
    w.graph->pane(1).title = rec.series_name;
  }
  s.desktop.changed(w);
  if (Window* info = s.desktop.by_id(w.info); info && s.operations) {
    auto it = s.operations->slots.find(Slot::Project);
    if (it != s.operations->slots.end() && it->second.write_info) it->second.write_info(s, entry, rec);
    s.desktop.changed(*info);
  }
}

}  // namespace zelk
