#pragma once
// Regression trend M(t) = sum beta_j g_j(t) of a series Y(1..n): the design
// matrix, ordinary least squares and generalized least squares under an ARMA
// model of the errors X(t) = Y(t) - M(t).
//
// GLS whitens Y and every column by the model's rescaled one-step prediction
// errors (the innovations form of the likelihood), fits the whitened problem by
// ordinary least squares and takes Cov(beta) = sigma2 (X*'X*)^-1 (Brockwell &
// Davis, Introduction to Time Series and Forecasting, 2002, Sec. 6.6).
// A design of less than full column rank is refused: no coefficient is made up.
#include <span>
#include <vector>

#include "model/regression.h"
#include "model/regression_design.h"

namespace zelk {

enum class RegressionStatus {
  Ok,
  NoRegressors,   // r = 0
  TooFewValues,   // n < r
  Singular,       // the columns are linearly dependent
  NotCausal,      // GLS: the AR part of the model is not causal
  BadInput,       // NaN or inf in the data or design, or sigma2 <= 0
};

struct RegressionFit {
  RegressionStatus status = RegressionStatus::BadInput;
  std::vector<double> beta;            // r coefficients
  std::vector<double> standard_errors; // GLS only: sqrt of the covariance diagonal
  std::vector<double> covariance;      // GLS only: r x r, column by column
  std::vector<double> trend;           // M(1..n) = X beta with the unwhitened design
  bool ok() const { return status == RegressionStatus::Ok; }
};

// Ordinary least squares of y on the n x r design (column by column).
RegressionFit fit_least_squares(std::span<const double> y, std::span<const double> design, int r);

// Generalized least squares under the causal ARMA model phi(1..p), theta(1..q)
// with white-noise variance sigma2.
RegressionFit fit_generalized_least_squares(std::span<const double> y, std::span<const double> design, int r,
                                            std::span<const double> phi, std::span<const double> theta,
                                            double sigma2);

}  // namespace zelk
