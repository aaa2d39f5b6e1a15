// U1: unconstrained minimization by a line-search quasi-Newton method.
//
// Method: Dennis & Schnabel, "Numerical Methods for Unconstrained Optimization
// and Nonlinear Equations" (1983): forward-difference gradient (A5.6.3, switched
// to central differences (A5.6.4) when a forward-difference step cannot find a
// lower point), BFGS secant update of the Hessian approximation (A9.4.1), the
// quasi-Newton step through its Cholesky factor, perturbed when the
// approximation is not safely positive definite (after A5.5.1), and the
// backtracking line search A6.3.1 with sufficient-decrease constant 1e-4 and
// each new step factor at least 0.1 of the previous one. Maximum step
// 1000 max(1, |x0|); typical size 1 for every parameter and function scale 1.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zelk::numeric {

enum class MinimizerStop { GradientSmall = 1, StepSmall = 2, NoLowerPoint = 3, IterationLimit = 4 };

// "Optimization stopped with gradient near zero." and the other report lines.
const char* stop_message(MinimizerStop stop);

struct MinimizerOptions {
  // Stop when max_i |g_i| max(|x_i|, 1) / max(|f|, 1) falls to this.
  double gradient_tolerance = 1e-6;
  // Stop when max_i |dx_i| / max(|x_i|, 1) of the last step falls to this.
  double step_tolerance = 1e-10;
  int max_iterations = 50;
  int max_evaluations = 0;  // 0: no limit; reaching it stops with IterationLimit

  bool is_valid(std::string* why) const;
};

// Progress and cancellation; on_iteration runs after every completed iteration.
struct IterationCallback {
  virtual ~IterationCallback() = default;
  virtual bool on_iteration(int iteration, double f) = 0;  // false cancels
};

struct MinimizerResult {
  std::vector<double> x;
  double f = 0.0;
  std::vector<double> gradient;  // finite-difference gradient at x
  MinimizerStop stop = MinimizerStop::IterationLimit;
  int iterations = 0;
  int evaluations = 0;  // calls of f, those of the finite differences included
  // Final secant approximation of the Hessian at x, k x k column by column.
  std::vector<double> hessian;
  bool cancelled = false;    // the callback asked to stop (stop is then IterationLimit)
  bool input_error = false;  // bad arguments, reported on the error stack; x is x0
};

// Minimizes f from x0. f may return NaN or infinity at points it rejects: the
// line search then steps back. Bad arguments (empty or non-finite x0, invalid
// options, f not finite at x0) are recorded on the error stack.
MinimizerResult U1(const std::function<double(std::span<const double>)>& f, std::span<const double> x0,
                   const MinimizerOptions& options = {}, IterationCallback* callback = nullptr);

}  // namespace zelk::numeric
