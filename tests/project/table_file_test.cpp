// The table reader on texts written by R, by hand in the layouts spreadsheets
// and pandas write, and on broken ones. The R texts were printed by R 4.2 and
// are kept here as written.
#include "project/table_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelk {
namespace {

// Rscript -e 'write.csv(data.frame(year=1875:1878, level=as.numeric(LakeHuron[1:4])), stdout())'
constexpr const char* kRCsv =
    "\"\",\"year\",\"level\"\n\"1\",1875,580.38\n\"2\",1876,581.86\n\"3\",1877,580.97\n\"4\",1878,580.8\n";
// Rscript -e 'write.csv2(data.frame(date=as.Date("2020-01-31")+0:2, value=c(1.5,NA,-2.25),
//                        note=c("a,b","say \"hi\"","x")), stdout())'
constexpr const char* kRCsv2 =
    "\"\";\"date\";\"value\";\"note\"\n\"1\";2020-01-31;1,5;\"a,b\"\n\"2\";2020-02-01;NA;\"say \"\"hi\"\"\"\n"
    "\"3\";2020-02-02;-2,25;\"x\"\n";
// Rscript -e 'write.table(d, stdout(), sep="\t", quote=FALSE, row.names=FALSE)' with d as in kRCsv
constexpr const char* kRTsv = "year\tlevel\n1875\t580.38\n1876\t581.86\n1877\t580.97\n1878\t580.8\n";

TableShape shape_of(std::string_view text, std::optional<bool> header = std::nullopt) {
  TableScan s = scan_table(text, header);
  EXPECT_TRUE(s.shape) << s.error;
  return s.shape ? *s.shape : TableShape{};
}

std::string scan_error(std::string_view text) {
  TableScan s = scan_table(text);
  EXPECT_FALSE(s.shape);
  return s.error;
}

std::vector<double> column(std::string_view text, int j) {
  const TableShape shape = shape_of(text);
  const int cols[] = {j};
  TableColumns c = read_table_columns(text, shape, cols);
  EXPECT_TRUE(c.ok()) << c.error;
  return c.ok() ? c.values[0] : std::vector<double>{};
}

std::string read_error(std::string_view text, std::vector<int> cols) {
  TableColumns c = read_table_columns(text, shape_of(text), cols);
  EXPECT_FALSE(c.ok());
  return c.error;
}

const std::vector<double> kLevels{580.38, 581.86, 580.97, 580.8};

TEST(DelimitedTable, EverySeparatorReadsTheSameTable) {
  const char* texts[] = {
      kRCsv, kRTsv,
      "year;level\n1875;580,38\n1876;581,86\n1877;580,97\n1878;580,8\n",  // decimal comma
      "  year   level\n  1875  580.38\n1876 581.86\n1877\t580.97\n1878  580.8  \n",  // blanks
      "year,level\r\n1875,580.38\r\n1876,581.86\r\n1877,580.97\r\n1878,580.8",  // CR LF, no final line end
      "\xEF\xBB\xBFyear,level\n1875,580.38\n1876,581.86\n1877,580.97\n1878,580.8\n\n\n",  // byte-order mark, blank tail
  };
  const char expected_sep[] = {',', '\t', ';', ' ', ',', ','};
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    SCOPED_TRACE(texts[i]);
    const TableShape s = shape_of(texts[i]);
    EXPECT_EQ(s.separator, expected_sep[i]);
    EXPECT_TRUE(s.header);
    EXPECT_EQ(s.rows, 4);
    EXPECT_EQ(s.names.back(), "level");
    EXPECT_EQ(column(texts[i], s.columns - 1), kLevels);
    EXPECT_EQ(value_columns(s), std::vector<int>{s.columns - 1});  // the year column is time, not data
  }
}

TEST(DelimitedTable, HeaderIsFoundOnlyAboveNumbersOrDates) {
  // Without a header, every row is data and columns have no names.
  TableShape plain = shape_of("1.5,2\n2.5,3\n");
  EXPECT_FALSE(plain.header);
  EXPECT_EQ(plain.rows, 2);
  EXPECT_EQ(plain.names, (std::vector<std::string>{"", ""}));
  // A one-column file of numbers: the layout of a plain data file.
  TableShape single = shape_of("580.38\n581.86\n");
  EXPECT_EQ(single.columns, 1);
  EXPECT_FALSE(single.header);
  // pandas writes its unnamed index as an empty first header field.
  const char* pandas = ",Date,Passengers\n0,1949-01,112\n1,1949-02,118\n2,1949-03,132\n";
  TableShape p = shape_of(pandas);
  EXPECT_TRUE(p.header);
  EXPECT_EQ(p.names, (std::vector<std::string>{"", "Date", "Passengers"}));
  EXPECT_EQ(p.kinds[1], ColumnKind::Date);
  EXPECT_EQ(value_columns(p), std::vector<int>{2});
  EXPECT_EQ(column(pandas, 2), (std::vector<double>{112, 118, 132}));
  // The user's word overrides the guess: a header of numbers.
  TableShape forced = shape_of("1990,1991\n5,6\n7,8\n", true);
  EXPECT_TRUE(forced.header);
  EXPECT_EQ(forced.rows, 2);
  EXPECT_EQ(forced.names[1], "1991");
  // A header alone is no table.
  EXPECT_EQ(scan_error("date,value\n"), "The file holds a header row but no data.");
  EXPECT_EQ(scan_error("\n \n"), "The file holds no rows.");
}

