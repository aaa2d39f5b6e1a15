#include "numeric/minimize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric/error_stack.h"

namespace zelk::numeric {
namespace {

// Pairs of Rosenbrock valleys: minimum 0 at all ones.
double rosenbrock(std::span<const double> x) {
  double s = 0;
  for (std::size_t i = 0; i + 1 < x.size(); i += 2) {
    double a = 10 * (x[i + 1] - x[i] * x[i]);
    double b = 1 - x[i];
    s += a * a + b * b;
  }
  return s;
}

std::vector<double> rosenbrock_start(std::size_t n) {
  std::vector<double> x(n);
  for (std::size_t i = 0; i < n; ++i) x[i] = i % 2 == 0 ? -1.2 : 1.0;
  return x;
}

TEST(U1, RosenbrockInTwoAndTenDimensions) {
  for (std::size_t n : {2u, 10u}) {
    MinimizerOptions options;
    options.max_iterations = 500;
    auto result = U1(rosenbrock, rosenbrock_start(n), options);
    EXPECT_FALSE(result.input_error);
    EXPECT_TRUE(result.stop == MinimizerStop::GradientSmall || result.stop == MinimizerStop::StepSmall)
        << stop_message(result.stop);
    for (double v : result.x) EXPECT_NEAR(v, 1.0, 1e-4) << "n = " << n;
    EXPECT_LT(result.f, 1e-9);
    EXPECT_GT(result.iterations, 10);
    EXPECT_GT(result.evaluations, result.iterations * static_cast<int>(n));
  }
}

// f = 1/2 (x - c)' A (x - c) with A = tridiag(-1, 4, -1) + 0.5 c c'/|c|^2,
// positive definite and moderately conditioned.
TEST(U1, QuadraticIn54ParametersFindsCentreAndHessian) {
  const std::size_t k = 54;
  std::vector<double> c(k);
  for (std::size_t i = 0; i < k; ++i) c[i] = std::sin(1.0 + i) * 3;
  double cc = 0;
  for (double v : c) cc += v * v;
  auto a = [&](std::size_t i, std::size_t j) {
    double v = i == j ? 4.0 : (i + 1 == j || j + 1 == i ? -1.0 : 0.0);
    return v + 0.5 * c[i] * c[j] / cc;
  };
  auto f = [&](std::span<const double> x) {
    double s = 0;
    for (std::size_t i = 0; i < k; ++i)
      for (std::size_t j = 0; j < k; ++j) s += (x[i] - c[i]) * a(i, j) * (x[j] - c[j]);
    return 0.5 * s;
  };
  MinimizerOptions options;
  options.max_iterations = 400;
  auto result = U1(f, std::vector<double>(k, 0.0), options);
  EXPECT_EQ(result.stop, MinimizerStop::GradientSmall);
  for (std::size_t i = 0; i < k; ++i) EXPECT_NEAR(result.x[i], c[i], 1e-5);
  ASSERT_EQ(result.hessian.size(), k * k);
}

TEST(U1, EachStopCodeIsReached) {
  MinimizerOptions options;
  auto smooth = U1([](std::span<const double> x) { return (x[0] - 2) * (x[0] - 2) + 1; }, std::vector<double>{0.0});
  EXPECT_EQ(smooth.stop, MinimizerStop::GradientSmall);
  EXPECT_NEAR(smooth.x[0], 2.0, 1e-6);

  options.gradient_tolerance = 0;
  options.step_tolerance = 1e-3;
  options.max_iterations = 1000;
  auto coarse = U1(rosenbrock, rosenbrock_start(2), options);
  EXPECT_EQ(coarse.stop, MinimizerStop::StepSmall);

  // A kink at 0 whose one-sided slopes (1 and -2) both point uphill: no
  // difference quotient leads to a lower point.
  auto kink = U1([](std::span<const double> x) { return x[0] >= 0 ? x[0] : -2 * x[0]; }, std::vector<double>{1.0});
  EXPECT_EQ(kink.stop, MinimizerStop::NoLowerPoint);
  EXPECT_NEAR(kink.x[0], 0.0, 1e-6);

  options = {};
  options.max_iterations = 3;
  auto limited = U1(rosenbrock, rosenbrock_start(2), options);
  EXPECT_EQ(limited.stop, MinimizerStop::IterationLimit);
  EXPECT_EQ(limited.iterations, 3);

  options = {};
  options.max_evaluations = 20;
  auto budget = U1(rosenbrock, rosenbrock_start(2), options);
  EXPECT_EQ(budget.stop, MinimizerStop::IterationLimit);
  EXPECT_LT(budget.evaluations, 40);
}

TEST(U1, StopMessagesAreTheReportLines) {
  EXPECT_STREQ(stop_message(MinimizerStop::GradientSmall), "Optimization stopped with gradient near zero.");
  EXPECT_STREQ(stop_message(MinimizerStop::StepSmall), "Optimization stopped within accuracy level.");
  EXPECT_STREQ(stop_message(MinimizerStop::NoLowerPoint), "Uncertain minimum.");
  EXPECT_STREQ(stop_message(MinimizerStop::IterationLimit), "Iteration limit exceeded.");
}

// The first trials of U1 are f(x0), the forward difference and then the line
// search along -H0^{-1} g with H0 = max(|f(x0)|, 1) I.
std::vector<double> first_trials(double (*shape)(double), double x0) {
  std::vector<double> trials;
  auto f = [&](std::span<const double> x) {
    trials.push_back(x[0]);
    return shape(x[0]);
  };
  U1(f, std::vector<double>{x0}, {.max_iterations = 1});
  return trials;
}

TEST(U1, StepIsTheQuasiNewtonStepCappedAtAThousandTimesTheStartSize) {
  // f(2) = 2000, gradient 1000, H0 = 2000: the full step is -0.5.
  auto t = first_trials([](double x) { return 1000 * x; }, 2.0);
  ASSERT_GE(t.size(), 3u);
  EXPECT_NEAR(t[2], 1.5, 1e-6);
  // f(0) = 0, gradient 1e6, H0 = 1: the step -1e6 is cut to 1000 max(1, |x0|).
  t = first_trials([](double x) { return 1e6 * x; }, 0.0);
  EXPECT_NEAR(t[2], -1000.0, 1e-6);
  t = first_trials([](double x) { return 1e6 * (x - 3); }, 3.0);
  EXPECT_NEAR(t[2], 3.0 - 3000.0, 1e-6);
}

TEST(U1, LineSearchUsesSufficientDecreaseOneTenThousandthAndCutsAtMostTenfold) {
  // From 0 with slope 1 the full step reaches -1 and must lower f by 1e-4.
  auto t = first_trials([](double x) { return x < -0.9 ? -0.99e-4 : x; }, 0.0);
  ASSERT_GE(t.size(), 4u);
  EXPECT_NEAR(t[2], -1.0, 1e-7);
  // Rejected: the quadratic through f(0), f'(0), f(-1) has its minimum near 1/2.
  EXPECT_NEAR(t[3], -0.5 / (1 - 0.99e-4), 1e-7);
  t = first_trials([](double x) { return x < -0.9 ? -1.01e-4 : x; }, 0.0);
  // Accepted: the next evaluation is already the gradient at -1.
  EXPECT_NEAR(t[3], -1.0, 1e-6);
  EXPECT_NE(t[3], -1.0);
  // A wall: the quadratic model asks for a tiny step, held at 0.1.
  t = first_trials([](double x) { return x < -0.9 ? 1e6 : x; }, 0.0);
  EXPECT_NEAR(t[3], -0.1, 1e-7);
  // A quadratic backtrack: f = x + 2x^2 from 0 has its model minimum at 1/4.
  t = first_trials([](double x) { return x + 2 * x * x; }, 0.0);
  EXPECT_NEAR(t[3], -0.25, 1e-6);
}

TEST(U1, CallbackSeesEveryIterationAndCanCancel) {
  struct Counter : IterationCallback {
    int calls = 0;
    int stop_at = 1000;
    bool on_iteration(int iteration, double) override {
      ++calls;
      EXPECT_EQ(iteration, calls);
      return calls < stop_at;
    }
  } counter;
  auto full = U1(rosenbrock, rosenbrock_start(2), {.max_iterations = 500}, &counter);
  EXPECT_EQ(counter.calls, full.iterations);
  counter = {};
  counter.stop_at = 2;
  auto cut = U1(rosenbrock, rosenbrock_start(2), {.max_iterations = 500}, &counter);
  EXPECT_TRUE(cut.cancelled);
  EXPECT_EQ(cut.iterations, 2);
}

TEST(U1, BadInputIsReportedNotMinimized) {
  clear_errors();
  auto nan_start = U1(rosenbrock, std::vector<double>{std::nan(""), 1.0});
  EXPECT_TRUE(nan_start.input_error);
  ASSERT_TRUE(last_error());
  EXPECT_EQ(last_error()->routine, "U1");

  clear_errors();
  auto empty = U1(rosenbrock, std::vector<double>{});
  EXPECT_TRUE(empty.input_error);
  EXPECT_TRUE(last_error());

  clear_errors();
  auto bad_options = U1(rosenbrock, std::vector<double>{1, 1}, {.max_iterations = 0});
  EXPECT_TRUE(bad_options.input_error);
  EXPECT_TRUE(last_error());

  clear_errors();
  auto bad_f = U1([](std::span<const double>) { return HUGE_VAL; }, std::vector<double>{1.0});
  EXPECT_TRUE(bad_f.input_error);
  EXPECT_TRUE(last_error());
  EXPECT_EQ(error_stack_depth(), 0);
}

}  // namespace
}  // namespace zelk::numeric
