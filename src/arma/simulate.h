#pragma once
// Sample paths of an ARMA model
//   X(t) - phi(1) X(t-1) - ... - phi(p) X(t-p) = Z(t) + theta(1) Z(t-1) + ... + theta(q) Z(t-q)
// driven by white noise of one of six laws.
//
// Gaussian noise: each X(t) is its one-step predictor from X(1..t-1) plus an
// independent normal error of the predictor's mean-square error, so the path
// has the model's autocovariances from its first value (Brockwell & Davis,
// Time Series: Theory and Methods, 1991, Sec. 5.3: the innovations algorithm
// of arma/innovations.h; a fractionally integrated model uses the
// Durbin-Levinson predictor of arma/fractional_residuals.h, which looks back
// at most kMaxFractionalOrder values). Other laws: the difference equation
// run from zeros over M start-up values that are then dropped.
//
// Its normal values come from Park & Miller's minimal standard generator with
// multiplier 48271 (Park, Miller & Stockmeyer 1993, "Remarks on choosing and
// implementing random number generators", CACM 36) through the Box-Muller
// transform; the other laws use the shared generator of numeric/random.h.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "model/arma_model.h"

namespace zelk {

enum class NoiseLaw : int { Normal = 0, Gamma = 1, Lognormal = 2, Stable = 3, T = 4, SymmetricWeibull = 5 };

// "NORMAL", "GAMMA", "LOGNORMAL", "STABLE", "T-DIST", "SYMMETRIC WEIBULL".
const char* noise_name(NoiseLaw law);

inline constexpr int kMaxSimulationLength = 100000000;  // n and M each

struct NoiseSettings {
  NoiseLaw law = NoiseLaw::Normal;
  int startup = 200;  // M: recursion values dropped before the series begins
  double gamma_alpha = 1.0;
  double lognormal_mu = 0.0;
  double lognormal_sigma = 1.0;
  double stable_alpha = 2.0;  // 0 < alpha <= 2
  double stable_beta = 0.0;   // -1 <= beta <= 1
  double t_df = 5.0;
  double weibull_alpha = 1.0;
  // Every parameter of the chosen law inside its domain, 1 <= M <= the limit.
  bool valid() const;
};

// Uniforms x(k+1) = 48271 x(k) mod (2^31 - 1), u = x / (2^31 - 1), and
// standard normals z = sqrt(-2 ln u1) sin(2 pi u2) from each pair.
class NormalStream {
 public:
  // s = 0 continues the stream; s = 1 restarts it from the restart value;
  // any other s (below 2^31 - 1) becomes both the state and the restart
  // value. One uniform is dropped after seeding.
  void seed(std::int32_t s);
  double uniform();
  double normal();
  std::int32_t state() const { return x_; }

 private:
  std::int32_t x_ = 1;
  std::int32_t restart_ = 1;
};

// Told the percent done now and then; false asks to stop.
using SimulationProgress = std::function<bool(int percent)>;

enum class SimulationStatus {
  Ok,
  NotCausal,      // the AR part has a root on or inside the unit circle
  Refused,        // a count or parameter outside its domain, or refused by the generator
  Cancelled,
};

struct Simulation {
  SimulationStatus status = SimulationStatus::Ok;
  std::vector<double> x;  // X(1..n)
  std::int64_t noise_drawn = 0;  // values drawn from the noise law
};

struct SimulationRequest {
  int n = 100;
  double sigma2 = 1.0;
  NoiseSettings noise;
  std::int32_t seed = 1;  // 0 <= seed < 2^31 - 1
};

// The whole simulation: seeds the generator the law uses (the stream for
// normal noise and fractional models, else numeric::set_seed), then draws.
Simulation simulate_arma(const ArmaModel& model, const SimulationRequest& request, NormalStream& normals,
                         const SimulationProgress& progress = {});

// Gaussian path of a causal model (sigma2 of the model ignored); empty when
// not causal or cancelled.
std::vector<double> simulate_gaussian(std::span<const double> phi, std::span<const double> theta, double sigma2,
                                      int n, NormalStream& normals, const SimulationProgress& progress = {});
std::vector<double> simulate_gaussian_fractional(const ArmaModel& model, double sigma2, int n, NormalStream& normals,
                                                 const SimulationProgress& progress = {});

// X(t) = 0 for t <= max(p, q), then the difference equation over z(1..N);
// returns X(N-n+1..N).
std::vector<double> arma_recursion(std::span<const double> phi, std::span<const double> theta,
                                   std::span<const double> z, int n);

}  // namespace zelk