TEST(DelimitedTable, QuotedFieldsFollowRfc4180) {
  // R's write.csv2: semicolons, decimal commas, quoted names with a doubled quote.
  TableShape s = shape_of(kRCsv2);
  EXPECT_EQ(s.separator, ';');
  EXPECT_TRUE(s.decimal_comma);
  EXPECT_EQ(s.columns, 4);
  EXPECT_EQ(s.kinds, (std::vector<ColumnKind>{ColumnKind::Number, ColumnKind::Date, ColumnKind::Number,
                                              ColumnKind::Text}));
  EXPECT_EQ(s.preview[1][3], "a,b");
  EXPECT_EQ(s.preview[2][3], "say \"hi\"");
  // A quoted field may hold the separator and a line end; lines go on counting.
  const char* multiline = "name,value\n\"two\nlines\",1\n\"a,b\",x\n";
  TableShape m = shape_of(multiline);
  EXPECT_EQ(m.rows, 2);
  EXPECT_EQ(m.preview[1][0], "two\nlines");
  EXPECT_EQ(read_error(multiline, {1}), "Line 4, column 2 (\"value\"): \"x\" is not a number.");
  EXPECT_EQ(scan_error("a,b\n1,\"2\n3,4\n"), "Line 2: a quoted field is not closed.");
  // A quoted number is a number (R quotes its row names).
  EXPECT_EQ(column(kRCsv, 0), (std::vector<double>{1, 2, 3, 4}));
}

TEST(DelimitedTable, DecimalCommaOnlyWithSemicolons) {
  EXPECT_EQ(column("a;b\n1,5;-2,25\n3;4.5\n", 1), (std::vector<double>{-2.25, 4.5}));
  // A thousands mark is not read as a decimal: refused rather than guessed.
  EXPECT_EQ(read_error("a;b\n1.234,5;1\n", {0}), "Line 2, column 1 (\"a\"): \"1.234,5\" is not a number.");
  // With commas between fields, "1,5" is two fields.
  EXPECT_EQ(shape_of("1,5\n2,5\n").columns, 2);
}

TEST(DelimitedTable, DatesAndTimesAreRecognised) {
  for (const char* d : {"2020-01-31", "2020/1/31", "1949-01", "31.01.2020", "1/31/20", "01/2020", "12:30",
                        "09:30:15.250", "9:30 PM", "2020-01-31 12:00:00", "2020-01-31T12:00:00Z",
                        "2020-01-31T12:00:00+01:00", "1949 Q1", "1949Q4", "Q2 1949", "Jan 1949", "1949-Jan",
                        "01-Jan-1949", "January 5, 2020"})
    EXPECT_TRUE(looks_like_date(d)) << d;
  for (const char* t : {"580.38", "2020", "1e5", "value", "May", "1949Q5", "2020-01-", "12:3", "1.5.", "Date",
                        "2020-13x", "sales 2020"})
    EXPECT_FALSE(looks_like_date(t)) << t;
  EXPECT_EQ(classify_field("2020.5", false), FieldKind::Number);  // a decimal year is a number
  EXPECT_EQ(classify_field("1,5", true), FieldKind::Number);
  EXPECT_EQ(classify_field("1,5", false), FieldKind::Text);
  for (const char* m : {"", "  ", "NA", "na", "N/A", "NaN", "null", "#N/A"})
    EXPECT_EQ(classify_field(m, false), FieldKind::Missing) << m;
}

TEST(DelimitedTable, MissingValuesAreRefusedWithLineAndColumn) {
  EXPECT_EQ(read_error(kRCsv2, {2}),
            "Line 3, column 3 (\"value\"): the value is missing (\"NA\"). Every time point needs a value.");
  EXPECT_EQ(read_error("1,2\n3,\n5,6\n", {1}), "Line 2, column 2: the value is missing. Every time point needs a value.");
  // A gap in a column not asked for does not matter.
  EXPECT_EQ(column("1,2\n3,\n5,6\n", 0), (std::vector<double>{1, 3, 5}));
  // A blank line between rows would shift every later value: refused.
  EXPECT_EQ(scan_error("v\n1\n\n3\n"), "Line 3 is empty: every row needs its values.");
  EXPECT_EQ(read_error("x\n1\ninf\n", {0}), "Line 3, column 1 (\"x\"): \"inf\" is not a finite number.");
  EXPECT_EQ(read_error("x\n1\n-1e200\n", {0}),
            "Line 3, column 1 (\"x\"): \"-1e200\" is too large to analyse: values must be at most 1E+100 in size.");
}

TEST(DelimitedTable, RaggedRowsAreRefusedNamingTheLine) {
  EXPECT_EQ(scan_error("a,b\n1,2\n3,4,5\n6,7\n"), "Line 3 holds 3 fields; the first row holds 2.");
  EXPECT_EQ(scan_error("a\tb\n1\t2\n3\n"), "Line 3 holds 1 field; the first row holds 2.");
  // A short row among the first ones still leaves the separator known.
  EXPECT_EQ(scan_error("a;b;c\n1;2\n"), "Line 2 holds 2 fields; the first row holds 3.");
}

}  // namespace
}  // namespace zelk
