#include "model/transforms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/test_data.h"
#include "model/classical.h"

namespace zelk {
namespace {

void expect_close(const std::vector<double>& a, const std::vector<double>& b, double tol) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], tol * (1 + std::fabs(b[i]))) << "at " << i;
}

TEST(Transforms, HandWorkedValues) {
  std::vector<double> x{1, 4, 9, 16, 25};
  TimeIndices t{1, 5};
  auto d = apply_difference(x, t, 2);
  EXPECT_EQ(x, (std::vector<double>{8, 12, 16}));
  EXPECT_EQ(t.first, 3);
  EXPECT_EQ(t.last, 5);
  EXPECT_EQ(d.start_values, (std::vector<double>{1, 4}));

  std::vector<double> y{1, 4, 0};
  apply_box_cox(y, 0.5);  // (sqrt(x) - 1) / 0.5; a zero gives -1/lambda
  EXPECT_DOUBLE_EQ(y[0], 0.0);
  EXPECT_DOUBLE_EQ(y[1], 2.0);
  EXPECT_DOUBLE_EQ(y[2], -2.0);
  std::vector<double> z{std::exp(1.0), 1.0};
  apply_box_cox(z, 0.0);
  EXPECT_DOUBLE_EQ(z[0], 1.0);
  EXPECT_DOUBLE_EQ(z[1], 0.0);

  std::vector<double> s{1, 2, 3, 4, 5, 6};
  TimeIndices u{3, 8};
  auto node = apply_subsequence(s, u, 4, 6);
  EXPECT_EQ(s, (std::vector<double>{2, 3, 4}));
  EXPECT_EQ(u.first, 4);
  EXPECT_EQ(u.last, 6);
  EXPECT_EQ(node.values_before, (std::vector<double>{1}));
  EXPECT_EQ(node.values_after, (std::vector<double>{5, 6}));
}

TEST(Transforms, SummaryAndUndoLabels) {
  std::vector<Transformation> list;
  EXPECT_EQ(transform_summary(list), "None");
  EXPECT_EQ(undo_label(list), "Undo");
  std::vector<double> x{1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, 377, 610, 987};
  TimeIndices t{1, 15};
  list.push_back(apply_box_cox(x, 0.5));
  EXPECT_EQ(undo_label(list), "Undo Box-Cox(0.500)");
  list.push_back(apply_difference(x, t, 12));
  EXPECT_EQ(undo_label(list), "Undo Differencing(12)");
  list.push_back(apply_subtract_mean(x));
  EXPECT_EQ(transform_summary(list), "Box-Cox(0.500)->Diff(12)->Subt Mean");
  EXPECT_EQ(undo_label(list), "Undo Subtract Mean");
  list.push_back(apply_subsequence(x, t, 14, 15));
  EXPECT_EQ(undo_label(list), "Undo Trimming");
  EXPECT_EQ(transform_label(apply_box_cox(x, 1.0)), "Box-Cox(1.00)");
  EXPECT_EQ(transform_label(apply_box_cox(x, 0.0)), "Box-Cox(0.000)");
}

// Every kind, alone and chained in the order the menus allow, is undone to
// rounding, time indices included.
TEST(Transforms, UndoRestoresValuesAndIndicesForEveryKindAndChains) {
  const auto air = test::read_series("air_passengers.dat");
  ASSERT_EQ(air.size(), 144u);
  std::vector<std::vector<Transformation (*)(std::vector<double>&, TimeIndices&)>> chains = {
      {[](auto& x, auto&) { return apply_box_cox(x, 0.0); }},
      {[](auto& x, auto&) { return apply_box_cox(x, 0.3); }},
      {[](auto& x, auto& t) { return apply_difference(x, t, 12); }},
      {[](auto& x, auto&) { return apply_subtract_mean(x); }},
      {[](auto& x, auto& t) { return apply_subsequence(x, t, 10, 100); }},
      {[](auto& x, auto&) { return apply_classical(x, {.period = 12, .degree = 2}); }},
      {[](auto& x, auto&) { return apply_classical(x, {.period = 5, .degree = 0}); }},
      {[](auto& x, auto&) { return apply_classical(x, {.harmonics = 2, .indices = {12, 24}, .degree = 1}); }},
      {[](auto& x, auto&) { return apply_classical(x, {.degree = 2}); }},
      {[](auto& x, auto&) { return apply_box_cox(x, 0.0); },
       [](auto& x, auto& t) { return apply_difference(x, t, 1); },
       [](auto& x, auto& t) { return apply_difference(x, t, 12); },
       [](auto& x, auto&) { return apply_subtract_mean(x); },
       [](auto& x, auto& t) { return apply_subsequence(x, t, 20, 130); }},
      {[](auto& x, auto&) { return apply_box_cox(x, 0.5); },
       [](auto& x, auto&) { return apply_classical(x, {.period = 12, .degree = 1}); },
       [](auto& x, auto&) { return apply_subtract_mean(x); },
       [](auto& x, auto& t) { return apply_subsequence(x, t, 5, 5 + 2); }},
  };
  for (std::size_t c = 0; c < chains.size(); ++c) {
    std::vector<double> x = air;
    TimeIndices t{1, 144};
    std::vector<Transformation> applied;
    std::vector<std::vector<double>> before;
    std::vector<TimeIndices> before_t;
    for (auto step : chains[c]) {
      before.push_back(x);
      before_t.push_back(t);
      applied.push_back(step(x, t));
    }
    for (std::size_t i = applied.size(); i-- > 0;) {
      invert(applied[i], x, t);
      SCOPED_TRACE("chain " + std::to_string(c) + " step " + std::to_string(i));
      expect_close(x, before[i], 1e-12);
      EXPECT_EQ(t.first, before_t[i].first);
      EXPECT_EQ(t.last, before_t[i].last);
    }
  }
}

