#include "project/table_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>

#include "numeric/finite.h"
#include "project/data_file.h"

namespace zelk {
namespace {

constexpr int kSampleRows = 20;  // rows looked at to choose the separator
constexpr std::size_t kMaxNumber = 512;

bool blank(char c) { return c == ' ' || c == '\t'; }
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string plural(long long n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

// Splits the text into rows of fields. Fields are copied into buffers that
// are reused from row to row, so a long file costs no more than its widest row.
class RowCursor {
 public:
  RowCursor(std::string_view text, char separator) : text_(text), sep_(separator) {
    if (text_.size() >= 3 && std::memcmp(text_.data(), "\xEF\xBB\xBF", 3) == 0) pos_ = 3;  // byte-order mark
  }

  // The next row; false at the end of the text or on an error.
  bool next() {
    count_ = 0;
    quoted_ = false;
    if (pos_ >= text_.size()) return false;
    line_ = next_line_;
    if (sep_ == ' ')
      while (pos_ < text_.size() && blank(text_[pos_])) ++pos_;
    for (;;) {
      if (count_ == kMaxTableColumns) {
        error_ = "Line " + std::to_string(line_) + " holds more than " + std::to_string(kMaxTableColumns) + " fields.";
        return false;
      }
      if (count_ == fields_.size()) fields_.emplace_back();
      std::string& f = fields_[count_++];
      f.clear();
      if (!field(f)) return false;
      if (pos_ >= text_.size()) return true;
      const char c = text_[pos_];
      if (c == '\n' || c == '\r') {
        end_line();
        return true;
      }
      // At a separator.
      ++pos_;
      if (sep_ == ' ') {
        while (pos_ < text_.size() && blank(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return true;
        if (text_[pos_] == '\n' || text_[pos_] == '\r') {
          end_line();
          return true;
        }
      }
    }
  }

  int count() const { return static_cast<int>(count_); }
  std::string_view field_at(int j) const { return fields_[static_cast<std::size_t>(j)]; }
  bool blank_row() const { return count_ == 1 && !quoted_ && fields_[0].empty(); }
  long long line() const { return line_; }
  const std::string& error() const { return error_; }

 private:
  bool is_sep(char c) const { return sep_ == ' ' ? blank(c) : c == sep_; }

  void end_line() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++next_line_;
  }

  // One field up to its separator or line end; blanks around it go.
  bool field(std::string& f) {
    while (pos_ < text_.size() && blank(text_[pos_]) && !is_sep(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '"') {
      quoted_ = true;
      const long long opened = next_line_;
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size()) {
          error_ = "Line " + std::to_string(opened) + ": a quoted field is not closed.";
          return false;
        }
        const char c = text_[pos_++];
        if (c == '"') {
          if (pos_ < text_.size() && text_[pos_] == '"') {
            f += '"';
            ++pos_;
            continue;
          }
          break;
        }
        if (c == '\r' || c == '\n') {
          if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
          ++next_line_;
          f += '\n';
          continue;
        }
        f += c;
      }
    }
    // Unquoted text, or what follows a closing quote (kept as written).
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !is_sep(text_[pos_]) && text_[pos_] != '\n' && text_[pos_] != '\r') ++pos_;
    f.append(trimmed(text_.substr(start, pos_ - start)));
    return true;
  }

  std::string_view text_;
  char sep_;
  std::size_t pos_ = 0;
  long long line_ = 1, next_line_ = 1;
  std::vector<std::string> fields_;
  std::size_t count_ = 0;
  bool quoted_ = false;
  std::string error_;
};

// Reads the rows that hold data: blank lines before the first and after the
// last are skipped, and one between two rows is refused.
class DataRows {
 public:
  DataRows(std::string_view text, char separator) : rows_(text, separator) {}
  bool next() {
    long long blank_line = 0;
    while (rows_.next()) {
      if (rows_.blank_row()) {
        if (blank_line == 0) blank_line = rows_.line();
        continue;
      }
      if (blank_line != 0 && started_) {
        error_ = "Line " + std::to_string(blank_line) + " is empty: every row needs its values.";
        return false;
      }
      started_ = true;
      return true;
    }
    if (!rows_.error().empty()) error_ = rows_.error();
    return false;
  }
  const RowCursor& row() const { return rows_; }
  const std::string& error() const { return error_; }

