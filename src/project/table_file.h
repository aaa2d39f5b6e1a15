#pragma once
// Delimited tables as spreadsheets, R and pandas write them: fields separated
// by commas, tabs, semicolons or runs of blanks; an optional header row that
// names the columns; fields quoted as RFC 4180 has it (a doubled quote inside
// stands for one, and a quoted field may hold separators and line ends); a
// decimal comma where the separator is a semicolon; and columns of dates or
// times beside the values.
//
// Nothing is guessed about a value: a row whose field count differs from the
// first row's is refused naming its line, and a missing (empty, NA) or
// unreadable value in a column asked for is refused naming line and column.
// Both passes run over the text in place; the only allocations are one
// field buffer a row and the values asked for.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

enum class ColumnKind { Number, Date, Text };

// What a scan learns about a table.
struct TableShape {
  char separator = ',';  // ',', '\t', ';', or ' ' for runs of blanks
  bool header = false;
  bool decimal_comma = false;  // only with ';': "1,5" reads 1.5
  int columns = 0;
  int rows = 0;  // data rows, the header not counted
  std::vector<std::string> names;  // the header's fields, or "Column j"
  // Decided by the column's first value that is not missing; a column with
  // none counts as numbers, so that reading it names the missing value.
  std::vector<ColumnKind> kinds;
  // The fields of the first rows, the header's included.
  std::vector<std::vector<std::string>> preview;
};

inline constexpr int kPreviewRows = 6;
inline constexpr int kMaxTableColumns = 4096;

struct TableScan {
  std::optional<TableShape> shape;
  std::string error;  // why the text is not a table, with its line
};

// Detects the separator; detects the header unless `header` says whether
// there is one; checks that every row has the first row's field count.
// Blank lines before the first row and after the last are ignored; a blank
// line between rows is a row of one empty field.
TableScan scan_table(std::string_view text, std::optional<bool> header = std::nullopt);

struct TableColumns {
  std::vector<std::vector<double>> values;  // one per column asked for, shape.rows values each
  std::string error;
  bool ok() const { return error.empty(); }
};

// The values of the given columns (0-based) of a scanned text. Values must
// be finite and at most 1E+100 in size, as a data file's are.
TableColumns read_table_columns(std::string_view text, const TableShape& shape, std::span<const int> columns);

// The columns that hold the series: numbers that are not a date, a time or a
// row index (a column named time, date, year..., an unnamed first column, or
// one counting 1, 2, 3...). Falls back to every number column.
std::vector<int> value_columns(const TableShape& shape);

// How a single field reads: a number (with the table's decimal mark), a
// date or time of day, missing (empty, NA, N/A, NaN, null, #N/A), or text.
enum class FieldKind { Number, Date, Missing, Text };
FieldKind classify_field(std::string_view field, bool decimal_comma);
bool looks_like_date(std::string_view field);

}  // namespace zelk
