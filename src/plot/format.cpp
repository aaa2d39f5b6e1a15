#include "plot/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zelk {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// A thread's own style: auto-fit's worker threads never format, and a style
// set for one command cannot leak into another thread's.
thread_local NumberStyle current_style = NumberStyle::Report;

bool full() { return current_style == NumberStyle::Full; }

// More digits than a double holds only print noise.
constexpr int kMaxDigits = 30;

std::string fixed_shape(double x, int d) {
  char buf[400];
  // '#' keeps the point for d = 0 ("12."). Only values up to 100 get here.
  std::snprintf(buf, sizeof buf, "%#.*f", std::clamp(d, 0, kMaxDigits), x);
  std::string s = buf;
  if (s == "-0." || s.find_first_not_of("-0.") == std::string::npos) {
    if (s[0] == '-') s.erase(0, 1);  // no "-0.000"
  }
  return s;
}

std::string exponential_shape(double x, int d) {
  d = std::clamp(d, 1, kMaxDigits);
  if (x == 0) return "0." + std::string(d, '0') + "E+00";
  char buf[64];
  // d significant digits d.ddd e±x, then shift to 0.dddd E±(x+1).
  std::snprintf(buf, sizeof buf, "%.*e", d - 1, x);
  std::string s = buf;
  std::size_t e = s.find('e');
  if (e == std::string::npos) return not_finite_word(x);
  int exponent = std::atoi(s.c_str() + e + 1) + 1;
  std::string digits;
  for (std::size_t i = 0; i < e; ++i)
    if (s[i] >= '0' && s[i] <= '9') digits += s[i];
  char ebuf[16];
  std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return std::string(x < 0 ? "-" : "") + "0." + digits + ebuf;
}

}  // namespace

NumberStyle number_style() { return current_style; }
ScopedNumberStyle::ScopedNumberStyle(NumberStyle style) : saved_(current_style) { current_style = style; }
ScopedNumberStyle::~ScopedNumberStyle() { current_style = saved_; }

std::string format_full(double x) {
  if (!std::isfinite(x)) return not_finite_word(x);
  if (x == 0) return "0";  // also -0
  const double a = std::fabs(x);
  const auto shape = a >= 1e-5 && a < 1e15 ? std::chars_format::fixed : std::chars_format::scientific;
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, shape);
  return ec == std::errc() ? std::string(buf, end) : not_finite_word(x);
}

std::string not_finite_word(double x) {
  if (std::isnan(x)) return "undefined";
  return x < 0 ? "-overflow" : "overflow";
}

std::string trim(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && is_blank(s[a])) ++a;
  while (b > a && is_blank(s[b - 1])) --b;
  return std::string(s.substr(a, b - a));
}

std::string pad_right(std::string_view s, std::size_t width) {
  std::string out(s);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string pad_left(std::string_view s, std::size_t width) {
  std::string out(s);
  if (out.size() < width) out.insert(0, width - out.size(), ' ');
  else if (full() && width > 0) out.insert(0, 1, ' ');
  return out;
}

std::string format_decimals(double x, int d) {
  if (full()) return pad_right(format_full(x), 15);
  if (!std::isfinite(x)) return pad_right(not_finite_word(x), 15);
  const double a = std::fabs(x);
  if (x == 0 || (a >= std::pow(10.0, -d) && a <= 100)) return pad_right(fixed_shape(x, d), 15);
  return pad_right(exponential_shape(x, d), 15);
}

std::string format_exponential(double x, int d) {
  if (full()) return pad_right(format_full(x), 15);
  if (!std::isfinite(x)) return pad_right(not_finite_word(x), 15);
  return pad_right(exponential_shape(x, d), 15);
}

std::string format_significant(double x, int s) {
  if (full()) return pad_right(format_full(x), 30);
  s = std::clamp(s, 1, kMaxDigits);
  const double a = std::fabs(x);
  if (!(a >= std::pow(10.0, -s) && a <= 100)) return pad_right(trim(format_decimals(x, s)), 30);
  const int e = static_cast<int>(std::ceil(std::log10(a)));
  const double m = std::round(a * std::pow(10.0, s - e)) * std::pow(10.0, e - s);
  const int k = s - static_cast<int>(std::floor(std::log10(m))) - 1;
  const std::string body = fixed_shape(std::copysign(m, x), k <= 1 ? 0 : k);
  return pad_right(body, 30);
}

std::string format_integer(long long i) { return pad_right(std::to_string(i), 15); }

std::optional<double> read_number(std::string_view text) {
  std::size_t a = 0;
  while (a < text.size() && is_blank(text[a])) ++a;
  std::size_t b = a;
  // Free-form items end at a blank, a comma or a slash.
  while (b < text.size() && !is_blank(text[b]) && text[b] != ',' && text[b] != ';' && text[b] != '/') ++b;
  std::string item(text.substr(a, b - a));
  if (item.empty()) return std::nullopt;
  if (item[0] == '+') item.erase(0, 1);
  for (char& c : item)  // Fortran-style exponents: 1.5D3
    if (c == 'd' || c == 'D') c = 'e';
  double v = 0;
  auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), v);
  if (ec != std::errc() || end != item.data() + item.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

double parse_number(std::string_view text) { return read_number(text).value_or(0.0); }

std::optional<long long> read_integer(std::string_view text) {
  std::string t = trim(text);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  long long v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

}  // namespace zelk
