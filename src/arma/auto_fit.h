#pragma once
// Automatic choice of the ARMA orders: every (p, q) with p <= max_p, q <= max_q
// and p + q <= 27 is fitted by exact maximum likelihood (or least squares)
// from a Hannan-Rissanen start, and the candidates are ranked by AICC
// (Hurvich & Tsai 1989; Brockwell & Davis 2002, Sec. 5.5.2). The fits are
// independent, so they run on several threads; each writes only its own slot
// and the ranking is a total order, so the result does not depend on the
// number of threads.
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "arma/estimation.h"
#include "model/arma_model.h"

namespace zelk {

struct AutoFitOptions {
  int max_p = 5, max_q = 5;     // 0..27 each, max_p + max_q <= 27
  bool least_squares = false;   // criterion 0 instead of maximum likelihood
  int iteration_limit = 50;     // per candidate, as for a single fit
  int threads = 0;              // 0: one per hardware thread
  bool is_valid(std::string* why) const;
};

enum class CandidateOutcome {
  Converged,       // the minimizer stopped on its gradient or step test
  Uncertain,       // it stopped without finding a lower point
  IterationLimit,  // it ran out of iterations: the numbers are those it reached
  NotCausal,       // the optimum had a non-causal AR part
  Failed,          // no likelihood: too few data or a degenerate series
  Cancelled,       // never finished
};

struct AutoFitCandidate {
  int p = 0, q = 0;
  CandidateOutcome outcome = CandidateOutcome::Failed;
  bool hr_start = false;  // started from Hannan-Rissanen (else all 0.001)
  double aicc = 0, minus2_log_likelihood = 0, wn_variance = 0;
  int stop_code = 0;
  ArmaModel model;  // the fitted model, as Max likelihood leaves it
  ArmaEstimation settings;
  ArmaFit fit;
  // May win the search: a finite AICC of a causal fit that ran to its end.
  bool eligible() const;
};

struct AutoFitResult {
  // Eligible candidates by AICC (ties: smaller p + q, then smaller p), then
  // the others in (p, q) order.
  std::vector<AutoFitCandidate> candidates;
  bool cancelled = false;
  bool found() const { return !candidates.empty() && candidates.front().eligible(); }
};

// Called on the calling thread after each finished candidate with the count
// done and the total; returning false cancels the fits still running.
using AutoFitProgress = std::function<bool(int done, int total)>;

// x is the working series (the caller subtracts the mean or trend). Orders
// with n < p + q + 3 fail without a fit. A candidate's model keeps the
// project-independent fit settings: all coefficients free, no relations.
AutoFitResult auto_fit(std::span<const double> x, const AutoFitOptions& options,
                       const AutoFitProgress& progress = {});

// The starting model of (p, q): Hannan-Rissanen when it gives a causal AR
// part, else every coefficient 0.001; all coefficients free.
ArmaModel auto_fit_start(std::span<const double> x, int p, int q, bool* hr_used = nullptr);
// The settings a candidate is fitted with.
ArmaEstimation auto_fit_settings(const ArmaModel& start, bool least_squares, int iteration_limit);

}  // namespace zelk