TEST(Classical, PolynomialRecoversExactTrends) {
  std::vector<double> y(20);
  for (int i = 0; i < 20; ++i) {
    const double t = i + 1;
    y[i] = 2 + 3 * t - 0.5 * t * t;
  }
  auto c = polynomial_coefficients(y, 2);
  EXPECT_NEAR(c[0], 2, 1e-9);
  EXPECT_NEAR(c[1], 3, 1e-10);
  EXPECT_NEAR(c[2], -0.5, 1e-11);
  for (double& v : y) v = 7;  // a flat line has no slope
  c = polynomial_coefficients(y, 1);
  EXPECT_NEAR(c[0], 7, 1e-12);
  EXPECT_NEAR(c[1], 0, 1e-12);
  // Too few points for the degree: a parabola through two points is a line.
  const std::vector<double> two{1, 3};
  c = polynomial_coefficients(two, 2);
  EXPECT_DOUBLE_EQ(c[1], 2.0);
  EXPECT_DOUBLE_EQ(c[0], -1.0);
  EXPECT_EQ(c[2], 0.0);
  const std::vector<double> one{4};
  std::vector<double> x = one;
  auto node = apply_classical(x, {.degree = 1});
  EXPECT_EQ(node.degree, 0);
  EXPECT_EQ(x[0], 4.0);
}

TEST(Classical, SeasonalComponentsOfPeriodicData) {
  // A pure period-4 pattern on a linear trend: the components come back
  // exactly, even period with half-weighted ends.
  const double pattern[] = {3, -1, -4, 2};
  std::vector<double> x(24);
  for (int i = 0; i < 24; ++i) x[i] = 10 + 0.5 * (i + 1) + pattern[i % 4];
  auto s = seasonal_components(x, 4);
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(s[k], pattern[k], 1e-12);
  std::vector<double> fitted;
  auto node = apply_classical(x, {.period = 4, .degree = 1}, &fitted);
  EXPECT_NEAR(node.poly[0], 10, 1e-10);
  EXPECT_NEAR(node.poly[1], 0.5, 1e-12);
  for (double r : x) EXPECT_NEAR(r, 0.0, 1e-10);
  // Odd period: plain 5-term average.
  const double p5[] = {1, 2, -3, 4, -4};
  std::vector<double> y(30);
  for (int i = 0; i < 30; ++i) y[i] = p5[i % 5] + 100;
  s = seasonal_components(y, 5);
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(s[k], p5[k], 1e-12);
}

TEST(Classical, HarmonicFitRemovesItsFrequencies) {
  const int n = 48;
  std::vector<double> x(n);
  for (int t = 1; t <= n; ++t)
    x[t - 1] = 5 + 2 * std::cos(6.28318530718 * 4 * t / n) - 1.5 * std::sin(6.28318530718 * 8 * t / n);
  auto node = apply_classical(x, {.harmonics = 2, .indices = {4, 8}, .degree = 0});
  EXPECT_EQ(node.kind, TransformKind::ClassicalHarmonic);
  EXPECT_NEAR(node.harmonic_mean, 5, 1e-10);
  EXPECT_NEAR(2 * node.cosine_sum[0] / n, 2, 1e-9);
  EXPECT_NEAR(2 * node.sine_sum[1] / n, -1.5, 1e-9);
  for (double r : x) EXPECT_NEAR(r, 0.0, 1e-9);
}

}  // namespace
}  // namespace zelk
