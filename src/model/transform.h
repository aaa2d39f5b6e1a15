#pragma once
// One applied transformation of a project's working series, with what is
// needed to undo it. The list is kept newest last in the record.
#include <array>
#include <vector>

namespace zelk {

enum class TransformKind : int {
  Difference = 1,
  BoxCox = 2,
  Classical = 4,          // seasonal part and/or polynomial
  ClassicalHarmonic = 8,  // harmonic part and/or polynomial
  SubtractMean = 16,
  Subsequence = 32,
};

struct Transformation {
  TransformKind kind = TransformKind::Difference;
  int lag = 1;
  std::vector<double> start_values;  // x(1..lag) before differencing
  double lambda = 1.0;
  std::vector<double> seasonal;      // s(1..period)
  int period = -1;
  int harmonic_count = 0;
  std::array<int, 4> fourier_index{};
  std::array<double, 4> cosine_sum{};
  std::array<double, 4> sine_sum{};
  double harmonic_mean = 0.0;
  int degree = 1;
  std::array<double, 3> poly{};      // a + b t + c t^2
  double subtracted_mean = 0.0;
  std::vector<double> values_before;
  std::vector<double> values_after;
  int previous_first = 0;
  int previous_last = 0;
};

}  // namespace zelk
