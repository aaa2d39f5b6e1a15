#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forecast/arar_dialog.h"
#include "forecast/holt_winters_dialog.h"
#include "forecast/smoothing_dialogs.h"
#include "port/scripted_port.h"

namespace zelk {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

bool run(Dialog& d, ScriptedPort& port, Settings s, std::string press = "OK") {
  port.queue_dialog({d.title(), std::move(s), std::move(press)});
  return port.run_dialog(d);
}

TEST(ArarDialog, SubsetNeedsThirtyObservations) {
  ArarSettings s;
  ScriptedPort port;
  ArarDialog d(s, {100, 100, 0});
  EXPECT_FALSE(run(d, port, {{"subset", "on"}, {"first", "11"}, {"last", "39"}}));
  ASSERT_FALSE(port.shown().empty());
  EXPECT_EQ(port.shown().front(), "MESSAGE [ERROR] Need at least 30 observations to run ARAR -> OK");
  port.clear_shown();
  ArarDialog again(s, {100, 100, 0});
  EXPECT_TRUE(run(again, port, {{"subset", "on"}, {"first", "11"}, {"last", "40"}, {"criterion3", "on"}}));
  EXPECT_TRUE(port.shown().empty());
  EXPECT_TRUE(s.range.subset);
  EXPECT_EQ(s.range.first, 11);
  EXPECT_EQ(s.range.last, 40);
  EXPECT_EQ(s.criterion, ArarCriterion::MaxLikelihood13);
}

TEST(ArarDialog, RefusalsLeaveTheSettingsAsTheyWere) {
  ArarSettings s;
  s.range.h = 7;
  ScriptedPort port;
  ArarDialog d(s, {29, 29, 0});  // the complete series is one short
  EXPECT_FALSE(run(d, port, {}));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ERROR] Need at least 30 observations to run ARAR -> OK");
  EXPECT_EQ(s.range.h, 7);
  EXPECT_EQ(s.range.last, 0);

  struct Case {
    Settings set;
    std::string shown;
  };
  for (const Case& c : std::vector<Case>{
           {{{"h", "0"}}, "MESSAGE [ERROR] Number of predictors MUST be greater than 0 -> OK"},
           {{{"subset", "on"}, {"first", "0"}}, "MESSAGE [ERROR] Starting point MUST be greater than 0 -> OK"},
           {{{"subset", "on"}, {"last", "101"}}, "MESSAGE [ERROR] Final point must be less than number of obs. -> OK"},
           {{{"original", "on"}, {"subset", "on"}, {"first", "2"}},
            "MESSAGE [ERROR] Starting point MUST be greater than number of lags differenced -> OK"},
           {{{"confidence", "100"}},
            "MESSAGE [ERROR]  Confidence level must be an integer between 0 and 100. -> OK"}}) {
    ScriptedPort p;
    ArarDialog dd(s, {100, 102, 2});
    EXPECT_FALSE(run(dd, p, c.set));
    ASSERT_FALSE(p.shown().empty());
    EXPECT_EQ(p.shown().front(), c.shown);
    EXPECT_EQ(s.range.h, 7);
  }
  // A refused confidence level shows 95 again.
  ScriptedPort p;
  ArarDialog dd(s, {100, 100, 0});
  p.queue_dialog({dd.title(), {{"confidence", "0"}}});
  p.queue_dialog({dd.title(), {}});
  EXPECT_TRUE(p.run_dialog(dd));
  EXPECT_EQ(s.range.confidence, 95);
}

TEST(ArarDialog, CompleteSeriesOfTheOriginalStartsAfterTheDifferencingLags) {
  ArarSettings s;
  ScriptedPort port;
  ArarDialog d(s, {88, 100, 12});
  EXPECT_TRUE(run(d, port, {{"original", "on"}, {"h", "5"}}));
  EXPECT_EQ(s.range.first, 13);
  EXPECT_EQ(s.range.last, 100);
  EXPECT_EQ(s.range.h, 5);
  EXPECT_TRUE(s.range.original);
  EXPECT_EQ(d.control("last_prompt").text,
            "Enter index of last observation in subset  (total number of observations is 100)");
}

