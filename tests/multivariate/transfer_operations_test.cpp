// The transfer-function commands end to end through a scripted port:
// dialog rules and messages, estimation, residuals, forecasts, the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "multivariate/mv_desk.h"
#include "multivariate/transfer_sim.h"
#include "multivariate/windows.h"
#include "multivariate/transfer_dialog.h"
#include "port/commands.h"
#include "port/scripted_port.h"
#include "project/multivariate_record.h"

namespace zelk {
namespace {

class TransferDesk : public test::MultivariateDesk {
 protected:
  // Component 1 the input, 2 the output.
  MultivariateRecord& simulated(int n) {
    const test::Simulated d = test::simulate(n);
    std::ostringstream text;
    text.precision(17);
    for (std::size_t t = 0; t < d.input.size(); ++t) text << d.input[t] << '\t' << d.output[t] << '\n';
    return from_clipboard(text.str());
  }
  // The rough start: delay 2, W(0) = 1, first-order denominator and noise AR.
  void specify(std::vector<std::pair<std::string, std::string>> extra = {}) {
    std::vector<std::pair<std::string, std::string>> set{{"input", "1"},          {"output", "2"},
                                                         {"tf_den_order", "1"},   {"tf_delay", "2"},
                                                         {"tf_w", "1"},           {"noise_ar_order", "1"}};
    set.insert(set.end(), extra.begin(), extra.end());
    dialog("Transfer Function Model Parameters", set);
    app.dispatch(cmd::TransferSpecify);
  }
  void estimate(const std::string& step, bool no_optimization = false) {
    dialog("Transfer Function Estimation", {{"step", step}, {"no_optimization", no_optimization ? "on" : "off"}});
    app.dispatch(cmd::TransferEstimate);
  }
  std::string report_text(Slot slot) {
    std::string t;
    for (const std::string& l : report(slot)) t += l + "\n";
    return t;
  }
};

TEST_F(TransferDesk, CommandsWithoutAModelAreRefused) {
  simulated(50);
  app.dispatch(cmd::TransferEstimate);
  EXPECT_TRUE(shown("MESSAGE [ZELK::ERROR] A model must be specified first"));
  for (int id : {cmd::TransferResiduals, cmd::TransferResidualAcf}) {
    port.clear_shown();
    app.dispatch(id);
    EXPECT_TRUE(shown("MESSAGE [ZELK::ERROR] A transfer model must be specified first")) << id;
  }
}

// A model can name one component twice only through a file written elsewhere.
TEST_F(TransferDesk, EstimationOfAComponentOnItselfIsRefused) {
  MultivariateRecord& rec = simulated(50);
  rec.transfer = TransferModel{};
  rec.transfer->output = 1;
  app.dispatch(cmd::TransferEstimate);
  EXPECT_TRUE(shown("MESSAGE [ZELK::ERROR] Input and output series must be different"));
  EXPECT_FALSE(rec.transfer->estimated);
}

TEST_F(TransferDesk, DialogRefusesBadOrdersDelayVarianceAndModels) {
  MultivariateRecord& rec = simulated(50);
  // Order 11 is refused and the edit keeps 10, which was accepted.
  for (const char* key : {"in_ar_order", "in_ma_order", "tf_den_order", "tf_num_order", "noise_ar_order", "noise_ma_order"}) {
    dialog("Transfer Function Model Parameters", {{key, "10"}, {key, "11"}});
    dialog("Transfer Function Model Parameters", {}, "Cancel");
    app.dispatch(cmd::TransferSpecify);
  }
  for (const char* text : {"AR Order must be <= 10", "MA Order must be <= 10", "Denominator Order must be <= 10",
                           "Numerator Order must be <= 10"})
    EXPECT_TRUE(shown(std::string("MESSAGE [ZELK::ERROR] ") + text)) << text;
  EXPECT_FALSE(rec.transfer);

  port.clear_shown();
  dialog("Transfer Function Model Parameters", {{"tf_delay", "0"}});
  dialog("Transfer Function Model Parameters", {{"tf_delay", "1"}, {"in_variance", "0"}});
  dialog("Transfer Function Model Parameters", {{"in_variance", "1"}, {"input", "2"}, {"output", "2"}});
  dialog("Transfer Function Model Parameters", {{"input", "1"}, {"noise_ar_order", "1"}, {"noise_phi", "1"}});
  dialog("Transfer Function Model Parameters", {{"noise_phi", "0.5"}, {"tf_den_order", "1"}, {"tf_v", "-1.2"}});
  dialog("Transfer Function Model Parameters", {}, "Cancel");
  app.dispatch(cmd::TransferSpecify);
  EXPECT_TRUE(shown("MESSAGE [ZELK Error] Delay must be non-zero"));
  EXPECT_TRUE(shown("MESSAGE [ZELK Error] Variance must be positive"));
  EXPECT_TRUE(shown("MESSAGE [ZELK Error] Input and output series must be different"));
  int refusals = 0;
  for (const auto& l : port.shown()) refusals += l.find("Model must be Causal and Invertible") != std::string::npos;
  EXPECT_EQ(refusals, 2);  // the noise AR phi = 1, then the denominator 1 + 1.2 B
  EXPECT_FALSE(rec.transfer);
}

TEST(TransferDialog, CausalInvertibleButtonJudgesEachTabsPolynomials) {
  ScriptedPort port;
  TransferModelDialog d(TransferModel{}, {"a", "b"});
  auto set = [&](const char* key, const char* value) {
    d.control(key).text = value;
    ASSERT_TRUE(d.field_changed(key, port));
  };
  set("noise_ma_order", "1");
  set("noise_theta", "1.5");
  set("tf_den_order", "2");
  set("tf_v", "0.5, 0.6");  // 1 - .5 B - .6 B^2 has a zero inside the unit circle
  set("tf_num_order", "1");
  set("tf_w", "2, -1");     // 2 - B: zero at B = 2
  for (const char* tab : {"in", "tf", "noise"}) d.button_pressed(std::string(tab) + "_check", port);
  EXPECT_EQ(d.control("in_causal").text, "Causal");
  EXPECT_EQ(d.control("in_invertible").text, "Invertible");
  EXPECT_EQ(d.control("tf_causal").text, "Non - Causal");
  EXPECT_EQ(d.control("tf_invertible").text, "Invertible");
  EXPECT_EQ(d.control("noise_causal").text, "Causal");
  EXPECT_EQ(d.control("noise_invertible").text, "Non - Invertible");
  // Choosing a tab shows its controls only.
  d.control("tabs").selection = {2};
  d.field_changed("tabs", port);
  EXPECT_TRUE(d.control("noise_phi").visible);
  EXPECT_FALSE(d.control("tf_w").visible);
}

TEST_F(TransferDesk, EstimateCheckForecastAndSave) {
  MultivariateRecord& rec = simulated(400);
  specify();
  ASSERT_TRUE(rec.transfer);
  // No optimization: the coefficients stay, the AICC is reported.
  estimate("0.1", true);
  EXPECT_EQ(rec.transfer->w[0], 1.0);
  EXPECT_EQ(rec.transfer->v[0], 0.0);
  const std::string first = report_text(windows::TransferEstimates);
  EXPECT_NE(first.find("ZELK::(Transfer Function Model Estimates)"), std::string::npos);
  EXPECT_NE(first.find("X(t,2) = T(B) X(t,1) + N(t)"), std::string::npos);
  EXPECT_NE(first.find("AICC = "), std::string::npos);

  for (const char* step : {"0.1", "0.01", "0.001"}) estimate(step);
  EXPECT_NEAR(rec.transfer->w[0], 3.0, 0.15);
  EXPECT_NEAR(rec.transfer->v[0], 0.5, 0.05);
  EXPECT_EQ(rec.transfer->delay, 2);
  EXPECT_EQ(rec.transfer->residuals.size(), 397u);
  const std::string text = report_text(windows::TransferEstimates);
  EXPECT_NE(text.find("Accuracy Parameter 0.00100"), std::string::npos) << text;

  app.dispatch(cmd::TransferResiduals);
  app.dispatch(cmd::TransferResidualAcf);
  EXPECT_NE(info_of(windows::TransferResiduals).find("ZELK::Multivariate(Residuals W(t)from transfer function model)"),
            std::string::npos);
  const std::string acf = info_of(windows::TransferResidualAcf);
  EXPECT_NE(acf.find("# of Lags =       40"), std::string::npos) << acf;
  EXPECT_NE(acf.find("Cor[W(t+h),W(t)]"), std::string::npos);

  dialog("Transfer forecasts", {{"count", "21"}});
  dialog("Transfer forecasts", {{"count", "20"}, {"level", "95"}});
  app.dispatch(cmd::TransferPrediction);
  EXPECT_TRUE(shown("MESSAGE [Error]  Number of predictors must be <= 20"));
  const std::string forecast = info_of(windows::TransferForecast);
  EXPECT_NE(forecast.find("ZELK::(Transfer Function Model Prediction)"), std::string::npos);
  EXPECT_NE(forecast.find("Approximate 95 Percent"), std::string::npos);
  EXPECT_NE(forecast.find("   420 "), std::string::npos) << forecast;

  const std::string path = (std::filesystem::temp_directory_path() / "zelk_transfer_roundtrip.zlk").string();
  std::filesystem::remove(path);
  port.queue_file(path);
  app.dispatch(cmd::SaveAs);
  MultivariateRecord& back = open_mv();
  port.queue_file(path);
  app.dispatch(cmd::ImportFile);
  ASSERT_TRUE(back.transfer);
  EXPECT_EQ(*back.transfer, *rec.transfer);
  std::filesystem::remove(path);
}

// A file written before models were saved ends with "F"; a model that no
// dialog would accept (here V(B) = 1 - 1.5 B) refuses the file.
TEST_F(TransferDesk, OldFilesStillReadAndNonCausalModelsAreRefused) {
  const std::string path = (std::filesystem::temp_directory_path() / "zelk_transfer_old.zlk").string();
  auto write = [&path](const std::string& group) {
    std::ofstream f(path);
    f << "ZELK Multivariate Project\nColor\n";
    for (int i = 0; i < 30; ++i) f << "0 ";
    f << "\nModel\nData\n1\n3\n2\nSeries 1\nSeries 2\n1\n1\n1 2 3 4 5 6\nTransformation(s)\n0\n"
         "Transfer function model\n"
      << group;
  };
  write("F\n");
  MultivariateRecord& rec = open_mv();
  port.queue_file(path);
  app.dispatch(cmd::ImportFile);
  EXPECT_EQ(rec.n, 3);
  EXPECT_FALSE(rec.transfer);

  const std::string zeros = "0 0 0 0 0 0 0 0 0 0\n";
  write("T\nF\n1 2\n0\n0\n" + zeros + zeros + "1\n2\n0\n1\n3 " + zeros + "1.5 0 0 0 0 0 0 0 0 0\n0\n0\n" + zeros +
        zeros + "1\n0\n");
  MultivariateRecord& other = open_mv();
  port.queue_file(path);
  app.dispatch(cmd::ImportFile);
  EXPECT_TRUE(shown("MESSAGE [ZELK Read Error] Cannot read file"));
  EXPECT_FALSE(other.data_present());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace zelk
