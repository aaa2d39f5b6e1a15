// Multivariate projects: transformations, vector AR, transfer functions and
// cross-correlation.
#include "multivariate/features.h"
#include "multivariate/mv_ops.h"
#include "multivariate/mv_transform.h"
#include "multivariate/smooth_dialog.h"
#include "multivariate/transfer_dialog.h"
#include "multivariate/transfer_ops.h"
#include "multivariate/var_dialog.h"
#include "multivariate/var_ops.h"
#include "multivariate/windows.h"
#include "port/rules.h"
#include "project/multivariate_record.h"

namespace zelk {
namespace {

CommandSpec with_button(CommandSpec c, int order, int image, const char* tooltip) {
  return with_button(std::move(c), kMultivariateBar, order, image, tooltip);
}

CommandSpec* find_command(Feature& f, int id) {
  for (CommandSpec& c : f.commands)
    if (c.id == id) return &c;
  return nullptr;
}

}  // namespace

Feature describe_multivariate() {
  Feature f;
  f.name = "multivariate";
  const auto M = MenuKind::Multivariate;
  f.popups = {{M, "&Transform", 1, rules::multivariate_data},
              {M, "&AR-Model", 2, rules::multivariate_data},
              {M, "T&ransfer", 3, rules::multivariate_data},
              {M, "&Statistics", 4, rules::multivariate_data},
              {M, "&Statistics > Cross-&correlation", 10, {}},
              {M, "F&orecasting", 5, rules::multivariate_data}};

  // While means are subtracted only Undo is offered.
  const Rule transform_allowed = [](const ProjectView& v) {
    return !rules::multivariate_data(v) || mv_transform_allowed(*v.multivariate);
  };
  for (CommandSpec t : {multivariate_command(cmd::MvDifference, "&Difference", "&Transform", 10, mv_difference),
                        multivariate_command(cmd::MvSubtractMeans, "&Subtract Means", "&Transform", 11, mv_subtract_means),
                        multivariate_command(cmd::MvTrim, "&Trim", "&Transform", 12, mv_trim)}) {
    t.enabled = transform_allowed;
    f.commands.push_back(t);
  }
  CommandSpec undo = multivariate_command(cmd::MvUndo, "&Undo ", "&Transform", 20, mv_undo);
  undo.enabled = [](const ProjectView& v) { return !rules::multivariate_data(v) || !v.multivariate->transforms.empty(); };
  undo.label = [](const ProjectView& v) {
    return rules::multivariate_data(v) ? mv_undo_label(*v.multivariate) : std::string("&Undo ");
  };
  f.commands.push_back(undo);

  const char* ar = "&AR-Model";
  f.commands.push_back(with_button(multivariate_command(cmd::VarYuleWalker, "&Yule-Walker", ar, 10, var_yule_walker), 20, 21,
                                   "Multivariate Yule-Walker Estimation"));
  f.commands.push_back(with_button(multivariate_command(cmd::VarBurg, "&Burg", ar, 11, var_burg), 21, 22, "Multivariate Burg Estimation"));
  CommandSpec c = with_button(multivariate_command(cmd::VarPrediction, "&Prediction", ar, 12, var_prediction), 22, 23, "Plot AR-Model Forecasts");
  c.places.push_back({M, "F&orecasting", 10, "&AR Model"});
  f.commands.push_back(c);
  c = multivariate_command(cmd::VarSimulate, "S&imulate", ar, 20, var_simulate);
  c.project_event = true;
  f.commands.push_back(c);
  f.commands.push_back(with_button(multivariate_command(cmd::VarResiduals, "&Plot Residuals", ar, 30, var_plot_residuals), 23, 24, "Plot AR-Model Residuals"));
  f.commands.push_back(with_button(multivariate_command(cmd::VarResidualCcf, "Plot &Cross-Correlations", ar, 31, var_residual_ccf), 24, 7,
                                   "Plot cross-correlations of residuals"));

  const char* tr = "T&ransfer";
  f.commands.push_back(with_button(multivariate_command(cmd::TransferSpecify, "S&pecify model", tr, 10, transfer_specify), 30, 25,
                                   "Specify transfer model"));
  f.commands.push_back(with_button(multivariate_command(cmd::TransferEstimate, "&Estimation", tr, 11, transfer_estimate), 31, 26,
                                   "Estimation for transfer function model"));
  c = with_button(multivariate_command(cmd::TransferPrediction, "&Prediction", tr, 12, transfer_prediction), 32, 27,
                  "Prediction using transfer function model");
  c.places.push_back({M, "F&orecasting", 11, "&Transfer-function"});
  f.commands.push_back(c);
  f.commands.push_back(with_button(multivariate_command(cmd::TransferResiduals, "&Plot Residuals", tr, 20, transfer_plot_residuals),
                                   33, 28, "Plot residuals from transfer function model"));
  f.commands.push_back(with_button(multivariate_command(cmd::TransferResidualAcf, "Plot &ACF", tr, 21, transfer_residual_acf), 34, 9,
                                   "Plot ACF of residuals"));

  f.commands.push_back(with_button(multivariate_command(cmd::Ccf, "&Sample", "&Statistics > Cross-&correlation", 10, show_ccf), 11,
                                   1, "Plot sample cross-correlations"));
  f.commands.push_back(multivariate_command(cmd::CcfLag, "S&pecify lag", "&Statistics > Cross-&correlation", 11, specify_ccf_lag));
  f.commands.push_back(with_button(multivariate_command(cmd::CrossSpectrum, "&Cross-spectrum", "&Statistics", 11, show_cross_spectrum),
                                   12, 16, "Plot cross-spectrum"));
  f.commands.push_back(multivariate_command(cmd::SmoothCrossSpectrum, "S&mooth spectrum", "&Statistics", 12, smooth_cross_spectrum));
  // The tool-bar buttons stand outside the greyed menus: they wait for data too.
  for (int id : {cmd::Ccf, cmd::CrossSpectrum, cmd::VarYuleWalker, cmd::VarBurg, cmd::VarPrediction, cmd::VarResiduals,
                 cmd::VarResidualCcf, cmd::TransferSpecify, cmd::TransferEstimate, cmd::TransferPrediction,
                 cmd::TransferResiduals, cmd::TransferResidualAcf})
    if (CommandSpec* b = find_command(f, id)) b->enabled = rules::multivariate_data;
  c = multivariate_command(cmd::CrossAcf, "&Cross-ACF", "&Statistics", 20);
  c.scope = CommandScope::Any;  // the frame answers it until it exists
  f.commands.push_back(c);

  f.windows.push_back({windows::Project, {}, {}, plot_mv_project, write_mv_summary});
  f.windows.push_back({windows::Ccf, {}, {}, refresh_ccf, write_ccf_info});
  f.windows.push_back({windows::CrossSpectrum, {}, {}, refresh_cross_spectrum, write_spectrum_info});
  f.windows.push_back({windows::ArForecast, {}, {}, refresh_var_forecast, write_var_forecast_info});
  f.windows.push_back({windows::ArResiduals, {}, {}, refresh_var_residuals, write_var_residuals_info});
  f.windows.push_back({windows::ArResidualCcf, {}, {}, refresh_var_residual_ccf, write_var_residual_ccf_info});
  f.windows.push_back({windows::TransferResiduals, {}, {}, refresh_transfer_residuals, write_transfer_residuals_info});
  f.windows.push_back({windows::TransferResidualAcf, {}, {}, refresh_transfer_residual_acf, write_transfer_residual_acf_info});
  f.windows.push_back({windows::TransferForecast, {}, {}, refresh_transfer_forecast, write_transfer_forecast_info});

  f.dialogs.push_back(make_mv_difference_dialog);
  f.dialogs.push_back(make_mv_trim_dialog);
  f.dialogs.push_back([] {
    static VarEstimationSettings settings;
    return std::make_unique<VarEstimationDialog>(VarMethod::YuleWalker, settings, 21);
  });
  f.dialogs.push_back([] {
    static VarEstimationSettings settings;
    return std::make_unique<VarEstimationDialog>(VarMethod::Burg, settings, 21);
  });
  f.dialogs.push_back([] {
    static VarForecastSettings settings;
    return std::make_unique<VarForecastDialog>(settings, 100, 1);
  });
  f.dialogs.push_back([] {
    static VarSimulationDialogSettings settings;
    return std::make_unique<VarSimulationDialog>(settings, 1);
  });
  f.dialogs.push_back([] {
    static int lags = 40;
    return std::make_unique<CcfLagDialog>(lags);
  });
  f.dialogs.push_back([] {
    static DaniellSettings settings;
    return std::make_unique<SmoothSpectrumDialog>(settings, nullptr);
  });
  f.dialogs.push_back([] {
    static const std::vector<std::string> names{"Series 1", "Series 2"};
    return std::make_unique<TransferModelDialog>(TransferModel{}, names);
  });
  f.dialogs.push_back([] {
    static TransferEstimationSettings settings;
    return std::make_unique<TransferEstimationDialog>(settings);
  });
  f.dialogs.push_back([] {
    static TransferForecastSettings settings;
    return std::make_unique<TransferForecastDialog>(settings);
  });
  return f;
}

}  // namespace zelk
