#include "numeric/error_stack.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelk::numeric {
namespace {

TEST(ErrorStack, TemplatesFillTypedPlaceholdersByPosition) {
  MessageArgs args{{12, -3}, {0.25, 1e-300}, {"DNORIN"}};
  EXPECT_EQ(format_message("NOBS = %(I1) and NPAD = %(I2).", args), "NOBS = 12 and NPAD = -3.");
  EXPECT_EQ(format_message("P = %(D1), Q = %(D2) in %(L1)", args), "P = 0.25, Q = 1e-300 in DNORIN");
  EXPECT_EQ(format_message("%(I1) by %(I1)", args), "12 by 12");
  // Missing values stay visible.
  EXPECT_EQ(format_message("%(D3) %(X1) %(I", args), "%(D3) %(X1) %(I");
  EXPECT_EQ(format_double(std::nan("")), "NaN");
  EXPECT_EQ(format_double(-HUGE_VAL), "-Infinity");
}

TEST(ErrorStack, MessagesNameTheInnermostRoutine) {
  clear_errors();
  {
    RoutineScope outer("DNORIN");
    {
      RoutineScope inner("DERFCI");
      EXPECT_EQ(error_stack_depth(), 2);
      E1MES(Severity::Warning, 3, "inner %(D1)", {{}, {2.5}, {}});
    }
    E1MES(Severity::Fatal, 4, "outer");
  }
  EXPECT_EQ(error_stack_depth(), 0);
  auto all = recorded_errors();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].routine, "DERFCI");
  EXPECT_EQ(all[0].message, "inner 2.5");
  EXPECT_EQ(all[0].severity, Severity::Warning);
  EXPECT_EQ(all[1].routine, "DNORIN");
  EXPECT_EQ(last_error()->code, 4);
  clear_errors();
  EXPECT_FALSE(last_error());
}

TEST(ErrorStack, PushBeyondTheDepthIsItselfAnErrorAndPopsStayBalanced) {
  clear_errors();
  for (int i = 0; i < kErrorStackDepth + 2; ++i) E1PSH("R");
  EXPECT_EQ(error_stack_depth(), kErrorStackDepth);
  ASSERT_TRUE(last_error());
  EXPECT_EQ(last_error()->message,
            "Error condition in E1PSH.  Push would cause stack level to exceed " + std::to_string(kErrorStackDepth) +
                ". ");
  for (int i = 0; i < kErrorStackDepth + 2; ++i) E1POP("R");
  EXPECT_EQ(error_stack_depth(), 0);
  EXPECT_EQ(recorded_errors().size(), 2u);
  clear_errors();
}

}  // namespace
}  // namespace zelk::numeric
