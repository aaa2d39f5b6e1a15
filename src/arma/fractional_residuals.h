#pragma once
// One-step prediction under a fractionally integrated model. Its covariances
// decay too slowly for the banded innovations form, so the predictors come
// from the Durbin-Levinson recursion on the model autocovariance (Brockwell &
// Davis 1991, Sec. 5.2), taken to at most kMaxFractionalOrder past values.
#include <span>
#include <vector>

#include "arma/model_acf.h"
#include "model/arma_model.h"

namespace zelk {

inline constexpr int kMaxFractionalOrder = 2200;

// The best linear predictor of x(t) from the values before it, one order
// higher after each raise() until the lags of the ACF run out.
class FractionalPredictor {
 public:
  // acf: rho(0..K) and gamma(0) > 0 of a causal model.
  explicit FractionalPredictor(ModelAcf acf);
  int order() const { return static_cast<int>(phi_.size()); }
  // The prediction of *x_t from the order() values before it in memory.
  double predict(const double* x_t) const;
  double mse() const { return v_; }  // white-noise variance included
  void raise();

 private:
  ModelAcf acf_;
  std::vector<double> phi_, next_;
  double v_ = 0;
};

struct FractionalResiduals {
  std::vector<double> residuals;           // e(t)
  std::vector<double> rescaled_residuals;  // e(t) / sqrt(r(t-1)), r = v / sigma2
};

// Empty when the model is not causal or x is empty.
FractionalResiduals fractional_residuals(const ArmaModel& model, std::span<const double> x);

}  // namespace zelk
