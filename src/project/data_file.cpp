#include "project/data_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>

#include "numeric/finite.h"
#include "plot/format.h"

namespace zelk {
namespace {

constexpr const char* kReadTitle = "ReadRawData()";
constexpr std::size_t kMaxItem = 512;  // longer items cannot be numbers
constexpr std::size_t kChunk = 1 << 20;

bool blank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
bool line_end(char c) { return c == '\n' || c == '\r'; }
inline bool separator_char(char c) {
  // One table lookup: this runs for every byte of a data file.
  static constexpr auto table = [] {
    std::array<bool, 256> t{};
    for (unsigned char s : {' ', '\t', '\f', '\v', ',', ';', '/'}) t[s] = true;
    return t;
  }();
  return table[static_cast<unsigned char>(c)];
}

// Clinger's fast path (1990): a decimal with at most 15 digits and a power of
// ten up to 22 converts exactly with one multiplication or division. Anything
// else goes to the library's full conversion.
bool fast_decimal(std::string_view item, double& v) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const char* p = item.data();
  const char* end = p + item.size();
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  int digits = 0, scale = 0;
  bool any = false;
  while (p < end && *p >= '0' && *p <= '9') {
    if (mantissa || *p != '0') ++digits;
    mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    any = true;
    if (digits > 15) return false;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && *p >= '0' && *p <= '9') {
      if (mantissa || *p != '0') ++digits;
      mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
      --scale;
      any = true;
      if (digits > 15) return false;
    }
  }
  if (!any || p != end) return false;  // exponents and the rest take the full path
  if (scale < -22) return false;
  v = static_cast<double>(mantissa);
  v = scale < 0 ? v / kPow10[-scale] : v;
  if (negative) v = -v;
  return true;
}

// The common line of a series file, a plain decimal ending in LF ("103.25\n"),
// read in one pass: its value and the start of the next line, or nullptr for
// anything else (which then takes the general path).
const char* plain_decimal_line(const char* p, const char* end, double& v) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const bool negative = p < end && *p == '-';
  const char* q = p + (negative ? 1 : 0);
  std::uint64_t mantissa = 0;  // wraps harmlessly past 19 digits: refused below
  int digits = 0, scale = 0;
  bool any = false, dot = false;
  for (; q < end; ++q) {
    const char c = *q;
    if (c >= '0' && c <= '9') {
      digits += (mantissa != 0 || c != '0') ? 1 : 0;
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      scale -= dot ? 1 : 0;
      any = true;
    } else if (c == '.' && !dot) {
      dot = true;
    } else {
      break;
    }
  }
  if (!any || digits > 15 || scale < -22 || q >= end || *q != '\n') return nullptr;
  v = static_cast<double>(mantissa) / kPow10[-scale];
  if (negative) v = -v;
  return q + 1;
}

// Reads one free-form item: a decimal or exponent number (Fortran's D exponent
// accepted), or an integer.
ItemKind parse_item(std::string_view item, double& v) {
  if (item.empty()) return ItemKind::NotNumber;
  if (fast_decimal(item, v)) return ItemKind::Number;
  if (std::isdigit(static_cast<unsigned char>(item[0])) || item[0] == '-' || item[0] == '.') {
    auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), v);
    if (ec == std::errc() && end == item.data() + item.size() && std::isfinite(v)) return ItemKind::Number;
  }
  char buf[kMaxItem + 1];
  std::size_t n = 0;
  std::size_t i = item[0] == '+' ? 1 : 0;
  for (; i < item.size(); ++i) buf[n++] = (item[i] == 'd' || item[i] == 'D') ? 'e' : item[i];
  if (n == 0) return ItemKind::NotNumber;
  // from_chars would take "inf"/"nan"; a data value must be a finite number.
  const char c0 = buf[0] == '-' ? (n > 1 ? buf[1] : '\0') : buf[0];
  if (!(std::isdigit(static_cast<unsigned char>(c0)) || c0 == '.')) {
    std::string low;
    for (std::size_t k = 0; k < n; ++k) low += static_cast<char>(std::tolower(static_cast<unsigned char>(buf[k])));
    if (low.find("inf") != std::string::npos || low.find("nan") != std::string::npos) return ItemKind::NotFinite;
    return ItemKind::NotNumber;
  }
  auto [end, ec] = std::from_chars(buf, buf + n, v);
  if (end != buf + n) return ItemKind::NotNumber;
  if (ec == std::errc::result_out_of_range) {
    // Underflow to zero is harmless; overflow is not a finite value.
    double probe = std::strtod(std::string(buf, n).c_str(), nullptr);
    if (std::isinf(probe)) return ItemKind::NotFinite;
    v = probe;
    return ItemKind::Number;
  }
  if (ec != std::errc()) return ItemKind::NotNumber;
  return std::isfinite(v) ? ItemKind::Number : ItemKind::NotFinite;
}

