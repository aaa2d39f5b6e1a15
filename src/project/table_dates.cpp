// The date and time forms that tables carry beside their values: ISO dates
// and times, day-month-year with slashes or points, months by name, quarters.
#include <algorithm>
#include <array>
#include <cctype>

#include "project/table_file.h"

namespace zelk {
namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// A small matcher over one field.
struct Scan {
  std::string_view s;
  std::size_t i = 0;
  bool end() const { return i >= s.size(); }
  bool peek(char c) const { return i < s.size() && s[i] == c; }
  bool take(char c) {
    if (!peek(c)) return false;
    ++i;
    return true;
  }
  bool take_any(std::string_view set, char& got) {
    if (end() || set.find(s[i]) == std::string_view::npos) return false;
    got = s[i++];
    return true;
  }
  // Between lo and hi digits, not followed by another digit.
  bool digits(std::size_t lo, std::size_t hi) {
    std::size_t j = i;
    while (j < s.size() && digit(s[j]) && j - i < hi) ++j;
    if (j - i < lo || (j < s.size() && digit(s[j]))) return false;
    i = j;
    return true;
  }
};

// 9:30, 09:30:15, 09:30:15.250, with AM/PM
bool time_of_day(Scan& sc) {
  if (!sc.digits(1, 2) || !sc.take(':') || !sc.digits(2, 2)) return false;
  if (sc.take(':')) {
    if (!sc.digits(2, 2)) return false;
    if (sc.take('.') && !sc.digits(1, 9)) return false;
  }
  const std::size_t at = sc.i;
  sc.take(' ');
  if (sc.i + 2 <= sc.s.size() && (lower(sc.s[sc.i]) == 'a' || lower(sc.s[sc.i]) == 'p') && lower(sc.s[sc.i + 1]) == 'm')
    sc.i += 2;
  else
    sc.i = at;
  return true;
}

// Z, +01, +01:00, -0530
bool zone(Scan& sc) {
  if (sc.take('Z')) return true;
  char sign = 0;
  if (!sc.take_any("+-", sign)) return true;
  if (!sc.digits(2, 2)) return false;
  sc.take(':');
  return sc.end() || sc.digits(2, 2);
}

// 2020-01-31, 2020/1/31, 2020-01, 31.01.2020, 1/31/20, 01/2020
bool numeric_date(Scan& sc) {
  const std::size_t at = sc.i;
  char sep = 0;
  if (sc.digits(4, 4) && sc.take_any("-/.", sep) && sc.digits(1, 2)) {
    if (sc.take(sep) && !sc.digits(1, 2)) return false;
    return true;
  }
  sc.i = at;
  if (!sc.digits(1, 2) || !sc.take_any("-/.", sep)) return false;
  if (sc.digits(4, 4)) return true;
  return sc.digits(1, 2) && sc.take(sep) && sc.digits(2, 4);
}

// 1949 Q1, 1949-Q1, 1949Q1, Q1 1949
bool quarter(Scan sc) {
  auto q = [&] { return (sc.take('Q') || sc.take('q')) && sc.digits(1, 1) && sc.s[sc.i - 1] >= '1' && sc.s[sc.i - 1] <= '4'; };
  if (sc.digits(4, 4)) {
    char sep = 0;
    sc.take_any(" -", sep);
    return q() && sc.end();
  }
  if (!q()) return false;
  char sep = 0;
  sc.take_any(" -", sep);
  return sc.digits(4, 4) && sc.end();
}

bool month_name(std::string_view word) {
  static constexpr std::array<std::string_view, 12> months{"january", "february", "march",     "april",
                                                           "may",     "june",     "july",      "august",
                                                           "september", "october", "november", "december"};
  if (word.size() < 3) return false;
  for (std::string_view m : months) {
    if (word.size() > m.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < word.size() && same; ++i) same = lower(word[i]) == m[i];
    if (same) return true;
  }
  return false;
}

// Jan 1949, 1949 Jan, 01-Jan-1949, January 5, 2020: one month name and one
// or two numbers.
bool named_month_date(std::string_view s) {
  int names = 0, numbers = 0, words = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '-' || s[i] == '/' || s[i] == ',' || s[i] == '.')) ++i;
    if (i >= s.size()) break;
    const std::size_t start = i;
    while (i < s.size() && std::isalnum(static_cast<unsigned char>(s[i]))) ++i;
    if (i == start) return false;
    const std::string_view w = s.substr(start, i - start);
    ++words;
    if (std::all_of(w.begin(), w.end(), digit) && w.size() <= 4) ++numbers;
    else if (month_name(w)) ++names;
    else return false;
  }
  return names == 1 && numbers >= 1 && numbers <= 2 && words <= 3;
}

}  // namespace

bool looks_like_date(std::string_view field) {
  std::string_view f = field;
  while (!f.empty() && (f.front() == ' ' || f.front() == '\t')) f.remove_prefix(1);
  while (!f.empty() && (f.back() == ' ' || f.back() == '\t' || f.back() == '\r')) f.remove_suffix(1);
  if (f.empty()) return false;
  Scan sc{f};
  if (time_of_day(sc) && sc.end()) return true;
  if (quarter(Scan{f})) return true;
  sc = Scan{f};
  if (numeric_date(sc)) {
    if (sc.end()) return true;
    if (!sc.take('T') && !sc.take(' ')) return false;
    return time_of_day(sc) && zone(sc) && sc.end();
  }
  return named_month_date(f);
}

}  // namespace zelk
