#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/project_file.h"

namespace zelk {
namespace {

std::string blanks(std::size_t n) { return std::string(n, ' '); }

// A small project that every case below starts from, as a user would write it.
const std::string kModel =
    "Model\n2\n1\n"
    "0.5 -0.25 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
    "0.4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
    "2.5\nT\n";
const std::string kColours =
    "Color\n197121 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 10486000\n";

std::string small_project(const std::string& data = "Data\n1\n3\nSeries" + blanks(126) + "\n1.5 2 -3\n",
                          const std::string& regression = "Regression components\nF\n",
                          const std::string& transforms = "Transformation(s)\n0\n") {
  return "ZELK Univariate Project\n" + kColours + kModel + data + regression + transforms;
}

UnivariateRecord small_record() {
  UnivariateRecord r;
  r.model.p = 2;
  r.model.q = 1;
  r.model.phi[0] = 0.5;
  r.model.phi[1] = -0.25;
  r.model.phi[4] = 9;  // above p: written as 0
  r.model.theta[0] = 0.4;
  r.model.theta[3] = 7;
  r.model.sigma2 = 2.5;
  r.model_flag = true;
  r.set_data({1.5, 2, -3});
  return r;
}

ColourTable small_colours() {
  ColourTable c;
  c.pane[0] = {1, 2, 3};
  c.further[4] = {240, 0, 160};
  return c;
}

ProjectReadResult parse(const std::string& text) { return parse_project_text(text); }

// The whole message of a refused file.
std::string refusal(const std::string& text) {
  ProjectReadResult r = parse(text);
  if (r.status != ProjectReadStatus::Failed) return "not a failure";
  return "[" + r.error.title + "] " + r.error.text;
}

// The kind of refusal, without the record it names.
std::string failure(const std::string& text) {
  const std::string m = refusal(text);
  return m.substr(0, m.find(':', m.find(']')));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(ProjectFileWriter, WritesTheRecordsInTheirOrder) {
  // Without regression only its label and F; without transformations the label and 0.
  EXPECT_EQ(project_file_text(small_record(), small_colours()), small_project());
}

TEST(ProjectFileWriter, LongRecordsContinueOnShortLinesAndReadBack) {
  UnivariateRecord r = small_record();
  std::vector<double> x;
  for (int i = 0; i < 200; ++i) x.push_back(1.0 / (i + 3) - 1e-300 * i);
  // The smallest doubles, and the largest values a series may hold.
  x.insert(x.end(), {5e-324, -2.2250738585072014e-308, 1e100, -9.999999999999999e99, -0.0});
  r.set_data(x);
  const std::string text = project_file_text(r, small_colours());
  std::size_t start = 0, longest = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    if (text.compare(start, 6, "Series") != 0) longest = std::max(longest, end - start);
  EXPECT_LE(longest, 80u);
  ProjectReadResult back = parse(text);
  ASSERT_EQ(back.status, ProjectReadStatus::Read);
  EXPECT_EQ(back.file.record.x, x);  // bit for bit
}

TEST(ProjectFileReader, ReadsAHandWrittenProjectWithEveryRecordGroup) {
  const std::string text = small_project(
      "Data\n3\n4\nNile flow, annual\n1.25 -0.75\n",
      "Regression components\nT\n1\nT\n0\n0 0 0 0\n1\n2\n0\nRegression coefficients\n"
      "0.5 0.25\n0.75 1\n1 1 3 4\n",
      "Transformation(s)\n5\n2\nBox-Cox\n0.5\n1\nDifferencing\n1\n10\n4\nDeseason\n-1\n\n1\n0.5 0.25 0\n"
      "16\nSubtract-Mean\n2.5\n32\nTrim\n2\n5\n7\n9\nFractional\nT\n0.2\n60\n");
  ProjectReadResult r = parse(text);
  ASSERT_EQ(r.status, ProjectReadStatus::Read) << r.error.text;
  const UnivariateRecord& rec = r.file.record;
  EXPECT_EQ(r.file.colours.pane[0], (Rgb{1, 2, 3}));  // 197121 = 1 + 2*256 + 3*65536
  EXPECT_EQ(r.file.colours.further[4], (Rgb{240, 0, 160}));
  EXPECT_EQ(rec.model.p, 2);
  EXPECT_EQ(rec.model.phi[1], -0.25);
  EXPECT_EQ(rec.model.theta[0], 0.4);
  EXPECT_EQ(rec.model.sigma2, 2.5);
  EXPECT_EQ(rec.model.free_parameters, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(rec.model_flag);
  EXPECT_TRUE(rec.model.fractional);
  EXPECT_EQ(rec.model.d, 0.2);
  EXPECT_EQ(rec.model.M, 60);
  EXPECT_EQ(rec.first, 3);
  EXPECT_EQ(rec.last, 4);
  EXPECT_EQ(rec.series_name, "Nile flow, annual");  // the whole name line, blanks and all
  EXPECT_EQ(rec.x, (std::vector<double>{1.25, -0.75}));

  const RegressionTrend& g = rec.regression;
  EXPECT_TRUE(g.present);
  EXPECT_EQ(g.estimation, 1);
  EXPECT_TRUE(g.removed);
  EXPECT_EQ(g.polynomial_order(), 1);
  EXPECT_EQ(g.regressor_count(), 2);
  EXPECT_EQ(g.coefficients, (std::vector<double>{0.5, 0.25}));
  EXPECT_EQ(g.fitted_trend, (std::vector<double>{0.75, 1}));
  EXPECT_EQ(g.design, (std::vector<double>{1, 1, 3, 4}));

  ASSERT_EQ(rec.transforms.size(), 5u);  // oldest first
  EXPECT_EQ(rec.transforms[0].kind, TransformKind::BoxCox);
  EXPECT_EQ(rec.transforms[0].lambda, 0.5);
  EXPECT_EQ(rec.transforms[1].lag, 1);
  EXPECT_EQ(rec.transforms[1].start_values, (std::vector<double>{10}));
  EXPECT_EQ(rec.transforms[2].kind, TransformKind::Classical);
  EXPECT_EQ(rec.transforms[2].period, -1);
  EXPECT_TRUE(rec.transforms[2].seasonal.empty());
  EXPECT_EQ(rec.transforms[2].poly, (std::array<double, 3>{0.5, 0.25, 0}));
  EXPECT_EQ(rec.transforms[3].subtracted_mean, 2.5);
  const Transformation& trim = rec.transforms[4];
  EXPECT_EQ(trim.previous_first, 2);
  EXPECT_EQ(trim.previous_last, 5);
  EXPECT_EQ(trim.values_before, (std::vector<double>{7}));
  EXPECT_EQ(trim.values_after, (std::vector<double>{9}));

  // What was read writes back to the same records, blanks and line breaks aside.
  ProjectReadResult again = parse(project_file_text(rec, r.file.colours));
  ASSERT_EQ(again.status, ProjectReadStatus::Read);
  EXPECT_EQ(project_file_text(again.file.record, again.file.colours), project_file_text(rec, r.file.colours));
}

TEST(ProjectFileReader, ReadsValuesInFreeFormAcrossLinesAndLineEnds) {
  const std::string text =
      "  ZELK  whatever follows\r\nColor\r\n" + std::string("1 2 3 4 5 6 7 8 9 10\r\n11 12 13 14 15 16 17 18 19 20\r\n") +
      "21,22,23,24,25,26,27,28,29,30 and the rest of the line is dropped\r\n" +
      "Model\r\n+1\r\n0\r\n0.5D0\r\n0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n" +
      std::string(27 * 2, ' ') + "\r\n"  // a blank line inside a record is skipped
      "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n1E+00\r\n.FALSE.\r\nData\r\n1\r\n2\r\n"
      "   Series \r\n4\r\n5\r\nRegression components\r\nF\r\nTransformation(s)\r\n0";
  ProjectReadResult r = parse(text);
  ASSERT_EQ(r.status, ProjectReadStatus::Read) << r.error.text;
  EXPECT_EQ(r.file.colours.further[4], (Rgb{30, 0, 0}));
  EXPECT_EQ(r.file.record.model.phi[0], 0.5);
  EXPECT_FALSE(r.file.record.model_flag);
  EXPECT_EQ(r.file.record.series_name, "Series");
  EXPECT_EQ(r.file.record.x, (std::vector<double>{4, 5}));
}

TEST(ProjectFileReader, TellsProjectFilesByTheirFirstWord) {
  EXPECT_EQ(parse("12.5\n13\n").status, ProjectReadStatus::NotProjectFile);
  EXPECT_EQ(parse("ZELKS Univariate Project\n").status, ProjectReadStatus::NotProjectFile);
  EXPECT_EQ(parse("\nZELK\n").status, ProjectReadStatus::NotProjectFile);  // the first line decides
  EXPECT_EQ(failure(""), "[ZELK Open File Error] Cannot open file");
  EXPECT_EQ(failure("ZELK"), "[ZELK Read Error] File corrupt");  // second record missing
  EXPECT_EQ(failure("ZELK Univariate Project\nColor\n1 2 3\n"), "[ZELK Read Error] File corrupt");
}

TEST(ProjectFileReader, RefusesCountsTheFileCannotHold) {
  const std::string base = small_project();
  const std::string read_error = "[ZELK Read Error] File corrupt";
  const std::string series_error = "[ZELK Read Error] File corrupt";
  // n = last - first + 1 beyond the file, or negative.
  EXPECT_EQ(failure(replaced(base, "Data\n1\n3\n", "Data\n1\n2147483647\n")), series_error);
  EXPECT_EQ(failure(replaced(base, "Data\n1\n3\n", "Data\n-2147483647\n2147483647\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Data\n1\n3\n", "Data\n5\n3\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Data\n1\n3\n", "Data\n1\n4\n")), series_error);
  EXPECT_EQ(failure(replaced(base, "Data\n1\n3\n", "Data\n1\n99999999999\n")), read_error);
  // Orders, colours and the transformation count.
  EXPECT_EQ(failure(replaced(base, "Model\n2\n", "Model\n28\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Model\n2\n", "Model\n-1\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Color\n197121", "Color\n-1")), read_error);
  EXPECT_EQ(failure(replaced(base, "2.5\nT\n", "0\nT\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "2.5\nT\n", "nan\nT\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "2.5\nT\n", "2.5\nmaybe\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Transformation(s)\n0\n", "Transformation(s)\n2147483647\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Transformation(s)\n0\n", "Transformation(s)\n-1\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "Transformation(s)\n0\n", "Transformation(s)\n1\n")), read_error);
  EXPECT_EQ(failure(replaced(base, "1.5 2 -3\n", "1.5 2 1e999\n")), series_error);
}

TEST(ProjectFileReader, RefusesTransformationsWhoseValuesDoNotFit) {
  const std::string base = small_project();
  const std::string read_error = "[ZELK Read Error] File corrupt";
  auto with = [&](const std::string& entries) {
    return failure(replaced(base, "Transformation(s)\n0\n", "Transformation(s)\n" + entries));
  };
  EXPECT_EQ(with("1\n1\nDifferencing\n2147483647\n1 2\n"), read_error);
  EXPECT_EQ(with("1\n1\nDifferencing\n-1\n\n"), read_error);
  EXPECT_EQ(with("1\n1\nDifferencing\n0\n\n"), read_error);
  EXPECT_EQ(with("1\n4\nDeseason\n2147483647\n1 2\n1\n0 0 0\n"), read_error);
  EXPECT_EQ(with("1\n4\nDeseason\n0\n\n1\n0 0 0\n"), read_error);
  EXPECT_EQ(with("1\n8\nHarmonic\n5\n1 2 3 4\n0 0 0 0\n0 0 0 0\n0\n1\n0 0 0\n"), read_error);
  EXPECT_EQ(with("1\n3\nUnknown\n0\n"), read_error);
  // A trim must have removed values: its earlier indices lie outside 1..3.
  EXPECT_EQ(with("1\n32\nTrim\n2\n3\n"), read_error);
  EXPECT_EQ(with("1\n32\nTrim\n1\n2\n"), read_error);
  EXPECT_EQ(with("1\n32\nTrim\n-2147483647\n3\n1\n"), read_error);
  // Undoing the list must lead back to data that start at index 1.
  EXPECT_EQ(with("1\n1\nDifferencing\n1\n5\n"), read_error);
  EXPECT_EQ(failure(replaced(replaced(base, "Data\n1\n3\n", "Data\n3\n5\n"), "Transformation(s)\n0\n",
                             "Transformation(s)\n1\n1\nDifferencing\n1\n5\n")),
            read_error);
  // The same list is read when the indices agree.
  const std::string good = replaced(replaced(base, "Data\n1\n3\n", "Data\n2\n4\n"), "Transformation(s)\n0\n",
                                    "Transformation(s)\n1\n1\nDifferencing\n1\n5\n");
  EXPECT_EQ(parse(good).status, ProjectReadStatus::Read);
}

// Files a dialog would never let through: each is refused with one message
// that names the record, and nothing of it is kept.
TEST(ProjectFileReader, RefusesValuesTheDialogsWouldRefuse) {
  const std::string base = small_project();
  auto with = [&](const std::string& entries) {
    return refusal(replaced(base, "Transformation(s)\n0\n", "Transformation(s)\n" + entries));
  };
  // Three values present, the indices say two (and four): not one dropped silently.
  EXPECT_EQ(refusal(replaced(base, "Data\n1\n3\n", "Data\n1\n2\n")),
            "[ZELK Read Error] File corrupt: the Data record holds more than the 2 values its indices give.");
  EXPECT_EQ(refusal(replaced(base, "Data\n1\n3\n", "Data\n1\n4\n")),
            "[ZELK Read Error] File corrupt: the Data record holds fewer than the 4 values its indices give.");
  // The surplus on a line of its own, as a long record continues.
  EXPECT_EQ(failure(replaced(base, "1.5 2 -3\n", "1.5 2 -3\n7\n")), "[ZELK Read Error] File corrupt");
  // The Box-Cox range of its dialog, [0, 1.5].
  const std::string box_cox_error =
      "[ZELK Read Error] File corrupt: the Transformation(s) record 1: the Box-Cox parameter is outside [0, 1.5].";
  EXPECT_EQ(with("1\n2\nBox-Cox\n-1\n"), box_cox_error);
  EXPECT_EQ(with("1\n2\nBox-Cox\n100\n"), box_cox_error);
  EXPECT_EQ(with("1\n2\nBox-Cox\n1e300\n"), box_cox_error);
  EXPECT_EQ(parse(replaced(base, "Transformation(s)\n0\n", "Transformation(s)\n1\n2\nBox-Cox\n1.5\n")).status,
            ProjectReadStatus::Read);
  // phi(1) = 2 is not causal: Specify Model refuses it.
  EXPECT_EQ(refusal(replaced(base, "0.5 -0.25 0", "2 -0.25 0")),
            "[ZELK Read Error] File corrupt: the model of the Model record is not causal.");
  // Values whose squares no analysis could sum.
  EXPECT_EQ(refusal(replaced(base, "1.5 2 -3\n", "1.5 1e300 -3\n")),
            "[ZELK Read Error] File corrupt: the Data record holds values too large to analyse.");
  EXPECT_EQ(with("1\n16\nSubtract-Mean\n1e300\n"), "[ZELK Read Error] File corrupt: the Transformation(s) record 1.");
  // A seasonal period beyond n/3 = 1 and a Fourier index beyond n/2 = 1.5 for n = 3.
  EXPECT_EQ(with("1\n4\nDeseason\n2\n0 0\n1\n0 0 0\n"),
            "[ZELK Read Error] File corrupt: the Transformation(s) record does not fit the data.");
  EXPECT_EQ(with("1\n8\nHarmonic\n1\n2 0 0 0\n0 0 0 0\n0 0 0 0\n0\n1\n0 0 0\n"),
            "[ZELK Read Error] File corrupt: the Transformation(s) record does not fit the data.");
  // A fractional model must be invertible (theta(1) = 1.5 is not).
  EXPECT_EQ(refusal(replaced(base, "0.4 0 0", "1.5 0 0") + "Fractional\nT\n0.2\n100\n"),
            "[ZELK Read Error] File corrupt: the fractional model of the Fractional record is not invertible.");
}

TEST(ProjectFileReader, RefusesRegressionCountsThatDisagree) {
  const std::string base = small_project();
  const std::string read_error = "[ZELK Read Error] File corrupt";
  auto with = [&](const std::string& regression) {
    return failure(replaced(base, "Regression components\nF\n", "Regression components\n" + regression));
  };
  // Intercept and t: m = 2, n = 3.
  const std::string good = "T\n1\nT\n0\n0 0 0 0\n1\n2\n0\nRegression coefficients\n1 2\n0 0 0\n1 1 1 1 2 3\n";
  EXPECT_EQ(parse(replaced(base, "Regression components\nF\n", "Regression components\n" + good)).status,
            ProjectReadStatus::Read);
  EXPECT_EQ(with(replaced(good, "1\n2\n0\n", "1\n2147483647\n0\n")), read_error);
  EXPECT_EQ(with(replaced(good, "1\n2\n0\n", "1\n3\n0\n")), read_error);
  EXPECT_EQ(with(replaced(good, "1\n2\n0\n", "1\n2147483645\n2147483643\n")), read_error);
  EXPECT_EQ(with(replaced(good, "T\n1\nT\n", "T\n3\nT\n")), read_error);
  EXPECT_EQ(with(replaced(good, "T\n1\nT\n0\n", "T\n1\nT\n5\n")), read_error);
  EXPECT_EQ(with(replaced(good, "1 1 1 1 2 3\n", "1 1 1 1 2\n")), read_error);
}

TEST(ProjectFileReader, ProjectWithoutDataReadsBackEmpty) {
  UnivariateRecord empty;
  const std::string text = project_file_text(empty, ColourTable::defaults());
  EXPECT_NE(text.find("Data\n1\n0\nSeries "), std::string::npos);
  ProjectReadResult r = parse(text);
  ASSERT_EQ(r.status, ProjectReadStatus::Read);
  EXPECT_TRUE(r.file.record.x.empty());
  EXPECT_EQ(r.file.record.first, 0);
  EXPECT_EQ(r.file.record.last, 0);
}

TEST(ProjectFileReader, BlankOrMultiLineSeriesNamesKeepTheSeries) {
  UnivariateRecord r = small_record();
  r.series_name = "";
  ProjectReadResult back = parse(project_file_text(r, small_colours()));
  ASSERT_EQ(back.status, ProjectReadStatus::Read);
  EXPECT_EQ(back.file.record.series_name, "");
  EXPECT_EQ(back.file.record.x, r.x);
  r.series_name = "two\nlines";
  back = parse(project_file_text(r, small_colours()));
  ASSERT_EQ(back.status, ProjectReadStatus::Read);
  EXPECT_EQ(back.file.record.series_name, "two lines");  // the line end written as a blank
}

// A file with a one-word name (padded to its field, bare, or indented) reads
// that word as the series name, as files of earlier versions did.
TEST(ProjectFileReader, OneWordSeriesNamesOfEarlierFilesReadTheSame) {
  for (const std::string& name : {std::string("Nile"), "Nile" + std::string(128, ' '), std::string("  Nile")}) {
    const std::string text = small_project("Data\n1\n2\n" + name + "\n1.25 -0.75\n",
                                           "Regression components\nF\n", "Transformation(s)\n0\n");
    ProjectReadResult r = parse(text);
    ASSERT_EQ(r.status, ProjectReadStatus::Read) << r.error.text;
    EXPECT_EQ(r.file.record.series_name, "Nile");
    EXPECT_EQ(r.file.record.x, (std::vector<double>{1.25, -0.75}));
  }
}

}  // namespace
}  // namespace zelk
