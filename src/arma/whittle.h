#pragma once
// Fractionally integrated ARMA models by the Whittle approximation of the
// Gaussian likelihood (Whittle 1953; for long memory Fox & Taqqu 1986):
// with the periodogram I(w_j) = |sum x(t) e^{-i w_j t}|^2 / n at the Fourier
// frequencies w_j = 2 pi j / n, j = 1..m = n/2, and the spectral shape
//   g(w) = |theta(e^{-iw})|^2 / |phi(e^{-iw})|^2 |1 - e^{-iw}|^{-2d},
// the noise variance is profiled out, s2 = (1/m) sum I_j / g_j, and
//   -2 ln L ~ n ln 2pi + n ln s2 + (n/m) sum ln g_j + n.
// The minimum is found by a Hooke-Jeeves pattern search (Hooke & Jeeves
// 1961) with steps s and s/2.
#include <span>
#include <vector>

#include "arma/estimation.h"
#include "model/arma_model.h"

namespace zelk {

struct WhittleValue {
  bool ok = false;   // false: not causal, not invertible or d outside (-0.5, 0.5)
  double minus2_log_l = 0;
  double sigma2 = 0;
};

// I(w_1..w_m) of x, the periodogram the criterion reads.
std::vector<double> whittle_periodogram(std::span<const double> x);

WhittleValue whittle_value(std::span<const double> periodogram, int n, std::span<const double> phi,
                           std::span<const double> theta, double d);

struct WhittleFit {
  bool ok = false;  // the start is admissible and x holds at least 4 values
  WhittleValue value;
};

// Fits the p+q coefficients and (when settings.estimate_d) d from step
// settings.whittle_step, unless settings.no_optimization; stores
// coefficients, d and sigma2 in the model, and -2 ln L (Whittle), the AIC,
// the counts and the standard errors in fit.
WhittleFit fit_whittle(std::span<const double> x, ArmaModel& model, const ArmaEstimation& settings, ArmaFit& fit);

}  // namespace zelk
