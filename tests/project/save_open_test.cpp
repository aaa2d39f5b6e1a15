#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "project/project_file.h"
#include "files/project_file_ops.h"
#include "files/project_ops.h"
#include "port/scripted_port.h"
#include "port/session.h"
#include "model/classical.h"
#include "model/transforms.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

struct SaveOpen : ::testing::Test {
  ScriptedPort port;
  Session s{port};
  fs::path dir = fs::temp_directory_path() /
                 ("zelk_save_open_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string path(const std::string& name) { return (dir / name).string(); }
  std::string file(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return path(name);
  }
  static std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::vector<std::string> files() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // A new univariate project holding the data file's values.
  UnivariateRecord& project_with(const std::vector<double>& values) {
    std::ostringstream text;
    for (double v : values) text << std::setprecision(17) << v << "\n";
    port.queue_dialog({"Create New Project ", {}, "OK"});
    port.queue_file(file("data.dat", text.str()));
    EXPECT_TRUE(open_project(s));
    return *s.projects.univariate(s.projects.current());
  }
  UnivariateRecord& reopen(const std::string& p) {
    port.queue_dialog({"Create New Project ", {}, "OK"});
    port.queue_file(p);
    EXPECT_TRUE(open_project(s));
    return *s.projects.univariate(s.projects.current());
  }
  void undo_all(int entry, UnivariateRecord& rec) {
    while (!rec.transforms.empty()) undo_transformation(s, entry, rec);
  }
};

std::vector<double> wave(int n) {
  std::vector<double> x;
  for (int t = 1; t <= n; ++t) x.push_back(50 + 0.3 * t + 8 * std::sin(t * 0.52) + (t % 5) * 0.7);
  return x;
}

void expect_near(const std::vector<double>& a, const std::vector<double>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], 1e-9 * (1 + std::fabs(b[i]))) << i;
}

// Applies a transformation to the project as its command would.
void push(UnivariateRecord& rec, Transformation node, TimeIndices t) {
  rec.first = t.first;
  rec.last = t.last;
  rec.transforms.push_back(std::move(node));
  rec.transform_summary = transform_summary(rec.transforms);
}

TEST_F(SaveOpen, SaveAsksForANameUntilAProjectFileIsKnown) {
  UnivariateRecord& rec = project_with({1, 2, 3});
  const int e = s.projects.current();
  port.queue_file(std::nullopt);  // Save of a plain data project asks first; cancel writes nothing
  EXPECT_FALSE(save_project(s, e, rec));
  EXPECT_EQ(files(), (std::vector<std::string>{"data.dat"}));
  EXPECT_EQ(rec.name, "data.dat");

  port.queue_file(path("first.zlk"));
  ASSERT_TRUE(save_project(s, e, rec));
  EXPECT_EQ(rec.name, "first.zlk");
  EXPECT_EQ(s.desktop.find(e, windows::Project)->caption, "first.zlk");
  EXPECT_TRUE(rec.project_file_known);
  EXPECT_EQ(slurp(path("first.zlk")).substr(0, 24), "ZELK Univariate Project\n");

  rec.x[0] = 9;  // now Save writes to the same file without asking
  ASSERT_TRUE(save_project(s, e, rec));
  EXPECT_TRUE(port.unused().empty());
  EXPECT_EQ(reopen(path("first.zlk")).x, (std::vector<double>{9, 2, 3}));
  EXPECT_EQ(files(), (std::vector<std::string>{"data.dat", "first.zlk"}));  // no temporary file left
}

