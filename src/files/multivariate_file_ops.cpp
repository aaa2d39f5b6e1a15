#include "files/multivariate_file_ops.h"

#include <filesystem>
#include <fstream>

#include "files/export.h"
#include "files/project_dialogs.h"
#include "files/project_file_ops.h"
#include "files/project_ops.h"
#include "plot/format.h"
#include "port/session.h"
#include "project/atomic_file.h"
#include "project/data_file.h"
#include "project/multivariate_file.h"

namespace zelk {
namespace {

constexpr const char* kSaveTitle = "MultiVarSave()";
constexpr int kDefaultColumns = 2;

void show(Session& s, const FileMessage& m) { s.port.message(m.title, m.text, Buttons::Ok); }

void focus_project_window(Session& s, int entry) {
  if (Window* w = s.desktop.find(entry, windows::Project)) s.desktop.focus(w->id);
}

// New data: results of the old data and the windows showing them go.
void fresh_data(Session& s, int entry, MultivariateRecord& rec) {
  s.desktop.close_data_windows(entry);
  rec.derived.clear();
  s.publish(Event::SeriesChanged, entry);
}

std::string preview_file(const std::string& path) {
  // Five time points of at most 25 values fit in the first few kilobytes.
  std::ifstream in(path, std::ios::binary);
  std::string text(16384, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

bool write_project(Session& s, const MultivariateRecord& rec, const std::string& path) {
  return saved(s, write_file_atomically(path, multivariate_file_text(rec, s.colours)), kSaveTitle, path);
}

}  // namespace

MultivariateDataDialog::MultivariateDataDialog(Preview preview)
    : Dialog("Read Multivariate Data  "), preview_(std::move(preview)) {
  add(ControlKind::Edit, "columns", "Number of columns: ").text = std::to_string(kDefaultColumns);
  add(ControlKind::Static, "first_label", "First Series");
  add(ControlKind::Static, "first", "");
  add(ControlKind::Static, "last_label", "Last Series");
  add(ControlKind::Static, "last", "");
  set_focus("columns");
  auto [a, b] = preview_ ? preview_(kDefaultColumns) : std::pair<std::string, std::string>{};
  control("first").text = a;
  control("last").text = b;
}

bool MultivariateDataDialog::check(UiPort& port) {
  const auto c = read_integer(control("columns").text);
  if (!c || *c < 1 || *c > kMaxComponents) {
    port.message("ZELK::Error", "Number of component series must be between 1 and 25.", Buttons::Ok);
    control("columns").text = std::to_string(kDefaultColumns);
    columns_ = kDefaultColumns;
    set_focus("columns");
    return false;
  }
  columns_ = static_cast<int>(*c);
  return true;
}

bool MultivariateDataDialog::field_changed(std::string_view key, UiPort& port) {
  if (key != "columns") return true;
  const bool ok = check(port);
  if (preview_) {
    auto [a, b] = preview_(columns_);
    control("first").text = a;
    control("last").text = b;
  }
  return ok;
}

bool MultivariateDataDialog::accept(UiPort& port) { return check(port); }

std::string table_shape_problem(const std::string& path, int m) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  long long number = 0;
  int first_count = -1;
  while (std::getline(in, line)) {
    ++number;
    int count = 0;
    std::size_t i = 0;
    bool word = false;
    std::string bad;
    while (i < line.size()) {
      while (i < line.size() && (is_item_separator(line[i]) || line[i] == '\r')) ++i;
      if (i >= line.size()) break;
      const std::size_t start = i;
      while (i < line.size() && !is_item_separator(line[i]) && line[i] != '\r') ++i;
      double v = 0;
      const std::string_view item(line.data() + start, i - start);
      if (parse_data_item(item, v) != ItemKind::Number) {
        word = true;
        bad = std::string(item.substr(0, 40));
        break;
      }
      ++count;
    }
    if (count == 0 && word) break;  // the data end at a line of words
    if (count == 0) continue;
    if (word)
      return "Line " + std::to_string(number) + ": \"" + bad + "\" is not a number.";
    if (first_count < 0) first_count = count;
    // Rows of m values, or time points spread evenly over several lines.
    const bool fits = count == m || (count == first_count && m % count == 0);
    if (!fits)
      return "Line " + std::to_string(number) + " holds " + std::to_string(count) + " values; every row must hold " +
             std::to_string(m) + ".";
  }
  return {};
}

void install_components(Session& s, int entry, MultivariateRecord& rec, int m, int n, std::vector<double> data) {
  rec.m = m;
  rec.n = n;
  rec.data = std::move(data);
  rec.active.assign(static_cast<std::size_t>(m), true);
  rec.names.clear();
  for (int j = 0; j < m; ++j) rec.names.push_back("Series " + std::to_string(j + 1));
  rec.first = n > 0 ? 1 : 0;
  rec.last = n;
  rec.transforms.clear();
  fresh_data(s, entry, rec);
}

bool load_multivariate_file(Session& s, int entry, MultivariateRecord& rec, const std::string& path) {
  MultivariateReadResult project = read_multivariate_file(path);
  if (project.status == MultivariateReadStatus::Failed) {
    show(s, project.error);
    return false;
  }
  if (project.status == MultivariateReadStatus::Read) {
    MultivariateRecord& from = project.record;
    rec.m = from.m;
    rec.n = from.n;
    rec.data = std::move(from.data);
    rec.active = std::move(from.active);
    rec.names = std::move(from.names);
    rec.first = from.first;
    rec.last = from.last;
    rec.transforms = std::move(from.transforms);
    rec.transfer = std::move(from.transfer);
    rec.project_file_known = true;
    s.colours = project.colours;
    fresh_data(s, entry, rec);
    for (int e = 1; e <= kMaxProjects; ++e)
      if (e != entry && s.projects.kind(e) != ProjectKind::Free) s.desktop.changed_project(e);
    return true;
  }
  const std::string head = preview_file(path);
  MultivariateDataDialog dlg([&head](int m) {
    ReadResult<Table> t = parse_table_text(head, m);
    if (!t.ok() || t.value->n == 0) return std::pair<std::string, std::string>{};
    return table_preview(*t.value);
  });
  if (!s.port.run_dialog(dlg)) return false;
  const int m = dlg.columns();
  if (std::string why = table_shape_problem(path, m); !why.empty()) {
    s.port.message("ERROR", why, Buttons::Ok);
    return false;
  }
  ReadResult<Table> read = read_table_file(path, m);
  if (!read.ok()) {
    show(s, read.error);
    return false;
  }
  const Table& t = *read.value;
  if (t.n == 0) {
    s.port.message("ERROR", "Unrecognized file format", Buttons::Ok);
    return false;
  }
  std::vector<double> data(t.values.size());
  for (int time = 0; time < t.n; ++time)
    for (int j = 0; j < m; ++j) data[static_cast<std::size_t>(j) * t.n + time] = t.at(j, time);
  install_components(s, entry, rec, m, t.n, std::move(data));
  rec.project_file_known = false;
  return true;
}

bool import_file(Session& s, int entry, MultivariateRecord& rec, std::string_view data_title) {
  auto path = data_title.empty() ? choose_open_file(s.port) : choose_data_file(s.port, data_title);
  if (!path) return false;
  if (!load_multivariate_file(s, entry, rec, *path)) return false;
  rec.file_name = *path;
  rec.name = std::filesystem::path(*path).filename().string();
  s.desktop.recaption(entry, rec.name);
  focus_project_window(s, entry);
  s.port.file_used(*path, FileUse::MultivariateProject);
  return true;
}

bool save_project(Session& s, int entry, MultivariateRecord& rec) {
  if (!rec.project_file_known) return save_project_as(s, entry, rec);
  return write_project(s, rec, rec.file_name);
}

bool save_project_as(Session& s, int entry, MultivariateRecord& rec) {
  auto path = choose_save_file(s.port);
  if (!path) return false;
  if (!write_project(s, rec, *path)) return false;
  rec.file_name = *path;
  rec.project_file_known = true;
  rec.name = std::filesystem::path(*path).filename().string();
  s.desktop.recaption(entry, rec.name);
  s.port.file_used(*path, FileUse::MultivariateProject);
  return true;
}

void export_project(Session& s, MultivariateRecord& rec) {
  std::vector<double> columns;
  for (int j = 0; j < rec.m; ++j)
    if (rec.active[static_cast<std::size_t>(j)]) {
      auto c = rec.component(j);
      columns.insert(columns.end(), c.begin(), c.end());
    }
  const int cols = rec.n > 0 ? static_cast<int>(columns.size()) / rec.n : 0;
  // Only the series exist for a multivariate project.
  std::vector<std::span<const double>> offered(ExportDialog::labels().size());
  offered[0] = columns;
  ExportDialog dlg(offered);
  dlg.control("array1").checked = !columns.empty();
  if (!s.port.run_dialog(dlg)) return;
  if (dlg.selected() != 0) return;
  if (!dlg.to_file()) {
    copy_table(s.port, columns, rec.n, cols);
    return;
  }
  if (columns.empty()) return;
  const auto path = choose_export_file(s.port);
  if (!path) return;
  write_table(s.port, *path, columns, rec.n, cols);
}

}  // namespace zelk
