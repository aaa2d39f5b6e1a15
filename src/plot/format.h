#pragma once
// The three number formatters every report, dialog field and clipboard text
// uses, and the conversion of a field's text into a number.
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// Fixed with d decimals when 10^-d <= |x| <= 100 or x == 0, else exponential;
// left-justified, blank-padded to 15 characters.
std::string format_decimals(double x, int d);
// Mantissa below 1 with d digits, E and a signed exponent ("0.1235E+03").
std::string format_exponential(double x, int d);
// s significant digits for moderate values; 30 characters.
std::string format_significant(double x, int s);
// Every formatter writes a value that is not a finite number as a word:
// "overflow" or "-overflow" for infinities, "undefined" for NaN.
std::string not_finite_word(double x);
// The digits of i, left-justified in 15 characters.
std::string format_integer(long long i);

// Reads the first item of the text in free form: a decimal or exponent number,
// else an integer, else 0. Non-finite values count as unreadable.
double parse_number(std::string_view text);
// As parse_number but says when the text holds no number.
std::optional<double> read_number(std::string_view text);
// Whole-text integer reading for order and count fields.
std::optional<long long> read_integer(std::string_view text);

// How report numbers are written. Report: the three formatters above (the
// default). Full: the shortest text that reads back to the same double,
// plain for 1e-5 <= |x| < 1e15 ("579.0040816326531") and with an exponent
// outside ("1.5e-07"), for users who paste numbers into other tools. In
// Full, every formatter above writes that text (blank-padded to its width)
// and pad_left keeps a blank before a text that fills its column, so that
// wider numbers never run together.
enum class NumberStyle { Report, Full };
// The style in force on this thread: what the shell set around the command
// that is running.
NumberStyle number_style();
class ScopedNumberStyle {
 public:
  explicit ScopedNumberStyle(NumberStyle style);
  ~ScopedNumberStyle();
  ScopedNumberStyle(const ScopedNumberStyle&) = delete;
  ScopedNumberStyle& operator=(const ScopedNumberStyle&) = delete;

 private:
  NumberStyle saved_;
};
// The Full text of x, whatever the style in force.
std::string format_full(double x);

std::string trim(std::string_view s);
std::string pad_right(std::string_view s, std::size_t width);
std::string pad_left(std::string_view s, std::size_t width);

}  // namespace zelk
