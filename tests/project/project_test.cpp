#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "project/data_file.h"
#include "files/export.h"
#include "files/project_ops.h"
#include "port/scripted_port.h"
#include "port/session.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

struct Fixture : ::testing::Test {
  ScriptedPort port;
  Session s{port};
  fs::path dir = fs::temp_directory_path() / ("zelk_project_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }
  int new_univariate() {
    port.queue_dialog({"Create New Project ", {}, "OK"});
    return create_project(s);
  }
  std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

TEST_F(Fixture, ProjectNumbersAreReusedAndCurrentFollowsCloses) {
  EXPECT_EQ(new_univariate(), 1);
  EXPECT_EQ(new_univariate(), 2);
  EXPECT_EQ(new_univariate(), 3);
  EXPECT_EQ(s.projects.current(), 3);
  EXPECT_EQ(new_univariate(), 0);  // a fourth is refused
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK Error] Maximum allowable projects exceeded -> OK");
  close_project(s, 2);
  EXPECT_EQ(s.projects.current(), 3);
  EXPECT_EQ(new_univariate(), 2);
  close_project(s, 2);
  close_project(s, 3);  // the current one: the last open entry takes over
  EXPECT_EQ(s.projects.current(), 1);
  close_project(s, 1);
  EXPECT_EQ(s.projects.current(), 0);
  EXPECT_TRUE(s.desktop.windows().empty());
}

TEST_F(Fixture, ANewProjectStartsEmpty) {
  ASSERT_EQ(new_univariate(), 1);
  const UnivariateRecord& r = *s.projects.univariate(1);
  EXPECT_EQ(r.n(), 0);
  EXPECT_EQ(r.series_name, "Series ");
  EXPECT_TRUE(r.transforms.empty());
  EXPECT_EQ(r.acf_mode, 24);
  EXPECT_EQ(r.residual_acf_mode, 24);
  Window* w = s.desktop.find(1, windows::Project);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->caption, "New Univariate Project");
  EXPECT_TRUE(w->graph->empty());
}

TEST_F(Fixture, CancellingTheKindDialogTakesNoEntry) {
  port.queue_dialog({"Create New Project ", {}, "Cancel"});
  EXPECT_EQ(create_project(s), 0);
  EXPECT_EQ(s.projects.open_count(), 0);
  port.queue_dialog({"Create New Project ", {{"Multivariate", "on"}}, "OK"});
  EXPECT_EQ(create_project(s), 1);
  EXPECT_EQ(s.projects.kind(1), ProjectKind::Multivariate);
}

