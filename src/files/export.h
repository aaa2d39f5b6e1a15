#pragma once
// Stored results leave a project as plain text, to a file or the clipboard.
#include <span>
#include <string>
#include <vector>

#include <optional>
#include "port/dialog.h"

namespace zelk {

class UiPort;
struct Session;
struct UnivariateRecord;

// One value per line, written so that reading it back restores it exactly.
std::string value_list_text(std::span<const double> values);
// Rows of a column-major rows x cols array, values separated by blanks.
std::string table_text(std::span<const double> values, int rows, int cols);
// 5 significant digits, CR LF between values, none after the last.
std::string clipboard_value_list(std::span<const double> values);
// A row's values separated by tabs, rows by CR LF.
std::string clipboard_table(std::span<const double> values, int rows, int cols);

// Each shows its message through the port and returns false on failure.
bool write_value_list(UiPort& port, const std::string& path, std::span<const double> values);
bool write_table(UiPort& port, const std::string& path, std::span<const double> values, int rows, int cols);
bool copy_value_list(UiPort& port, std::span<const double> values);
bool copy_table(UiPort& port, std::span<const double> values, int rows, int cols);

// The save-file chooser: "Save ZELK file" with the ZLK filters.
std::optional<std::string> choose_save_file(UiPort& port);
std::optional<std::string> choose_open_file(UiPort& port);
// The chooser of the import commands: titled after the command, data files
// (*.dat *.txt *.csv *.tsv) first, then all files.
std::optional<std::string> choose_data_file(UiPort& port, std::string_view title);
// The file an export writes: the save chooser, then "Overwrite existing
// file?" when it exists; none when the user backs out.
std::optional<std::string> choose_export_file(UiPort& port);

class ExportDialog : public Dialog {
 public:
  // The arrays offered, in button order; an empty one disables its button.
  explicit ExportDialog(const std::vector<std::span<const double>>& arrays);
  static const std::vector<std::string>& labels();
  int selected() const;  // 0-based array index, -1 when none is checked
  bool to_file() const;
};

void export_project(Session& s, UnivariateRecord& rec);

}  // namespace zelk