TEST_F(SaveOpen, ReopeningRestoresEveryTransformationAndUndoStillWorks) {
  const std::vector<double> data = wave(48);
  UnivariateRecord& rec = project_with(data);
  const int e = s.projects.current();
  // Box-Cox, two differencings, mean, subsequence: all the kinds one list can hold.
  TimeIndices t{rec.first, rec.last};
  push(rec, apply_box_cox(rec.x, 0.5), t);
  push(rec, apply_difference(rec.x, t, 12), t);
  push(rec, apply_difference(rec.x, t, 1), t);
  push(rec, apply_subtract_mean(rec.x), t);
  push(rec, apply_subsequence(rec.x, t, 16, 40), t);
  rec.model.p = 2;
  rec.model.q = 1;
  rec.model.phi = {0.41, -0.2, 0.9};  // the third is above p
  rec.model.theta[0] = 0.35;
  rec.model.sigma2 = 0.0123456789;
  rec.series_name = "Passengers";
  s.colours.pane[0] = {10, 20, 30};
  s.colours.further[0] = {1, 2, 3};
  port.queue_file(path("all.zlk"));
  ASSERT_TRUE(save_project_as(s, e, rec));
  EXPECT_EQ(rec.model.phi[2], 0);  // zeroed in the record before writing

  const ColourTable colours = s.colours;
  s.colours = ColourTable::defaults();
  UnivariateRecord& back = reopen(path("all.zlk"));
  const int e2 = s.projects.current();
  EXPECT_NE(e2, e);
  EXPECT_EQ(back.x, rec.x);
  EXPECT_EQ(back.first, 16);
  EXPECT_EQ(back.last, 40);
  EXPECT_EQ(back.series_name, "Passengers");
  EXPECT_EQ(back.name, "all.zlk");
  EXPECT_TRUE(back.project_file_known);
  EXPECT_EQ(back.model.p, 2);
  EXPECT_EQ(back.model.phi, rec.model.phi);
  EXPECT_EQ(back.model.theta, rec.model.theta);
  EXPECT_EQ(back.model.sigma2, rec.model.sigma2);
  EXPECT_TRUE(s.colours == colours);
  // Saving the reopened project writes the same file: nothing was lost on the way.
  EXPECT_EQ(project_file_text(back, s.colours), slurp(path("all.zlk")));
  EXPECT_EQ(back.transform_summary, "Box-Cox(0.500)->Diff(12)->Diff(1)->Subt Mean->Subsequence");
  expect_near(untransformed(back), data);

  undo_all(e2, back);
  EXPECT_EQ(back.first, 1);
  EXPECT_EQ(back.last, 48);
  expect_near(back.x, data);
}

TEST_F(SaveOpen, ReopeningRestoresClassicalFitsAndAFractionalModel) {
  const std::vector<double> data = wave(60);
  for (ClassicalSettings settings : {ClassicalSettings{12, 0, {}, 2}, ClassicalSettings{0, 2, {{5, 3}}, 1},
                                     ClassicalSettings{0, 0, {}, 1}}) {
    UnivariateRecord& rec = project_with(data);
    const int e = s.projects.current();
    TimeIndices t{rec.first, rec.last};
    push(rec, apply_box_cox(rec.x, 0.0), t);
    push(rec, apply_classical(rec.x, settings), t);
    rec.model.fractional = true;
    rec.model.d = 0.31;
    rec.model.M = 70;
    port.queue_file(path("classical.zlk"));
    ASSERT_TRUE(save_project_as(s, e, rec));
    UnivariateRecord& back = reopen(path("classical.zlk"));
    EXPECT_EQ(project_file_text(back, s.colours), slurp(path("classical.zlk")));
    EXPECT_TRUE(back.model.fractional);
    EXPECT_EQ(back.model.d, 0.31);
    EXPECT_EQ(back.model.M, 70);
    undo_all(s.projects.current(), back);
    expect_near(back.x, data);
    close_project(s, s.projects.current());
    close_project(s, e);
  }
}

