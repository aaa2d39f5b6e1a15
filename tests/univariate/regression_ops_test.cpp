// The Regression menu end to end on Lake Huron.
#include <algorithm>
#include <cmath>

#include "support/desk.h"
#include "project/project_file.h"
#include "univariate/windows.h"

namespace zelk::test {
namespace {

bool has_line(const std::vector<std::string>& lines, const std::string& want) {
  return std::find(lines.begin(), lines.end(), want) != lines.end();
}

class Regression : public Desk {
 protected:
  UnivariateRecord& line_trend() {
    UnivariateRecord& rec = lake_huron();
    dialog("Regression Trend Function", {{"order", "1"}});
    app.dispatch(cmd::RegressionSpecify);
    return rec;
  }
};

// Reference values from an independent tool: least squares and GLS of
// Lake Huron (t = 1..98) on an intercept and t.
TEST_F(Regression, LakeHuronLeastSquaresAndGls) {
  UnivariateRecord& rec = line_trend();
  const std::vector<double> data = rec.x;
  ASSERT_TRUE(rec.regression.present);
  app.dispatch(cmd::RegressionLeastSquares);
  ASSERT_EQ(rec.regression.coefficients.size(), 2u);
  EXPECT_NEAR(rec.regression.coefficients[0], 580.20204, 5e-5);
  EXPECT_NEAR(rec.regression.coefficients[1], -0.024201, 5e-7);
  for (std::size_t i = 0; i < data.size(); ++i) EXPECT_NEAR(rec.x[i] + rec.regression.fitted_trend[i], data[i], 1e-9);
  const auto report = this->report(windows::RegressionEstimates);
  EXPECT_TRUE(has_line(report, "Method: Least Squares"));
  EXPECT_TRUE(has_line(report, "Y(t) = M(t) + X(t)"));

  // Least squares twice gives the same estimate: the old trend goes back first.
  app.dispatch(cmd::RegressionLeastSquares);
  EXPECT_NEAR(rec.regression.coefficients[0], 580.20204, 5e-5);

  // AR(2) errors phi = (1.0, -0.3), set without fitting.
  rec.model.p = 2;
  rec.model.phi[0] = 1.0;
  rec.model.phi[1] = -0.3;
  rec.model.sigma2 = 1.0;
  app.dispatch(cmd::RegressionGls);
  EXPECT_EQ(rec.regression.estimation, 2);
  EXPECT_NEAR(rec.regression.coefficients[0], 580.09665, 5e-5);
  EXPECT_NEAR(rec.regression.coefficients[1], -0.021731, 5e-7);
  EXPECT_TRUE(has_line(this->report(windows::RegressionEstimates), "Coeff     Value          Std Error"));

  // Every report of the model carries the trend.
  const std::string summary = info_of(windows::Project);
  EXPECT_NE(summary.find("Y(t) = M(t) + X(t)"), std::string::npos);
  EXPECT_NE(summary.find("M(t) = "), std::string::npos) << summary;

  // Transformations wait for Remove, which gives the data back.
  app.dispatch(cmd::Undo);
  app.dispatch(cmd::RegressionRemove);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [ZELK Error] Must remove regression function before untransforming -> OK"}));
  for (std::size_t i = 0; i < data.size(); ++i) EXPECT_NEAR(rec.x[i], data[i], 1e-9);
  EXPECT_FALSE(rec.regression.present);
  EXPECT_EQ(s.desktop.find(1, windows::RegressionEstimates), nullptr);
}

TEST_F(Regression, SingularDesignAndMissingSpecificationAreRefused) {
  UnivariateRecord& rec = lake_huron();
  const std::vector<double> data = rec.x;
  app.dispatch(cmd::RegressionGls);
  dialog("Regression Trend Function",
         {{"order", "0"}, {"harmonic", "on"}, {"harmonics", "2"}, {"index1", "5"}, {"index2", "5"}});
  app.dispatch(cmd::RegressionSpecify);
  ASSERT_TRUE(rec.regression.present);
  EXPECT_EQ(rec.regression.regressor_count(), 5);
  app.dispatch(cmd::RegressionLeastSquares);
  ASSERT_EQ(port.shown().size(), 2u);
  EXPECT_EQ(port.shown()[0], "MESSAGE [ZELK Error] Must specify regression function before estimation. -> OK");
  EXPECT_NE(port.shown()[1].find("linearly dependent"), std::string::npos);
  EXPECT_EQ(rec.regression.estimation, 0);
  EXPECT_EQ(rec.x, data);
}

TEST_F(Regression, ProjectFileKeepsTheEstimateAndAuxiliaryColumns) {
  UnivariateRecord& rec = line_trend();
  app.dispatch(cmd::RegressionLeastSquares);
  rec.regression.more_counts = {1, 3, 1};  // one auxiliary column, as Browse leaves it
  rec.regression.auxiliary_rows = 100;
  rec.regression.auxiliary.assign(100, 0.5);
  const ProjectReadResult back = parse_project_text(project_file_text(rec, s.colours));
  ASSERT_EQ(back.status, ProjectReadStatus::Read) << back.error.text;
  const RegressionTrend& g = back.file.record.regression;
  EXPECT_EQ(g.estimation, 1);
  ASSERT_EQ(g.coefficients.size(), 3u);
  EXPECT_NEAR(g.coefficients[0], rec.regression.coefficients[0], 1e-9);
  EXPECT_EQ(g.auxiliary_rows, 100);
  EXPECT_EQ(g.auxiliary, rec.regression.auxiliary);
}

}  // namespace
}  // namespace zelk::test
