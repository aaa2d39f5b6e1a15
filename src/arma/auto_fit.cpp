#include "arma/auto_fit.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "arma/acvf.h"
#include "arma/ml_dialogs.h"
#include "arma/ml_fit.h"
#include "arma/preliminary.h"

namespace zelk {
namespace {

struct CancelFlag : numeric::IterationCallback {
  const std::atomic<bool>& cancel;
  explicit CancelFlag(const std::atomic<bool>& c) : cancel(c) {}
  bool on_iteration(int, double) override { return !cancel.load(std::memory_order_relaxed); }
};

// The one place that reads the fit summary, so a change of its home is one edit.
void take_fit(const FitResult& fit, ArmaModel&& m, ArmaFit&& f, AutoFitCandidate& c) {
  c.stop_code = f.stop_code;
  if (fit.cancelled) {
    c.outcome = CandidateOutcome::Cancelled;
  } else if (fit.final.degenerate || !std::isfinite(f.aicc)) {
    c.outcome = CandidateOutcome::Failed;
  } else if (fit.noncausal) {
    c.outcome = CandidateOutcome::NotCausal;
  } else if (fit.optimized && f.stop_code == static_cast<int>(numeric::MinimizerStop::IterationLimit)) {
    c.outcome = CandidateOutcome::IterationLimit;
  } else if (fit.optimized && f.stop_code == static_cast<int>(numeric::MinimizerStop::NoLowerPoint)) {
    c.outcome = CandidateOutcome::Uncertain;
  } else {
    c.outcome = CandidateOutcome::Converged;
  }
  c.aicc = f.aicc;
  c.minus2_log_likelihood = f.minus2_log_likelihood;
  c.wn_variance = m.sigma2;
  c.model = std::move(m);
  c.fit = std::move(f);
}

AutoFitCandidate fit_candidate(std::span<const double> x, int p, int q, const AutoFitOptions& o,
                               numeric::IterationCallback* cb) {
  AutoFitCandidate c;
  c.p = p;
  c.q = q;
  if (static_cast<int>(x.size()) < p + q + 3) return c;
  ArmaModel m = auto_fit_start(x, p, q, &c.hr_start);
  c.settings = auto_fit_settings(m, o.least_squares, o.iteration_limit);
  ArmaFit f;
  const FitResult fit = fit_arma(x, m, c.settings, f, cb);
  take_fit(fit, std::move(m), std::move(f), c);
  return c;
}

bool ranks_before(const AutoFitCandidate& a, const AutoFitCandidate& b) {
  if (a.eligible() != b.eligible()) return a.eligible();
  if (a.eligible() && a.aicc != b.aicc) return a.aicc < b.aicc;
  if (a.p + a.q != b.p + b.q && a.eligible()) return a.p + a.q < b.p + b.q;
  return a.p != b.p ? a.p < b.p : a.q < b.q;
}

}  // namespace

bool AutoFitOptions::is_valid(std::string* why) const {
  auto fail = [why](const char* text) {
    if (why) *why = text;
    return false;
  };
  if (max_p < 0 || max_p > kMaxArmaOrder) return fail("The largest p must be between 0 and 27.");
  if (max_q < 0 || max_q > kMaxArmaOrder) return fail("The largest q must be between 0 and 27.");
  if (max_p + max_q > kMaxArmaOrder) return fail("The largest p and q may add up to 27 at most.");
  if (iteration_limit < 1) return fail("The iteration limit must be positive.");
  return true;
}

bool AutoFitCandidate::eligible() const {
  return (outcome == CandidateOutcome::Converged || outcome == CandidateOutcome::Uncertain ||
          outcome == CandidateOutcome::IterationLimit) &&
         std::isfinite(aicc);
}

ArmaEstimation auto_fit_settings(const ArmaModel& start, bool least_squares, int iteration_limit) {
  ArmaEstimation e;
  e.criterion = least_squares ? 0 : -1;
  e.recursion_tolerance = 0.00005;
  e.iteration_limit = iteration_limit;
  e.accuracy = proposed_accuracy(start);
  return e;
}

ArmaModel auto_fit_start(std::span<const double> x, int p, int q, bool* hr_used) {
  ArmaModel m;
  m.p = p;
  m.q = q;
  bool hr = false;
  if (p + q > 0) {
    const PreliminaryResult start = hannan_rissanen_fit(x, p, q);
    hr = start.failure == PreliminaryFailure::None && check_causal(start.phi);
    for (int i = 1; i <= p + q; ++i) {
      m.beta(i) = !hr ? 0.001 : i <= p ? start.phi[i - 1] : start.theta[i - p - 1];
      m.free_parameters.push_back(i);
    }
    if (hr && start.sigma2 > 0) m.sigma2 = start.sigma2;
  }
  if (hr_used) *hr_used = hr;
  return m;
}

AutoFitResult auto_fit(std::span<const double> x, const AutoFitOptions& options, const AutoFitProgress& progress) {
  AutoFitResult out;
  std::vector<std::pair<int, int>> orders;
  for (int p = 0; p <= options.max_p; ++p)
    for (int q = 0; q <= options.max_q; ++q)
      if (p + q <= kMaxArmaOrder) orders.emplace_back(p, q);
  // Largest models first: they take longest, and the small ones fill the gaps.
  std::stable_sort(orders.begin(), orders.end(),
                   [](auto a, auto b) { return a.first + a.second > b.first + b.second; });
  const int total = static_cast<int>(orders.size());
  out.candidates.resize(total);

  std::atomic<int> next{0};
  std::atomic<bool> cancel{false};
  std::mutex mutex;
  std::condition_variable finished;
  int done = 0;
  auto work = [&] {
    CancelFlag flag(cancel);
    for (int i; (i = next.fetch_add(1)) < total;) {
      AutoFitCandidate c;
      c.p = orders[i].first;
      c.q = orders[i].second;
      c.outcome = CandidateOutcome::Cancelled;
      if (!cancel.load()) c = fit_candidate(x, c.p, c.q, options, &flag);
      if (cancel.load()) c.outcome = CandidateOutcome::Cancelled;
      out.candidates[i] = std::move(c);
      std::lock_guard lock(mutex);
      ++done;
      finished.notify_one();
    }
  };
  int threads = options.threads > 0 ? options.threads : static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, std::max(total, 1));
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) pool.emplace_back(work);
  // The caller's thread reports progress, so a front end may draw from it.
  for (int reported = 0; reported < total;) {
    std::unique_lock lock(mutex);
    finished.wait(lock, [&] { return done > reported; });
    ++reported;  // one report per finished fit, however many finished at once
    lock.unlock();
    if (progress && !cancel.load() && !progress(reported, total)) cancel = true;
  }
  for (auto& t : pool) t.join();
  out.cancelled = cancel.load();
  std::sort(out.candidates.begin(), out.candidates.end(), ranks_before);
  return out;
}

}  // namespace zelk
