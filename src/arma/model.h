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
  int residual_lags = 0;
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
};

}  // namespace zelk
