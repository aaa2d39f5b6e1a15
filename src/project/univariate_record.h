#pragma once
// Everything one univariate project holds: the working series and the data
// as imported, the model, the regression trend, the transformation list, the
// values last entered in each dialog and the results of the analyses.
#include <string>
#include <vector>

#include "model/arma_model.h"
#include "project/feature_state.h"
#include "model/regression.h"
#include "model/transform.h"

namespace zelk {

// Values last entered in each dialog, with their defaults. Each analysis adds
// the fields its dialogs need.
struct AnalysisParameters {
  int acf_lags = 40;        // sample ACF/PACF lag count
  int model_acf_lags = 40;  // model ACF/PACF lag count
  int histogram_bins = 0;   // 0: the default count for the series
  int residual_histogram_bins = 0;
  int confidence = 95;
  int residual_acf_lags = 40;  // set with the sample lag count
};

// Result arrays kept for export and redrawing; empty = not computed.
struct Results {
  std::vector<double> residuals;
  std::vector<double> rescaled_residuals;
  std::vector<double> sample_acf;   // rho(0..L)
  std::vector<double> sample_pacf;  // alpha(0..L)
  double sample_variance = 1.0;     // gamma(0) of the last sample ACF
  std::vector<double> model_acf;    // rho(0..Lm) of the model; emptied when the model changes
  std::vector<double> model_pacf;   // alpha(0..Lm)
  double model_variance = 0.0;      // gamma(0) of the model
  std::vector<double> histogram_edges;   // e(0..k) of the series histogram
  std::vector<double> histogram_counts;  // counts of bins 1..k
  std::vector<double> periodogram;
  std::vector<double> smoothed_spectrum;
  std::vector<double> model_spectrum;
  std::vector<double> arma_forecasts;
  std::vector<double> exp_smooth;
  std::vector<double> ma_smooth;
  std::vector<double> fft_smooth;
};

struct UnivariateRecord {
  ArmaModel model;
  AnalysisParameters params;
  bool model_flag = false;
  RegressionTrend regression;

  // The series as read is not kept: undoing the transformations rebuilds it,
  // and a long series then costs one copy instead of two.
  std::vector<double> x;    // working series x(1..n) at x[0..n-1]
  int first = 0, last = 0;  // 1-based bounds of x within the data as read
  std::string series_name = "Series ";
  std::string name = "New Univariate Project";  // the project window's caption
  int acf_mode = 24;
  int residual_acf_mode = 24;
  int iterations = 0;
  std::string transform_summary;
  std::vector<Transformation> transforms;  // oldest first, newest last
  Results results;
  // Each feature's own settings and results (see FeatureState). `kept`
  // survives new data; `derived` holds what the data determine and is
  // emptied with them.
  FeatureState kept;
  FeatureState derived;

  std::string file_name;             // last file chosen; Save writes here
  bool project_file_known = false;   // Save needs no name when true

  int n() const { return static_cast<int>(x.size()); }
  bool data_present() const { return !x.empty(); }
  // Takes a transformation just applied to x: the new bounds and the node
  // that undoes it.
  void push_transform(Transformation node, int new_first, int new_last);
  // Installs freshly read values as the working series.
  void set_data(std::vector<double> values);
  // Frees the data, results, transformations and regression; keeps the ACF
  // display modes, the model, the parameters and the name.
  void release_data();
};

// The data as imported: the working series with every transformation undone
// (and an applied regression trend added back).
std::vector<double> untransformed(const UnivariateRecord& rec);

}  // namespace zelk