TEST(HoltWintersDialog, ConstantsAndPeriodRules) {
  HoltWintersSettings s;
  struct Case {
    bool seasonal;
    Settings set;
    std::string shown;
  };
  for (const Case& c : std::vector<Case>{
           {false, {{"optimize", "off"}, {"alpha", "1.5"}}, "MESSAGE [ERROR] alpha must be between 0 and 1 -> OK"},
           {false, {{"beta", "-0.1"}}, "MESSAGE [ERROR] Beta must be between 0 and 1 -> OK"},
           {true, {{"gamma", "-1"}}, "MESSAGE [ERROR] Gamma must be between 0 and 1 -> OK"},
           {true, {{"period", "1"}}, "MESSAGE [ERROR] Period must be greater than 1 -> OK"},
           {false, {{"subset", "on"}, {"first", "5"}, {"last", "5"}},
            "MESSAGE [ERROR] Need last index larger than starting index -> OK"},
           {false, {{"subset", "on"}, {"first", "5"}, {"last", "6"}},
            "MESSAGE [ERROR] Need at least 3 observations for Holt-Winters forecasting -> OK"},
           {true, {{"subset", "on"}, {"first", "1"}, {"last", "13"}},
            "MESSAGE [ERROR] Need at least 14 observations for period 12 -> OK"},
           {false, {{"h", "-2"}}, "MESSAGE [ERROR] Number of predictors MUST be greater than 0 -> OK"}}) {
    ScriptedPort p;
    HoltWintersDialog d(s, {50, 50, 0}, c.seasonal);
    EXPECT_FALSE(run(d, p, c.set));
    ASSERT_FALSE(p.shown().empty());
    EXPECT_EQ(p.shown().front(), c.shown);
  }
  // With optimize checked a typed 1.5 is allowed: the search starts at 0.2.
  ScriptedPort p;
  HoltWintersDialog d(s, {50, 50, 0}, false);
  EXPECT_TRUE(run(d, p, {{"alpha", "1.5"}}));
  EXPECT_EQ(s.range.last, 50);
  EXPECT_EQ(d.control("beta").text, " 0.20000");
  HoltWintersDialog seasonal(s, {50, 50, 0}, true);
  EXPECT_EQ(seasonal.find("percent prediction bounds."), nullptr);
  p.clear_shown();
  EXPECT_TRUE(run(seasonal, p, {{"period", "4"}, {"optimize", "off"}, {"alpha", "0.3"}, {"gamma", "0.7"}}));
  EXPECT_EQ(s.period, 4);
  EXPECT_EQ(s.gamma, 0.7);
  EXPECT_FALSE(s.optimize);
}

TEST(SmoothingDialogs, SliderPreviewsAndCancelRestores) {
  SmoothingSettings s;
  s.alpha = 0.3;
  std::vector<double> previews;
  int restored = 0;
  SmoothingPreview preview{[&](const SmoothingSettings& v) { previews.push_back(v.alpha); }, [&] { ++restored; }};
  ScriptedPort p;
  SliderSmoothDialog d(SliderSmoothDialog::Kind::Exponential, s, preview);
  EXPECT_EQ(d.control("slider").value, 3);
  EXPECT_FALSE(run(d, p, {{"slider", "7"}}, "Cancel"));
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_NEAR(previews[0], 0.7, 1e-15);
  EXPECT_EQ(restored, 1);
  EXPECT_EQ(s.alpha, 0.3);

  SliderSmoothDialog best(SliderSmoothDialog::Kind::Exponential, s, preview);
  EXPECT_TRUE(run(best, p, {{"value", "-1"}}));
  EXPECT_EQ(s.alpha, -1);
  SliderSmoothDialog bad(SliderSmoothDialog::Kind::Exponential, s, preview);
  EXPECT_FALSE(run(bad, p, {{"value", "1.2"}}));
  EXPECT_EQ(p.shown().front(), "MESSAGE [ZELK Error] Exp. smooth parameter must be in [0.0, 1.0] or -1 -> OK");
  p.clear_shown();
  SliderSmoothDialog fft(SliderSmoothDialog::Kind::Fft, s, preview);
  EXPECT_FALSE(run(fft, p, {{"value", "-1"}}));
  EXPECT_EQ(p.shown().front(), "MESSAGE [ZELK Error] FFT smooth parameter must be in [0.0, 1.0] -> OK");
  EXPECT_EQ(restored, 1);  // nothing previewed, nothing to restore
}

TEST(SmoothingDialogs, MovingAverageOrderWeightsApply) {
  SmoothingSettings s;  // order 0, w(0) = 1
  std::vector<std::vector<double>> applied;
  SmoothingPreview preview{[&](const SmoothingSettings& v) { applied.push_back(v.weights); }, {}};
  ScriptedPort p;
  MovingAverageDialog d(s, preview);
  p.queue_dialog({d.title(), {{"order", "2"}, {"weights", "2"}, {"weight", "1"}}, "Apply"});
  p.queue_dialog({d.title(), {{"order", "100"}}});  // refused: the order stays 2
  p.queue_dialog({d.title(), {{"weights", "3"}, {"weight", "1"}}});
  EXPECT_TRUE(p.run_dialog(d));
  ASSERT_EQ(applied.size(), 1u);
  EXPECT_EQ(applied[0], (std::vector<double>{1, 1, 0}));
  EXPECT_EQ(s.weights, (std::vector<double>{1, 1, 1}));
  EXPECT_EQ(d.control("order").text, "2");
  EXPECT_EQ(p.shown().front(), "MESSAGE [ZELK  ERROR] MA Order must be < 100 -> OK");
  EXPECT_EQ(d.control("weights").items[2], "Theta(2) = 1.00000");

  // Lowering the order keeps the first weights.
  MovingAverageDialog lower(s, preview);
  EXPECT_TRUE(run(lower, p, {{"order", "1"}}));
  EXPECT_EQ(s.weights, (std::vector<double>{1, 1}));
  MovingAverageDialog zero(s, preview);
  p.clear_shown();
  EXPECT_FALSE(run(zero, p, {{"weights", "2"}, {"weight", "-0.5"}}));
  EXPECT_EQ(p.shown().front(), "MESSAGE [ZELK ERROR] MA coefficients cannot sum to zero -> OK");
  EXPECT_EQ(s.weights, (std::vector<double>{1, 1}));
}

}  // namespace
}  // namespace zelk
