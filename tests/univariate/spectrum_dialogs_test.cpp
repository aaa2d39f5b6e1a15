// The spectrum dialogs driven as a script drives them, and the INFO texts.
#include "univariate/spectrum_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>

#include "port/scripted_port.h"
#include "univariate/spectrum_report.h"

namespace zelk {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

struct Smoothing : ::testing::Test {
  ScriptedPort port;
  SmoothingSettings settings;
  std::vector<std::string> previews;  // "apply 2: 1 1" or "restore"

  bool run(Settings set, std::string press = "OK") {
    SpectrumSmoothingDialog dialog(settings, [this](const SmoothingSettings* s) {
      if (!s) {
        previews.push_back("restore");
        return;
      }
      std::string line = "apply " + std::to_string(s->count) + ":";
      for (int k : s->active()) line += " " + std::to_string(k);
      previews.push_back(line);
    });
    port.queue_dialog({"Spectrum smoothing", std::move(set), std::move(press), "test"});
    const bool ok = port.run_dialog(dialog);
    weights = dialog.weights();
    return ok;
  }
  std::vector<double> weights;
};

TEST_F(Smoothing, TwoFiltersOfOrderOneAreKeptOnOk) {
  ASSERT_TRUE(run({{"Number of Daniell filters:", "2"}, {"Order of filter:", "1"}, {"filters", "2"},
                   {"Order of filter:", "1"}}));
  EXPECT_EQ(settings.count, 2);
  EXPECT_EQ(settings.orders[0], 1);
  EXPECT_EQ(settings.orders[1], 1);
  EXPECT_EQ(settings.orders[2], 0);
  ASSERT_EQ(weights.size(), 3u);
  EXPECT_NEAR(weights[0], 3.0 / 9, 1e-15);
  // OK draws what it keeps even without Apply.
  EXPECT_EQ(previews, (std::vector<std::string>{"apply 2: 1 1"}));
}

TEST_F(Smoothing, CountOfFiftyOneIsRefusedAndTheOldCountComesBack) {
  settings.count = 1;
  settings.orders[0] = 3;
  ASSERT_FALSE(run({{"count", "51"}}));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ZELK Error] Number of Daniell filters must be from 0 to 50 -> OK");
  EXPECT_EQ(settings.count, 1);
  EXPECT_TRUE(previews.empty());

  // The refusal leaves the dialog open: a second answer carries on from 1.
  SpectrumSmoothingDialog dialog(settings, nullptr);
  port.queue_dialog({"Spectrum smoothing", {{"count", "-1"}}, "OK", "a"});
  port.queue_dialog({"Spectrum smoothing", {}, "OK", "b"});
  ASSERT_TRUE(port.run_dialog(dialog));
  EXPECT_EQ(dialog.control("count").text, "1");
  EXPECT_EQ(settings.count, 1);
  EXPECT_EQ(settings.orders[0], 3);
}

TEST_F(Smoothing, LoweringTheCountClearsTheOrdersBeyondIt) {
  settings.count = 3;
  settings.orders = {2, 4, 6};
  ASSERT_TRUE(run({{"count", "1"}}));
  EXPECT_EQ(settings.count, 1);
  EXPECT_EQ(settings.orders[1], 0);
  EXPECT_EQ(settings.orders[2], 0);
  ASSERT_TRUE(run({{"count", "2"}, {"filters", "2"}}));
  EXPECT_EQ(settings.orders[1], 0);
}

TEST_F(Smoothing, NoFiltersListsNoneAndAppliesThePlainPeriodogram) {
  settings.count = 2;
  settings.orders = {1, 1};
  SpectrumSmoothingDialog dialog(settings, [this](const SmoothingSettings* s) {
    previews.push_back(s ? "apply " + std::to_string(s->count) : "restore");
  });
  Control& count = dialog.control("count");
  count.text = "0";
  ASSERT_TRUE(dialog.field_changed("count", port));
  EXPECT_EQ(dialog.control("filters").items, std::vector<std::string>{"None"});
  EXPECT_FALSE(dialog.control("order").enabled);
  EXPECT_EQ(dialog.weights(), std::vector<double>{1.0});
  dialog.button_pressed("apply", port);
  EXPECT_EQ(previews, std::vector<std::string>{"apply 0"});
}

TEST_F(Smoothing, CancelAfterApplyRestoresWhatWasShown) {
  settings.count = 1;
  settings.orders[0] = 2;
  ASSERT_FALSE(run({{"count", "2"}, {"filters", "2"}, {"order", "3"}}, "Apply"));  // no further answer: cancelled
  EXPECT_EQ(previews, (std::vector<std::string>{"apply 2: 2 3", "restore"}));
  EXPECT_EQ(settings.count, 1);
  EXPECT_EQ(settings.orders[0], 2);
  EXPECT_EQ(settings.orders[1], 0);
}

TEST_F(Smoothing, OrdersMustBeWholeAndNotNegative) {
  ASSERT_FALSE(run({{"count", "1"}, {"order", "-2"}}));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ZELK Error] Order of filter must be from 0 to 10000 -> OK");
  EXPECT_EQ(settings.count, 0);
}