// A "1,5" item is a decimal comma more often than two values; refuse to guess.
bool looks_like_decimal_comma(std::string_view item, std::string_view rest) {
  if (rest.size() < 2 || rest[0] != ',' || !std::isdigit(static_cast<unsigned char>(rest[1]))) return false;
  for (char c : item)
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '+') return false;
  std::size_t k = 1;
  while (k < rest.size() && std::isdigit(static_cast<unsigned char>(rest[k]))) ++k;
  for (; k < rest.size(); ++k)
    if (!blank(rest[k]) && !line_end(rest[k])) return false;
  return true;
}

FileMessage not_finite(long long line, std::string_view item) {
  return {kReadTitle, "Line " + std::to_string(line) + " holds \"" + std::string(item.substr(0, 40)) +
                          "\", which is not a finite number."};
}

FileMessage too_large(long long line, std::string_view item) {
  return {kReadTitle, "Line " + std::to_string(line) + " holds \"" + std::string(item.substr(0, 40)) +
                          "\", which is too large to analyse: values must be at most 1E+100 in size."};
}

FileMessage decimal_comma(long long line, std::string_view text) {
  return {kReadTitle, "Line " + std::to_string(line) + " reads \"" + trim(text.substr(0, 40)) +
                          "\": write decimals with a point, and separate values by blanks."};
}

// Streams a source line by line, handing each line's text to `take` until it
// returns false. Lines are viewed in place; only a line that straddles two
// chunks is copied, and only its first kMaxItem*4 characters, so a huge line
// costs no memory.
// `quick(p, end)` may take a whole line at p itself and return where the next
// begins (nullptr: it did not).
template <typename Source, typename Take, typename Quick>
void for_each_line(Source&& read_chunk, Take&& take, Quick&& quick) {
  std::string carry;
  bool carrying = false, skip_lf = false, first_chunk = true;
  // Short texts (a clipboard line) need no megabyte buffer.
  const std::size_t chunk = std::min(kChunk, read_chunk.size_hint());
  std::unique_ptr<char[]> buf(new char[chunk]);
  long long number = 0;
  for (;;) {
    const std::size_t got = read_chunk(buf.get(), chunk);
    if (got == 0) break;
    const char* p = buf.get();
    const char* end = p + got;
    if (first_chunk && got >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) p += 3;  // byte-order mark
    first_chunk = false;
    if (skip_lf && p < end && *p == '\n') ++p;  // CR LF split across chunks
    skip_lf = false;
    while (p < end) {
      if (!carrying) {
        while (const char* next = quick(p, end)) {
          ++number;
          p = next;
        }
        if (p >= end) break;
      }
      const char* e = p;
      while (e < end && *e != '\n' && *e != '\r') ++e;
      if (e == end) {  // the line goes on in the next chunk
        carry.append(p, std::min<std::size_t>(e - p, kMaxItem * 4 - std::min(carry.size(), kMaxItem * 4)));
        carrying = true;
        break;
      }
      std::string_view line;
      if (carrying) {
        carry.append(p, std::min<std::size_t>(e - p, kMaxItem * 4 - std::min(carry.size(), kMaxItem * 4)));
        line = carry;
      } else {
        line = std::string_view(p, static_cast<std::size_t>(e - p));
      }
      if (!take(++number, line)) return;
      carry.clear();
      carrying = false;
      if (*e == '\r') {
        if (e + 1 < end) {
          if (e[1] == '\n') ++e;
        } else {
          skip_lf = true;
        }
      }
      p = e + 1;
    }
  }
  if (carrying && !carry.empty()) take(++number, std::string_view(carry));
}

struct LineParser {
  int m = 1;  // values per time point
  std::vector<double> values;
  std::vector<double> pending;  // the time point being read
  std::optional<FileMessage> error;
  DataReadFailure failure = DataReadFailure::None;

  // Returns false to stop reading.
  bool take(long long number, std::string_view line) {
    std::size_t i = 0;
    while (static_cast<int>(pending.size()) < m) {
      while (i < line.size() && separator_char(line[i])) ++i;
      if (i >= line.size()) break;
      std::size_t j = i;
      while (j < line.size() && !separator_char(line[j])) ++j;
      std::string_view item = line.substr(i, j - i);
      if (m == 1 && looks_like_decimal_comma(item, line.substr(j))) {
        error = decimal_comma(number, line);
        failure = DataReadFailure::DecimalComma;
        return false;
      }
      double v = 0;
      switch (parse_data_item(item, v)) {
        case ItemKind::NotFinite:
          error = not_finite(number, item);
          failure = DataReadFailure::NotFinite;
          return false;
        case ItemKind::NotNumber:
          return false;
        case ItemKind::Number:
          if (!(std::fabs(v) <= numeric::kLargestDataValue)) {
            error = too_large(number, item);
            failure = DataReadFailure::TooLarge;
            return false;
          }
          if (m == 1) {
            values.push_back(v);
            return true;
          }
          pending.push_back(v);
          break;
      }
      i = j;
    }
    if (static_cast<int>(pending.size()) == m) {
      values.insert(values.end(), pending.begin(), pending.end());
      pending.clear();
    }
    return true;
  }
};

