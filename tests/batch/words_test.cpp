#include "shell/script_words.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

using Words = std::vector<std::string>;

TEST(Words, SplitLikeAShell) {
  std::string error;
  EXPECT_EQ(*split_words("do Difference", &error), (Words{"do", "Difference"}));
  EXPECT_EQ(*split_words("  dialog \"Create New Project \"  Univariate=on ", &error),
            (Words{"dialog", "Create New Project ", "Univariate=on"}));
  EXPECT_EQ(*split_words("dialog T \"Enter lag:\"=12", &error), (Words{"dialog", "T", "Enter lag:=12"}));
  EXPECT_EQ(*split_words("print \"\"", &error), (Words{"print", ""}));
  EXPECT_EQ(*split_words("file my\\ data.dat # the data", &error), (Words{"file", "my data.dat"}));
  EXPECT_EQ(*split_words("say \"a \\\"b\\\" # c\"", &error), (Words{"say", "a \"b\" # c"}));
  EXPECT_EQ(*split_words("path a\\\\b", &error), (Words{"path", "a\\\\b"}));
  EXPECT_TRUE(split_words("   # only a comment", &error)->empty());
  EXPECT_FALSE(split_words("dialog \"open", &error).has_value());
  EXPECT_FALSE(error.empty());
}

TEST(Words, ClipboardEscapesSurviveSplitting) {
  std::string error;
  const Words w = *split_words("clipboard text \"1\\r\\n2\\t3\\\\n\"", &error);
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(unescape_text(w[2]), "1\r\n2\t3\\n");
}

}  // namespace
}  // namespace zelk
