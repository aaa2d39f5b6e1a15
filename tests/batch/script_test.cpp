#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "port/commands.h"
#include "batch/interpreter.h"
#include "port/dialog.h"

namespace zelk {
namespace {

struct Outcome {
  int status = 0;
  std::string out, err;
};

Outcome run(const std::string& script, Registry table = make_registry()) {
  std::ostringstream out, err;
  Interpreter interpreter(out, err, ZELK_EXAMPLES, std::move(table));
  std::istringstream in(script);
  Outcome r;
  r.status = interpreter.run(in, "test.zb");
  r.out = out.str();
  r.err = err.str();
  return r;
}

const char* kNewProject = "dialog \"Create New Project \" Univariate=on\ndo New\n";

TEST(Script, CreatesAProjectImportsAFileAndPrintsWindowsAndStatus) {
  const Outcome r = run(std::string(kNewProject) +
                    "print windows\n"
                    "print status\n"
                    "file lake_huron.dat\n"
                    "do Import File\n"
                    "print windows\n"
                    "print status\n"
                    "print lake_huron\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "WINDOW 1101 graph \"New Univariate Project\" project 1\n"
            "STATUS [New Univariate Project] [None] [ ]\n"
            "WINDOW 1101 graph \"lake_huron.dat\" project 1\n"
            "STATUS [lake_huron.dat] [None] [ ]\n"
            "GRAPH \"lake_huron.dat\" panes 1 x 1 to 98\n"
            "  pane 1 curve 98 points y 575.96 to 581.86 \"Series \"\n");
}

TEST(Script, ImportTableTakesTheFileAndTheColumnsOnOneLine) {
  // The series range is R's range(mdeaths): 940 2750.
  Outcome r = run(std::string(kNewProject) + "import-table uk_lung_deaths.csv column 2\nprint uk_lung\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "GRAPH \"uk_lung_deaths.csv\" panes 1 x 1 to 72\n"
            "  pane 1 curve 72 points y 940 to 2750 \"male\"\n");
  r = run(std::string(kNewProject) + "import-table uk_lung_deaths.csv colum 2\n");
  EXPECT_EQ(r.err, "test.zb:3: import-table FILE takes column N, columns LIST, header on|off\n");
  r = run(std::string(kNewProject) + "import-table uk_lung_deaths.csv column 1\n");
  EXPECT_EQ(r.status, 0);  // a refused entry is the user's answer, as on the desktop
  EXPECT_EQ(r.out,
            "MESSAGE [Import Table] Column 1 (\"month\") holds dates, not values. -> OK\n"
            "NO ANSWER \"Import Table\"\n");
}

TEST(Script, MenuFollowsTheProject) {
  Outcome r = run("print menu\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("\n  \"&Open\"")),
            "MENU BRAX_MENU\n"
            "0 \"&File\" enabled\n"
            "  \"&New\" 40091 enabled");
  EXPECT_NE(r.out.find("\n  \"&Import File\" 40098 greyed\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n1 \"&Transform\" greyed\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n    \"&Sample\" 40047 enabled\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n  \"&Close \" 40069 enabled\n"), std::string::npos);

