#pragma once
// Model autocorrelation and partial autocorrelation of the project's model,
// ordinary or fractionally integrated.
//
// Fractional case (Hosking 1981, "Fractional differencing", Biometrika 68):
// the ACF of (1-B)^-d Z is rho_d(h+1) = rho_d(h) (h+d)/(h+1-d) with variance
// Gamma(1-2d)/Gamma(1-d)^2; the ARMA factor is applied through its first M+1
// psi weights. The PACF comes from the ACF by Durbin-Levinson (Brockwell &
// Davis 1991, Sec. 5.2).
#include <vector>

#include "model/arma_model.h"

namespace zelk {

struct ModelAcf {
  std::vector<double> acf, pacf;  // rho(0..lags), alpha(0..lags)
  double variance = 0;            // gamma(0), white-noise variance included
  bool ok = false;                // false: the AR part is not causal
};

ModelAcf model_acf_pacf(const ArmaModel& model, int lags);

// Expansion of the fractional model to J terms: psi(j) of
// theta(z) / (phi(z) (1-z)^d) and, with inverse = true, pi(j) of its inverse.
std::vector<double> fractional_weights(const ArmaModel& model, int J, bool inverse);

}  // namespace zelk