TEST_F(Smoothing, PictureDrawsTheWholeSymmetricFilter) {
  settings.count = 2;
  settings.orders = {1, 1};
  SpectrumSmoothingDialog dialog(settings, nullptr);
  const std::optional<DisplayList> d = dialog.picture("weights", 300, 200);
  ASSERT_TRUE(d.has_value());
  EXPECT_FALSE(d->items.empty());
  EXPECT_FALSE(dialog.picture("other", 300, 200).has_value());
}

TEST(ResolutionDialog, BelowOneHundredIsRefusedAndResetTo1024) {
  ScriptedPort port;
  ResolutionSettings settings{512};
  ResolutionDialog dialog(settings);
  EXPECT_EQ(dialog.control("points").text, "512");
  port.queue_dialog({"Specify resoultion for model spectrum", {{"Enter # grid points:", "99"}}, "OK", "a"});
  ASSERT_FALSE(port.run_dialog(dialog));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ZELK:: Error] Enter integer >= 100 -> OK");
  EXPECT_EQ(dialog.control("points").text, "1024");
  EXPECT_EQ(settings.M, 512);

  port.queue_dialog({"Specify resoultion for model spectrum", {{"points", "abc"}}, "OK", "b"});
  port.queue_dialog({"Specify resoultion for model spectrum", {{"points", "100"}}, "OK", "c"});
  ASSERT_TRUE(port.run_dialog(dialog));
  EXPECT_EQ(settings.M, 100);
}

TEST(FisherTestDialog, ShowsSixSignificantDigitsOrWhyThereAreNone) {
  FisherTest t;
  t.defined = true;
  t.q = 99;
  t.ratio = 7.123456789;
  t.probability = 0.0654321987;
  FisherTestDialog dialog(t);
  EXPECT_FALSE(dialog.has_cancel());
  EXPECT_EQ(dialog.control("ratio").label, "Ratio of maximum periodogram ordinate to mean = ");
  EXPECT_EQ(dialog.control("ratio").text, "7.12346");
  EXPECT_EQ(dialog.control("probability").text, "0.0654322");

  FisherTest flat;
  flat.q = 4;
  FisherTestDialog none(flat);
  EXPECT_EQ(none.control("ratio").text, "undefined (the periodogram is 0 at every frequency)");
  EXPECT_EQ(none.control("probability").text, "undefined");
}

TEST(SpectrumReport, WholeTextWithSmoothing) {
  FisherTest t;
  t.defined = true;
  t.q = 99;
  t.ratio = 7.5;
  t.probability = 0.25;
  const std::vector<double> w = daniell_weights(std::vector<int>{1, 1});
  const std::vector<std::string> lines = spectrum_report({"ARMA Model:", "X(t) = Z(t)"}, 200, w, t);
  const std::vector<std::string> expected = {
      "===============",
      "ZELK::(SPECTRUM)",
      "===============",
      "",
      "",
      "Model spectrum:",
      "ARMA Model:",
      "X(t) = Z(t)",
      "Number of frequencies in periodogram =      100",
      "",
      "",
      "Fundamental Fourier frequency 2*pi/n = 0.0314159",
      "Smoothing coefficients:",
      "W[0] = 0.333333",
      "W[1] = 0.222222",
      "W[2] = 0.111111",
      "",
      "Smooth coefficient sum of squares = 0.234568",  // 19/81
      "",
      "Fisher's test:",
      "Ratio of maximum periodogram ordinate to average = 7.50000",
      "Probability (under H0) of seeing this or larger = 0.250000",
      "",
  };
  EXPECT_EQ(lines, expected);
}

TEST(SpectrumReport, NoSmoothingAndTheCumulativeText) {
  const std::vector<std::string> lines = spectrum_report({}, 201, {}, FisherTest{});
  EXPECT_EQ(lines[5], "Model spectrum:");
  EXPECT_EQ(lines[6], "Number of frequencies in periodogram =      100");
  EXPECT_EQ(lines[10], "No smoothing done.");
  EXPECT_EQ(cumulative_spectrum_report(200),
            (std::vector<std::string>{"===============", "ZELK::(CUMULATIVE SPECTRUM)", "===============",
                                      "Number of frequencies in periodogram =      100",
                                      "Fundamental Fourier frequency 2*pi/n = 0.0314159"}));
}

TEST(SpectrumReport, OneMessageCountsEveryReplacedValue) {
  EXPECT_EQ(singular_spectrum_message(1), "Singularity in model spectrum, set to 1000000 * WN-Variance");
  EXPECT_EQ(null_log_message(1), "Null in spectrum, setting log to -100");
  // A constant series: every ordinate of its periodogram is 0.
  const LogValues l = log_spectrum(periodogram(std::vector<double>(1000, 4.0)));
  EXPECT_EQ(null_log_message(l.nulls), "Null in spectrum, setting log to -100 (500 values)");
}

}  // namespace
}  // namespace zelk
