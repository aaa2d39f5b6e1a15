// "Tests of Randomness" through the scripted port.
#include "arma/randomness_dialog.h"

#include <gtest/gtest.h>

#include "port/scripted_port.h"

namespace zelk {
namespace {

TEST(RandomnessDialogTest, SuggestionAndRangeLines) {
  RandomnessSettings s{2, 200, 0};
  RandomnessDialog d(s);
  EXPECT_EQ(d.control("range").text, "Enter value of h, 2 < h < 54");
  EXPECT_EQ(d.control("suggested").text, "Suggested value is 22");
  EXPECT_EQ(d.control("h").text, "22");
  RandomnessSettings short_series{2, 30, 0};
  RandomnessDialog d30(short_series);
  EXPECT_EQ(d30.control("range").text, "Enter value of h, 2 < h < 30");
  EXPECT_EQ(d30.control("h").text, "22");
}

TEST(RandomnessDialogTest, BothEndsAcceptedOthersRefusedUntilCancel) {
  ScriptedPort port;
  RandomnessSettings s{2, 30, 0};
  {
    RandomnessDialog d(s);
    port.queue_dialog({"Tests of Randomness", {{"h", "1"}}});
    port.queue_dialog({"Tests of Randomness", {{"h", "31"}}});
    port.queue_dialog({"Tests of Randomness", {{"h", "2"}}});
    EXPECT_TRUE(port.run_dialog(d));
    EXPECT_EQ(s.h, 2);  // h = f
    EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ERROR]  h out of range. Try again. -> OK",
                                                      "MESSAGE [ERROR]  h out of range. Try again. -> OK"}));
  }
  {
    RandomnessDialog d(s);
    port.queue_dialog({"Tests of Randomness", {{"h", "30"}}});
    EXPECT_TRUE(port.run_dialog(d));
    EXPECT_EQ(s.h, 30);
  }
  {
    RandomnessDialog d(s);
    port.queue_dialog({"Tests of Randomness", {{"h", "12"}}, "Cancel"});
    EXPECT_FALSE(port.run_dialog(d));
    EXPECT_EQ(s.h, 30);
  }
}

}  // namespace
}  // namespace zelk
