#include "files/table_import.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/export.h"
#include "files/multivariate_file_ops.h"
#include "files/project_ops.h"
#include "plot/format.h"
#include "port/session.h"

namespace zelk {
namespace {

constexpr const char* kTitle = "Import Table";
constexpr std::size_t kPreviewWidth = 14;  // characters of a field in the preview
constexpr std::size_t kNameLength = 64;

std::string column_name(const TableShape& shape, int j) {
  const std::string& n = shape.names[static_cast<std::size_t>(j)];
  return n.empty() ? "Column " + std::to_string(j + 1) : n;
}

std::string layout_text(const TableShape& s) {
  std::string t;
  if (s.columns == 1) t = "One column";
  else if (s.separator == '\t') t = "Tab-separated";
  else if (s.separator == ';') t = "Semicolon-separated, decimal comma";
  else if (s.separator == ' ') t = "Blank-separated";
  else t = "Comma-separated";
  t += ", " + std::to_string(s.rows) + (s.rows == 1 ? " row" : " rows");
  if (s.columns > 1) t += " of " + std::to_string(s.columns) + " columns";
  return t + (s.header ? ", names from the first row." : ", no header row.");
}

// Names become window captions and project-file lines: one line, not too long.
std::string clean_name(std::string name) {
  for (char& c : name)
    if (static_cast<unsigned char>(c) < ' ') c = ' ';
  name = trim(name);
  return name.size() > kNameLength ? trim(std::string_view(name).substr(0, kNameLength)) : name;
}

struct ChosenTable {
  std::string path;
  std::vector<std::vector<double>> values;
  std::vector<std::string> names;
};

std::optional<ChosenTable> choose_table(Session& s, bool several) {
  auto path = choose_data_file(s.port, kTitle);
  if (!path) return std::nullopt;
  std::ifstream in(*path, std::ios::binary);
  if (!in) {
    s.port.message(kTitle, "Cannot open file", Buttons::Ok);
    return std::nullopt;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    s.port.message(kTitle, "Cannot read file", Buttons::Ok);
    return std::nullopt;
  }
  TableScan scan = scan_table(text);
  if (!scan.shape) {
    s.port.message(kTitle, scan.error, Buttons::Ok);
    return std::nullopt;
  }
  ImportTableDialog dlg(std::move(text), std::move(*scan.shape), several);
  if (!s.port.run_dialog(dlg)) return std::nullopt;
  return ChosenTable{*path, std::move(dlg.values()), dlg.names()};
}

template <typename Record>
void name_project(Session& s, int entry, Record& rec, const std::string& path) {
  rec.file_name = path;
  rec.project_file_known = false;
  rec.name = std::filesystem::path(path).filename().string();
  s.desktop.recaption(entry, rec.name);
  if (Window* w = s.desktop.find(entry, windows::Project)) s.desktop.focus(w->id);
}

}  // namespace

ImportTableDialog::ImportTableDialog(std::string text, TableShape shape, bool several)
    : Dialog(kTitle), text_(std::move(text)), shape_(std::move(shape)), several_(several) {
  add(ControlKind::Static, "layout", "");
  add(ControlKind::Check, "header", "First row holds the column names");
  add(ControlKind::Static, "preview", "Preview:");
  add(several ? ControlKind::MultiList : ControlKind::List, "columns", several ? "Columns:" : "Column:");
  show_shape();
  std::vector<int> pick = value_columns(shape_);
  pick.resize(std::min<std::size_t>(pick.size(), several ? kMaxComponents : 1));
  control("columns").selection = pick;
  set_focus("columns");
}

void ImportTableDialog::show_shape() {
  control("layout").text = layout_text(shape_);
  control("header").checked = shape_.header;
  control("preview").text = table_preview_text(shape_);
  Control& list = control("columns");
  list.items.clear();
  for (int j = 0; j < shape_.columns; ++j) {
    std::string item = std::to_string(j + 1) + "  " + column_name(shape_, j);
    const ColumnKind k = shape_.kinds[static_cast<std::size_t>(j)];
    if (k != ColumnKind::Number) item += k == ColumnKind::Date ? " (dates)" : " (text)";
    list.items.push_back(std::move(item));
  }
  std::erase_if(list.selection, [&](int j) { return j >= shape_.columns; });
}

bool ImportTableDialog::field_changed(std::string_view key, UiPort& port) {
  if (key != "header") return true;
  const bool header = control("header").checked;
  if (header == shape_.header) return true;
  TableScan scan = scan_table(text_, header);
  if (!scan.shape) {
    port.message(kTitle, scan.error, Buttons::Ok);
    control("header").checked = shape_.header;
    set_focus("header");
    return false;
  }
  shape_ = std::move(*scan.shape);
  show_shape();
  return true;
}

bool ImportTableDialog::accept(UiPort& port) {
  const std::vector<int>& chosen = control("columns").selection;
  auto refuse = [&](const std::string& why) {
    port.message(kTitle, why, Buttons::Ok);
    set_focus("columns");
    return false;
  };
  if (chosen.empty()) return refuse(several_ ? "Choose at least one column." : "Choose a column.");
  if (!several_ && chosen.size() > 1) return refuse("Choose one column.");
  if (static_cast<int>(chosen.size()) > kMaxComponents)
    return refuse("A multivariate project holds at most 25 series; choose fewer columns.");
  for (int j : chosen) {
    const ColumnKind k = shape_.kinds[static_cast<std::size_t>(j)];
    if (k != ColumnKind::Number)
      return refuse("Column " + std::to_string(j + 1) + " (\"" + column_name(shape_, j) + "\") holds " +
                    (k == ColumnKind::Date ? "dates" : "text") + ", not values.");
  }
  TableColumns read = read_table_columns(text_, shape_, chosen);
  if (!read.ok()) return refuse(read.error);
  values_ = std::move(read.values);
  chosen_ = chosen;
  return true;
}

std::vector<std::string> ImportTableDialog::names() const {
  std::vector<std::string> out;
  for (int j : chosen_) out.push_back(clean_name(shape_.names[static_cast<std::size_t>(j)]));
  return out;
}

std::string table_preview_text(const TableShape& shape) {
  std::vector<std::size_t> width(static_cast<std::size_t>(shape.columns), 0);
  auto cell = [](std::string f) {
    std::replace_if(f.begin(), f.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, ' ');
    return f.size() > kPreviewWidth ? f.substr(0, kPreviewWidth - 1) + "~" : f;
  };
  for (const auto& row : shape.preview)
    for (std::size_t j = 0; j < row.size() && j < width.size(); ++j) width[j] = std::max(width[j], cell(row[j]).size());
  std::string out;
  for (const auto& row : shape.preview) {
    std::string line;
    for (std::size_t j = 0; j < row.size() && j < width.size(); ++j) {
      std::string c = cell(row[j]);
      c.resize(width[j], ' ');
      line += (j ? "  " : "") + c;
    }
    out += trim(line) + "\n";
  }
  if (shape.rows + (shape.header ? 1 : 0) > static_cast<int>(shape.preview.size())) out += "...\n";
  if (!out.empty()) out.pop_back();
  return out;
}

bool import_table(Session& s, int entry, UnivariateRecord& rec) {
  std::optional<ChosenTable> t = choose_table(s, false);
  if (!t) return false;
  install_series(s, entry, rec, std::move(t->values.front()));
  if (!t->names.front().empty()) {
    rec.series_name = t->names.front();
    plot_project_window(s, entry, rec);
  }
  name_project(s, entry, rec, t->path);
  return true;
}

bool import_table(Session& s, int entry, MultivariateRecord& rec) {
  std::optional<ChosenTable> t = choose_table(s, true);
  if (!t) return false;
  const int m = static_cast<int>(t->values.size());
  const int n = static_cast<int>(t->values.front().size());
  std::vector<double> data;
  data.reserve(static_cast<std::size_t>(m) * static_cast<std::size_t>(n));
  for (const auto& column : t->values) data.insert(data.end(), column.begin(), column.end());
  install_components(s, entry, rec, m, n, std::move(data));
  for (int j = 0; j < m; ++j)
    if (!t->names[static_cast<std::size_t>(j)].empty()) rec.names[static_cast<std::size_t>(j)] = t->names[static_cast<std::size_t>(j)];
  s.refresh_windows(entry);
  name_project(s, entry, rec, t->path);
  return true;
}

}  // namespace zelk
