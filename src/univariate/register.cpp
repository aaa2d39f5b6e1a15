// The univariate analyses: transformations, ACF/PACF, histograms, spectra,
// and the menu that the regression commands will fill.
#include "model/transforms.h"
#include "port/rules.h"
#include "port/session.h"
#include "project/univariate_record.h"
#include "univariate/features.h"
#include "project/transform_rules.h"
#include "univariate/spectrum_ops.h"
#include "univariate/regression_ops.h"
#include "univariate/univariate_ops.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

// The ACF display mode's pane bits: both (24) -> first (8) -> second (16) -> both.
int next_panes(int mode) {
  switch (mode & 24) {
    case 8: return 16;
    case 16: return 24;
    default: return 8;
  }
}

// Asking again for what the ACF window already shows steps through its panes.
void step_acf_panes(Session& s, int entry, int id, UnivariateRecord& rec) {
  const int kind_bits = id == cmd::SampleAcf ? 1 : id == cmd::ModelAcf ? 2 : 3;
  if (Window* w = s.desktop.find(entry, windows::Acf)) {
    const bool sample = rec.acf_mode & 1, model = rec.acf_mode & 2;
    const bool same = (id == cmd::SampleAcf && !model) || (id == cmd::ModelAcf && !sample) ||
                      (id == cmd::SampleModelAcf && sample && model);
    if (same) {
      rec.acf_mode = (rec.acf_mode & ~24) | next_panes(rec.acf_mode);
      s.desktop.changed(*w);
    }
  }
  if ((rec.acf_mode & 24) == 0) rec.acf_mode |= 24;
  rec.acf_mode = (rec.acf_mode & 24) | kind_bits;
}

UnivariateOperation acf_command(int id) {
  return [id](Session& s, int entry, UnivariateRecord& rec) {
    step_acf_panes(s, entry, id, rec);
    draw_acf_window(s, entry, rec);
    if (Window* w = s.desktop.find(entry, windows::Acf)) s.desktop.focus(w->id);
  };
}

void refresh_histogram(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) {
    if (Window* w = s.desktop.find(entry, windows::Histogram)) {
      w->graph->clear();
      s.desktop.changed(*w);
    }
    return;
  }
  draw_histogram(s, entry, rec, rec.params.histogram_bins);
}

CommandSpec with_button(CommandSpec c, int order, int image, const char* tooltip) {
  return with_button(std::move(c), kUnivariateBar, order, image, tooltip);
}

// A transformation is offered while the list allows it; without data the
// whole menu is greyed instead.
CommandSpec transform(int id, TransformCommand which, const char* text, int order, UnivariateOperation op) {
  CommandSpec c = univariate_command(id, text, "&Transform", order, std::move(op));
  c.enabled = [which](const ProjectView& v) { return !rules::univariate_data(v) || transform_allowed(*v.univariate, which); };
  return c;
}

void transform_commands(Feature& f) {
  f.commands.push_back(transform(cmd::BoxCox, TransformCommand::BoxCox, "&Box - Cox", 10, [](Session& s, int e, UnivariateRecord& r) { box_cox(s, e, r); }));
  f.commands.push_back(transform(cmd::Classical, TransformCommand::Classical, "&Classical", 11, classical));
  f.commands.push_back(transform(cmd::Difference, TransformCommand::Difference, "&Difference", 12, difference));
  f.commands.push_back(transform(cmd::SubtractMean, TransformCommand::SubtractMean, "&Subtract Mean", 13, subtract_mean));
  f.commands.push_back(transform(cmd::Subsequence, TransformCommand::Subsequence, "Subse&quence", 14, subsequence));
  CommandSpec undo = univariate_command(cmd::Undo, "&Undo ", "&Transform", 20, undo_transformation);
  undo.enabled = [](const ProjectView& v) { return !rules::univariate_data(v) || !v.univariate->transforms.empty(); };
  undo.label = [](const ProjectView& v) {
    return rules::univariate_data(v) ? undo_label(v.univariate->transforms) : std::string("&Undo ");
  };
  f.commands.push_back(undo);
  f.commands.push_back(transform(cmd::ShowClassicalFit, TransformCommand::ShowClassicalFit, "S&how Classical Fit", 30, show_classical_fit));
}

