// Extreme data as a user can bring them in: values too large to analyse are
// refused where they enter, with the project left as it was; values just
// inside the limit, tiny values and huge model variances give reports of
// numbers or clear words, never "nan" or "inf", and never a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "univariate/windows.h"
#include "port/commands.h"
#include "plot/render.h"
#include "project/univariate_record.h"
#include "shell/app.h"
#include "port/scripted_port.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

class Extreme : public ::testing::Test {
 protected:
  ScriptedPort port;
  App app{port};
  Session& s = app.session();
  fs::path dir = fs::temp_directory_path() /
                 ("zelk_extreme_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }
  UnivariateRecord& new_project() {
    port.queue_dialog({"Create New Project ", {}, "OK"});
    app.dispatch(cmd::New);
    return *s.projects.univariate(s.projects.current());
  }
  // Every text of every window, every tick label drawn, every message.
  std::string everything_shown() {
    std::string all;
    for (const auto& w : s.desktop.windows()) {
      all += w->caption + "\n";
      if (w->text) all += w->text->text() + "\n";
      if (w->graph)
        for (const DisplayItem& item : render_graph(*w->graph, s.colours, 640, 480).items)
          if (const auto* t = std::get_if<TextItem>(&item)) all += t->text + "\n";
    }
    for (const std::string& m : port.shown()) all += m + "\n";
    return all;
  }
  std::string info_of(Slot slot) {
    Window* g = s.desktop.find(s.projects.current(), slot);
    if (!g) return "<no window>";
    s.desktop.focus(g->id);
    app.dispatch(cmd::Info);
    Window* info = s.desktop.find_info(s.projects.current(), slot);
    return info ? info->text->text() : "<no info>";
  }
};

bool shows_non_number(const std::string& text) {
  static const std::regex word(R"((^|[^A-Za-z])(nan|inf)([^A-Za-z]|$))", std::regex::icase);
  return std::regex_search(text, word);
}

std::vector<std::string> values_with(int n, const std::string& odd, int at) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back(i == at ? odd : std::to_string(10 + i % 7) + ".5");
  return v;
}

std::string lines(const std::vector<std::string>& v) {
  std::string t;
  for (const auto& s : v) t += s + "\n";
  return t;
}

// Each of these used to reach a report with an infinite variance and crash.
TEST_F(Extreme, ValuesTooLargeAreRefusedWhereTheyEnter) {
  UnivariateRecord& rec = new_project();
  port.queue_file(file("small.dat", "1.0\n2.0\n3.0\n"));
  app.dispatch(cmd::ImportFile);
  ASSERT_EQ(rec.x, (std::vector<double>{1, 2, 3}));

  port.clear_shown();
  port.queue_file(file("huge.dat", "1.0\n2.0\n1e300\n3.0\n"));
  app.dispatch(cmd::ImportFile);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ReadRawData()] Line 3 holds \"1e300\", which is too large to analyse: "
                              "values must be at most 1E+100 in size. -> OK"}));
  EXPECT_EQ(rec.x, (std::vector<double>{1, 2, 3}));  // as it was

  port.clear_shown();
  port.set_clipboard("1.0\n1e300\n2.0\n3.0");
  app.dispatch(cmd::ImportClipboard);
  ASSERT_EQ(port.shown().size(), 1u);
  EXPECT_EQ(port.shown()[0],
            "MESSAGE [Import from clipboard] Line 2 of the clipboard text is too large to analyse (values must be "
            "at most 1E+100 in size): \"1e300\". -> OK");
  EXPECT_EQ(rec.x, (std::vector<double>{1, 2, 3}));

  // Fifty ordinary values and one 1e300.
  port.queue_file(file("outlier.dat", lines(values_with(51, "1e300", 25))));
  app.dispatch(cmd::ImportFile);
  EXPECT_EQ(rec.x, (std::vector<double>{1, 2, 3}));
  EXPECT_FALSE(shows_non_number(everything_shown())) << everything_shown();
}

TEST_F(Extreme, ProjectFilesWithHugeValuesDoNotOpen) {
  auto zeros = [](int n) {
    std::string z = "0";
    for (int i = 1; i < n; ++i) z += " 0";
    return z + "\n";
  };
  const std::string head = "ZELK Univariate Project\nColor\n" + zeros(30) + "Model\n0\n0\n" + zeros(27) + zeros(27) +
                           "1\nF\nData\n1\n3\nSeries\n";
  const std::string tail = "Regression components\nF\nTransformation(s)\n";
  new_project();
  const int projects_before = s.projects.open_count();
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {head + "1.0 1e300 2.0\n" + tail + "0\n",
            "MESSAGE [ZELK Read Error] File corrupt: the Data record holds values too large to analyse. -> OK"},
           {head + "1.0 2.0 3.0\n" + tail + "1\n16\nSubtract-Mean\n1e300\n",
            "MESSAGE [ZELK Read Error] File corrupt: the Transformation(s) record 1. -> OK"}}) {
    port.clear_shown();
    port.queue_dialog({"Create New Project ", {}, "OK"});
    port.queue_file(file("p.zlk", text));
    app.dispatch(cmd::Open);  // Open
    EXPECT_EQ(port.shown(), std::vector<std::string>{message});
    EXPECT_EQ(s.projects.open_count(), projects_before);
  }
}

