#include <gtest/gtest.h>

#include <string>

#include "project/clipboard_text.h"

namespace zelk {
namespace {

TEST(ClipboardText, EveryKindOfLineEndSeparatesLines) {
  // CR alone (old Mac text), LF, CR LF, mixed; a byte-order mark is not data.
  for (const char* text : {"1\r2\r3", "1\n2\n3\n", "1\r\n2\n3\r", "\xEF\xBB\xBF" "1\r\n2\r\n3\r\n\r\n"}) {
    const ClipboardSeries r = read_clipboard_series(text);
    EXPECT_EQ(r.status, ClipboardRead::Read) << text;
    EXPECT_EQ(r.values, (std::vector<double>{1, 2, 3})) << text;
  }
  // Only the first value of a line counts, as in a data file.
  EXPECT_EQ(read_clipboard_series("1.5 2.5\n-3E2 note\n").values, (std::vector<double>{1.5, -300}));
  EXPECT_EQ(read_clipboard_series(" \t\r\n\n").status, ClipboardRead::Empty);
  EXPECT_EQ(read_clipboard_table("\n\n", 25).status, ClipboardRead::Empty);
}

TEST(ClipboardText, ARefusedLineIsQuotedReadably) {
  // 50 letters: the message quotes the first 40 and marks the cut.
  const ClipboardSeries long_line = read_clipboard_series("1\n" + std::string(50, 'x') + "\n");
  EXPECT_EQ(long_line.status, ClipboardRead::Refused);
  EXPECT_TRUE(long_line.values.empty());
  EXPECT_EQ(long_line.message, "Line 2 of the clipboard text is not a number: \"" + std::string(40, 'x') + "...\".");

  // The cut falls before a two-byte character that would straddle it, and
  // control characters show as blanks.
  const std::string accents = std::string(39, 'a') + "\xC3\xA9" + "zzz";
  EXPECT_EQ(read_clipboard_series(accents).message,
            "Line 1 of the clipboard text is not a number: \"" + std::string(39, 'a') + "...\".");
  EXPECT_EQ(read_clipboard_series("a\x01" "b").message, "Line 1 of the clipboard text is not a number: \"a b\".");
}

TEST(ClipboardText, TablesAreStoredComponentByComponent) {
  // Tabs, blanks and commas all separate values within a row.
  const ClipboardTable t = read_clipboard_table("1\t2\t3\n4 5,6\n", 25);
  ASSERT_EQ(t.status, ClipboardRead::Read);
  EXPECT_EQ(t.m, 3);
  EXPECT_EQ(t.n, 2);
  EXPECT_EQ(t.data, (std::vector<double>{1, 4, 2, 5, 3, 6}));

  // One column and a single line are tables too.
  const ClipboardTable single = read_clipboard_table("8", 25);
  EXPECT_EQ(single.m, 1);
  EXPECT_EQ(single.data, (std::vector<double>{8}));
  EXPECT_EQ(read_clipboard_table("1\t2\t3", 2).status, ClipboardRead::Refused);
}

}  // namespace
}  // namespace zelk