void statistics_commands(Feature& f) {
  const char* acf = "St&atistics > &ACF/PACF";
  f.commands.push_back(with_button(univariate_command(cmd::SampleAcf, "&Sample", acf, 10, acf_command(cmd::SampleAcf)), 11, 1,
                                   "Plot sample ACF/PACF "));
  f.commands.push_back(with_button(univariate_command(cmd::ModelAcf, "&Model", acf, 11, acf_command(cmd::ModelAcf)), 24, 7,
                                   "Plot model ACF/PACF"));
  CommandSpec both = with_button(univariate_command(cmd::SampleModelAcf, "&Sample / Model", acf, 12, acf_command(cmd::SampleModelAcf)),
                                 12, 2, "Plot sample and model ACF/PACF");
  both.enabled = rules::unless_empty_project;
  f.commands.push_back(both);
  f.commands.push_back(univariate_command(cmd::SpecifyLag, "Specify &Lag", acf, 20, specify_lag));

  const char* histogram = "St&atistics > &Histogram";
  f.commands.push_back(with_button(univariate_command(cmd::Histogram, "&Default", histogram, 10, default_histogram), 15, 3,
                                   "Plot sample histogram"));
  f.commands.push_back(univariate_command(cmd::HistogramBins, "&Set Bin Count", histogram, 11,
                               [](Session& s, int e, UnivariateRecord& r) { set_histogram_bins(s, e, r, false); }));
  const char* residual_histogram = "St&atistics > &Residual Analysis > &Histogram";
  f.commands.push_back(with_button(univariate_command(cmd::ResidualHistogram, "&Default", residual_histogram, 10,
                                           [](Session& s, int e, UnivariateRecord& r) { draw_residual_histogram(s, e, r, 0); }),
                                   32, 10, "Plot histogram of residuals"));
  f.commands.push_back(univariate_command(cmd::ResidualHistogramBins, "&Set bin count", residual_histogram, 11,
                               [](Session& s, int e, UnivariateRecord& r) { set_histogram_bins(s, e, r, true); }));
}

bool regression_specified(const ProjectView& v) { return v.univariate && v.univariate->regression.present; }
bool regression_estimated(const ProjectView& v) { return v.univariate && v.univariate->regression.estimation != 0; }

void regression_commands(Feature& f) {
  const char* r = "&Regression";
  f.commands.push_back(univariate_command(cmd::RegressionSpecify, "&Specify", r, 10, specify_regression));
  CommandSpec c = univariate_command(cmd::RegressionLeastSquares, "&Least Squares", r, 11, regression_least_squares);
  c.enabled = regression_specified;
  f.commands.push_back(c);
  c = with_button(univariate_command(cmd::RegressionGls, "&Generalized LS", r, 12, regression_gls), 21, 19,
                  "Generalized least squares");
  c.enabled = regression_specified;
  f.commands.push_back(c);
  c = univariate_command(cmd::RegressionRemove, "&Remove ", r, 20, remove_regression);
  c.enabled = regression_estimated;
  f.commands.push_back(c);
  c = univariate_command(cmd::RegressionShowFit, "S&how fit", r, 21, show_regression_fit);
  c.enabled = regression_estimated;
  f.commands.push_back(c);
}

UnivariateOperation cumulative(CumulativeMode mode) {
  return [mode](Session& s, int e, UnivariateRecord& r) { show_cumulative_spectrum(s, e, r, mode); };
}

void spectrum_commands(Feature& f) {
  const char* sp = "Sp&ectrum";
  // Without data the periodogram stays offered and does nothing.
  f.commands.push_back(with_button(univariate_command(cmd::Periodogram, "&Periodogram", sp, 10, show_periodogram), 13, 16,
                                   "Plot sample spectrum."));
  CommandSpec c = with_button(univariate_command(cmd::ModelAndPeriodogram, "Model &and Periodogram", sp, 11, show_model_and_periodogram),
                              14, 18, "Plot sample and model spectra.");
  c.enabled = rules::unless_empty_project;
  f.commands.push_back(c);
  c = univariate_command(cmd::SmoothedPeriodogram, "&Smoothed Periodogram", sp, 12, smooth_periodogram);
  c.enabled = rules::unless_empty_project;
  f.commands.push_back(c);
  c = univariate_command(cmd::FisherTest, "&Fisher Test", sp, 13, fisher_test_command);
  c.enabled = rules::unless_empty_project;
  f.commands.push_back(c);
  f.commands.push_back(with_button(univariate_command(cmd::ModelSpectrum, "&Default", "Sp&ectrum > &Model", 10, show_model_spectrum),
                                   25, 17, "Plot model spectrum."));
  f.commands.push_back(univariate_command(cmd::SpectrumResolution, "&Specify plot resolution", "Sp&ectrum > &Model", 11,
                               specify_spectrum_resolution));
  c = univariate_command(cmd::LogSpectrum, "&Log Spectrum", sp, 20, toggle_log_spectrum);
  c.checked = [](const ProjectView& v) {
    const SpectrumView* view = v.univariate ? v.univariate->kept.find<SpectrumView>() : nullptr;
    return view && view->log;
  };
  f.commands.push_back(c);
  const char* cumulative_path = "Sp&ectrum > &Cumulative Spectrum";
  f.commands.push_back(univariate_command(cmd::CumulativePeriodogram, "&Periodogram", cumulative_path, 10,
                               cumulative(CumulativeMode::Periodogram)));
  f.commands.push_back(univariate_command(cmd::CumulativeModel, "&Model", cumulative_path, 11, cumulative(CumulativeMode::Model)));
  f.commands.push_back(univariate_command(cmd::CumulativeBoth, "&Both", cumulative_path, 12, cumulative(CumulativeMode::Both)));
  f.commands.push_back(univariate_command(cmd::CumulativeModelStandardized, "M&odel Standardized", cumulative_path, 13,
                               cumulative(CumulativeMode::ModelStandardized)));
}

}  // namespace