template <typename Source>
ReadResult<std::vector<double>> parse_series(Source&& src, std::size_t capacity = 0) {
  LineParser p;
  p.values.reserve(capacity);
  for_each_line(
      src, [&](long long n, std::string_view line) { return p.take(n, line); },
      [&](const char* at, const char* end) -> const char* {
        double v = 0;
        const char* next = plain_decimal_line(at, end, v);
        if (next) p.values.push_back(v);  // at most 1e15 in size: no limit to check
        return next;
      });
  if (p.error) return {std::nullopt, *p.error, p.failure};
  if (p.values.empty()) return {std::nullopt, {kReadTitle, "The file holds no data values."}, DataReadFailure::NoValues};
  if (p.values.capacity() > 2 * p.values.size()) p.values.shrink_to_fit();
  return {std::move(p.values), {}};
}

template <typename Source>
ReadResult<Table> parse_table(Source&& src, int m) {
  if (m < 1) return {std::nullopt, {"ERROR", "Unrecognized file format"}, DataReadFailure::NoValues};
  LineParser p;
  p.m = m;
  for_each_line(
      src, [&](long long n, std::string_view line) { return p.take(n, line); },
      [](const char*, const char*) -> const char* { return nullptr; });
  if (p.error) return {std::nullopt, *p.error, p.failure};
  Table t;
  t.m = m;
  t.n = static_cast<int>(p.values.size() / static_cast<std::size_t>(m));
  t.values = std::move(p.values);
  return {std::move(t), {}};
}

struct FileSource {
  std::FILE* f;
  std::size_t size_hint() const { return kChunk; }
  std::size_t operator()(char* buf, std::size_t size) { return std::fread(buf, 1, size, f); }
};

struct TextSource {
  std::string_view text;
  std::size_t size_hint() const { return std::max<std::size_t>(text.size(), 1); }
  std::size_t operator()(char* buf, std::size_t size) {
    std::size_t n = std::min(size, text.size());
    std::memcpy(buf, text.data(), n);
    text.remove_prefix(n);
    return n;
  }
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

template <typename T, typename Parse>
ReadResult<T> with_file(const std::string& path, Parse&& parse) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return {std::nullopt, {kReadTitle, "Cannot open file"}, DataReadFailure::Open};
  ReadResult<T> r = parse(FileSource{f.get()});
  if (std::ferror(f.get())) return {std::nullopt, {kReadTitle, "Cannot read file"}, DataReadFailure::Read};
  return r;
}

}  // namespace

ReadResult<std::vector<double>> read_data_file(const std::string& path) {
  return with_file<std::vector<double>>(path, [&path](FileSource s) {
    // The line length of the first 64 KB, scaled to the file's size, tells
    // how many values to make room for: one allocation, and no second pass
    // over a long file. Each value takes two bytes at least, so the estimate
    // never exceeds what the file can hold.
    std::error_code ec;
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path, ec));
    std::size_t capacity = 0;
    if (!ec) {
      std::array<char, 1 << 16> sample;
      const std::size_t got = s(sample.data(), sample.size());
      const auto lines = static_cast<std::size_t>(std::count(sample.data(), sample.data() + got, '\n'));
      // 2% to spare for lines a little shorter further on.
      const double estimate = 1.02 * static_cast<double>(size) * static_cast<double>(lines + 1) / static_cast<double>(got);
      capacity = got == 0 ? 0 : std::min(size / 2 + 1, static_cast<std::size_t>(estimate) + 16);
      std::rewind(s.f);
    }
    return parse_series(s, std::min<std::size_t>(capacity, 1 << 27));
  });
}

ReadResult<std::vector<double>> parse_data_text(std::string_view text) { return parse_series(TextSource{text}); }

ItemKind parse_data_item(std::string_view item, double& v) {
  return item.size() > kMaxItem ? ItemKind::NotNumber : parse_item(item, v);
}

bool is_item_separator(char c) { return separator_char(c); }

ReadResult<Table> read_table_file(const std::string& path, int m) {
  return with_file<Table>(path, [m](FileSource s) { return parse_table(s, m); });
}

ReadResult<Table> parse_table_text(std::string_view text, int m) { return parse_table(TextSource{text}, m); }

std::pair<std::string, std::string> table_preview(const Table& t) {
  std::string first, last;
  const int points = std::min(t.n, 5);
  for (int i = 0; i < points; ++i) {
    first += "  " + trim(format_significant(t.at(0, i), 5)) + ",";
    last += "  " + trim(format_significant(t.at(t.m - 1, i), 5)) + ",";
  }
  return {first + "  etc ...", last + "  etc ... "};
}

}  // namespace zelk
