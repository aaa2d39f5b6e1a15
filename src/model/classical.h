#pragma once
// Classical decomposition: a seasonal component (moving-average trend, then
// averaged deviations per season) or a few harmonics, plus a polynomial
// trend of degree 0 to 2 fitted by least squares in t = 1..N
// (Brockwell & Davis, Introduction to Time Series and Forecasting, 2002,
// section 1.5). The fitted curve is subtracted; the node adds it back.
#include <array>
#include <span>
#include <vector>

#include "model/transform.h"

namespace zelk {

struct ClassicalSettings {
  int period = 0;     // seasonal period d, 2 <= d <= N/3; 0 for no seasonal part
  int harmonics = 0;  // k = 1..4 Fourier frequencies when period is 0; 0 for none
  std::array<int, 4> indices{};  // j(1..k), 1 <= j < N/2
  int degree = 1;     // polynomial trend 0, 1 or 2
};

// Seasonal components s(1..d), summing to 0, of x with period d.
std::vector<double> seasonal_components(std::span<const double> x, int period);

// a, b, c of the least-squares a + b t + c t^2 (degree 1: c = 0), closed form.
// A degree the data cannot carry (N <= degree) is lowered to N - 1 so that a
// line through one point or a parabola through two stays defined.
std::array<double, 3> polynomial_coefficients(std::span<const double> y, int degree);
int usable_degree(int degree, std::size_t n);

// Applies the settings to x (kind 4, or 8 with harmonics); `fitted`, when
// given, receives the subtracted curve. With period 0, no harmonics and
// degree 0 nothing is fitted: the node's curve is zero.
Transformation apply_classical(std::vector<double>& x, const ClassicalSettings& s,
                               std::vector<double>* fitted = nullptr);

// The curve a classical node subtracted from a series of length n.
std::vector<double> classical_curve(const Transformation& node, std::size_t n);
// The same curve at t = 1..n for a node fitted to n_fit values (n > n_fit
// continues it past the data, as forecasts need).
std::vector<double> classical_curve(const Transformation& node, std::size_t n_fit, std::size_t n);
// x += the node's curve: the inverse of apply_classical.
void add_classical_curve(const Transformation& node, std::vector<double>& x);

}  // namespace zelk
