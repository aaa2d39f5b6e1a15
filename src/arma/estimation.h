#pragma once
// How the project's ARMA model is estimated (the settings last entered in the
// estimation dialogs) and what the last fit found. Both are kept per project
// beside the model; the fitting kernels take them as arguments.
#include <vector>

namespace zelk {

struct UnivariateRecord;

struct ArmaEstimation {
  int criterion = -1;  // -1 maximum likelihood, 0 least squares
  int iteration_limit = 50;
  bool no_optimization = false;
  double accuracy = 0.00001;
  double recursion_tolerance = 0.00005;
  int estimation_method = 0;
  bool estimate_d = true;     // fractional fits: d is varied too
  double whittle_step = 0.1;  // pattern-search step last entered
};

struct ArmaFit {
  int estimation_status = 0;  // -1: the optimum was not causal
  int stop_code = 0;          // 1..4, see numeric::MinimizerStop
  int iterations = 0;
  int evaluations = 0;
  double saved_wn = 0.0;            // S/n of the last likelihood evaluation
  double reduced_likelihood = 0.0;  // l = ln(S/n) + mean of ln r(t-1)
  double objective = 0.0;
  double minus2_log_likelihood = 0.0;
  double aicc = 0.0;
  int recursion_steps = 0;
  int acvfs_used = 0;
  std::vector<double> standard_errors;  // beta order; empty = not available
};

// The project's settings and last fit, in their defaults until first set.
ArmaEstimation& arma_estimation(UnivariateRecord& rec);
const ArmaEstimation& arma_estimation(const UnivariateRecord& rec);
ArmaFit& arma_fit(UnivariateRecord& rec);
const ArmaFit& arma_fit(const UnivariateRecord& rec);

}  // namespace zelk
