#pragma once
// Clipboard text read as a series (one value a line) or as a table (one time
// point a line, components separated by tabs). Text copied from spreadsheets
// and editors often lacks a final line end, and a wrong cell is easy to miss,
// so nothing is guessed: the last line counts with or without a line end,
// blank lines at the end are ignored, and any other line that does not hold
// what is expected refuses the whole text with a message naming that line.
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

enum class ClipboardRead { Read, Empty, Refused };

struct ClipboardSeries {
  ClipboardRead status = ClipboardRead::Empty;
  std::vector<double> values;
  std::string message;  // why it was refused
};

struct ClipboardTable {
  ClipboardRead status = ClipboardRead::Empty;
  int m = 0;  // components: the tabs of the first line plus one
  int n = 0;  // time points: one a line
  std::vector<double> data;  // column-major: component j at time t is data[j*n + t]
  std::string message;
};

// The first value of each line, read as a data file reads it (the rest of the
// line is ignored). Empty when no line holds anything but blanks.
ClipboardSeries read_clipboard_series(std::string_view text);

// Every line must hold exactly m finite values, separated as in a data file
// (tabs, blanks, commas, semicolons). More than `max_columns` columns is refused.
ClipboardTable read_clipboard_table(std::string_view text, int max_columns);

}  // namespace zelk
