// The automatic order search: its ranking against an independent ARMA fitter,
// its independence of the thread count, failures and cancel, and the
// command end to end.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numeric>
#include <vector>

#include "arma/auto_fit.h"
#include "arma/windows.h"
#include "project/univariate_record.h"
#include "support/desk.h"
#include "support/test_data.h"

namespace zelk {
namespace {

std::vector<double> lake_huron_deviations() { return test::lake_huron_deviations(); }

struct Reference {
  int p, q;
  double minus2_log_l;
};
// R 4.2: arima(x, order = c(p, 0, q), include.mean = FALSE, method = "ML") on
// the mean-corrected series, -2 * fit$loglik, for p, q = 0..3.
constexpr Reference kLakeHuron[] = {
    {1, 1, 206.5121}, {2, 0, 207.2834}, {3, 0, 206.0670}, {1, 2, 206.4841}, {2, 1, 206.4967}, {3, 1, 205.8179},
    {1, 3, 205.9336}, {2, 2, 206.4782}, {1, 0, 213.2651}, {3, 2, 205.7350}, {2, 3, 206.4749}, {3, 3, 204.4445},
    {0, 3, 212.1268}, {0, 2, 222.9329}, {0, 1, 249.2965}, {0, 0, 331.2698}};

TEST(AutoFitTest, LakeHuronRanksAsAnIndependentFitter) {
  const auto x = lake_huron_deviations();
  AutoFitOptions o;
  o.max_p = o.max_q = 3;
  const AutoFitResult r = auto_fit(x, o);
  ASSERT_EQ(r.candidates.size(), 16u);
  ASSERT_TRUE(r.found());
  // AICC = -2 log L + 2(p+q+1) n / (n-p-q-2) from the R fits above.
  EXPECT_EQ(r.candidates[0].p, 1);
  EXPECT_EQ(r.candidates[0].q, 1);
  EXPECT_NEAR(r.candidates[0].aicc, 212.767, 1e-3);
  EXPECT_EQ(r.candidates[1].p, 2);
  EXPECT_EQ(r.candidates[1].q, 0);
  EXPECT_NEAR(r.candidates[1].aicc, 213.539, 1e-3);
  EXPECT_EQ(r.candidates[2].p, 3);
  EXPECT_EQ(r.candidates[2].q, 0);
  EXPECT_NEAR(r.candidates[2].aicc, 214.497, 1e-3);
  EXPECT_NEAR(r.candidates[0].model.phi[0], 0.74457, 1e-4);
  // Every fit reaches at least the likelihood R reaches, except ARMA(3,3),
  // where R (with a convergence warning) finds a lower optimum.
  for (const Reference& ref : kLakeHuron) {
    if (ref.p == 3 && ref.q == 3) continue;
    const auto c = std::find_if(r.candidates.begin(), r.candidates.end(),
                                [&](const AutoFitCandidate& cand) { return cand.p == ref.p && cand.q == ref.q; });
    ASSERT_NE(c, r.candidates.end());
    EXPECT_TRUE(c->eligible()) << ref.p << "," << ref.q;
    EXPECT_LT(c->minus2_log_likelihood, ref.minus2_log_l + 2e-3) << ref.p << "," << ref.q;
  }
  for (std::size_t i = 1; i < r.candidates.size(); ++i) EXPECT_LE(r.candidates[i - 1].aicc, r.candidates[i].aicc);
}

TEST(AutoFitTest, TheTableDoesNotDependOnTheThreadCount) {
  const auto x = lake_huron_deviations();
  AutoFitOptions o;
  o.max_p = o.max_q = 2;
  o.threads = 1;
  const AutoFitResult one = auto_fit(x, o);
  o.threads = 3;
  const AutoFitResult three = auto_fit(x, o);
  ASSERT_EQ(one.candidates.size(), three.candidates.size());
  for (std::size_t i = 0; i < one.candidates.size(); ++i) {
    EXPECT_EQ(one.candidates[i].p, three.candidates[i].p);
    EXPECT_EQ(one.candidates[i].q, three.candidates[i].q);
    EXPECT_EQ(one.candidates[i].aicc, three.candidates[i].aicc);  // bit for bit
    EXPECT_EQ(one.candidates[i].model.phi, three.candidates[i].model.phi);
  }
}

TEST(AutoFitTest, FailuresAndCancelNeverStopTheSearch) {
  // Six values: orders with p + q > 3 cannot be fitted, the rest still rank.
  const std::vector<double> x{1.2, -0.7, 0.4, 0.9, -1.1, 0.3};
  AutoFitOptions o;
  o.max_p = o.max_q = 3;
  const AutoFitResult r = auto_fit(x, o);
  ASSERT_EQ(r.candidates.size(), 16u);
  EXPECT_TRUE(r.found());
  int failed = 0;
  for (const auto& c : r.candidates) {
    if (c.outcome == CandidateOutcome::Failed) {
      ++failed;
      EXPECT_GT(c.p + c.q, 3);
      EXPECT_FALSE(c.eligible());
    }
  }
  EXPECT_EQ(failed, 6);  // (1,3) (2,2) (3,1) (2,3) (3,2) (3,3)

  int calls = 0;
  const AutoFitResult stopped = auto_fit(lake_huron_deviations(), o, [&](int, int) { return ++calls < 2; });
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(calls, 2);

  std::string why;
  o.max_p = 20;
  o.max_q = 8;
  EXPECT_FALSE(o.is_valid(&why));
  EXPECT_EQ(why, "The largest p and q may add up to 27 at most.");
}

class AutoFitCommand : public test::Desk {};

TEST_F(AutoFitCommand, LakeHuronWinnerBecomesTheModelWithBothReports) {
  UnivariateRecord& rec = lake_huron();
  dialog("Subtract Mean?", {}, "Yes");
  dialog("Auto-fit (min AICC)", {{"max_p", "3"}, {"max_q", "3"}});
  app.dispatch(cmd::AutoFit);
  ASSERT_EQ(rec.transforms.size(), 1u);
  EXPECT_EQ(rec.model.p, 1);
  EXPECT_EQ(rec.model.q, 1);
  EXPECT_NEAR(rec.model.theta[0], 0.32128, 1e-4);
  const auto ml = report(windows::MlEstimates);
  ASSERT_FALSE(ml.empty());
  EXPECT_EQ(ml[1], "ZELK::(Maximum likelihood estimates)");
  const auto lines = report(windows::AutoFit);
  const auto head = std::find(lines.begin(), lines.end(), "  p   q         AICC  -2Log(Like)   WN Variance  Stop");
  ASSERT_NE(head, lines.end());
  ASSERT_GE(lines.end() - head, 17);
  EXPECT_EQ(head[1].substr(0, 8), "  1   1 ");
  EXPECT_NEAR(std::stod(head[1].substr(8)), 212.767, 1e-3);
  EXPECT_EQ(head[2].substr(0, 8), "  2   0 ");
  EXPECT_NEAR(std::stod(head[2].substr(8)), 213.539, 1e-3);
  EXPECT_EQ(rec.results.rescaled_residuals.size(), 98u);  // residual checks can follow
}

TEST_F(AutoFitCommand, CancelKeepsTheModelAndFractionalModelsAreRefused) {
  struct Cancelling : ScriptedPort {
    bool progress(int) override { return false; }
  } cancelling;
  App other{cancelling};
  Session& os = other.session();
  cancelling.queue_dialog({"Create New Project ", {}, "OK", "create"});
  other.dispatch(cmd::New);
  UnivariateRecord& rec = *os.projects.univariate(1);
  install_series(os, 1, rec, lake_huron_deviations());
  rec.model.p = 1;
  rec.model.phi[0] = 0.5;
  cancelling.queue_dialog({"Subtract Mean?", {}, "No", "test"});
  cancelling.queue_dialog({"Auto-fit (min AICC)", {{"max_p", "2"}, {"max_q", "2"}}, "OK", "test"});
  other.dispatch(cmd::AutoFit);
  EXPECT_EQ(rec.model.p, 1);
  EXPECT_EQ(rec.model.phi[0], 0.5);
  EXPECT_EQ(os.desktop.find(1, windows::AutoFit), nullptr);

  UnivariateRecord& mine = lake_huron();
  mine.model.fractional = true;
  app.dispatch(cmd::AutoFit);
  ASSERT_EQ(port.shown().size(), 1u);
  EXPECT_NE(port.shown()[0].find("fractional"), std::string::npos);
}

}  // namespace
}  // namespace zelk
