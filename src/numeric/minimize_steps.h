// The pieces of the quasi-Newton minimizer U1 (Dennis & Schnabel 1983), kept
// apart so that each can be read against its algorithm in the book.
#pragma once

#include <functional>
#include <span>
#include <vector>

namespace zelk::numeric {

struct Objective {
  const std::function<double(std::span<const double>)>& f;
  int limit = 0;  // 0: none
  int evaluations = 0;

  double operator()(std::span<const double> x) {
    ++evaluations;
    return f(x);
  }
  bool exhausted() const { return limit > 0 && evaluations >= limit; }
};

double norm2(std::span<const double> v);

// max_i |g_i| max(|x_i|, 1) / max(|f|, 1)
double relative_gradient(std::span<const double> g, std::span<const double> x, double f);

// Forward (A5.6.3) or central (A5.6.4) differences; fx = f(x).
std::vector<double> gradient(Objective& f, std::span<const double> x, double fx, bool central);

// -H^{-1} g through a Cholesky factor of H, shifted by a multiple of the
// identity when H is not safely positive definite. H is k x k, column-major.
std::vector<double> newton_direction(std::span<const double> hessian, std::span<const double> g);

struct LineSearchResult {
  std::vector<double> x;
  double f = 0;
  bool failed = false;  // no satisfactory point distinct from the start
};

// A6.3.1: backtracking along p from x (f(x) = fx, gradient g).
LineSearchResult line_search(Objective& f, std::span<const double> x, double fx, std::span<const double> g,
                             std::vector<double> p, double max_step, double step_tolerance);

// A9.4.1: BFGS update of H (column-major) with s = x+ - x, y = g+ - g; skipped
// when y's is not safely positive or when the change is within gradient noise.
void bfgs_update(std::vector<double>& hessian, std::span<const double> s, std::span<const double> y,
                 std::span<const double> g, std::span<const double> g_new, double noise);

}  // namespace zelk::numeric
