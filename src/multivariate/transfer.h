#pragma once
// Transfer-function models X(t,o) = B^b W(B)/V(B) X(t,i) + N(t) with ARMA
// noise (Box, Jenkins & Reinsel 2008, Ch. 11-12; Brockwell & Davis 2002,
// Sec. 10.1): the residual recursions, the conditional sum of squares, its
// minimization by a Hooke-Jeeves pattern search, and forecasts with their
// error variance. Series are used as they stand: the model has no constant,
// so a project with non-zero means subtracts them first.
#include <span>
#include <vector>

#include "model/transfer_model.h"

namespace zelk {

// The residual series of a model, times 0-based. The recursions start
// conditionally, as in the conditional sum of squares of Box, Jenkins &
// Reinsel (2008, Ch. 12), unknown noise values at their mean 0: U is
// computed from the first time t0 = b + s at which every input term
// X(t-b-j) is observed, with N(t) = 0 and so U(t) = X(t,o) before it;
// N(t) = X(t,o) - U(t) from t0 on; W(t) from t0 + p_N on, where every noise
// AR term is a computed N, with W = 0 before it.
struct TransferResiduals {
  int u_first = 0;                // time of u[0] and noise[0]
  std::vector<double> u, noise;   // U(t), N(t)
  int w_first = 0;                // time of w[0]
  std::vector<double> w;          // W(t)
};

// Empty series when the data are too short for the model.
TransferResiduals transfer_residuals(std::span<const double> input, std::span<const double> output,
                                     const TransferModel& m);

// Whether the model can be filtered: V(B) and the noise AR part causal, the
// noise MA part invertible, the noise variance positive.
bool transfer_feasible(const TransferModel& m);

// The sum of squares of W(t); +infinity for an infeasible model or a sum
// that is not finite, so that a search treats it as out of bounds. O(n (s + r
// + p_N + q_N)) with no allocation once `work` has grown.
double transfer_sum_of_squares(std::span<const double> input, std::span<const double> output,
                               const TransferModel& m, std::vector<double>& work);

struct TransferFitOptions {
  double step = 0.1;            // s of the search, 0 < s < 1
  bool no_optimization = false; // evaluate the given model only
};

struct TransferFit {
  bool ok = false;        // false: the start is infeasible or the data too short
  TransferModel model;    // the coefficients reached; noise sigma2 updated unless no_optimization
  double sum_of_squares = 0;
  int residual_count = 0; // m, the number of W(t)
  int coefficients = 0;   // k, the coefficients estimated: (s + 1) + r + p_N + q_N
  double minus2_log_l = 0;
  double aicc = 0;
  int evaluations = 0;
};

// The divisor of the noise variance estimate S/(divisor): n less the five
// counts of the model's shape (b, s, r, p_N, q_N) and 2, so that a larger
// model pays for its start-up and its coefficients.
int transfer_divisor(const TransferModel& m, int n);

// The free coefficients W(0..s), V(1..r), phi_N, theta_N are searched from
// the model's values with steps s and s/2: exploratory moves of +s then -s
// on each coordinate in turn (the first that lowers the sum is kept), a
// pattern move x := 2t - x after a successful exploration, the previous base
// again when the exploration around a pattern point fails, the step halved
// when an exploration around a base finds nothing, and the end when the step
// falls below 0.4 s (Hooke & Jeeves 1961).
TransferFit fit_transfer(std::span<const double> input, std::span<const double> output, const TransferModel& start,
                         const TransferFitOptions& options);

struct TransferForecast {
  std::vector<double> value;  // X(n+1..n+h, o)
  std::vector<double> mse;    // mean squared error of each
};

// Forecasts of the output h steps past the last time: the input forecast
// from its ARMA model by the difference equation (future Z = 0), passed
// through T(B), plus the noise forecast (future W = 0). The error is
//   sum_j c(j) Z(n+h-j) + sum_j psi_N(j) W(n+h-j),  j = 0..h-1,
// with c = tau * psi_X the convolution of T's impulse response and the input
// psi weights (Box, Jenkins & Reinsel 2008, Ch. 12; Brockwell & Davis 2002,
// Sec. 10.1), so
//   MSE(h) = sigma2_Z sum c(j)^2 + sigma2_W sum psi_N(j)^2.
TransferForecast forecast_transfer(std::span<const double> input, std::span<const double> output,
                                   const TransferModel& m, int h);

// psi(0..count-1) of (1 + theta(1) B + ...)/(1 - phi(1) B - ...).
std::vector<double> transfer_psi(std::span<const double> phi, std::span<const double> theta, int count);

}  // namespace zelk
