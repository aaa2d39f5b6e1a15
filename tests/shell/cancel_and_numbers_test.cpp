// Cancelling long work and the full-precision number setting, through the
// dispatcher as the menus drive them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "arma/windows.h"
#include "files/project_ops.h"
#include "port/commands.h"
#include "port/scripted_port.h"
#include "project/project_file.h"
#include "project/univariate_record.h"
#include "shell/app.h"
#include "shell/menu_state.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

// Answers progress with "go on" for the first `allowed` calls, then "stop"
// (a negative count never stops), as a user pressing Cancel would.
struct CancellingPort : ScriptedPort {
  int allowed = -1;
  int calls = 0;
  bool progress(int) override { return calls++ < allowed || allowed < 0; }
  std::vector<std::string> notes;
  void progress_note(std::string_view text) override { notes.emplace_back(text); }
};

class LongWork : public ::testing::Test {
 protected:
  CancellingPort port;
  App app{port};
  Session& s = app.session();

  UnivariateRecord& lake_huron_ar2() {
    port.queue_dialog({"Create New Project ", {}, "OK", "test"});
    app.dispatch(cmd::New);
    port.queue_file(std::string(ZELK_TEST_DATA) + "/lake_huron.dat");
    app.dispatch(cmd::ImportFile);
    port.queue_dialog({"Specify Model", {{"ar_order", "2"}, {"phi", "1.0538,-0.2668"}}, "OK", "test"});
    app.dispatch(cmd::SpecifyModel);
    return *s.projects.univariate(1);
  }
  std::string project_text() { return project_file_text(*s.projects.univariate(1), s.colours); }
  void max_likelihood() {
    // The mean question comes first: its transformation must go too.
    port.queue_dialog({"Subtract Mean?", {}, "Yes", "test"});
    port.queue_dialog({"Maximum Likelihood Estimation", {}, "OK", "test"});
    app.dispatch(cmd::MaxLikelihood);
  }
};

// Property: a cancelled command leaves the project as it was, down to the
// text of its project file; the same command run to its end changes it.
TEST_F(LongWork, CancelledFitRestoresTheProject) {
  UnivariateRecord& rec = lake_huron_ar2();
  const std::string before = project_text();
  const int iterations = rec.iterations;
  const StatusLine status = app.status();

  port.allowed = 2;  // two iterations, then Cancel
  max_likelihood();
  EXPECT_EQ(port.calls, 3);
  EXPECT_EQ(project_text(), before);
  EXPECT_TRUE(rec.transforms.empty());
  EXPECT_EQ(rec.iterations, iterations);
  EXPECT_EQ(s.desktop.find(1, windows::MlEstimates), nullptr);
  EXPECT_TRUE(port.shown().empty());  // no "iteration limit" question after a cancel
  for (int i = 0; i < 3; ++i) EXPECT_EQ(app.status().parts[i], status.parts[i]);  // no "Subt Mean"

  port.allowed = -1;
  max_likelihood();
  EXPECT_NE(project_text(), before);
  EXPECT_EQ(rec.transforms.size(), 1u);
  ASSERT_NE(s.desktop.find(1, windows::MlEstimates), nullptr);
}

// A long simulation says how far it has come, and Cancel part way keeps the
// series it would have replaced.
TEST_F(LongWork, CancelledSimulationKeepsTheSeriesAndSaysHowFarItCame) {
  lake_huron_ar2();
  const std::string before = project_text();
  port.allowed = 3;
  port.queue_dialog({"ARMA Simulation", {{"n", "1000000"}, {"seed", "5"}, {"current", "on"}}, "OK", "test"});
  app.dispatch(cmd::Simulate);
  EXPECT_EQ(project_text(), before);
  ASSERT_GE(port.notes.size(), 3u);
  EXPECT_EQ(port.notes.front().substr(0, 12), "Simulating: ");
  EXPECT_EQ(port.notes.front().back(), '%');

  port.allowed = -1;
  port.notes.clear();
  port.queue_dialog({"ARMA Simulation", {{"n", "1000000"}, {"seed", "5"}, {"current", "on"}}, "OK", "test"});
  app.dispatch(cmd::Simulate);
  EXPECT_NE(project_text(), before);
  EXPECT_EQ(s.projects.univariate(1)->n(), 1000000);
}

TEST_F(LongWork, CancelledOrderSearchAndALaterCommandThatRunsToItsEnd) {
  lake_huron_ar2();
  const std::string before = project_text();
  port.allowed = 1;
  port.queue_dialog({"Subtract Mean?", {}, "Yes", "test"});
  port.queue_dialog({"Auto-fit (min AICC)", {{"max_p", "2"}, {"max_q", "2"}}, "OK", "test"});
  app.dispatch(cmd::AutoFit);
  EXPECT_EQ(project_text(), before);
  EXPECT_EQ(s.desktop.find(1, windows::AutoFit), nullptr);

  // The stop belongs to the cancelled command only: the next one runs.
  port.allowed = -1;
  port.calls = 0;
  max_likelihood();
  EXPECT_GT(port.calls, 0);

  EXPECT_NE(project_text(), before);
}

// Lake Huron's mean: R 4.2, format(mean(x), digits = 17) on
// tests/data/lake_huron.dat gives 579.00408163265308 (R sums in extended
// precision, so the last bit may differ from ours).
TEST_F(LongWork, FullPrecisionNumbersInInfoAndClipboard) {
  lake_huron_ar2();
  auto info = [&] {
    Window* g = s.desktop.find(1, windows::Project);
    s.desktop.focus(g->id);
    app.dispatch(cmd::Info);
    return s.desktop.find_info(1, windows::Project)->text->text();
  };
  auto export_series = [&] {
    port.queue_dialog({"Export to ASCII", {{"Time Series", "on"}}, "OK", "test"});
    app.dispatch(cmd::Export);
    return port.clipboard().value_or("<none>").substr(0, 13);
  };
  const std::string report = info();
  EXPECT_NE(report.find("Sample Mean = 0.5790E+03\n"), std::string::npos) << report;
  EXPECT_EQ(export_series(), "0.58038E+03\r\n");  // five significant digits
  EXPECT_FALSE(app.menu_state().checked(cmd::FullPrecision));

  app.dispatch(cmd::FullPrecision);
  EXPECT_TRUE(app.menu_state().checked(cmd::FullPrecision));
  // The open INFO window is rewritten at once.
  const std::string full = s.desktop.find_info(1, windows::Project)->text->text();
  const auto at = full.find("Sample Mean = ");
  ASSERT_NE(at, std::string::npos) << full;
  const std::string mean = full.substr(at + 14, full.find('\n', at) - at - 14);
  EXPECT_EQ(mean.substr(0, 14), "579.0040816326") << mean;
  EXPECT_GE(mean.size(), 16u);  // at least 15 significant digits
  EXPECT_NEAR(std::stod(mean), 579.00408163265308, 1e-12);
  EXPECT_NEAR(std::stod(full.substr(full.find("Sample Variance = ") + 18)), 1.720177, 1e-6);

  // Clipboard export of the series: the first value as the data file has it.
  EXPECT_EQ(export_series().substr(0, 8), "580.38\r\n");

  // Back to the report formats: the text is the one of before, byte for byte.
  app.dispatch(cmd::FullPrecision);
  EXPECT_EQ(s.desktop.find_info(1, windows::Project)->text->text(), report);
}

}  // namespace
}  // namespace zelk