TEST_F(Fixture, ImportFileReplacesDataOnlyAfterASuccessfulRead) {
  new_univariate();
  UnivariateRecord& r = *s.projects.univariate(1);
  port.queue_file(file("a.dat", "1\n2\n3\n"));
  ASSERT_TRUE(import_file(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(r.first, 1);
  EXPECT_EQ(r.last, 3);
  EXPECT_EQ(r.name, "a.dat");
  EXPECT_EQ(s.desktop.find(1, windows::Project)->caption, "a.dat");
  r.results.sample_acf = {1, 0.5};

  port.queue_file(std::nullopt);  // cancel keeps everything
  EXPECT_FALSE(import_file(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(r.results.sample_acf.size(), 2u);

  port.queue_file(file("bad.dat", "words only\n"));
  EXPECT_FALSE(import_file(s, 1, r));
  EXPECT_EQ(port.shown().back(),
            "MESSAGE [ReadRawData()] The file holds no data values. A table whose first row names its columns "
            "(CSV, TSV) reads with File > Import Table. -> OK");
  EXPECT_EQ(r.x, (std::vector<double>{1, 2, 3}));

  port.queue_file(file("b.dat", "7\n8\n"));
  ASSERT_TRUE(import_file(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{7, 8}));
  EXPECT_TRUE(r.results.sample_acf.empty());  // results of the old data are gone
}

TEST_F(Fixture, ClipboardImportTakesEveryLineWithOrWithoutAFinalLineEnd) {
  new_univariate();
  UnivariateRecord& r = *s.projects.univariate(1);
  port.set_clipboard("3\r\n4\r\n");
  ASSERT_TRUE(import_clipboard(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{3, 4}));
  port.set_clipboard("3\r\n4");  // spreadsheets and editors copy without the last line end
  ASSERT_TRUE(import_clipboard(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{3, 4}));
  port.set_clipboard("1.5\n2.5\n3.5");
  ASSERT_TRUE(import_clipboard(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{1.5, 2.5, 3.5}));
  port.set_clipboard("3");
  ASSERT_TRUE(import_clipboard(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{3}));
  port.set_clipboard("7\n8\n\n \r\n\t");  // blank lines at the end are not data
  ASSERT_TRUE(import_clipboard(s, 1, r));
  EXPECT_EQ(r.x, (std::vector<double>{7, 8}));
  EXPECT_EQ(r.last, 2);
  EXPECT_EQ(r.name, "New Univariate Project");  // the caption stays
  EXPECT_TRUE(port.shown().empty());

  for (std::optional<std::string> empty : {std::optional<std::string>(), std::optional<std::string>(""),
                                           std::optional<std::string>("\r\n \n")}) {
    port.set_clipboard(empty);
    EXPECT_FALSE(import_clipboard(s, 1, r));
    EXPECT_EQ(port.shown().back(), "MESSAGE [Import from clipboard] Clipboard empty -> OK");
  }
  EXPECT_EQ(r.x, (std::vector<double>{7, 8}));
}

TEST_F(Fixture, AClipboardLineThatIsNotANumberLeavesTheProjectAsItWas) {
  new_univariate();
  UnivariateRecord& r = *s.projects.univariate(1);
  port.set_clipboard("3\n4\n");
  ASSERT_TRUE(import_clipboard(s, 1, r));
  r.results.sample_acf = {1, 0.5};
  const struct {
    const char* text;
    const char* message;
  } refused[] = {
      {"1.5\n2.5\nabc\n4\n", "Line 3 of the clipboard text is not a number: \"abc\"."},
      {"1\r\n inf \r\n", "Line 2 of the clipboard text is not a finite number: \"inf\"."},
      {"1\n1e400", "Line 2 of the clipboard text is not a finite number: \"1e400\"."},
      {"1\n\n2\n", "Line 2 of the clipboard text is blank."},
      {"2,5\n", "Line 1 of the clipboard text has a decimal comma; write decimals with a point: \"2,5\"."},
  };
  for (const auto& c : refused) {
    port.set_clipboard(c.text);
    EXPECT_FALSE(import_clipboard(s, 1, r)) << c.text;
    EXPECT_EQ(port.shown().back(), std::string("MESSAGE [Import from clipboard] ") + c.message + " -> OK");
  }
  EXPECT_EQ(r.x, (std::vector<double>{3, 4}));
  EXPECT_EQ(r.results.sample_acf.size(), 2u);  // results of the data kept survive too
}

TEST_F(Fixture, MultivariateClipboardNeedsEveryColumnOnEveryLine) {
  port.queue_dialog({"Create New Project ", {{"Multivariate", "on"}}, "OK"});
  ASSERT_EQ(create_project(s), 1);
  MultivariateRecord& m = *s.projects.multivariate(1);
  port.set_clipboard("1\t10\r\n2\t20\r\n3\t30");
  ASSERT_TRUE(import_clipboard(s, 1, m));
  EXPECT_EQ(m.m, 2);
  EXPECT_EQ(m.n, 3);
  EXPECT_EQ(m.data, (std::vector<double>{1, 2, 3, 10, 20, 30}));

  const struct {
    std::string text;
    const char* message;
  } refused[] = {
      {"1\t10\r\n2\t20\r\n3\r\n", "Line 3 of the clipboard text holds 1 value; the tabs of the first line make 2 columns: \"3\"."},
      {"1\t\t10\n", "Line 1 of the clipboard text holds 2 values; the tabs of the first line make 3 columns: \"1  10\"."},
      {"1\t10\n2\t20\t30\n", "Line 2 of the clipboard text holds 3 values; the tabs of the first line make 2 columns: \"2 20 30\"."},
      {"1\t10\n\n2\t20", "Line 2 of the clipboard text holds 0 values; the tabs of the first line make 2 columns."},
      {"1\t10\n2\tn/a\n", "Line 2 of the clipboard text holds a value that is not a number: \"2 n/a\"."},
      {"1\t-inf\n", "Line 1 of the clipboard text holds a value that is not finite: \"1 -inf\"."},
      {"\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t1", "At most 25 columns can be imported."},
  };
  for (const auto& c : refused) {
    port.set_clipboard(c.text);
    EXPECT_FALSE(import_clipboard(s, 1, m)) << c.text;
    EXPECT_EQ(port.shown().back(), std::string("MESSAGE [Import from clipboard] ") + c.message + " -> OK");
  }
  EXPECT_EQ(m.n, 3);
  EXPECT_EQ(m.data, (std::vector<double>{1, 2, 3, 10, 20, 30}));
}

// Export puts 5 significant digits on the clipboard; importing them gives the
// same number of values, each within half a unit of the fifth digit.
TEST_F(Fixture, ClipboardExportThenImportKeepsEveryValue) {
  new_univariate();
  UnivariateRecord& r = *s.projects.univariate(1);
  const std::vector<double> x{1.23456789, -0.000987654321, 98765.4321, 0, 250, 3.14159265e-12, -7.7777777e8};
  r.set_data(x);
  port.queue_dialog({"Export to ASCII", {{"Time Series", "on"}}, "OK"});
  export_project(s, r);
  ASSERT_TRUE(import_clipboard(s, 1, r));
  ASSERT_EQ(r.x.size(), x.size());
  for (std::size_t i = 0; i < x.size(); ++i) EXPECT_LE(std::abs(r.x[i] - x[i]), 5e-5 * std::abs(x[i])) << i;
  EXPECT_EQ(r.x[0], 1.2346);  // rounded by hand

  // Lake Huron levels have 5 significant digits: they come back exactly.
  auto huron = read_data_file(std::string(ZELK_TEST_DATA) + "/lake_huron.dat");
  ASSERT_TRUE(huron.ok());
  ASSERT_TRUE(copy_value_list(port, *huron.value));
  ASSERT_TRUE(import_clipboard(s, 1, r));
  EXPECT_EQ(r.x, *huron.value);

  port.queue_dialog({"Create New Project ", {{"Multivariate", "on"}}, "OK"});
  ASSERT_EQ(create_project(s), 2);
  MultivariateRecord& m = *s.projects.multivariate(2);
  const std::vector<double> table{0.5, -1.23456789, 7e-9, 42, 6.02214076e23, -3};  // 3 time points x 2 components
  ASSERT_TRUE(copy_table(port, table, 3, 2));
  ASSERT_TRUE(import_clipboard(s, 2, m));
  EXPECT_EQ(m.m, 2);
  ASSERT_EQ(m.n, 3);
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_LE(std::abs(m.data[i] - table[i]), 5e-5 * std::abs(table[i])) << i;
}

TEST_F(Fixture, ExportToClipboardUsesFiveSignificantDigits) {
  new_univariate();
  UnivariateRecord& r = *s.projects.univariate(1);
  r.set_data({1.23456789, 250, -0.5});
  port.queue_dialog({"Export to ASCII", {{"Time Series", "on"}}, "OK"});
  export_project(s, r);
  EXPECT_EQ(port.clipboard().value(), "1.2346\r\n0.25000E+03\r\n-0.50000");
}

TEST_F(Fixture, ExportButtonsFollowWhatWasComputed) {
  std::vector<double> x{1, 2};
  ExportDialog dlg({x, {}, {}});
  EXPECT_TRUE(dlg.control("array1").enabled);
  EXPECT_FALSE(dlg.control("array2").enabled);
  EXPECT_FALSE(dlg.control("array13").enabled);
  EXPECT_TRUE(dlg.control("clipboard").checked);
  EXPECT_EQ(dlg.selected(), -1);  // nothing chosen, nothing exported
}

TEST_F(Fixture, ExportToFileAsksBeforeOverwritingAndReadsBackExactly) {
  new_univariate();
  UnivariateRecord& r = *s.projects.univariate(1);
  r.set_data({0.1, 1.0 / 3.0, -2e-300});
  const std::string path = file("out.txt", "old contents\n");
  port.queue_dialog({"Export to ASCII", {{"Time Series", "on"}, {"File", "on"}}, "OK"});
  port.queue_file(path);
  port.queue_message("No");
  export_project(s, r);
  EXPECT_EQ(slurp(path), "old contents\n");

  port.queue_dialog({"Export to ASCII", {{"Time Series", "on"}, {"File", "on"}}, "OK"});
  port.queue_file(path);
  port.queue_message("Yes");
  export_project(s, r);
  EXPECT_EQ(port.shown().back(), "MESSAGE [ ] Overwrite existing file? -> Yes");
  auto back = read_data_file(path);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back.value, r.x);
  for (const auto& e : fs::directory_iterator(dir))  // no temporary file left behind
    EXPECT_EQ(e.path().filename().string().find(".zelk-tmp"), std::string::npos);
}

TEST_F(Fixture, AFailedWriteIsReportedAndTouchesNothing) {
  std::vector<double> v{1, 2};
  EXPECT_FALSE(write_value_list(port, (dir / "missing" / "x.txt").string(), v));
  EXPECT_EQ(port.shown().back(), "MESSAGE [WriteRawData()] Cannot open file -> OK");
  EXPECT_FALSE(write_table(port, (dir / "missing" / "x.txt").string(), v, 1, 2));
  EXPECT_EQ(port.shown().back(), "MESSAGE [WriteAsciiArray()] Cannot open file -> OK");
  port.set_clipboard_available(false);
  EXPECT_FALSE(copy_value_list(port, v));
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK Error] Clipboard not available -> OK");
}

TEST_F(Fixture, TablesGoOutRowByRow) {
  std::vector<double> a{1, 2, 3, 4, 5, 6};  // 2 rows x 3 columns, column-major
  EXPECT_EQ(table_text(a, 2, 3), "1 3 5\n2 4 6\n");
  EXPECT_EQ(clipboard_table(a, 2, 3), "1.0000\t3.0000\t5.0000\r\n2.0000\t4.0000\t6.0000");
}

TEST_F(Fixture, CloseQuestionsAndRename) {
  new_univariate();
  new_univariate();
  port.queue_message("No");
  EXPECT_FALSE(close_current_project(s));
  EXPECT_EQ(s.projects.open_count(), 2);
  EXPECT_TRUE(close_current_project(s));  // unqueued: the first button, Yes
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK] Close current project ? -> Yes");
  EXPECT_EQ(s.projects.current(), 1);

  port.queue_dialog({"Name Brax Project", {{"name", "Sales"}}, "OK"});
  rename_project(s, 1);
  EXPECT_EQ(s.desktop.find(1, windows::Project)->caption, "Sales");

  EXPECT_TRUE(close_all_projects(s));
  EXPECT_EQ(port.shown().back(), "MESSAGE [ZELK] Close all projects ? -> Yes");
  EXPECT_EQ(s.projects.open_count(), 0);
  EXPECT_EQ(s.projects.current(), 0);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST_F(Fixture, OpenGivesTheProjectItsInfoWindowAndAFailedOpenFreesTheEntry) {
  port.queue_dialog({"Create New Project ", {}, "OK"});
  port.queue_file(file("a.dat", "1\n2\n"));
  ASSERT_TRUE(open_project(s));
  EXPECT_NE(s.desktop.find_info(1, windows::Project), nullptr);
  EXPECT_EQ(s.desktop.find_info(1, windows::Project)->caption, "INFO: a.dat");
  port.queue_dialog({"Create New Project ", {}, "OK"});
  port.queue_file(std::nullopt);
  EXPECT_FALSE(open_project(s));
  EXPECT_EQ(s.projects.kind(2), ProjectKind::Free);
  EXPECT_EQ(s.projects.current(), 1);
}

}  // namespace
}  // namespace zelk