  r = run(std::string(kNewProject) + "dialog \"Create New Project \" Multivariate=on\ndo New\nprint menu\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "MENU MV_MENU");
  EXPECT_NE(r.out.find("\n1 \"&Transform\" greyed\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n6 \"&Plot\" enabled\n"), std::string::npos);
}

TEST(Script, AnswersAreShownAndMissingOnesCancel) {
  const Outcome r = run("do New\nprint status\n" + std::string(kNewProject) + "message No\ndo Close\ndo Cross-ACF\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "NO ANSWER \"Create New Project \"\n"
            "STATUS [No project open] [ ] [ ]\n"
            "MESSAGE [ZELK] Close current project ? -> No\n"
            "MESSAGE [ZELK::ERROR] Procedure not yet implemented -> OK\n");
}

TEST(Script, ClipboardTextGoesInAndOut) {
  const Outcome r = run(std::string(kNewProject) +
                    "clipboard text \"1\\r\\n2\\r\\n4\\r\\n\"\n"
                    "do Import Clipboard\n"
                    "print New\n"
                    "clipboard print\n"
                    "do Copy to Clipboard\n"
                    "clipboard print\n"
                    "do Print\n"
                    "do Info\n"
                    "do Print\n"
                    "do Copy to Clipboard\n"
                    "clipboard print\n");
  EXPECT_EQ(r.status, 0) << r.err;
  // The INFO text itself belongs to the summary statistics; only its head is checked.
  const std::size_t printed = r.out.find("PRINT text ");
  ASSERT_NE(printed, std::string::npos);
  EXPECT_EQ(r.out.substr(0, printed),
            "GRAPH \"New Univariate Project\" panes 1 x 1 to 3\n"
            "  pane 1 curve 3 points y 1 to 4 \"Series \"\n"
            "1\n2\n4\n"
            "CLIPBOARD picture 800 x 600\n"
            "PRINT picture 800 x 600\n");
  const std::string copied = r.out.substr(r.out.find('\n', printed) + 1);
  EXPECT_EQ(copied.rfind("==========\nZELK::(INFO) \n==========\n# of Data Points =        3\n", 0), 0u);
}

TEST(Script, ErrorsNameTheLine) {
  Outcome r = run("# comment\n\ndo Default\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "test.zb:3: \"Default\" is ambiguous: 40064 (Statistics/Histogram/Default) 40083 "
            "(Statistics/Residual Analysis/Histogram/Default) 40052 (Spectrum/Model/Default)\n");

  r = run("do Frobnicate\nprint status\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "test.zb:1: unknown command \"Frobnicate\"\n");
  EXPECT_EQ(r.out, "");  // nothing after the failing line runs

  r = run("print Nowhere\n");
  EXPECT_EQ(r.err, "test.zb:1: no window \"Nowhere\"\n");
  r = run("jump 3\n");
  EXPECT_EQ(r.err, "test.zb:1: unknown step \"jump\"\n");
  r = run("do 12345\n");
  EXPECT_EQ(r.err, "test.zb:1: unknown command 12345\n");
  r = run(std::string(kNewProject) + "file no_such_file.dat\ndo Import File\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "test.zb:4: no file " + std::string(ZELK_EXAMPLES) + "/no_such_file.dat\n");
  r = run("dialog \"Create New Project \" Spaceship=on\ndo New\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "test.zb:2: dialog \"Create New Project \" has no control Spaceship\n");
}

TEST(Script, UnusedAnswersFailAtTheEnd) {
  const Outcome r = run("message Yes\nfile cancel\ndialog \"Specify Model\"\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "test.zb: answer left unused: line 3: dialog \"Specify Model\"\n"
            "test.zb: answer left unused: line 1: message Yes\n"
            "test.zb: answer left unused: line 2: file cancel\n");
}

TEST(Script, DisambiguatedAndNumberedCommandsRun) {
  Registry table = make_registry();
  std::vector<int> ran;
  for (int id : {cmd::Histogram, cmd::ResidualHistogram, cmd::ModelSpectrum})
    table.command(id)->univariate = [&ran, id](Session&, int, UnivariateRecord&) { ran.push_back(id); };
  const Outcome r = run(std::string(kNewProject) +
                        "do Residual Analysis/Histogram/Default\ndo statistics/histogram/default\ndo 40052\n"
                        "do Exit\ndo Frobnicate\n",
                    std::move(table));
  EXPECT_EQ(r.status, 0) << r.err;  // Exit ends the script
  EXPECT_EQ(ran, (std::vector<int>{cmd::ResidualHistogram, cmd::Histogram, cmd::ModelSpectrum}));
}

TEST(Script, SavesPictures) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zelk_batch_test";
  std::filesystem::create_directories(dir);
  const std::string svg = (dir / "series.svg").string();
  const Outcome r = run(std::string(kNewProject) + "file lake_huron.dat\ndo Import File\nsave-picture lake " + svg +
                    "\nsave-picture lake " + (dir / "series.png").string() + "\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "test.zb:6: PNG and PDF pictures need zelk-batch built with QtGui; use .svg\n");
  std::ifstream f(svg);
  std::string head;
  std::getline(f, head);
  EXPECT_EQ(head.rfind("<?xml", 0), 0u);
  std::filesystem::remove_all(dir);
}

TEST(Script, ColoursAndWindowSizesComeFromTheScript) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zelk_batch_colour_test";
  std::filesystem::create_directories(dir);
  const std::string svg = (dir / "red.svg").string();
  const Outcome r = run(std::string(kNewProject) +
                        "file lake_huron.dat\ndo Import File\n"
                        "colour 255 0 0\n"
                        "dialog \"Customize Colors\" colour1=on press=\"Choose Color\"\n"
                        "dialog \"Customize Colors\"\n"
                        "do Customize Colors\n"
                        "do Copy to Clipboard\nclipboard print\n"
                        "size lake 640 480\n"
                        "do Copy to Clipboard\nclipboard print\n"
                        "do 40005\n"
                        "save-picture lake " + svg + "\n"
                        "colour 300 0 0\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "test.zb:16: colour components are integers from 0 to 255, not 300\n");
  EXPECT_EQ(r.out,
            "COLOUR 0 160 128 -> 255 0 0\n"
            "CLIPBOARD picture 800 x 600\n"
            "CLIPBOARD picture 640 x 480\n"
            "PRINT picture 640 x 480\n"
            "PICTURE \"lake_huron.dat\" " + svg + "\n");
  std::ifstream f(svg);
  std::stringstream text;
  text << f.rdbuf();
  EXPECT_NE(text.str().find("width=\"640\""), std::string::npos);
  EXPECT_NE(text.str().find("<polyline fill=\"none\" stroke=\"#ff0000\""), std::string::npos);
  std::filesystem::remove_all(dir);
}

class Sample : public Dialog {
 public:
  Sample() : Dialog("Sample Dialog") {
    add(ControlKind::Edit, "lag", "Enter lag:");
    add(ControlKind::List, "which", "Series").items = {"One", "Two"};
  }
};

TEST(Script, DialogListingForScriptWriters) {
  Registry table;
  Feature sample;
  sample.dialogs.push_back([] { return std::make_unique<Sample>(); });
  table.add(std::move(sample));
  std::ostringstream out;
  print_dialogs(table, out);
  EXPECT_EQ(out.str(),
            "DIALOG \"Sample Dialog\"\n"
            "  lag  edit  \"Enter lag:\"\n"
            "  which  list  \"Series\"  items: 1=\"One\" 2=\"Two\"\n"
            "  buttons: OK, Cancel\n\n");
  // Every registered dialog can be listed.
  std::ostringstream all;
  print_dialogs(make_registry(), all);
  EXPECT_NE(all.str().find("DIALOG \"Create New Project \"\n"), std::string::npos);
  std::ostringstream tree;
  print_tree_editor(tree);
  EXPECT_NE(tree.str().find("  popup \"Tree Series Right-Click\": \"Active\"\n"), std::string::npos) << tree.str();
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

// The example scripts a new user runs first must keep working.
TEST(Script, ExamplesRunCleanly) {
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZELK_EXAMPLES)) {
    if (entry.path().extension() != ".zb") continue;
    ++scripts;
    std::ifstream in(entry.path());
    std::ostringstream out, err;
    Interpreter interpreter(out, err, ZELK_EXAMPLES);
    EXPECT_EQ(interpreter.run(in, entry.path().filename().string()), 0) << err.str();
    EXPECT_EQ(out.str().find("NO ANSWER"), std::string::npos) << entry.path();
  }
  EXPECT_GE(scripts, 2);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST(Script, EditorStepsRenameMoveAndToggleByNodeOrLabel) {
  const Outcome r = run(std::string(kNewProject) + "clipboard text \"1\\n2\\n3\"\ndo Import Clipboard\n" +
                        kNewProject +
                        "do Project Editor\n"
                        "editor rename 1.1 \"Sales in 2026\"\n"
                        "message Yes\n"
                        "editor move \"sales in 2026\" 2\n"
                        "editor print\n"
                        "editor ok\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "MESSAGE [ZELK Project Editor] Confirm data transfer -> Yes\n"
            "[0] ZELK Projects\n"
            "  [1] New Univariate Project (univariate)\n"
            "    [1.1] Sales in 2026\n"
            "  [2] New Univariate Project (univariate)\n"
            "    [2.1] Sales in 2026\n");
}

TEST(Script, EditorStepsNameWhatTheyCannotDo) {
  EXPECT_EQ(run("editor print\n").err, "test.zb:1: the project editor is not open (do Project Editor first)\n");
  const std::string open = std::string(kNewProject) + "do Project Editor\n";
  EXPECT_EQ(run(open + "editor rename 4 x\n").err, "test.zb:4: no node \"4\" in the project editor\n");
  EXPECT_EQ(run(open + "editor rename 0 x\n").err, "test.zb:4: the label of \"ZELK Projects\" cannot be edited\n");
  EXPECT_EQ(run(open + "editor move 1 0\n").err,
            "test.zb:4: \"New Univariate Project\" cannot be dropped on \"ZELK Projects\"\n");
  EXPECT_EQ(run(open + "editor popup 1 Active\n").err,
            "test.zb:4: the popup \"Tree Project Right-Click\" has no \"Active\"\n");
  EXPECT_EQ(run(open + "editor ok\neditor print\n").err,
            "test.zb:5: the project editor is not open (do Project Editor first)\n");
}

}  // namespace
}  // namespace zelk
