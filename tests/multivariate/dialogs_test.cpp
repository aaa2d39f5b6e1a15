// The multivariate dialogs driven as a script drives them.
#include <gtest/gtest.h>

#include "multivariate/smooth_dialog.h"
#include "multivariate/var_dialog.h"
#include "port/scripted_port.h"

namespace zelk {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

class MvDialogs : public ::testing::Test {
 protected:
  ScriptedPort port;
  void answer(const std::string& title, Settings s, std::string press = "OK") {
    port.queue_dialog({title, std::move(s), std::move(press), "test"});
  }
};

// n = 10, m = 2: P = (20 - 2) div 4 = 4, so p = 4 is refused and 3 taken.
TEST_F(MvDialogs, EstimationOrderRules) {
  VarEstimationSettings s;
  VarEstimationDialog d(VarMethod::Burg, s, var_order_limit(10, 2));
  EXPECT_EQ(d.title(), "Multivariate Burg Estimation");
  answer(d.title(), {{"Enter order of AR model.", "-1"}});
  answer(d.title(), {{"order", "4"}});
  answer(d.title(), {{"order", "3"}});
  ASSERT_TRUE(port.run_dialog(d));
  EXPECT_EQ(s.order, 3);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ERROR]  p must be non-negative. -> OK",
                                                    "MESSAGE [ERROR]  p is too large, try a smaller value. -> OK"}));
  // With the search box checked the edit is ignored, whatever it holds.
  VarEstimationDialog again(VarMethod::YuleWalker, s, 4);
  answer(again.title(), {{"order", "99"}, {"Find minimum AICC model.", "on"}});
  ASSERT_TRUE(port.run_dialog(again));
  EXPECT_TRUE(s.minimize_aicc);
  EXPECT_EQ(s.order, 3);
  EXPECT_FALSE(again.control("order").enabled);
}

TEST_F(MvDialogs, ForecastRefusalsAndLevelReset) {
  VarForecastSettings s;
  VarForecastDialog d(s, 50, 2);
  answer(d.title(), {{"count", "0"}});
  answer(d.title(), {{"count", "5"}, {"subset", "on"}, {"endpoint", "2"}});
  answer(d.title(), {{"endpoint", "51"}});
  answer(d.title(), {{"endpoint", "40"}, {"level", "100"}});
  answer(d.title(), {});
  ASSERT_TRUE(port.run_dialog(d));
  EXPECT_EQ(port.shown().size(), 4u);
  EXPECT_EQ(port.shown()[3], "MESSAGE [ERROR]  Confidence level must be an integer between 0 and 100. -> OK");
  EXPECT_EQ(s.count, 5);
  EXPECT_FALSE(s.full_data);
  EXPECT_EQ(s.endpoint, 40);
  EXPECT_EQ(s.level, 95);
}

TEST_F(MvDialogs, SimulationRefusalsLeaveSettingsUntilAccepted) {
  VarSimulationDialogSettings s;
  VarSimulationDialog d(s, 3);
  answer(d.title(), {{"count", "0"}});
  answer(d.title(), {{"count", "200"}, {"seed", "0"}});
  answer(d.title(), {{"seed", "9"}, {"burn_in", "3"}});
  EXPECT_FALSE(port.run_dialog(d));  // no answer after the last refusal: cancelled
  EXPECT_EQ(s.count, 100);
  EXPECT_EQ(s.seed, 1);
  ASSERT_EQ(port.shown().size(), 4u);
  EXPECT_EQ(port.shown()[2], "MESSAGE [ERROR]  M must be > p -> OK");
  VarSimulationDialog d2(s, 3);
  answer(d2.title(), {{"seed", "9"}, {"Create new project.", "on"}});
  ASSERT_TRUE(port.run_dialog(d2));
  EXPECT_EQ(s.seed, 9);
  EXPECT_TRUE(s.new_project);
}

TEST_F(MvDialogs, SmoothingCountIndexAndCancel) {
  DaniellSettings s;
  std::vector<std::vector<double>> applied;
  SmoothSpectrumDialog d(s, [&](const std::vector<double>& w) { applied.push_back(w); });
  EXPECT_EQ(d.control("filters").items, std::vector<std::string>{"None"});
  answer(d.title(), {{"count", "51"}});
  answer(d.title(), {{"count", "2"}, {"filters", "1"}, {"order", "1"}, {"filters", "2"}, {"order", "1"}}, "Apply");
  answer(d.title(), {}, "Cancel");
  EXPECT_FALSE(port.run_dialog(d));
  EXPECT_EQ(port.shown()[0], "MESSAGE [ZELK::Error] Number of Daniell filters must be from 0 to 50 -> OK");
  ASSERT_EQ(applied.size(), 2u);
  EXPECT_EQ(applied[0].size(), 3u);  // orders 1 and 1: W[0..2]
  EXPECT_EQ(applied[1], std::vector<double>{1.0});  // Cancel restores no smoothing
  EXPECT_EQ(s.count, 0);
}

TEST_F(MvDialogs, LagCount) {
  int lags = 40;
  CcfLagDialog d(lags);
  answer(d.title(), {{"Enter # of lags :", "0"}});
  answer(d.title(), {{"lags", "12"}});
  ASSERT_TRUE(port.run_dialog(d));
  EXPECT_EQ(lags, 12);
}

}  // namespace
}  // namespace zelk
