// Model > Simulate end to end through the scripted port.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "arma/simulation_dialog.h"
#include "model/regression.h"
#include "model/transforms.h"
#include "port/commands.h"
#include "project/univariate_record.h"
#include "support/desk.h"

namespace zelk {
namespace {

class Simulate : public test::Desk {
 protected:
  UnivariateRecord& ar1_project() {
    UnivariateRecord& rec = project_with({10, 12, 11, 13, 12, 14, 13, 15, 14, 16});
    rec.model.p = 1;
    rec.model.phi[0] = 0.5;
    return rec;
  }
  bool shown(const std::string& line) {
    const auto& s = port.shown();
    return std::find(s.begin(), s.end(), line) != s.end();
  }
  std::vector<double> simulate(std::vector<std::pair<std::string, std::string>> set) {
    dialog("ARMA Simulation", std::move(set));
    app.dispatch(cmd::Simulate);
    const UnivariateRecord* r = s.projects.univariate(s.projects.current());
    return r ? r->x : std::vector<double>{};
  }
};

TEST_F(Simulate, IntoANewProjectLeavesTheSourceAsItWas) {
  UnivariateRecord& rec = ar1_project();
  const std::vector<double> before = rec.x;
  const std::vector<double> x = simulate({{"n", "200"}, {"seed", "7"}, {"new", "on"}});
  EXPECT_EQ(s.projects.current(), 2);
  EXPECT_EQ(x.size(), 200u);
  EXPECT_EQ(rec.x, before);
  const UnivariateRecord& fresh = *s.projects.univariate(2);
  EXPECT_EQ(fresh.name, "ARMA Simulation");
  EXPECT_EQ(fresh.model.phi[0], 0.5);
  ASSERT_NE(s.desktop.find(2, windows::Project), nullptr);
  EXPECT_EQ(s.desktop.find(2, windows::Project)->caption, "ARMA Simulation");
}

TEST_F(Simulate, IntoTheCurrentProjectFollowsTheSeedRules) {
  ar1_project();
  const std::vector<double> a = simulate({{"n", "30"}, {"seed", "12345"}});
  EXPECT_EQ(s.projects.current(), 1);
  EXPECT_EQ(s.projects.univariate(1)->name, "ARMA Simulation");
  EXPECT_EQ(simulate({{"seed", "12345"}}), a);
  EXPECT_NE(simulate({{"seed", "0"}}), a);
  EXPECT_EQ(simulate({{"seed", "1"}}), a);
}

TEST_F(Simulate, ChosenComponentsArePutBackByTheirInverses) {
  // Logs, a lag-1 difference and the mean: the simulated series given all
  // three back must give the plain simulation again when transformed the same way.
  UnivariateRecord& rec = ar1_project();
  const double first = rec.x[0];
  TimeIndices t{rec.first, rec.last};
  rec.push_transform(apply_box_cox(rec.x, 0.0), t.first, t.last);
  rec.push_transform(apply_difference(rec.x, t, 1), t.first, t.last);
  rec.push_transform(apply_subtract_mean(rec.x), t.first, t.last);
  const double mean = rec.transforms.back().subtracted_mean;
  const std::vector<std::pair<std::string, std::string>> common = {
      {"n", "40"}, {"seed", "3"}, {"variance", "0.0001"}, {"new", "on"}};
  const std::vector<double> plain = simulate(common);
  s.projects.set_current(1);
  auto all = common;
  all.insert(all.end(), {{"mean", "on"}, {"differencing", "on"}, {"box_cox", "on"}});
  const std::vector<double> y = simulate(all);
  ASSERT_EQ(y.size(), plain.size() + 1);
  EXPECT_NEAR(y[0], first, 1e-12);
  for (std::size_t i = 0; i < plain.size(); ++i) EXPECT_NEAR(std::log(y[i + 1]) - std::log(y[i]) - mean, plain[i], 1e-9);
}

TEST_F(Simulate, TrendAndSeasonalPartAreAddedAtTheSimulatedTimes) {
  // A fitted trend 1 + 0.5 t + 2 a(t) with an auxiliary series a of 12 values,
  // and a seasonal part of period 2 (+1, -1): by hand, the simulated series
  // gains 1 + 0.5 t + 2 a(t) + (t odd ? 1 : -1) at t = 1..n.
  UnivariateRecord& rec = ar1_project();
  std::vector<double> aux(12);
  for (int i = 0; i < 12; ++i) aux[i] = 10.0 * (i + 1);
  RegressionSpec terms;
  terms.order = 1;
  terms.auxiliary_count = 1;
  terms.auxiliary_rows = 12;
  terms.auxiliary = aux;
  set_regression_spec(rec.regression, terms);
  rec.regression.estimation = 1;
  rec.regression.coefficients = {1.0, 0.5, 2.0};
  Transformation seasonal;
  seasonal.kind = TransformKind::Classical;
  seasonal.period = 2;
  seasonal.seasonal = {1.0, -1.0};
  seasonal.degree = 0;
  rec.transforms.push_back(seasonal);

  const std::vector<std::pair<std::string, std::string>> common = {{"n", "12"}, {"seed", "8"}, {"new", "on"}};
  const std::vector<double> plain = simulate(common);
  s.projects.set_current(1);
  auto both = common;
  both.insert(both.end(), {{"regression", "on"}, {"seasonal", "on"}});
  const std::vector<double> y = simulate(both);
  ASSERT_EQ(y.size(), 12u);
  for (int t = 1; t <= 12; ++t)
    EXPECT_NEAR(y[t - 1] - plain[t - 1], 1 + 0.5 * t + 2 * aux[t - 1] + (t % 2 == 1 ? 1 : -1), 1e-9) << t;

  s.projects.set_current(1);
  simulate({{"n", "13"}, {"regression", "on"}});  // one beyond the auxiliary series
  EXPECT_TRUE(shown("MESSAGE [ERROR]  Cannot simulate beyond the length of the auxiliary variables in regression "
                    "function. -> OK"));
  EXPECT_EQ(s.projects.current(), 1);
}

TEST_F(Simulate, SimulationDialogRefusals) {
  UnivariateRecord& rec = ar1_project();
  const std::vector<double> before = rec.x;
  dialog("ARMA Simulation", {{"n", "0"}});
  dialog("ARMA Simulation", {{"n", "10"}, {"variance", "-1"}});
  dialog("ARMA Simulation", {{"variance", "1"}, {"seed", "-4"}});
  app.dispatch(cmd::Simulate);
  EXPECT_TRUE(shown("MESSAGE [ERROR]  Number of observations must be > 0 -> OK"));
  EXPECT_TRUE(shown("MESSAGE [ERROR]  WN Variance must be postive -> OK"));
  EXPECT_TRUE(shown("MESSAGE [ERROR]  Seed must be an integer from 0 to 2147483646 -> OK"));
  EXPECT_EQ(rec.x, before);
}

TEST_F(Simulate, NoiseParametersOutsideTheirDomainsAreRefused) {
  struct Case {
    const char* law;
    const char* key;
    const char* value;
    const char* message;
  };
  const Case cases[] = {
      {"gamma", "M", "0", "M must be positive"},
      {"gamma", "gamma_alpha", "0", "Parameter must be positive"},
      {"lognormal", "lognormal_sigma", "-1", "Parameter must be positive"},
      {"stable", "stable_alpha", "2.5", "Alpha must be between 0 and 2."},
      {"stable", "stable_beta", "-1.5", "Beta must be between -1 and 1."},
      {"t", "t_df", "0", "Degrees of freedom must be positive"},
      {"weibull", "weibull_alpha", "-0.5", "Parameter must be positive"},
  };
  UnivariateRecord& rec = ar1_project();
  const std::vector<double> before = rec.x;
  for (const Case& c : cases) {
    port.clear_shown();
    dialog("ARMA Simulation", {}, "Change noise distribution");
    dialog("Noise distributions", {{c.law, "on"}, {c.key, c.value}});
    app.dispatch(cmd::Simulate);
    EXPECT_TRUE(shown(std::string("MESSAGE [ZELK Error] ") + c.message + " -> OK")) << c.key;
    EXPECT_EQ(rec.x, before) << c.key;
    EXPECT_EQ(rec.kept.get<SimulationSettings>().noise.law, NoiseLaw::Normal) << c.key;
  }
  // Accepted: the law is kept and used.
  dialog("ARMA Simulation", {}, "Change noise distribution");
  dialog("Noise distributions", {{"t", "on"}, {"t_df", "3"}, {"M", "50"}});
  const std::vector<double> x = simulate({{"n", "25"}});
  EXPECT_EQ(x.size(), 25u);
  EXPECT_EQ(rec.kept.get<SimulationSettings>().noise.law, NoiseLaw::T);
  EXPECT_EQ(rec.kept.get<SimulationSettings>().noise.startup, 50);
  EXPECT_EQ(rec.kept.get<SimulationSettings>().noise.t_df, 3.0);
}

TEST_F(Simulate, FractionalModelsAreGaussian) {
  UnivariateRecord& rec = ar1_project();
  rec.model.fractional = true;
  rec.model.d = 0.2;
  rec.kept.get<SimulationSettings>().noise.law = NoiseLaw::Gamma;
  dialog("ARMA Simulation", {}, "Change noise distribution");  // disabled: does nothing
  const std::vector<double> x = simulate({{"n", "60"}});
  EXPECT_FALSE(shown("NO ANSWER \"Noise distributions\""));
  EXPECT_EQ(x.size(), 60u);
  EXPECT_EQ(rec.kept.get<SimulationSettings>().noise.law, NoiseLaw::Normal);
}

}  // namespace
}  // namespace zelk