TEST_F(SaveOpen, AFailedSaveLeavesThePreviousFileWhole) {
  UnivariateRecord& rec = project_with(wave(10));
  const int e = s.projects.current();
  port.queue_file(path("kept.zlk"));
  ASSERT_TRUE(save_project_as(s, e, rec));
  const std::string before = slurp(path("kept.zlk"));

  // The disk refuses more than 2000 bytes per file: the new text is longer.
  rec.set_data(wave(2000));
  struct rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  // The signal as a shell leaves it: it would kill the program mid-write.
  auto previous = std::signal(SIGXFSZ, SIG_DFL);
  struct rlimit small = old;
  small.rlim_cur = 2000;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool saved = save_project(s, e, rec);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(saved);
  EXPECT_EQ(port.shown().back(), "MESSAGE [BraxSave()] Cannot write to file -> OK");
  EXPECT_EQ(slurp(path("kept.zlk")), before);
  EXPECT_EQ(files(), (std::vector<std::string>{"data.dat", "kept.zlk"}));

  // A folder in the way, or a folder that does not exist: nothing is replaced.
  fs::create_directories(dir / "folder.zlk" / "inside");
  port.queue_file(path("folder.zlk"));
  EXPECT_FALSE(save_project_as(s, e, rec));
  EXPECT_EQ(port.shown().back(), "MESSAGE [BraxSave()] Cannot write to file -> OK");
  EXPECT_TRUE(fs::is_directory(dir / "folder.zlk" / "inside"));
  port.queue_file(path("missing/new.zlk"));
  EXPECT_FALSE(save_project_as(s, e, rec));
  EXPECT_EQ(port.shown().back(), "MESSAGE [BraxSave()] Cannot open file -> OK");
  // The project keeps the file it had.
  EXPECT_EQ(rec.file_name, path("kept.zlk"));
  EXPECT_EQ(rec.name, "kept.zlk");
  EXPECT_EQ(files(), (std::vector<std::string>{"data.dat", "folder.zlk", "kept.zlk"}));
}

TEST_F(SaveOpen, ASaveKeepsPermissionsAndRefusesAReadOnlyFile) {
  UnivariateRecord& rec = project_with(wave(10));
  const int e = s.projects.current();
  const std::string shared = file("shared.zlk", "old");
  fs::permissions(shared, fs::perms(0640));
  port.queue_file(shared);
  ASSERT_TRUE(save_project_as(s, e, rec));
  EXPECT_EQ(fs::status(shared).permissions(), fs::perms(0640));
  EXPECT_NE(slurp(shared), "old");

  const std::string locked = file("locked.zlk", "keep me");
  fs::permissions(locked, fs::perms(0444));
  port.queue_file(locked);
  EXPECT_FALSE(save_project_as(s, e, rec));
  EXPECT_EQ(port.shown().back(), "MESSAGE [BraxSave()] The file is read-only and was left as it was: " + locked + " -> OK");
  EXPECT_EQ(slurp(locked), "keep me");
  EXPECT_EQ(fs::status(locked).permissions(), fs::perms(0444));
  EXPECT_EQ(rec.file_name, shared);  // the project keeps the file it had
  EXPECT_EQ(files(), (std::vector<std::string>{"data.dat", "locked.zlk", "shared.zlk"}));
}

TEST_F(SaveOpen, ImportTriesAPartFileThenAProjectFileThenPlainData) {
  UnivariateRecord& rec = project_with({1, 2});
  const int e = s.projects.current();
  // A part file: header 9923 with one part, then data 9924 with 2 doubles (1.5 and -2).
  const std::string part_file =
      std::string("\xC3\x26\0\0\x0C\0\0\0\x01\0\0\0\xC4\x26\0\0\x1C\0\0\0\x02\0\0\0", 24) +
      std::string("\0\0\0\0\0\0\xF8\x3F\0\0\0\0\0\0\0\xC0", 16);
  port.queue_file(file("part.bin", part_file));
  ASSERT_TRUE(import_file(s, e, rec));
  EXPECT_EQ(rec.x, (std::vector<double>{1.5, -2}));
  EXPECT_TRUE(rec.project_file_known);

  port.queue_file(file("plain.dat", "4\n5\n"));
  ASSERT_TRUE(import_file(s, e, rec));
  EXPECT_FALSE(rec.project_file_known);

  port.clear_shown();
  port.queue_file(file("broken.zlk", "ZELK Univariate Project\n"));
  EXPECT_FALSE(import_file(s, e, rec));
  // Malformed, it is not read again as plain data: one message.
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK Read Error] File corrupt: the Color label is missing. -> OK"}));
  EXPECT_EQ(rec.x, (std::vector<double>{4, 5}));  // nothing read: the project keeps its data

  port.clear_shown();
  port.queue_file(file("corrupt.bin", part_file.substr(0, 30)));
  EXPECT_FALSE(import_file(s, e, rec));
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ReadDataPart()] File corrupt -> OK"}));
}

}  // namespace
}  // namespace zelk