 private:
  RowCursor rows_;
  bool started_ = false;
  std::string error_;
};

enum class ValueRead { Ok, Missing, NotNumber, NotFinite, TooLarge };

bool missing_word(std::string_view f) {
  static constexpr std::array<std::string_view, 6> words{"na", "n/a", "nan", "null", "#n/a", "none"};
  for (std::string_view w : words) {
    if (w.size() != f.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < w.size() && same; ++i) same = lower(f[i]) == w[i];
    if (same) return true;
  }
  return false;
}

ValueRead read_value(std::string_view f, bool decimal_comma, double& v) {
  f = trimmed(f);
  if (f.empty() || missing_word(f)) return ValueRead::Missing;
  if (f.size() > kMaxNumber) return ValueRead::NotNumber;
  char buf[kMaxNumber];
  if (decimal_comma && f.find(',') != std::string_view::npos) {
    // One comma and no point: "1.234,5" with a thousands mark is refused.
    if (std::count(f.begin(), f.end(), ',') != 1 || f.find('.') != std::string_view::npos) return ValueRead::NotNumber;
    std::memcpy(buf, f.data(), f.size());
    *std::find(buf, buf + f.size(), ',') = '.';
    f = std::string_view(buf, f.size());
  }
  switch (parse_data_item(f, v)) {
    case ItemKind::NotNumber: return ValueRead::NotNumber;
    case ItemKind::NotFinite: return ValueRead::NotFinite;
    case ItemKind::Number: break;
  }
  return std::fabs(v) <= numeric::kLargestDataValue ? ValueRead::Ok : ValueRead::TooLarge;
}

FieldKind field_kind(std::string_view f, bool decimal_comma) {
  double v = 0;
  switch (read_value(f, decimal_comma, v)) {
    case ValueRead::Missing: return FieldKind::Missing;
    case ValueRead::NotNumber: break;
    default: return FieldKind::Number;  // not finite or too large: reading says so
  }
  return looks_like_date(f) ? FieldKind::Date : FieldKind::Text;
}

// A separator whose sample rows all hold the same count of fields, at least
// two; else the one that splits the first row most, so that the ragged row is
// named; else one column.
char choose_separator(std::string_view text) {
  int best_first = 1;
  char best = ',';
  for (char sep : {'\t', ';', ',', ' '}) {
    DataRows rows(text, sep);
    int first = -1, sampled = 0;
    bool same = true;
    while (sampled < kSampleRows && rows.next()) {
      const int n = rows.row().count();
      if (first < 0) first = n;
      same = same && n == first;
      ++sampled;
    }
    if (first >= 2 && same && rows.error().empty()) return sep;
    if (first > best_first) {
      best_first = first;
      best = sep;
    }
  }
  return best;
}

bool is_index_name(std::string_view name) {
  static constexpr std::array<std::string_view, 14> words{"time", "date",  "year",   "month",    "quarter",
                                                          "week", "day",   "index",  "t",        "period",
                                                          "obs",  "datetime", "timestamp", "hour"};
  name = trimmed(name);
  for (std::string_view w : words) {
    if (w.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < w.size() && same; ++i) same = lower(name[i]) == w[i];
    if (same) return true;
  }
  return false;
}

bool counts_up(const TableShape& shape, int j) {
  const std::size_t from = shape.header ? 1 : 0;
  if (shape.preview.size() < from + 3) return false;
  double previous = 0;
  for (std::size_t r = from; r < shape.preview.size(); ++r) {
    double v = 0;
    if (read_value(shape.preview[r][static_cast<std::size_t>(j)], shape.decimal_comma, v) != ValueRead::Ok ||
        v != std::floor(v) || (r > from && v != previous + 1))
      return false;
    previous = v;
  }
  return true;
}

std::string column_label(const TableShape& shape, int j) {
  std::string label = "column " + std::to_string(j + 1);
  const std::string& name = shape.names[static_cast<std::size_t>(j)];
  if (!name.empty()) label += " (\"" + name.substr(0, 40) + "\")";
  return label;
}

}  // namespace

FieldKind classify_field(std::string_view field, bool decimal_comma) { return field_kind(field, decimal_comma); }

TableScan scan_table(std::string_view text, std::optional<bool> header) {
  TableShape shape;
  shape.separator = choose_separator(text);
  shape.decimal_comma = shape.separator == ';';
  DataRows rows(text, shape.separator);
  std::vector<std::string> first;
  long long rows_read = 0;
  std::vector<bool> kind_known;
  while (rows.next()) {
    const RowCursor& r = rows.row();
    if (rows_read == 0) {
      shape.columns = r.count();
      for (int j = 0; j < r.count(); ++j) first.emplace_back(r.field_at(j));
      shape.kinds.assign(static_cast<std::size_t>(shape.columns), ColumnKind::Number);
      kind_known.assign(static_cast<std::size_t>(shape.columns), false);
    } else if (r.count() != shape.columns) {
      return {std::nullopt, "Line " + std::to_string(r.line()) + " holds " + plural(r.count(), "field") +
                                "; the first row holds " + std::to_string(shape.columns) + "."};
    }
    if (rows_read == 1 && !header) {
      // A header names the columns: text above a number or a date.
      bool found = false;
      for (int j = 0; j < shape.columns && !found; ++j) {
        const FieldKind above = field_kind(first[static_cast<std::size_t>(j)], shape.decimal_comma);
        const FieldKind below = field_kind(r.field_at(j), shape.decimal_comma);
        found = above == FieldKind::Text && (below == FieldKind::Number || below == FieldKind::Date);
      }
      header = found;
    }
    if (static_cast<int>(shape.preview.size()) < kPreviewRows) {
      std::vector<std::string> cells;
      for (int j = 0; j < r.count(); ++j) cells.emplace_back(r.field_at(j).substr(0, 64));
      shape.preview.push_back(std::move(cells));
    }
    // The header's kinds are decided once it is known, from the rows below it.
    if (rows_read >= 1) {
      for (int j = 0; j < shape.columns; ++j) {
        if (kind_known[static_cast<std::size_t>(j)]) continue;
        const FieldKind k = field_kind(r.field_at(j), shape.decimal_comma);
        if (k == FieldKind::Missing) continue;
        kind_known[static_cast<std::size_t>(j)] = true;
        shape.kinds[static_cast<std::size_t>(j)] =
            k == FieldKind::Number ? ColumnKind::Number : k == FieldKind::Date ? ColumnKind::Date : ColumnKind::Text;
      }
    }
    ++rows_read;
  }
  if (!rows.error().empty()) return {std::nullopt, rows.error()};
  if (rows_read == 0) return {std::nullopt, "The file holds no rows."};
  if (rows_read == 1 && !header) header = std::any_of(first.begin(), first.end(), [&](const std::string& f) {
    return field_kind(f, shape.decimal_comma) == FieldKind::Text;
  });
  shape.header = *header;
  if (shape.header && rows_read == 1) return {std::nullopt, "The file holds a header row but no data."};
  // The first row's kinds, now that it is known to hold data.
  if (!shape.header)
    for (int j = 0; j < shape.columns; ++j) {
      const FieldKind k = field_kind(first[static_cast<std::size_t>(j)], shape.decimal_comma);
      if (k != FieldKind::Missing)
        shape.kinds[static_cast<std::size_t>(j)] =
            k == FieldKind::Number ? ColumnKind::Number : k == FieldKind::Date ? ColumnKind::Date : ColumnKind::Text;
    }
  const long long data_rows = rows_read - (shape.header ? 1 : 0);
  if (data_rows > 0x7fffffff) return {std::nullopt, "The file holds too many rows."};
  shape.rows = static_cast<int>(data_rows);
  if (shape.header)
    shape.names = std::move(first);
  else
    shape.names.assign(static_cast<std::size_t>(shape.columns), std::string());
  return {std::move(shape), {}};
}

TableColumns read_table_columns(std::string_view text, const TableShape& shape, std::span<const int> columns) {
  TableColumns out;
  for (int c : columns)
    if (c < 0 || c >= shape.columns) {
      out.error = "The table has no column " + std::to_string(c + 1) + ".";
      return out;
    }
  out.values.assign(columns.size(), {});
  for (auto& v : out.values) v.reserve(static_cast<std::size_t>(shape.rows));
  DataRows rows(text, shape.separator);
  bool skip = shape.header;
  while (rows.next()) {
    const RowCursor& r = rows.row();
    if (skip) {
      skip = false;
      continue;
    }
    if (columns.empty()) break;
    if (r.count() != shape.columns || out.values.front().size() >= static_cast<std::size_t>(shape.rows)) {
      out.error = "The file changed while it was read.";
      return out;
    }
    for (std::size_t k = 0; k < columns.size(); ++k) {
      const std::string_view f = r.field_at(columns[k]);
      double v = 0;
      const ValueRead got = read_value(f, shape.decimal_comma, v);
      if (got == ValueRead::Ok) {
        out.values[k].push_back(v);
        continue;
      }
      const std::string where = "Line " + std::to_string(r.line()) + ", " + column_label(shape, columns[k]) + ": ";
      const std::string shown = "\"" + std::string(trimmed(f).substr(0, 40)) + "\"";
      switch (got) {
        case ValueRead::Missing:
          out.error = where + "the value is missing" + (trimmed(f).empty() ? std::string() : " (" + shown + ")") +
                      ". Every time point needs a value.";
          break;
        case ValueRead::NotNumber: out.error = where + shown + " is not a number."; break;
        case ValueRead::NotFinite: out.error = where + shown + " is not a finite number."; break;
        default:
          out.error = where + shown + " is too large to analyse: values must be at most 1E+100 in size.";
          break;
      }
      out.values.clear();
      return out;
    }
  }
  if (!rows.error().empty()) out.error = rows.error();
  else if (!out.values.empty() && out.values.front().size() != static_cast<std::size_t>(shape.rows))
    out.error = "The file changed while it was read.";
  if (!out.error.empty()) out.values.clear();
  return out;
}

std::vector<int> value_columns(const TableShape& shape) {
  std::vector<int> numbers, values;
  for (int j = 0; j < shape.columns; ++j) {
    if (shape.kinds[static_cast<std::size_t>(j)] != ColumnKind::Number) continue;
    numbers.push_back(j);
    const std::string& name = shape.names[static_cast<std::size_t>(j)];
    const bool index = is_index_name(name) || (shape.header && j == 0 && trimmed(name).empty()) || counts_up(shape, j);
    if (!index) values.push_back(j);
  }
  return values.empty() ? numbers : values;
}

}  // namespace zelk
