#include "model/transforms.h"

#include <cmath>
#include <string>

#include "plot/format.h"
#include "numeric/acf.h"
#include "model/classical.h"

namespace zelk {
namespace {

std::string lambda_text(double lambda) { return trim(format_significant(lambda, 3)); }

}  // namespace

double box_cox(double x, double lambda) {
  if (lambda >= kBoxCoxLogLimit) return (std::pow(x, lambda) - 1.0) / lambda;
  return std::log(x);
}

double box_cox_inverse(double y, double lambda) {
  if (lambda >= kBoxCoxLogLimit) {
    // Rounding can push lambda y + 1 a hair below 0 for data that held zeros.
    const double base = lambda * y + 1.0;
    return base > 0 ? std::pow(base, 1.0 / lambda) : 0.0;
  }
  return std::exp(y);
}

Transformation apply_difference(std::vector<double>& x, TimeIndices& t, int lag) {
  Transformation node;
  node.kind = TransformKind::Difference;
  node.lag = lag;
  const std::size_t d = static_cast<std::size_t>(lag);
  node.start_values.assign(x.begin(), x.begin() + lag);
  for (std::size_t i = 0; i + d < x.size(); ++i) x[i] = x[i + d] - x[i];
  x.resize(x.size() - d);
  t.first += lag;
  return node;
}

Transformation apply_box_cox(std::vector<double>& x, double lambda) {
  Transformation node;
  node.kind = TransformKind::BoxCox;
  node.lambda = lambda;
  for (double& v : x) v = box_cox(v, lambda);
  return node;
}

Transformation apply_subtract_mean(std::vector<double>& x) {
  Transformation node;
  node.kind = TransformKind::SubtractMean;
  node.subtracted_mean = sample_mean(x);
  for (double& v : x) v -= node.subtracted_mean;
  return node;
}

Transformation apply_subsequence(std::vector<double>& x, TimeIndices& t, int a, int b) {
  Transformation node;
  node.kind = TransformKind::Subsequence;
  node.previous_first = t.first;
  node.previous_last = t.last;
  const std::ptrdiff_t from = a - t.first, to = b - t.first + 1;
  node.values_before.assign(x.begin(), x.begin() + from);
  node.values_after.assign(x.begin() + to, x.end());
  x.erase(x.begin() + to, x.end());
  x.erase(x.begin(), x.begin() + from);
  t.first = a;
  t.last = b;
  return node;
}

void invert(const Transformation& node, std::vector<double>& x, TimeIndices& t) {
  switch (node.kind) {
    case TransformKind::Difference: {
      // In place: the differences move up by d behind the saved start values
      // (differencing kept the capacity), then each value adds the one d before.
      const std::size_t d = node.start_values.size();
      x.insert(x.begin(), node.start_values.begin(), node.start_values.end());
      for (std::size_t i = d; i < x.size(); ++i) x[i] += x[i - d];
      t.first -= static_cast<int>(d);
      break;
    }
    case TransformKind::BoxCox:
      for (double& v : x) v = box_cox_inverse(v, node.lambda);
      break;
    case TransformKind::Classical:
    case TransformKind::ClassicalHarmonic: {
      add_classical_curve(node, x);
      break;
    }
    case TransformKind::SubtractMean:
      for (double& v : x) v += node.subtracted_mean;
      break;
    case TransformKind::Subsequence:
      x.insert(x.begin(), node.values_before.begin(), node.values_before.end());
      x.insert(x.end(), node.values_after.begin(), node.values_after.end());
      t.first = node.previous_first;
      t.last = node.previous_last;
      break;
  }
}

std::string transform_label(const Transformation& node) {
  switch (node.kind) {
    case TransformKind::Difference: return "Diff(" + std::to_string(node.lag) + ")";
    case TransformKind::BoxCox: return "Box-Cox(" + lambda_text(node.lambda) + ")";
    case TransformKind::Classical:
    case TransformKind::ClassicalHarmonic: return "Classical";
    case TransformKind::SubtractMean: return "Subt Mean";
    case TransformKind::Subsequence: return "Subsequence";
  }
  return "";
}

std::string transform_summary(std::span<const Transformation> oldest_first) {
  if (oldest_first.empty()) return "None";
  std::string s;
  for (const Transformation& node : oldest_first) {
    if (!s.empty()) s += "->";
    s += transform_label(node);
  }
  return s;
}

std::string undo_label(std::span<const Transformation> oldest_first) {
  if (oldest_first.empty()) return "Undo";
  const Transformation& head = oldest_first.back();
  switch (head.kind) {
    case TransformKind::Difference: return "Undo Differencing(" + std::to_string(head.lag) + ")";
    case TransformKind::BoxCox: return "Undo Box-Cox(" + lambda_text(head.lambda) + ")";
    case TransformKind::Classical:
    case TransformKind::ClassicalHarmonic: return "Undo Classical";
    case TransformKind::SubtractMean: return "Undo Subtract Mean";
    case TransformKind::Subsequence: return "Undo Trimming";
  }
  return "Undo";
}

BackSteps available_steps(std::span<const Transformation> transforms, bool regression_estimated) {
  BackSteps a;
  for (const Transformation& t : transforms) {
    switch (t.kind) {
      case TransformKind::SubtractMean: a.mean = true; break;
      case TransformKind::Difference: a.undifference = true; break;
      case TransformKind::Classical:
      case TransformKind::ClassicalHarmonic: a.trend_seasonal = true; break;
      case TransformKind::BoxCox: a.box_cox = true; break;
      case TransformKind::Subsequence: break;
    }
  }
  a.regression = regression_estimated;
  return a;
}

}  // namespace zelk
