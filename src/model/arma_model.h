#pragma once
// The current ARMA model of a univariate project: orders, coefficients,
// white-noise variance, the optimizer's free-parameter list and relations,
// and the fractional-integration settings.
#include <array>
#include <vector>

namespace zelk {

inline constexpr int kMaxArmaOrder = 27;
inline constexpr int kMaxRelations = 6;

struct ArmaModel {
  int p = 0;
  std::array<double, kMaxArmaOrder> phi{};  // phi(1..p) at [0..p-1]; the rest 0
  int q = 0;
  std::array<double, kMaxArmaOrder> theta{};
  std::vector<double> model_acf;   // rho(0..Lm), empty until computed
  std::vector<double> model_pacf;  // alpha(0..Lm)
  int acvfs_used = 0;
  int estimation_method = 0;
  int estimation_status = 0;
  double sigma2 = 1.0;
  double recursion_tolerance = 0.00005;
  double accuracy = 0.00001;
  // Indices into beta = (phi(1..p), theta(1..q)), 1-based: i for phi(i), p+j for theta(j).
  std::vector<int> free_parameters;
  int relation_count = 0;
  std::array<int, kMaxRelations> relation_target{};
  std::array<int, kMaxRelations> relation_first{};
  std::array<int, kMaxRelations> relation_second{};
  double model_variance = 0.0;
  double d = 0.0;
  int M = 50;
  bool fractional = false;

  // Maximum likelihood: settings and the outcome of the last fit.
  int criterion = -1;  // -1 maximum likelihood, 0 least squares
  int iteration_limit = 50;
  bool no_optimization = false;
  int stop_code = 0;  // 1..4, see numeric::MinimizerStop
  int iterations = 0;
  int evaluations = 0;
  double saved_wn = 0.0;            // S/n of the last likelihood evaluation
  double reduced_likelihood = 0.0;  // l = ln(S/n) + mean of ln r(t-1)
  double objective = 0.0;
  double minus2_log_likelihood = 0.0;
  double aicc = 0.0;
  int recursion_steps = 0;
  std::vector<double> standard_errors;  // beta order; empty = not available
  bool estimate_d = true;               // fractional fits: d is varied too
  double whittle_step = 0.1;            // pattern-search step last entered

  int order_sum() const { return p + q; }
  // beta(i), 1-based over (phi(1..p), theta(1..q)).
  double beta(int i) const { return i <= p ? phi[i - 1] : theta[i - p - 1]; }
  double& beta(int i) { return i <= p ? phi[i - 1] : theta[i - p - 1]; }
};

}  // namespace zelk
