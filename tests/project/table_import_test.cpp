// File > Import Table through the scripted port. The CSV in tests/data was
// written by R 4.2:
//   write.csv(data.frame(month=sprintf("%d-%02d", floor(time(mdeaths)+1e-6), cycle(mdeaths)),
//                        male=as.numeric(mdeaths), female=as.numeric(fdeaths)), row.names=FALSE)
// so its columns must equal the two columns of uk_lung_deaths_mf.dat, the
// same series as a plain data file read by the other reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "port/commands.h"
#include "port/scripted_port.h"
#include "project/data_file.h"
#include "shell/app.h"
#include "shell/dropped_file.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

class ChooserLog : public ScriptedPort {
 public:
  std::optional<std::string> choose_file(FileMode mode, std::string_view title, const std::vector<FileFilter>& filters,
                                         std::string_view initial) override {
    titles.emplace_back(title);
    first_filter = filters.empty() ? std::string() : filters.front().pattern;
    last_filter = filters.empty() ? std::string() : filters.back().pattern;
    return ScriptedPort::choose_file(mode, title, filters, initial);
  }
  std::vector<std::string> titles;
  std::string first_filter, last_filter;
};

struct TableImport : ::testing::Test {
  ChooserLog port;
  App app{port};
  Session& s = app.session();
  const std::string csv = std::string(ZELK_TEST_DATA) + "/uk_lung_deaths.csv";
  fs::path dir = fs::temp_directory_path() /
                 ("zelk_table_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  std::string file(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return (dir / name).string();
  }
  void create(const char* kind) {
    port.queue_dialog({"Create New Project ", {{kind, "on"}}});
    app.dispatch(cmd::New);
  }
  void import(const std::string& path, std::vector<std::pair<std::string, std::string>> set) {
    port.queue_file(path);
    port.queue_dialog({"Import Table", std::move(set)});
    app.dispatch(cmd::ImportTable);
  }
  // The other reader's view of the same series.
  std::vector<double> dat_column(int j) {
    auto t = read_table_file(std::string(ZELK_TEST_DATA) + "/uk_lung_deaths_mf.dat", 2);
    std::vector<double> v;
    for (int i = 0; i < t.value->n; ++i) v.push_back(t.value->at(j, i));
    return v;
  }
};

TEST_F(TableImport, OneColumnBecomesTheUnivariateSeriesNamedFromTheHeader) {
  create("univariate");
  import(csv, {{"columns", "2"}});
  const UnivariateRecord& rec = *s.projects.univariate(1);
  EXPECT_EQ(rec.x, dat_column(0));
  EXPECT_EQ(rec.series_name, "male");
  EXPECT_EQ(rec.name, "uk_lung_deaths.csv");
  EXPECT_FALSE(rec.project_file_known);
  EXPECT_EQ(port.titles, std::vector<std::string>{"Import Table"});
  EXPECT_TRUE(port.shown().empty());
}

TEST_F(TableImport, SeveralColumnsBecomeTheComponentsWithTheirNames) {
  create("multivariate");
  // The dialog's own choice: every value column, the month column left out.
  import(csv, {});
  const MultivariateRecord& rec = *s.projects.multivariate(1);
  ASSERT_EQ(rec.m, 2);
  EXPECT_EQ(rec.n, 72);
  EXPECT_EQ(rec.names, (std::vector<std::string>{"male", "female"}));
  const auto male = rec.component(0), female = rec.component(1);
  EXPECT_EQ(std::vector<double>(male.begin(), male.end()), dat_column(0));
  EXPECT_EQ(std::vector<double>(female.begin(), female.end()), dat_column(1));
}

TEST_F(TableImport, RefusedChoicesLeaveTheProjectAsItWas) {
  create("univariate");
  import(csv, {{"columns", "3"}});
  const std::vector<double> before = s.projects.univariate(1)->x;
  // A date column, then a missing value: each refused with its message, and
  // with no further answer the dialog is cancelled.
  import(csv, {{"columns", "1"}});
  const std::string gap = file("gap.csv", "date;a;b\n2020-01;1,5;2\n2020-02;NA;3\n");
  import(gap, {{"columns", "2"}});
  // A file that is no table is refused before any dialog.
  port.queue_file(file("ragged.csv", "a,b\n1,2\n3\n"));
  app.dispatch(cmd::ImportTable);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [Import Table] Column 1 (\"month\") holds dates, not values. -> OK",
                              "NO ANSWER \"Import Table\"",
                              "MESSAGE [Import Table] Line 3, column 2 (\"a\"): the value is missing (\"NA\"). "
                              "Every time point needs a value. -> OK",
                              "NO ANSWER \"Import Table\"",
                              "MESSAGE [Import Table] Line 3 holds 1 field; the first row holds 2. -> OK"}));
  EXPECT_EQ(s.projects.univariate(1)->x, before);
  EXPECT_EQ(s.projects.univariate(1)->series_name, "female");
  // Another column of the table with the gap reads fine.
  import(gap, {{"columns", "3"}});
  EXPECT_EQ(s.projects.univariate(1)->x, (std::vector<double>{2, 3}));
}

TEST_F(TableImport, HeaderSwitchReadsTheFirstRowEitherWay) {
  create("univariate");
  // Years as column names look like data; the switch makes them names.
  const std::string years = file("years.csv", "1990,1991\n5,6\n7,8\n");
  import(years, {{"header", "on"}, {"columns", "2"}});
  EXPECT_EQ(s.projects.univariate(1)->x, (std::vector<double>{6, 8}));
  EXPECT_EQ(s.projects.univariate(1)->series_name, "1991");
  import(years, {{"header", "off"}, {"columns", "2"}});
  EXPECT_EQ(s.projects.univariate(1)->x, (std::vector<double>{1991, 6, 8}));
  EXPECT_EQ(s.projects.univariate(1)->series_name, "Series ");
}

TEST_F(TableImport, ChoosersAreTitledAfterTheirCommandsAndDroppedFilesFindTheirReader) {
  create("univariate");
  port.queue_file(std::nullopt);
  app.dispatch(cmd::ImportFile);
  port.queue_dialog({"Create New Project ", {{"univariate", "on"}}});
  port.queue_file(std::nullopt);
  app.dispatch(cmd::Open);
  port.queue_file(std::nullopt);
  app.dispatch(cmd::ImportTable);
  EXPECT_EQ(port.titles, (std::vector<std::string>{"Import File", "Open file", "Import Table"}));
  // Open's chooser offers projects; the last asked, Import Table, data files first.
  EXPECT_EQ(port.first_filter, "*.dat *.txt *.csv *.tsv");
  EXPECT_EQ(port.last_filter, "*.*");

  EXPECT_EQ(import_command_for("/data/air.CSV"), cmd::ImportTable);
  EXPECT_EQ(import_command_for("C:\\data\\air.tsv"), cmd::ImportTable);
  EXPECT_EQ(import_command_for("/data/lake_huron.dat"), cmd::ImportFile);
  EXPECT_EQ(import_command_for("/data.csv/lake"), cmd::ImportFile);
  EXPECT_EQ(import_command_for("/data/saved.zlk"), cmd::ImportFile);
}

}  // namespace
}  // namespace zelk
