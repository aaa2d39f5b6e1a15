#include "project/data_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zelk {
namespace {

std::vector<double> series(std::string_view text) {
  auto r = parse_data_text(text);
  EXPECT_TRUE(r.ok()) << r.error.text;
  return r.ok() ? *r.value : std::vector<double>{};
}

std::string error_of(std::string_view text) {
  auto r = parse_data_text(text);
  EXPECT_FALSE(r.ok());
  return r.ok() ? "" : r.error.title + ": " + r.error.text;
}

TEST(PlainDataReader, StopsAtTheFirstLineThatIsNotANumber) {
  EXPECT_EQ(series("1\n2\nword\n4\n"), (std::vector<double>{1, 2}));
  EXPECT_EQ(series("1.5 2.5\n3\n"), (std::vector<double>{1.5, 3}));
  EXPECT_EQ(series("  -4.5e1 rest of line\n1.0D1\n+7\n"), (std::vector<double>{-45, 10, 7}));
  EXPECT_EQ(series("1\n2"), (std::vector<double>{1, 2}));  // no final line end
}

TEST(PlainDataReader, LineEndsAndByteOrderMark) {
  EXPECT_EQ(series("1\r\n2\r\n3\r\n"), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(series("1\r2\r3"), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(series("\xEF\xBB\xBF" "5\n6\n"), (std::vector<double>{5, 6}));
  EXPECT_EQ(series("1\n\n  \n2\n"), (std::vector<double>{1, 2}));  // blank lines skipped
}

TEST(PlainDataReader, NegativeZeroAndTinyValuesAreWellDefined) {
  auto v = series("-0\n1e-400\n");
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0], 0.0);
  EXPECT_TRUE(std::signbit(v[0]));
  EXPECT_EQ(v[1], 0.0);  // underflow is a harmless zero
}

TEST(PlainDataReader, RefusesValuesThatAreNotFinite) {
  EXPECT_EQ(error_of("1\n1e400\n"), "ReadRawData(): Line 2 holds \"1e400\", which is not a finite number.");
  EXPECT_NE(error_of("nan\n").find("Line 1"), std::string::npos);
  EXPECT_NE(error_of("1\n-inf\n").find("not a finite number"), std::string::npos);
  EXPECT_NE(error_of("Infinity\n").find("not a finite number"), std::string::npos);
}

TEST(PlainDataReader, RefusesADecimalCommaRatherThanGuess) {
  EXPECT_NE(error_of("1,5\n2,5\n").find("Line 1"), std::string::npos);
  EXPECT_EQ(series("1.5, 2\n3\n"), (std::vector<double>{1.5, 3}));  // a comma after a full number separates
}

TEST(PlainDataReader, EmptyAndBinaryInputGiveAMessage) {
  EXPECT_EQ(error_of(""), "ReadRawData(): The file holds no data values.");
  EXPECT_EQ(error_of("\x7f" "ELF\x02\x01\x01\x00\x00\x00garbage"), "ReadRawData(): The file holds no data values.");
  EXPECT_EQ(error_of("word\n1\n"), "ReadRawData(): The file holds no data values.");
}

TEST(PlainDataReader, AHugeLineCostsNoMemoryAndReadsItsFirstValue) {
  std::string text = "3.25 " + std::string(1 << 20, 'x') + "\n4\n";
  EXPECT_EQ(series(text), (std::vector<double>{3.25, 4}));
  std::string long_item(1 << 20, '1');
  EXPECT_EQ(error_of(long_item + "\n"), "ReadRawData(): The file holds no data values.");
}

TEST(PlainDataReader, ReadsFilesAndReportsMissingOnes) {
  auto missing = read_data_file("/nonexistent/zelk/data.dat");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error.text, "Cannot open file");
  EXPECT_EQ(missing.error.title, "ReadRawData()");
  auto huron = read_data_file(std::string(ZELK_TEST_DATA) + "/lake_huron.dat");
  ASSERT_TRUE(huron.ok());
  EXPECT_EQ(huron.value->size(), 98u);
  EXPECT_DOUBLE_EQ(huron.value->front(), 580.38);
}

TEST(TableReader, TimePointsMaySpanLines) {
  auto r = parse_table_text("1 2 3\n4\n5 6\n7 8 9 extra\n10 11\n", 3);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value->n, 3);  // the last point is incomplete
  EXPECT_EQ(r.value->at(0, 1), 4);
  EXPECT_EQ(r.value->at(2, 1), 6);
  EXPECT_EQ(r.value->at(2, 2), 9);
}

TEST(TableReader, PreviewOfFirstAndLastComponent) {
  auto r = parse_table_text("1.23456 10\n2 20\n3 30\n4 40\n5 50\n6 60\n", 2);
  ASSERT_TRUE(r.ok());
  auto [first, last] = table_preview(*r.value);
  EXPECT_EQ(first, "  1.2346,  2.0000,  3.0000,  4.0000,  5.0000,  etc ...");
  EXPECT_EQ(last, "  10.000,  20.000,  30.000,  40.000,  50.000,  etc ... ");
}

TEST(TableReader, NoTimePointsIsAnEmptyTable) {
  auto r = parse_table_text("a b\n", 2);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value->n, 0);
}

}  // namespace
}  // namespace zelk