// The largest values the program takes, and values near the smallest double:
// every report holds numbers (hand check: 51 values, mean 1e100/51 = 1.961E+98).
TEST_F(Extreme, ReportsOfValuesAtTheLimitAndOfTinyValues) {
  UnivariateRecord& rec = new_project();
  port.queue_file(file("edge.dat", lines(values_with(51, "1e100", 25))));
  app.dispatch(cmd::ImportFile);
  ASSERT_EQ(rec.n(), 51);
  EXPECT_NE(info_of(windows::Project).find("Sample Mean = 0.1961E+99"), std::string::npos) << info_of(windows::Project);
  app.dispatch(cmd::SampleAcf);  // sample ACF/PACF
  port.queue_dialog({"Classical Decomposition", {{"seasonal", "on"}, {"period", "12"}}});
  app.dispatch(cmd::Classical);
  port.queue_dialog({"Difference the series", {{"Enter lag:", "1"}}});
  app.dispatch(cmd::Difference);
  app.dispatch(cmd::SubtractMean);  // Subtract Mean
  app.dispatch(cmd::Histogram);  // histogram
  const std::string shown = everything_shown();
  EXPECT_FALSE(shows_non_number(shown)) << shown;
  EXPECT_EQ(shown.find("overflow"), std::string::npos) << shown;

  UnivariateRecord& tiny = new_project();
  port.set_clipboard("4.9e-324\n-4.9e-324\n2.2250738585072014e-308\n1e-310\n4.9e-324\n");
  app.dispatch(cmd::ImportClipboard);
  ASSERT_EQ(tiny.n(), 5);
  app.dispatch(cmd::SampleAcf);
  app.dispatch(cmd::Histogram);
  info_of(windows::Project);
  EXPECT_FALSE(shows_non_number(everything_shown())) << everything_shown();
}

// rho(h) = 0.9^h whatever the variance; gamma(0) = sigma2 / (1 - 0.81) is
// beyond a double for sigma2 = 1e308, and says so in a word.
TEST_F(Extreme, ModelAcfOfAHugeWhiteNoiseVariance) {
  UnivariateRecord& rec = new_project();
  port.set_clipboard("1.0\n2.0\n3.0\n2.0\n1.0\n");
  app.dispatch(cmd::ImportClipboard);
  port.queue_dialog({"Specify Model", {{"ar_order", "1"}, {"phi", "0.9"}, {"variance", "1e308"}}});
  app.dispatch(cmd::SpecifyModel);
  ASSERT_EQ(rec.model.sigma2, 1e308);
  app.dispatch(cmd::ModelAcf);  // model ACF
  const std::string text = info_of(windows::Acf);
  EXPECT_NE(text.find("Gamma(0) = overflow\n \n        1.00000        0.90000        0.81000        0.72900\n"),
            std::string::npos)
      << text;
  EXPECT_FALSE(shows_non_number(everything_shown())) << everything_shown();
}

// One bin spans the whole range its INFO reports: the axis runs from the
// first edge to the last (hand check: 1..5, one bin from 1 to 5).
TEST_F(Extreme, HistogramAxisCoversItsBins) {
  UnivariateRecord& rec = new_project();
  port.set_clipboard("1.0\n2.0\n3.0\n4.0\n5.0\n");
  app.dispatch(cmd::ImportClipboard);
  for (int bins : {1, 2, 3}) {
    port.queue_dialog({"Specify Histogram Bins", {{"Enter # of bins:", std::to_string(bins)}}});
    app.dispatch(cmd::HistogramBins);
    ASSERT_EQ(rec.results.histogram_counts.size(), static_cast<std::size_t>(bins));
    const GraphDocument& g = *s.desktop.find(s.projects.current(), windows::Histogram)->graph;
    EXPECT_DOUBLE_EQ(g.pane(1).data_xmin, 1.0) << bins;
    EXPECT_DOUBLE_EQ(g.pane(1).data_xmax, 5.0) << bins;
  }
  EXPECT_NE(info_of(windows::Histogram).find("        5.00000             2."), std::string::npos);
}

}  // namespace
}  // namespace zelk
