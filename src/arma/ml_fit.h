#pragma once
// Maximum-likelihood and least-squares fitting of the project's ARMA model:
// the free coefficients go to the quasi-Newton minimizer U1 (Dennis &
// Schnabel 1983), the objective is the reduced likelihood l (or ln of the
// residual mean square), relation targets follow their factors at every
// evaluation, and standard errors come from the Hessian (the minimizer's
// secant approximation after convergence, central differences otherwise) or,
// failing that, from the model's large-sample covariance (see std_errors.h).
#include <span>
#include <vector>

#include "arma/estimation.h"
#include "arma/likelihood.h"
#include "model/arma_model.h"
#include "numeric/minimize.h"

namespace zelk {

// Writes each relation target from its factors: phi(t) = -phi(a) phi(b) for
// the AR part (the product of 1 - phi(a) B^a and 1 - phi(b) B^b), theta(t) =
// theta(a) theta(b) for the MA part.
void apply_relations(ArmaModel& model);

// The likelihood of the model as it stands (relations applied) on x.
LikelihoodResult model_likelihood(const ArmaModel& model, const ArmaEstimation& settings, std::span<const double> x,
                                  bool residuals = true);

// The innovations settling tolerance the settings ask for.
double settling_tolerance(const ArmaEstimation& settings);

struct FitResult {
  LikelihoodResult final;   // the last evaluation, with residuals
  bool noncausal = false;   // the optimum was not causal: coefficients set to 0.001
  bool optimized = false;   // the minimizer ran
  bool cancelled = false;
  bool se_available = false;
};

// Fits model on x (the settings' criterion, flags, accuracy and iteration
// limit and the model's free list and relations say how): stores the
// coefficients and sigma2 in the model, and saved_wn, reduced_likelihood,
// -2 ln L, AICC, stop code, counts and standard errors in fit. x must hold
// more than p + q values.
FitResult fit_arma(std::span<const double> x, ArmaModel& model, const ArmaEstimation& settings, ArmaFit& fit,
                   numeric::IterationCallback* callback = nullptr);

// The invertible model with the same autocovariance: theta from the settled
// innovations of the MA part (N steps, doubled up to 2200 until they settle)
// and the variance factor gamma_old(0) / gamma_new(0) at unit noise variance.
struct InvertibleMa {
  std::vector<double> theta;
  double variance_factor = 1;
};
InvertibleMa invertible_ma(std::span<const double> theta, int N, double tolerance);

}  // namespace zelk
