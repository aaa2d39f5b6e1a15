#pragma once
// The current ARMA model of a univariate project: orders, coefficients,
// white-noise variance, the optimizer's free-parameter list and relations,
// and the fractional-integration settings. How it is estimated and what the
// last fit found are kept beside it by the arma feature.
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
  double sigma2 = 1.0;
  // Indices into beta = (phi(1..p), theta(1..q)), 1-based: i for phi(i), p+j for theta(j).
  std::vector<int> free_parameters;
  int relation_count = 0;
  std::array<int, kMaxRelations> relation_target{};
  std::array<int, kMaxRelations> relation_first{};
  std::array<int, kMaxRelations> relation_second{};
  double d = 0.0;
  int M = 50;
  bool fractional = false;

  int order_sum() const { return p + q; }
  // beta(i), 1-based over (phi(1..p), theta(1..q)).
  double beta(int i) const { return i <= p ? phi[i - 1] : theta[i - p - 1]; }
  double& beta(int i) { return i <= p ? phi[i - 1] : theta[i - p - 1]; }
};

}  // namespace zelk
