#pragma once
// One-step residuals of a fractionally integrated model. Its covariances
// decay too slowly for the banded innovations form, so the predictors come
// from the Durbin-Levinson recursion on the model autocovariance (Brockwell &
// Davis 1991, Sec. 5.2), taken to at most kMaxFractionalOrder past values.
#include <span>
#include <vector>

#include "model/arma_model.h"

namespace zelk {

inline constexpr int kMaxFractionalOrder = 2200;

struct FractionalResiduals {
  std::vector<double> residuals;           // e(t)
  std::vector<double> rescaled_residuals;  // e(t) / sqrt(r(t-1)), r = v / sigma2
};

// Empty when the model is not causal or x is empty.
FractionalResiduals fractional_residuals(const ArmaModel& model, std::span<const double> x);

}  // namespace zelk
