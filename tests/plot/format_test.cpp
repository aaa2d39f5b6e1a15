#include "plot/format.h"

#include <gtest/gtest.h>

#include <limits>

namespace zelk {
namespace {

std::string sig(double x, int s) { return trim(format_significant(x, s)); }
std::string dec(double x, int d) { return trim(format_decimals(x, d)); }

TEST(FormatSignificant, WorkedExamples) {
  EXPECT_EQ(sig(1.23456789, 5), "1.2346");
  EXPECT_EQ(sig(3.14159, 5), "3.1416");
  EXPECT_EQ(sig(12.34567, 5), "12.346");
  EXPECT_EQ(sig(0.001234, 5), "0.0012340");
  EXPECT_EQ(sig(100, 5), "100.00");
  EXPECT_EQ(sig(250, 5), "0.25000E+03");
  EXPECT_EQ(sig(0, 5), "0.00000");
  EXPECT_EQ(sig(12.3456, 3), "12.");  // k = 1 shows no decimals
  EXPECT_EQ(sig(-1.23456789, 5), "-1.2346");
  EXPECT_EQ(sig(1.0, 5), "1.0000");
  EXPECT_EQ(sig(0.999996, 5), "1.0000");  // rounding carries into a new digit
  EXPECT_EQ(format_significant(1.5, 5).size(), 30u);
}

TEST(FormatDecimals, BoundsOfTheFixedShape) {
  EXPECT_EQ(dec(100, 4), "100.0000");  // 100 is inclusive
  EXPECT_EQ(dec(100.5, 4), "0.1005E+03");
  EXPECT_EQ(dec(100.0001, 4), "0.1000E+03");
  EXPECT_EQ(dec(0.0001, 4), "0.0001");
  EXPECT_EQ(dec(0.00009, 4), "0.9000E-04");
  EXPECT_EQ(dec(0.5, 4), "0.5000");
  EXPECT_EQ(dec(-0.5, 4), "-0.5000");
  EXPECT_EQ(dec(0, 3), "0.000");
  EXPECT_EQ(dec(12, 0), "12.");
  const std::string f = format_decimals(1.5, 2);
  EXPECT_EQ(f.size(), 15u);
  EXPECT_EQ(f.substr(0, 4), "1.50");  // left-justified
}

TEST(FormatExponential, MantissaBelowOne) {
  EXPECT_EQ(trim(format_exponential(123.456, 4)), "0.1235E+03");
  EXPECT_EQ(trim(format_exponential(-0.00123456, 3)), "-0.123E-02");
  EXPECT_EQ(trim(format_exponential(0, 2)), "0.00E+00");
  EXPECT_EQ(trim(format_exponential(9.9999, 2)), "0.10E+02");
  EXPECT_EQ(trim(format_exponential(1e123, 2)), "0.10E+124");
}

// Values a report can meet after an overflow, and the extremes of a double:
// every formatter gives a word or a well-formed number of its own width.
TEST(FormatAnyDouble, NonFiniteAndExtremeValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int d : {0, 1, 4, 8}) {
    EXPECT_EQ(dec(inf, d), "overflow");
    EXPECT_EQ(dec(-inf, d), "-overflow");
    EXPECT_EQ(dec(nan, d), "undefined");
    EXPECT_EQ(trim(format_exponential(-inf, d)), "-overflow");
    EXPECT_EQ(sig(inf, d), "overflow");
    EXPECT_EQ(sig(nan, d), "undefined");
  }
  EXPECT_EQ(format_decimals(inf, 4).size(), 15u);
  EXPECT_EQ(format_significant(nan, 5).size(), 30u);
  // DBL_MAX = 1.7976931348623157e308, 2^-1074 = 4.9406564584124654e-324.
  EXPECT_EQ(dec(1.7976931348623157e308, 4), "0.1798E+309");
  EXPECT_EQ(dec(-1e308, 3), "-0.100E+309");
  EXPECT_EQ(dec(4.9406564584124654e-324, 4), "0.4941E-323");
  EXPECT_EQ(sig(2.2250738585072014e-308, 5), "0.22251E-307");
  // Digit counts beyond a double's precision are capped, not overrun.
  EXPECT_EQ(trim(format_exponential(1.0 / 3, 500)).size(), 36u);  // 0. + 30 digits + E+00
  EXPECT_EQ(dec(0.5, 1000).substr(0, 4), "0.50");
}

TEST(FormatInteger, LeftJustified) {
  EXPECT_EQ(format_integer(42), "42             ");
  EXPECT_EQ(trim(format_integer(-7)), "-7");
}

TEST(ParseNumber, FreeFormWithFallbacks) {
  EXPECT_EQ(parse_number(""), 0);
  EXPECT_EQ(parse_number("letters"), 0);
  EXPECT_EQ(parse_number("  2.5  "), 2.5);
  EXPECT_EQ(parse_number("-3"), -3);
  EXPECT_EQ(parse_number("1.5e2"), 150);
  EXPECT_EQ(parse_number("1.5D2"), 150);
  EXPECT_EQ(parse_number("+4"), 4);
  EXPECT_EQ(parse_number("7 8"), 7);  // first item only
  EXPECT_EQ(parse_number("nan"), 0);  // not finite: unreadable
  EXPECT_EQ(parse_number("1e400"), 0);
  EXPECT_FALSE(read_number("abc").has_value());
  EXPECT_EQ(read_integer(" 12 ").value(), 12);
  EXPECT_FALSE(read_integer("1.5").has_value());
}

// Expected texts are Python's repr of the same doubles (the shortest text
// that reads back exactly), written plain between 1e-5 and 1e15.
TEST(FullPrecision, ShortestTextThatReadsBackPlainWhereModerate) {
  const ScopedNumberStyle full(NumberStyle::Full);
  EXPECT_EQ(dec(579.00408163265308, 4), "579.0040816326531");
  EXPECT_EQ(dec(0.1 + 0.2, 4), "0.30000000000000004");
  EXPECT_EQ(dec(1234567.0, 4), "1234567");
  EXPECT_EQ(dec(-2.5e-5, 4), "-0.000025");
  EXPECT_EQ(trim(format_exponential(1.5e-7, 4)), "1.5e-07");
  EXPECT_EQ(sig(1e21, 5), "1e+21");
  EXPECT_EQ(dec(-0.0, 4), "0");
  EXPECT_EQ(dec(std::numeric_limits<double>::infinity(), 4), "overflow");
  EXPECT_EQ(format_significant(1.5, 5).size(), 30u);  // the fields keep their widths
  EXPECT_EQ(format_decimals(1.5, 2).size(), 15u);
  // Every value reads back to itself, at any magnitude.
  for (double x : {1.0 / 3, -2.0 / 7 * 1e-9, 6.02214076e23, 2.2250738585072014e-308, 1.7976931348623157e308, 123.456})
    EXPECT_EQ(parse_number(trim(format_decimals(x, 4))), x) << x;
  // A number wider than its column keeps a blank before it.
  EXPECT_EQ(pad_left("0.30000000000000004", 15), " 0.30000000000000004");
  EXPECT_EQ(pad_left("1.5", 6), "   1.5");
}

TEST(FullPrecision, TheReportStyleIsTheDefaultAndComesBackAfterAScope) {
  EXPECT_EQ(number_style(), NumberStyle::Report);
  {
    const ScopedNumberStyle full(NumberStyle::Full);
    const ScopedNumberStyle report(NumberStyle::Report);  // nested scopes
    EXPECT_EQ(dec(579.00408163265308, 4), "0.5790E+03");
  }
  EXPECT_EQ(number_style(), NumberStyle::Report);
  EXPECT_EQ(dec(579.00408163265308, 4), "0.5790E+03");
  EXPECT_EQ(pad_left("0.30000000000000004", 15), "0.30000000000000004");
}

}  // namespace
}  // namespace zelk
