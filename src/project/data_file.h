#pragma once
// Readers for plain-text data: one value per line (a series), or m values per
// time point (a table). Both read in free form, stop at the first item that is
// not a number, refuse values that are not finite, and allocate no more than
// the values actually read.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

struct FileMessage {
  std::string title;
  std::string text;
};

enum class DataReadFailure { None, Open, Read, NoValues, NotFinite, TooLarge, DecimalComma };

template <typename T>
struct ReadResult {
  std::optional<T> value;
  FileMessage error;  // set when value is empty
  DataReadFailure failure = DataReadFailure::None;
  bool ok() const { return value.has_value(); }
};

// The first value of each line; blank lines are skipped; reading stops at the
// first line whose first item is not a number. No values is an error.
ReadResult<std::vector<double>> read_data_file(const std::string& path);
ReadResult<std::vector<double>> parse_data_text(std::string_view text);

// One free-form item as both readers take it (a number written as an integer,
// a decimal or with an E or D exponent), and the characters that separate items.
enum class ItemKind { Number, NotNumber, NotFinite };
ItemKind parse_data_item(std::string_view item, double& v);
bool is_item_separator(char c);

// m values per time point (a time point may span lines and each starts on a
// new line); values[t*m + j] is component j at time point t.
struct Table {
  int m = 0;
  int n = 0;
  std::vector<double> values;
  double at(int component, int time) const { return values[static_cast<std::size_t>(time) * m + component]; }
};
ReadResult<Table> read_table_file(const std::string& path, int m);
ReadResult<Table> parse_table_text(std::string_view text, int m);

// The two preview texts of the first (at most 5) time points: first and last
// component, "  v," each, ending "  etc ..." and "  etc ... ".
std::pair<std::string, std::string> table_preview(const Table& first_points);

}  // namespace zelk
