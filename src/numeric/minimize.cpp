#include "numeric/minimize.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/error_stack.h"
#include "numeric/finite.h"
#include "numeric/minimize_steps.h"

namespace zelk::numeric {

const char* stop_message(MinimizerStop stop) {
  switch (stop) {
    case MinimizerStop::GradientSmall: return "Optimization stopped with gradient near zero.";
    case MinimizerStop::StepSmall: return "Optimization stopped within accuracy level.";
    case MinimizerStop::NoLowerPoint: return "Uncertain minimum.";
    case MinimizerStop::IterationLimit: return "Iteration limit exceeded.";
  }
  return "";
}

bool MinimizerOptions::is_valid(std::string* why) const {
  auto fail = [why](const char* text) {
    if (why) *why = text;
    return false;
  };
  if (!(std::isfinite(gradient_tolerance) && gradient_tolerance >= 0))
    return fail("The gradient tolerance must be a finite number not below 0.");
  if (!(std::isfinite(step_tolerance) && step_tolerance >= 0))
    return fail("The step tolerance must be a finite number not below 0.");
  if (max_iterations < 1) return fail("The iteration limit must be at least 1.");
  if (max_evaluations < 0) return fail("The evaluation limit must not be negative (0: no limit).");
  return true;
}

namespace {

double relative_step(std::span<const double> from, std::span<const double> to) {
  double r = 0;
  for (std::size_t i = 0; i < to.size(); ++i)
    r = std::max(r, std::abs(to[i] - from[i]) / std::max(std::abs(to[i]), 1.0));
  return r;
}

}  // namespace

MinimizerResult U1(const std::function<double(std::span<const double>)>& f, std::span<const double> x0,
                   const MinimizerOptions& options, IterationCallback* callback) {
  RoutineScope scope("U1");
  MinimizerResult result;
  result.x.assign(x0.begin(), x0.end());
  result.f = std::numeric_limits<double>::quiet_NaN();
  result.stop = MinimizerStop::NoLowerPoint;
  const auto k = x0.size();

  auto refuse = [&](const char* text, const MessageArgs& args) {
    E1MES(Severity::Terminal, 1, text, args);
    result.input_error = true;
    return result;
  };
  if (k == 0) return refuse("The number of parameters must be at least 1 while N = %(I1) is given.", {{0}, {}, {}});
  if (!all_finite(x0)) return refuse("The starting point contains a value that is NaN or infinite.", {});
  std::string why;
  if (!options.is_valid(&why)) return refuse("%(L1)", {{}, {}, {why}});

  Objective objective{f, options.max_evaluations};
  double fc = objective(result.x);
  if (!std::isfinite(fc)) {
    result.evaluations = objective.evaluations;
    return refuse("The function value at the starting point is %(D1); it must be finite.", {{}, {fc}, {}});
  }

  std::vector<double> xc = result.x;
  bool central = false;
  std::vector<double> g = gradient(objective, xc, fc, central);
  std::vector<double> hessian(k * k, 0.0);
  for (std::size_t i = 0; i < k; ++i) hessian[i * k + i] = std::max(std::abs(fc), 1.0);
  const double max_step = 1000.0 * std::max(norm2(xc), 1.0);

  auto finish = [&](MinimizerStop stop, int iterations) {
    result.x = xc;
    result.f = fc;
    result.gradient = g;
    result.hessian = hessian;
    result.stop = stop;
    result.iterations = iterations;
    result.evaluations = objective.evaluations;
    return result;
  };

  // A start already at a minimum stops before any step, with a stricter test.
  if (relative_gradient(g, xc, fc) <= 1e-3 * options.gradient_tolerance) return finish(MinimizerStop::GradientSmall, 0);

  int iteration = 0;
  while (true) {
    ++iteration;
    std::vector<double> p = newton_direction(hessian, g);
    LineSearchResult step = line_search(objective, xc, fc, g, p, max_step, options.step_tolerance);
    if (step.failed && !central) {
      // Forward differences may be too coarse near the minimum: retry the
      // iteration with central differences before giving up.
      central = true;
      g = gradient(objective, xc, fc, central);
      --iteration;
      if (relative_gradient(g, xc, fc) <= options.gradient_tolerance) return finish(MinimizerStop::GradientSmall, iteration);
      continue;
    }
    if (step.failed) return finish(MinimizerStop::NoLowerPoint, iteration);

    std::vector<double> g_new = gradient(objective, step.x, step.f, central);
    double rel_step = relative_step(xc, step.x);
    std::vector<double> s(k), y(k);
    for (std::size_t i = 0; i < k; ++i) {
      s[i] = step.x[i] - xc[i];
      y[i] = g_new[i] - g[i];
    }
    bfgs_update(hessian, s, y, g, g_new, std::sqrt(std::numeric_limits<double>::epsilon()));
    xc = std::move(step.x);
    fc = step.f;
    g = std::move(g_new);

    if (callback && !callback->on_iteration(iteration, fc)) {
      result.cancelled = true;
      return finish(MinimizerStop::IterationLimit, iteration);
    }
    if (relative_gradient(g, xc, fc) <= options.gradient_tolerance) return finish(MinimizerStop::GradientSmall, iteration);
    if (rel_step <= options.step_tolerance) return finish(MinimizerStop::StepSmall, iteration);
    if (iteration >= options.max_iterations || objective.exhausted())
      return finish(MinimizerStop::IterationLimit, iteration);
  }
}

}  // namespace zelk::numeric
