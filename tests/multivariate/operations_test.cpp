// Multivariate projects end to end: dispatched as the menus do, answered by a
// scripted port, reports read from the INFO windows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "multivariate/windows.h"
#include "port/commands.h"
#include "project/multivariate_record.h"
#include "shell/status.h"
#include "multivariate/mv_desk.h"
#include "support/desk.h"

namespace zelk {
namespace {

class MvDesk : public test::MultivariateDesk {
 protected:
  // The CCF INFO value of pair (i, j) at lag h, read back from the text.
  double ccf_value(const std::string& heading, int h) {
    const std::string info = info_of(windows::Ccf);
    std::size_t at = info.find(heading);
    if (at == std::string::npos) return NAN;
    char want[32];
    std::snprintf(want, sizeof want, "\n%6d   ", h);
    at = info.find(want, at);
    return at == std::string::npos ? NAN : std::stod(info.substr(at + 10, 12));
  }
  const CommandSpec& command(int id) { return *s.registry->command(id); }
  ProjectView view() { return {s, s.projects.current(), nullptr, s.projects.current_multivariate()}; }
};

std::string rows(int n, int m, double scale = 1) {
  std::string t;
  for (int i = 1; i <= n; ++i) {
    for (int j = 0; j < m; ++j) t += (j ? "\t" : "") + std::to_string(scale * std::sin(i * (j + 1.3)) + i % 3);
    t += "\r\n";
  }
  return t;
}

TEST_F(MvDesk, LungDeathsCrossCorrelationsMatchAnIndependentTool) {
  MultivariateRecord& rec = lung_deaths();
  ASSERT_EQ(rec.m, 2);
  ASSERT_EQ(rec.n, 72);
  app.dispatch(cmd::Ccf);
  // R 4.2: ccf(mdeaths, fdeaths, lag.max = 1, plot = FALSE); R's lag k is
  // cor(x[t+k], y[t]), the orientation of Cor[X_1(t+h),X_2(t)].
  EXPECT_NEAR(ccf_value("Cor[X_1(t+h),X_2(t)]", 0), 0.97624, 1e-5);
  EXPECT_NEAR(ccf_value("Cor[X_1(t+h),X_2(t)]", 1), 0.73567, 1e-5);
  EXPECT_NEAR(ccf_value("Cor[X_1(t+h),X_2(t)]", -1), 0.74431, 1e-5);
  EXPECT_NEAR(ccf_value("Cor[X_1(t+h),X_1(t)]", 0), 1.0, 1e-12);
  const std::string info = info_of(windows::Ccf);
  EXPECT_NE(info.find("ZELK::Multivariate(CCF)"), std::string::npos);
  EXPECT_NE(info.find("# of Lags =       35"), std::string::npos) << "40 cut to 72 div 2 - 1";
  EXPECT_EQ(s.desktop.find(1, windows::Ccf)->graph->present_count(), 3);
  EXPECT_EQ(compute_status(s).parts[1], "# of active series = 2");
  EXPECT_EQ(compute_status(s).parts[2], "Length of series = 72");
}

TEST_F(MvDesk, LagCountIsCutToHalfTheLengthLessOne) {
  from_clipboard(rows(10, 2));
  dialog("Specify Lag", {{"lags", "30"}});
  app.dispatch(cmd::CcfLag);
  app.dispatch(cmd::Ccf);
  EXPECT_NE(info_of(windows::Ccf).find("# of Lags =        4"), std::string::npos);
  const Pane& p = s.desktop.find(1, windows::Ccf)->graph->pane(2);
  EXPECT_EQ(p.x.front(), -4);
  EXPECT_EQ(p.x.back(), 4);
}

TEST_F(MvDesk, OneComponentGivesOnePaneOfEachKind) {
  from_clipboard(rows(20, 1));
  app.dispatch(cmd::Ccf);
  app.dispatch(cmd::CrossSpectrum);
  EXPECT_EQ(s.desktop.find(1, windows::Ccf)->graph->present_count(), 1);
  const GraphDocument& g = *s.desktop.find(1, windows::CrossSpectrum)->graph;
  EXPECT_EQ(g.present_count(), 1);
  EXPECT_EQ(g.pane(1).title, "Periodogram: Series 1");
  EXPECT_NE(info_of(windows::CrossSpectrum).find("No smoothing done."), std::string::npos);
}

TEST_F(MvDesk, IdenticalComponentsAreFullyCoherentInPhase) {
  std::string text;
  for (int i = 1; i <= 64; ++i) {
    const std::string v = std::to_string(std::cos(0.7 * i) + 0.01 * i * i);
    text += v + "\t" + v + "\n";
  }
  from_clipboard(text);
  dialog("Spectrum smoothing", {{"count", "1"}, {"order", "2"}});
  app.dispatch(cmd::SmoothCrossSpectrum);
  const GraphDocument& g = *s.desktop.find(1, windows::CrossSpectrum)->graph;
  ASSERT_EQ(g.present_count(), 4);
  EXPECT_EQ(g.pane(1).title, "Smoothed Spectrum: Series 1");
  EXPECT_EQ(g.pane(3).title, "Sq. Coherence: Series 1 x Series 2");
  EXPECT_EQ(g.pane(4).title, "Phase: Series 1 x Series 2");
  for (double c : g.pane(3).y) EXPECT_NEAR(c, 1.0, 1e-9);
  for (double ph : g.pane(4).y) EXPECT_NEAR(ph, 0.0, 1e-9);
  // Daniell filter of order 2: weights 1/5 each (hand calculation).
  const std::string info = info_of(windows::CrossSpectrum);
  EXPECT_NE(info.find("W[2] = 0.2"), std::string::npos) << info;
  EXPECT_NE(info.find("Smooth coefficient sum of squares = 0.2"), std::string::npos);
}

TEST_F(MvDesk, DifferenceSubtractMeansUndoUndoRestoresTheData) {
  MultivariateRecord& rec = lung_deaths();
  const std::vector<double> original = rec.data;
  dialog("Difference the series", {{"value", "12"}});
  app.dispatch(cmd::MvDifference);
  ASSERT_EQ(rec.n, 60);
  EXPECT_EQ(rec.data[0], 2103.0 - 2134.0) << "Jan 1975 less Jan 1974, males (lines 13 and 1 of the file)";
  EXPECT_EQ(command(cmd::MvUndo).label(view()), "Undo Differencing (12)");
  app.dispatch(cmd::MvSubtractMeans);
  EXPECT_EQ(command(cmd::MvUndo).label(view()), "Undo Subtract Mean");
  double sum = 0;
  for (int t = 0; t < rec.n; ++t) sum += rec.data[t];
  EXPECT_NEAR(sum, 0.0, 1e-8);
  // Only Undo is offered while means are subtracted.
  EXPECT_FALSE(command(cmd::MvDifference).enabled(view()));
  EXPECT_FALSE(command(cmd::MvTrim).enabled(view()));
  EXPECT_TRUE(command(cmd::MvUndo).enabled(view()));
  app.dispatch(cmd::MvUndo);
  app.dispatch(cmd::MvUndo);
  ASSERT_EQ(rec.n, 72);
  for (std::size_t i = 0; i < original.size(); ++i) EXPECT_NEAR(rec.data[i], original[i], 1e-9);
  EXPECT_EQ(command(cmd::MvUndo).label(view()), "Undo");
  EXPECT_FALSE(command(cmd::MvUndo).enabled(view()));
}

TEST_F(MvDesk, RefusedTransformationsLeaveTheProjectAsItWas) {
  MultivariateRecord& rec = from_clipboard(rows(6, 2));
  const std::vector<double> before = rec.data;
  dialog("Difference the series", {{"value", "5"}});
  app.dispatch(cmd::MvDifference);
  EXPECT_TRUE(shown("MESSAGE [ZELK::Error] Lag too large for data set."));
  dialog("Difference the series", {{"value", "0"}});
  app.dispatch(cmd::MvDifference);
  EXPECT_TRUE(shown("MESSAGE [ZELK::Error] Lag must be positive"));
  dialog("Select Subsequence", {{"min", "3"}, {"max", "7"}});
  app.dispatch(cmd::MvTrim);
  EXPECT_TRUE(shown("MESSAGE [ZELK::MultiVar Error] Select a subsequence in [1,6]"));
  EXPECT_EQ(rec.data, before);
  EXPECT_TRUE(rec.transforms.empty());
  // Lag n - 2 leaves two time points.
  dialog("Difference the series", {{"value", "4"}});
  app.dispatch(cmd::MvDifference);
  EXPECT_EQ(rec.n, 2);
}

TEST_F(MvDesk, SummaryListsMeansAndDivisorNDeviations) {
  // Columns 1 2 3 and 2 4 9: means 2 and 5, sd sqrt(2/3) and sqrt(26/3) by hand.
  from_clipboard("1\t2\n2\t4\n3\t9\n");
  app.dispatch(cmd::MvSubtractMeans);
  const std::string info = info_of(windows::Project);
  EXPECT_NE(info.find("# of Series =        2\n# of Data Points =        3"), std::string::npos) << info;
  EXPECT_NE(info.find(" The following means have been subtracted:\nSeries 1:  2.0000\nSeries 2:  5.0000"),
            std::string::npos);
  EXPECT_NE(info.find(" Standard deviations:\nSeries 1:  0.8165\nSeries 2:  2.9439"), std::string::npos);
  EXPECT_NE(info.find(" Current AR Model : p = 0"), std::string::npos);
}

TEST_F(MvDesk, MoreThanFiveActiveComponentsAreRefusedWithEachTitle) {
  MultivariateRecord& rec = from_clipboard(rows(30, 6));
  app.dispatch(cmd::Ccf);
  app.dispatch(cmd::CrossSpectrum);
  EXPECT_TRUE(shown("MESSAGE [CCF::Warning] Only 5 components of TS can be active for this option. Use Project Editor  "));
  EXPECT_TRUE(shown("MESSAGE [Spectrum::Warning] Only 5"));
  EXPECT_EQ(s.desktop.find(1, windows::Ccf), nullptr);
  rec.active[2] = false;
  s.refresh_windows(1);  // as the project editor does after a change of flags
  app.dispatch(cmd::Ccf);
  app.dispatch(cmd::CrossSpectrum);
  EXPECT_EQ(s.desktop.find(1, windows::Ccf)->graph->present_count(), 15);
  EXPECT_EQ(s.desktop.find(1, windows::CrossSpectrum)->graph->present_count(), 25);
  EXPECT_EQ(s.desktop.find(1, windows::Project)->graph->present_count(), 5);
}

TEST_F(MvDesk, SavedProjectReadsBackWithTheSameNodes) {
  MultivariateRecord& rec = lung_deaths();
  dialog("Difference the series", {{"value", "1"}});
  app.dispatch(cmd::MvDifference);
  dialog("Select Subsequence", {{"min", "5"}, {"max", "60"}});
  app.dispatch(cmd::MvTrim);
  rec.active[1] = false;
  const std::string path = (std::filesystem::temp_directory_path() / "zelk_mv_roundtrip.zlk").string();
  std::filesystem::remove(path);
  port.queue_file(path);
  app.dispatch(cmd::SaveAs);
  MultivariateRecord& back = open_mv();
  port.queue_file(path);
  app.dispatch(cmd::ImportFile);
  EXPECT_EQ(back.first, 5);
  EXPECT_EQ(back.last, 60);
  EXPECT_EQ(back.transforms, rec.transforms);
  EXPECT_EQ(back.active, rec.active);
  EXPECT_EQ(back.names, rec.names);
  for (std::size_t i = 0; i < rec.data.size(); ++i) EXPECT_EQ(back.data[i], rec.data[i]);
  app.dispatch(cmd::MvUndo);
  app.dispatch(cmd::MvUndo);
  EXPECT_EQ(back.n, 72);
  EXPECT_EQ(back.data[0], 2134);
  EXPECT_EQ(back.data[72], 901);
  std::filesystem::remove(path);
}

TEST_F(MvDesk, BadDataFilesAreRefusedAndTheProjectKeepsItsData) {
  MultivariateRecord& rec = from_clipboard(rows(5, 2));
  const std::vector<double> before = rec.data;
  const std::string path = (std::filesystem::temp_directory_path() / "zelk_mv_ragged.dat").string();
  std::ofstream(path) << "1 2\n3 4 5\n6 7\n";
  port.queue_file(path);
  dialog("Read Multivariate Data  ", {{"columns", "2"}});
  app.dispatch(cmd::ImportFile);
  EXPECT_TRUE(shown("MESSAGE [ERROR] Line 2 holds 3 values; every row must hold 2."));
  std::ofstream(path) << "1 2\n3 x\n";
  port.queue_file(path);
  dialog("Read Multivariate Data  ", {{"columns", "2"}});
  app.dispatch(cmd::ImportFile);
  EXPECT_TRUE(shown("MESSAGE [ERROR] Line 2: \"x\" is not a number."));
  port.queue_file(path);
  dialog("Read Multivariate Data  ", {{"columns", "26"}});
  app.dispatch(cmd::ImportFile);
  EXPECT_TRUE(shown("Number of component series must be between 1 and 25."));
  EXPECT_EQ(rec.data, before);
  EXPECT_EQ(rec.m, 2);
  std::filesystem::remove(path);
}

TEST_F(MvDesk, ExportWritesActiveComponentsAsColumns) {
  MultivariateRecord& rec = from_clipboard("1\t10\t100\n2\t20\t200\n");
  rec.active[1] = false;
  dialog("Export to ASCII", {});
  app.dispatch(cmd::Export);
  ASSERT_TRUE(port.clipboard());
  // 5 significant digits, as every clipboard export.
  EXPECT_EQ(*port.clipboard(), "1.0000\t100.00\r\n2.0000\t0.20000E+03");
}

}  // namespace
}  // namespace zelk
