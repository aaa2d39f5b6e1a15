#pragma once
// The reversible transformations of a working series and their inverses.
// Each apply_* function changes the series in place and returns the node
// that undoes it; invert() undoes one node. All are linear in n.
#include <span>
#include <string>
#include <vector>

#include "model/transform.h"

namespace zelk {

// Below this lambda Box-Cox takes logarithms.
inline constexpr double kBoxCoxLogLimit = 1e-7;

// The time indices of x(1) and x(n) within the imported data.
struct TimeIndices {
  int first = 1;
  int last = 0;
};

// y(t) = x(t+d) - x(t); needs 1 <= d < n. The first index grows by d.
Transformation apply_difference(std::vector<double>& x, TimeIndices& t, int lag);
// (x^lambda - 1)/lambda, or ln x when lambda < 1e-7; needs x >= 0 (x > 0 for logs).
Transformation apply_box_cox(std::vector<double>& x, double lambda);
Transformation apply_subtract_mean(std::vector<double>& x);
// Keeps time indices a..b, first <= a <= b <= last.
Transformation apply_subsequence(std::vector<double>& x, TimeIndices& t, int a, int b);

// Undoes `node`, which must be the transformation last applied to x.
void invert(const Transformation& node, std::vector<double>& x, TimeIndices& t);

// Box-Cox on one value and its inverse.
double box_cox(double x, double lambda);
double box_cox_inverse(double y, double lambda);

// Steps back to the units of the data, newest transformation first, each
// taken only when chosen: what forecasts and simulated series are given back.
struct BackSteps {
  bool regression = false;      // add the estimated regression trend
  bool mean = false;            // add the subtracted mean
  bool undifference = false;    // integrate through every differencing
  bool trend_seasonal = false;  // add the classical curve
  bool box_cox = false;         // invert Box-Cox
};

// Which steps a project allows: from its transformation list and whether a
// regression trend is estimated.
BackSteps available_steps(std::span<const Transformation> transforms, bool regression_estimated);

// "Box-Cox(0.500)", "Diff(12)", "Classical", "Subt Mean", "Subsequence".
std::string transform_label(const Transformation& node);
// Oldest to newest joined with "->"; "None" for an empty list.
std::string transform_summary(std::span<const Transformation> oldest_first);
// The Undo menu item: "Undo" with nothing to undo, else it names the newest node.
std::string undo_label(std::span<const Transformation> oldest_first);

}  // namespace zelk