Feature describe_univariate() {
  Feature f;
  f.name = "univariate";
  const auto U = MenuKind::Univariate;
  f.popups = {{U, "&Transform", 1, rules::univariate_data},
              {U, "&Regression", 3, rules::univariate_data},
              {U, "St&atistics", 4, rules::univariate_data},
              {U, "St&atistics > &ACF/PACF", 10, {}},
              {U, "St&atistics > &Histogram", 11, {}},
              {U, "St&atistics > &Residual Analysis", 12, {}},
              {U, "St&atistics > &Residual Analysis > &Histogram", 12, {}},
              {U, "Sp&ectrum", 7, rules::project_open},
              {U, "Sp&ectrum > &Model", 14, {}},
              {U, "Sp&ectrum > &Cumulative Spectrum", 30, rules::unless_empty_project}};
  transform_commands(f);
  statistics_commands(f);
  regression_commands(f);
  spectrum_commands(f);

  f.windows.push_back({windows::Project, {}, write_summary_info, {}, {}});
  f.windows.push_back({windows::Acf, draw_acf_window, write_acf_info, {}, {}});
  f.windows.push_back({windows::Histogram, refresh_histogram, write_histogram_info, {}, {}});
  f.windows.push_back({windows::ResidualHistogram,
                       [](Session& s, int e, UnivariateRecord& r) {
                         if (!r.results.residuals.empty()) draw_residual_histogram(s, e, r, r.params.residual_histogram_bins);
                       },
                       write_residual_histogram_info, {}, {}});
  f.windows.push_back({windows::ClassicalFit, {}, write_fit_info, {}, {}});
  f.windows.push_back({windows::Spectrum, draw_spectrum_window, write_spectrum_info, {}, {}});
  f.windows.push_back({windows::CumulativeSpectrum, draw_cumulative_window, write_cumulative_info, {}, {}});
  f.windows.push_back({windows::RegressionFit, refresh_regression_fit, write_regression_fit_info, {}, {}});
  f.windows.push_back({windows::RegressionEstimates, refresh_regression_estimates, {}, {}, {}});

  // The summary names the transformations; it follows every change of series.
  f.reactions.push_back({Event::SeriesChanged, [](Session& s, int entry) {
                           if (UnivariateRecord* r = s.projects.univariate(entry))
                             r->transform_summary = transform_summary(r->transforms);
                         }});
  // The spectra of the old series or model are stale; open windows recompute them.
  f.reactions.push_back({Event::SeriesChanged, [](Session& s, int entry) {
                           if (UnivariateRecord* r = s.projects.univariate(entry)) forget_series_spectra(*r);
                         }});
  f.reactions.push_back({Event::ModelChanged, [](Session& s, int entry) {
                           if (UnivariateRecord* r = s.projects.univariate(entry)) forget_model_spectra(*r);
                         }});
  f.reactions.push_back({Event::ModelChanged, reestimate_gls});
  for (auto make : {make_specify_lag_dialog, make_histogram_bins_dialog, make_difference_dialog,
                    make_subsequence_dialog, make_box_cox_dialog, make_classical_dialog,
                    make_smoothing_dialog, make_resolution_dialog, make_fisher_dialog, make_regression_dialog,
                    make_multivariate_read_dialog})
    f.dialogs.push_back(make);
  return f;
}

}  // namespace zelk
