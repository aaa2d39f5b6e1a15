// The ARMA model: specifying it, estimating it, its infinite representations
// and the residual analysis commands.
#include "arma/arma_ops.h"
#include "arma/estimation.h"
#include "arma/features.h"
#include "arma/windows.h"
#include "port/rules.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

CommandSpec with_button(CommandSpec c, int order, int image, const char* tooltip) {
  return with_button(std::move(c), kUnivariateBar, order, image, tooltip);
}

}  // namespace

Feature describe_arma() {
  Feature f;
  f.name = "arma";
  f.popups = {{MenuKind::Univariate, "&Model", 2, rules::project_open}, {MenuKind::Univariate, "&Model > &Estimation", 11, {}}};

  f.commands.push_back(with_button(univariate_command(cmd::SpecifyModel, "&Specify", "&Model", 10, specify_model), 20, 4,
                                   "Specify model"));
  CommandSpec c = with_button(
      univariate_command(cmd::Preliminary, "&Preliminary", "&Model > &Estimation", 10, preliminary_estimation), 22, 5,
      "Preliminary estimation");
  c.enabled = rules::unless_empty_project;
  f.commands.push_back(c);
  c = with_button(univariate_command(cmd::MaxLikelihood, "&Max likelihood", "&Model > &Estimation", 11, max_likelihood), 23, 6,
                  "Maximum likelihood estimation");
  c.enabled = rules::unless_empty_project;
  f.commands.push_back(c);
  c = univariate_command(cmd::Simulate, "S&imulate", "&Model", 20, simulate);
  c.project_event = true;
  f.commands.push_back(c);
  f.commands.push_back(univariate_command(cmd::ArMaInfinity, "&AR/MA Infinity", "&Model", 21, ar_ma_infinity));
  f.commands.push_back(univariate_command(cmd::SwitchToInvertible, "S&witch to invertible", "&Model", 22, switch_to_invertible));
  c = univariate_command(cmd::AutoFit, "A&uto-fit (min AICC)", "&Model", 23, auto_fit_command);
  c.enabled = rules::unless_empty_project;
  f.commands.push_back(c);

  const char* residuals = "St&atistics > &Residual Analysis";
  f.commands.push_back(
      with_button(univariate_command(cmd::ResidualPlot, "&Plot", residuals, 10, plot_residuals), 30, 8, "Plot residuals"));
  f.commands.push_back(with_button(univariate_command(cmd::ResidualAcf, "&ACF/PACF", residuals, 11, residual_acf), 31, 9,
                                   "Plot ACF/PACF of residuals"));
  f.commands.push_back(univariate_command(cmd::TestsOfRandomness, "&Tests of Randomness", residuals, 13, tests_of_randomness));

  f.windows.push_back({windows::Residuals, draw_residual_plot, write_residual_plot_info, {}, {}});
  f.windows.push_back({windows::ResidualAcf, draw_residual_acf, write_residual_acf_info, {}, {}});
  f.windows.push_back({windows::RandomnessTests, refresh_randomness, {}, {}, {}});
  f.windows.push_back({windows::ArmaInfinity, write_ar_ma_infinity, write_ar_ma_infinity, {}, {}});

  // Residuals, once there, follow the series and the model they belong to.
  f.reactions.push_back({Event::SeriesChanged, [](Session& s, int entry) {
                           if (UnivariateRecord* r = s.projects.univariate(entry); r && !r->results.residuals.empty())
                             update_residuals(*r);
                         }});
  f.reactions.push_back({Event::ModelChanged, [](Session& s, int entry) {
                           if (UnivariateRecord* r = s.projects.univariate(entry)) update_residuals(*r);
                         }});
  f.reactions.push_back({Event::ProjectRead, [](Session& s, int entry) {
                           if (UnivariateRecord* r = s.projects.univariate(entry)) {
                             r->kept.reset<ArmaEstimation>();
                             r->kept.reset<ArmaFit>();
                           }
                         }});
  for (auto make : {make_specify_model_dialog, make_mle_dialog, make_constrain_dialog, make_mle_continue_dialog,
                    make_subtract_mean_dialog, make_fractional_mle_dialog, make_preliminary_dialog,
                    make_preliminary_continue_dialog, make_randomness_dialog, make_auto_fit_dialog,
                    make_simulation_dialog, make_noise_dialog})
    f.dialogs.push_back(make);
  return f;
}

}  // namespace zelk
