#include "project/clipboard_text.h"

#include <cmath>

#include <algorithm>

#include "numeric/finite.h"
#include "project/data_file.h"

namespace zelk {
namespace {

constexpr std::size_t kShown = 40;  // characters of a refused line quoted in its message

bool blank_char(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

bool blank_line(std::string_view line) { return std::all_of(line.begin(), line.end(), blank_char); }

// Calls take(number, line) for each line, split at CR LF, CR or LF, until it
// returns false. The text after the last line end is a line too; blank lines
// at the end are not lines at all. Returns the number of lines taken.
template <typename Take>
std::size_t for_each_line(std::string_view text, Take&& take) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty() && (blank_char(text.back()) || text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (!take(++number, text.substr(0, end))) break;
    std::size_t next = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++next;
    text.remove_prefix(std::min(next, text.size()));
  }
  return number;
}

// The line as a message can show it: control characters as blanks, cut to a
// readable length without splitting a UTF-8 character.
std::string shown(std::string_view line) {
  const auto first = std::find_if_not(line.begin(), line.end(), blank_char);
  line.remove_prefix(static_cast<std::size_t>(first - line.begin()));
  while (!line.empty() && blank_char(line.back())) line.remove_suffix(1);
  bool cut = false;
  if (line.size() > kShown) {
    std::size_t end = kShown;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    line = line.substr(0, end);
    cut = true;
  }
  std::string out;
  for (char c : line) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
  return "\"" + out + (cut ? "...\"" : "\"");
}

std::string line_message(std::size_t number, std::string_view what, std::string_view line) {
  std::string text = "Line " + std::to_string(number) + " of the clipboard text " + std::string(what);
  return blank_line(line) ? text + "." : text + ": " + shown(line) + ".";
}

}  // namespace

ClipboardSeries read_clipboard_series(std::string_view text) {
  ClipboardSeries r;
  std::vector<double> values;
  const std::size_t lines = for_each_line(text, [&](std::size_t number, std::string_view line) {
    // A missing value in the middle would shift every later one in time.
    if (blank_line(line)) {
      r.message = line_message(number, "is blank", line);
      return false;
    }
    auto v = parse_data_text(line);
    if (!v.ok()) {
      const char* what = v.failure == DataReadFailure::NotFinite       ? "is not a finite number"
                         : v.failure == DataReadFailure::TooLarge     ? "is too large to analyse (values must be at most 1E+100 in size)"
                         : v.failure == DataReadFailure::DecimalComma ? "has a decimal comma; write decimals with a point"
                                                                      : "is not a number";
      r.message = line_message(number, what, line);
      return false;
    }
    values.push_back(v.value->front());
    return true;
  });
  if (lines == 0) return r;
  r.status = r.message.empty() ? ClipboardRead::Read : ClipboardRead::Refused;
  if (r.message.empty()) r.values = std::move(values);
  return r;
}

ClipboardTable read_clipboard_table(std::string_view text, int max_columns) {
  ClipboardTable r;
  std::size_t m = 0;
  std::vector<double> rows;  // row by row while reading: grows only by values actually read
  const std::size_t lines = for_each_line(text, [&](std::size_t number, std::string_view line) {
    if (number == 1) {
      m = static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
      if (m > static_cast<std::size_t>(max_columns)) {
        r.message = "At most " + std::to_string(max_columns) + " columns can be imported.";
        return false;
      }
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i < line.size();) {
      if (is_item_separator(line[i])) {
        ++i;
        continue;
      }
      std::size_t k = i;
      while (k < line.size() && !is_item_separator(line[k])) ++k;
      double v = 0;
      switch (parse_data_item(line.substr(i, k - i), v)) {
        case ItemKind::NotNumber: r.message = line_message(number, "holds a value that is not a number", line); return false;
        case ItemKind::NotFinite: r.message = line_message(number, "holds a value that is not finite", line); return false;
        case ItemKind::Number: break;
      }
      if (!(std::fabs(v) <= numeric::kLargestDataValue)) {
        r.message = line_message(number, "holds a value too large to analyse (at most 1E+100 in size)", line);
        return false;
      }
      if (++count <= m) rows.push_back(v);
      i = k;
    }
    if (count != m) {
      // A short row would leave a gap, a long one would lose values.
      r.message = line_message(number,
                               "holds " + std::to_string(count) + (count == 1 ? " value" : " values") +
                                   "; the tabs of the first line make " + std::to_string(m) + " columns",
                               line);
      return false;
    }
    return true;
  });
  if (lines == 0) return r;
  if (!r.message.empty()) {
    r.status = ClipboardRead::Refused;
    return r;
  }
  const std::size_t n = rows.size() / m;
  r.data.resize(rows.size());
  for (std::size_t t = 0; t < n; ++t)
    for (std::size_t j = 0; j < m; ++j) r.data[j * n + t] = rows[t * m + j];
  r.status = ClipboardRead::Read;
  r.m = static_cast<int>(m);
  r.n = static_cast<int>(n);
  return r;
}

}  // namespace zelk
