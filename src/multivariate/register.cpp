// Multivariate projects: transformations, vector AR, transfer functions and
// cross-correlation.
#include "multivariate/features.h"
#include "port/rules.h"

namespace zelk {
namespace {

CommandSpec command(int id, const char* text, const char* path, int order) {
  CommandSpec c;
  c.id = id;
  c.text = text;
  c.scope = CommandScope::Multivariate;
  c.places = {{MenuKind::Multivariate, path, order}};
  return c;
}

CommandSpec with_button(CommandSpec c, int order, int image, const char* tooltip) {
  c.button = {kMultivariateBar, order, image, StandardImage::None};
  c.tooltip = tooltip;
  return c;
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

  f.commands.push_back(command(cmd::MvDifference, "&Difference", "&Transform", 10));
  f.commands.push_back(command(cmd::MvSubtractMeans, "&Subtract Means", "&Transform", 11));
  f.commands.push_back(command(cmd::MvTrim, "&Trim", "&Transform", 12));
  f.commands.push_back(command(cmd::MvUndo, "&Undo ", "&Transform", 20));

  const char* ar = "&AR-Model";
  f.commands.push_back(with_button(command(cmd::VarYuleWalker, "&Yule-Walker", ar, 10), 20, 21,
                                   "Multivariate Yule-Walker Estimation"));
  f.commands.push_back(with_button(command(cmd::VarBurg, "&Burg", ar, 11), 21, 22, "Multivariate Burg Estimation"));
  CommandSpec c = with_button(command(cmd::VarPrediction, "&Prediction", ar, 12), 22, 23, "Plot AR-Model Forecasts");
  c.places.push_back({M, "F&orecasting", 10, "&AR Model"});
  f.commands.push_back(c);
  c = command(cmd::VarSimulate, "S&imulate", ar, 20);
  c.project_event = true;
  f.commands.push_back(c);
  f.commands.push_back(with_button(command(cmd::VarResiduals, "&Plot Residuals", ar, 30), 23, 24, "Plot AR-Model Residuals"));
  f.commands.push_back(with_button(command(cmd::VarResidualCcf, "Plot &Cross-Correlations", ar, 31), 24, 7,
                                   "Plot cross-correlations of residuals"));

  const char* tr = "T&ransfer";
  f.commands.push_back(with_button(command(cmd::TransferSpecify, "S&pecify model", tr, 10), 30, 25, "Specify transfer model"));
  f.commands.push_back(with_button(command(cmd::TransferEstimate, "&Estimation", tr, 11), 31, 26,
                                   "Estimation for transfer function model"));
  c = with_button(command(cmd::TransferPrediction, "&Prediction", tr, 12), 32, 27, "Prediction using transfer function model");
  c.places.push_back({M, "F&orecasting", 11, "&Transfer-function"});
  f.commands.push_back(c);
  f.commands.push_back(with_button(command(cmd::TransferResiduals, "&Plot Residuals", tr, 20), 33, 28,
                                   "Plot residuals from transfer function model"));
  f.commands.push_back(with_button(command(cmd::TransferResidualAcf, "Plot &ACF", tr, 21), 34, 9, "Plot ACF of residuals"));

  f.commands.push_back(with_button(command(cmd::Ccf, "&Sample", "&Statistics > Cross-&correlation", 10), 11, 1,
                                   "Plot sample cross-correlations"));
  f.commands.push_back(command(cmd::CcfLag, "S&pecify lag", "&Statistics > Cross-&correlation", 11));
  f.commands.push_back(with_button(command(cmd::CrossSpectrum, "&Cross-spectrum", "&Statistics", 11), 12, 16,
                                   "Plot cross-spectrum"));
  f.commands.push_back(command(cmd::SmoothCrossSpectrum, "S&mooth spectrum", "&Statistics", 12));
  c = command(cmd::CrossAcf, "&Cross-ACF", "&Statistics", 20);
  c.scope = CommandScope::Any;  // the frame answers it until it exists
  f.commands.push_back(c);
  return f;
}

}  // namespace zelk
