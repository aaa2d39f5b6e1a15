#include "model/classical.h"

#include <cmath>

#include "numeric/acf.h"

namespace zelk {
namespace {

// The program's fixed value of 2 pi for harmonic fits; applying and undoing
// use the same one, so they cancel exactly.
constexpr double kTwoPi = 6.28318530718;

double harmonic_value(const Transformation& node, std::size_t t, std::size_t n) {
  const double w = kTwoPi / static_cast<double>(n);
  double f = node.harmonic_mean;
  for (int i = 0; i < node.harmonic_count; ++i) {
    const double ang = node.fourier_index[i] * w * static_cast<double>(t);
    f += 2.0 / static_cast<double>(n) * (node.cosine_sum[i] * std::cos(ang) + node.sine_sum[i] * std::sin(ang));
  }
  return f;
}

void fit_polynomial(Transformation& node, std::vector<double>& y, std::vector<double>& curve) {
  node.degree = usable_degree(node.degree, y.size());
  node.poly = polynomial_coefficients(y, node.degree);
  if (node.degree < 1) return;
  for (std::size_t i = 0; i < y.size(); ++i) {
    const double t = static_cast<double>(i + 1);
    const double trend = node.poly[0] + node.poly[1] * t + node.poly[2] * t * t;
    y[i] -= trend;
    curve[i] += trend;
  }
}

}  // namespace

int usable_degree(int degree, std::size_t n) {
  if (degree < 0) return 0;
  return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(degree), n > 0 ? n - 1 : 0));
}

std::vector<double> seasonal_components(std::span<const double> x, int period) {
  const int N = static_cast<int>(x.size()), d = period, q = d / 2;
  const bool even = d % 2 == 0;
  auto X = [&](int t) { return x[t - 1]; };  // 1-based as in the method
  std::vector<double> m(N + 1, 0.0);
  for (int t = q + 1; t <= N - q; ++t) {
    double s = X(t);
    for (int j = 1; j <= q; ++j) s += X(t + j) + X(t - j);
    if (even) s -= (X(t + q) + X(t - q)) / 2;
    m[t] = s / d;
  }
  std::vector<double> w(q + d + 1, 0.0);
  for (int k = q + 1; k <= q + d; ++k) {
    const int J = (N - k - q) / d;
    double s = 0;
    for (int j = 0; j <= J; ++j) s += X(k + j * d) - m[k + j * d];
    w[k] = s / (J + 1);
  }
  for (int k = 1; k <= q; ++k) w[k] = w[k + d];
  double mean = 0;
  for (int k = 1; k <= d; ++k) mean += w[k];
  mean /= d;
  std::vector<double> s(d);
  for (int k = 1; k <= d; ++k) s[k - 1] = w[k] - mean;
  return s;
}

std::array<double, 3> polynomial_coefficients(std::span<const double> y, int degree) {
  std::array<double, 3> c{};
  degree = usable_degree(degree, y.size());
  if (degree < 1) return c;
  const double N = static_cast<double>(y.size());
  double S0 = 0, S1 = 0, S2 = 0;
  for (std::size_t i = 0; i < y.size(); ++i) {
    const double t = static_cast<double>(i + 1);
    S0 += y[i];
    S1 += t * y[i];
    S2 += t * t * y[i];
  }
  const double slope = 12 * (S1 - (N + 1) * S0 / 2) / (N * (N * N - 1));
  if (degree == 1) {
    c[1] = slope;
    c[0] = S0 / N - slope * (N + 1) / 2;
    return c;
  }
  c[2] = 30 * (6 * S2 + ((N + 2) * S0 - 6 * S1) * (N + 1)) / ((N * N - 4) * N * (N * N - 1));
  c[1] = slope - c[2] * (N + 1);
  c[0] = S0 / N - (N + 1) * ((2 * N + 1) * c[2] / 6 + c[1] / 2);
  return c;
}

Transformation apply_classical(std::vector<double>& x, const ClassicalSettings& s, std::vector<double>* fitted) {
  Transformation node;
  node.degree = s.degree;
  const std::size_t n = x.size();
  std::vector<double> curve(n, 0.0);
  if (s.period >= 1) {
    node.kind = TransformKind::Classical;
    node.period = s.period;
    node.seasonal = seasonal_components(x, s.period);
    for (std::size_t i = 0; i < n; ++i) {
      curve[i] = node.seasonal[i % node.seasonal.size()];
      x[i] -= curve[i];
    }
  } else if (s.harmonics >= 1) {
    node.kind = TransformKind::ClassicalHarmonic;
    node.harmonic_count = s.harmonics;
    node.fourier_index = s.indices;
    node.harmonic_mean = sample_mean(x);
    const double w = kTwoPi / static_cast<double>(n);
    for (int i = 0; i < s.harmonics; ++i) {
      double A = 0, B = 0;
      for (std::size_t t = 1; t <= n; ++t) {
        const double ang = s.indices[i] * w * static_cast<double>(t);
        A += x[t - 1] * std::cos(ang);
        B += x[t - 1] * std::sin(ang);
      }
      node.cosine_sum[i] = A;
      node.sine_sum[i] = B;
    }
    for (std::size_t t = 1; t <= n; ++t) {
      curve[t - 1] = harmonic_value(node, t, n);
      x[t - 1] -= curve[t - 1];
    }
  } else {
    node.kind = TransformKind::Classical;
    node.period = -1;
  }
  fit_polynomial(node, x, curve);
  if (fitted) *fitted = std::move(curve);
  return node;
}

std::vector<double> classical_curve(const Transformation& node, std::size_t n) {
  return classical_curve(node, n, n);
}

std::vector<double> classical_curve(const Transformation& node, std::size_t n_fit, std::size_t n) {
  std::vector<double> curve(n, 0.0);
  if (node.kind == TransformKind::ClassicalHarmonic) {
    for (std::size_t t = 1; t <= n; ++t) curve[t - 1] = harmonic_value(node, t, n_fit);
  } else if (node.period >= 1 && !node.seasonal.empty()) {
    for (std::size_t i = 0; i < n; ++i) curve[i] = node.seasonal[i % node.seasonal.size()];
  }
  if (node.degree >= 1)
    for (std::size_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(i + 1);
      curve[i] += node.poly[0] + node.poly[1] * t + node.poly[2] * t * t;
    }
  return curve;
}

void add_classical_curve(const Transformation& node, std::vector<double>& x) {
  const std::vector<double> curve = classical_curve(node, x.size());
  for (std::size_t i = 0; i < x.size(); ++i) x[i] += curve[i];
}

}  // namespace zelk
