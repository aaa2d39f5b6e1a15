#include "arma/ml_fit.h"

#include <algorithm>
#include <cmath>

#include "arma/acvf.h"
#include "arma/innovations.h"
#include "arma/std_errors.h"

namespace zelk {
namespace {

std::span<const double> ar_of(const ArmaModel& m) { return {m.phi.data(), static_cast<std::size_t>(m.p)}; }
std::span<const double> ma_of(const ArmaModel& m) { return {m.theta.data(), static_cast<std::size_t>(m.q)}; }

bool is_target(const ArmaModel& m, int index) {
  for (int r = 0; r < m.relation_count; ++r)
    if (m.relation_target[r] == index) return true;
  return false;
}

// The usable free list: valid indices that are not relation targets.
std::vector<int> free_list(const ArmaModel& m) {
  std::vector<int> out;
  for (int i : m.free_parameters)
    if (i >= 1 && i <= m.p + m.q && !is_target(m, i) && std::find(out.begin(), out.end(), i) == out.end())
      out.push_back(i);
  std::sort(out.begin(), out.end());
  return out;
}

double penalized(double f) { return f + 0.5 * std::fabs(f) + 0.01; }

struct Progress : numeric::IterationCallback {
  numeric::IterationCallback* outer = nullptr;
  bool on_iteration(int iteration, double f) override { return !outer || outer->on_iteration(iteration, f); }
};

}  // namespace

void apply_relations(ArmaModel& m) {
  const int pq = m.p + m.q;
  for (int r = 0; r < m.relation_count; ++r) {
    const int t = m.relation_target[r], a = m.relation_first[r], b = m.relation_second[r];
    if (t < 1 || t > pq || a < 1 || a > pq || b < 1 || b > pq) continue;
    if (t <= m.p)
      m.beta(t) = -m.beta(a) * m.beta(b);
    else
      m.beta(t) = m.beta(a) * m.beta(b);
  }
}

double settling_tolerance(const ArmaEstimation& e) { return std::min(e.recursion_tolerance, 0.00001); }

LikelihoodResult model_likelihood(const ArmaModel& model, const ArmaEstimation& settings, std::span<const double> x,
                                  bool residuals) {
  ArmaModel m = model;
  apply_relations(m);
  return arma_likelihood(x, ar_of(m), ma_of(m), {settling_tolerance(settings), residuals});
}

InvertibleMa invertible_ma(std::span<const double> theta, int N, double tolerance) {
  InvertibleMa out;
  const int q = static_cast<int>(theta.size());
  out.theta.assign(theta.begin(), theta.end());
  if (q == 0) return out;
  ArmaInnovations inn({}, theta, tolerance);
  // Doubling N up to 2200 and starting again reaches the same rows as going on.
  const int limit = std::max(std::max(N, 1), 2200);
  inn.next();
  while (!inn.settled() && inn.step() < limit) inn.next();
  for (int j = 0; j < q; ++j) out.theta[j] = j < inn.width() ? inn.row()[j] : 0.0;
  double g_old = 1, g_new = 1;
  for (int j = 0; j < q; ++j) {
    g_old += theta[j] * theta[j];
    g_new += out.theta[j] * out.theta[j];
  }
  out.variance_factor = g_old / g_new;
  return out;
}

FitResult fit_arma(std::span<const double> x, ArmaModel& model, const ArmaEstimation& settings, ArmaFit& fit,
                   numeric::IterationCallback* callback) {
  FitResult out;
  const int n = static_cast<int>(x.size());
  const int p = model.p, q = model.q;
  const bool ml = settings.criterion != 0;
  fit.estimation_status = 0;
  const std::vector<int> free = free_list(model);
  const bool all_free = static_cast<int>(free.size()) == p + q && p + q > 0;
  if (all_free && !check_invertible(ma_of(model))) {
    const InvertibleMa inv = invertible_ma(ma_of(model), n, settling_tolerance(settings));
    std::copy(inv.theta.begin(), inv.theta.end(), model.theta.begin());
    model.sigma2 *= inv.variance_factor;
  }
  apply_relations(model);
  const bool causal_start = check_causal(ar_of(model));
  const bool optimize = !settings.no_optimization && !free.empty() && causal_start;
  const double tol = settling_tolerance(settings);
  const double ls_divisor = std::max(n - p - q, 1);
  fit.evaluations = 0;
  fit.iterations = 0;

  ArmaModel work = model;
  double last_f = 0;
  auto objective = [&](std::span<const double> b) {
    ++fit.evaluations;
    for (std::size_t i = 0; i < free.size(); ++i) work.beta(free[i]) = b[i];
    apply_relations(work);
    if (!check_causal(ar_of(work))) return penalized(last_f);
    const LikelihoodResult r = arma_likelihood(x, ar_of(work), ma_of(work), {tol, false});
    if (r.degenerate) return std::nan("");
    const double f = ml ? r.reduced : std::log(r.S / ls_divisor);
    if (all_free && !check_invertible(ma_of(work))) return penalized(f);
    last_f = f;
    return f;
  };

  std::vector<double> x0(free.size());
  for (std::size_t i = 0; i < free.size(); ++i) x0[i] = model.beta(free[i]);
  numeric::MinimizerResult min;
  if (optimize) {
    last_f = objective(x0);
    numeric::MinimizerOptions options;
    // The accuracy is about 1% of the coefficients' size, while the
    // minimizer's tests are relative to max(|x|, 1) and max(|f|, 1) and l is
    // flat near its minimum: the gradient has to fall three orders further
    // for the coefficients to come out right to the accuracy asked.
    const double acc = std::clamp(settings.accuracy, 1e-12, 0.999);
    options.gradient_tolerance = acc * 1e-3;
    options.step_tolerance = acc * 1e-4;
    options.max_iterations = std::max(settings.iteration_limit, 1);
    Progress progress;
    progress.outer = callback;
    min = numeric::U1(objective, x0, options, &progress);
    out.optimized = !min.input_error;
    out.cancelled = min.cancelled;
    if (out.optimized) {
      for (std::size_t i = 0; i < free.size(); ++i) model.beta(free[i]) = min.x[i];
      fit.stop_code = static_cast<int>(min.stop);
      fit.iterations = min.iterations;
    }
  }
  const int evaluations = fit.evaluations;  // the Hessian's evaluations are not the optimizer's
  apply_relations(model);
  if (!check_causal(ar_of(model))) {
    out.noncausal = true;
    fit.estimation_status = -1;
    for (int i = 1; i <= p + q; ++i) model.beta(i) = 0.001;
  }
  out.final = arma_likelihood(x, ar_of(model), ma_of(model), {tol, true});
  const LikelihoodResult& r = out.final;
  fit.recursion_steps = r.steps;
  if (r.degenerate) return out;
  fit.saved_wn = r.S / n;
  fit.reduced_likelihood = r.reduced;
  fit.objective = ml ? r.reduced : std::log(r.S / ls_divisor);
  if (!settings.no_optimization) model.sigma2 = ml ? r.S / n : r.S / ls_divisor;
  const int k = static_cast<int>(free.size());
  fit.minus2_log_likelihood = minus2_log_likelihood(r, n, model.sigma2);
  fit.aicc = aicc(fit.minus2_log_likelihood, n, k);

  fit.standard_errors.assign(p + q, 0.0);
  if (out.optimized && !out.noncausal) {
    std::vector<double> xs(free.size());
    for (std::size_t i = 0; i < free.size(); ++i) xs[i] = model.beta(free[i]);
    // The minimizer's secant Hessian describes the curvature once it has
    // converged; after an iteration limit or a failed step it may still be
    // close to its scaled-identity start, so the curvature is measured instead.
    const bool converged = min.stop == numeric::MinimizerStop::GradientSmall ||
                           min.stop == numeric::MinimizerStop::StepSmall;
    std::vector<double> se =
        hessian_standard_errors(converged ? min.hessian : difference_hessian(objective, xs), k, n);
    if (se.empty()) se = model_standard_errors(model, free, n);
    if (se.empty()) {
      fit.standard_errors.clear();
    } else {
      for (int i = 0; i < k; ++i) fit.standard_errors[free[i] - 1] = se[i];
    }
  }
  fit.evaluations = evaluations;
  out.se_available = !fit.standard_errors.empty();
  return out;
}

}  // namespace zelk
