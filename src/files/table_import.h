#pragma once
// Import Table: a CSV, TSV or semicolon-separated file read into a project,
// one column for a univariate project, several for a multivariate one, with
// the names from the header.
#include <optional>
#include <string>
#include <vector>

#include "port/dialog.h"
#include "project/table_file.h"

namespace zelk {

struct Session;
struct UnivariateRecord;
struct MultivariateRecord;

// "Import Table": the layout found, a header switch, the first rows as text
// and the column choice. OK reads the chosen columns; a missing or unreadable
// value is refused naming its line and column, and the dialog stays open so
// that another column can be chosen.
class ImportTableDialog : public Dialog {
 public:
  // `several`: a multivariate project (1 to 25 columns), else exactly one.
  ImportTableDialog(std::string text, TableShape shape, bool several);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

  const TableShape& shape() const { return shape_; }
  // After OK: the chosen columns' values and names (empty when unnamed).
  std::vector<std::vector<double>>& values() { return values_; }
  std::vector<std::string> names() const;

 private:
  void show_shape();
  std::string text_;
  TableShape shape_;
  bool several_;
  std::vector<int> chosen_;
  std::vector<std::vector<double>> values_;
};

// The preview text: the first rows, one a line, fields in aligned columns.
std::string table_preview_text(const TableShape& shape);

// Each asks for the file, shows the dialog and installs the columns; on
// cancel or refusal the project keeps what it had.
bool import_table(Session& s, int entry, UnivariateRecord& rec);
bool import_table(Session& s, int entry, MultivariateRecord& rec);

}  // namespace zelk
