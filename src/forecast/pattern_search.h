#pragma once
// Hooke & Jeeves (1961) direct search, "Direct search solution of numerical
// and statistical problems", J. ACM 8: exploratory moves of step s along
// each coordinate around a base point, pattern moves x -> 2t - x while they
// pay, the step halved when an exploration finds nothing. Every comparison
// is strict, so an equal value is never an improvement.
#include <functional>
#include <span>
#include <vector>

namespace zelk {

// Evaluates f at every point of a batch (values.size() == points.size());
// a batch lets the objective interleave independent evaluations.
using BatchObjective =
    std::function<void(std::span<const std::vector<double>> points, std::span<double> values)>;

struct PatternSearchOptions {
  double initial_step = 0.02;
  double final_step = 0.008;  // the search ends when the halved step drops below this
};

struct PatternSearchResult {
  std::vector<double> x;  // the base point reached
  double value = 0;
  int evaluations = 0;
  double smallest_step = 0;  // smallest step explored with
};

PatternSearchResult pattern_search(const BatchObjective& f, std::vector<double> start,
                                   const PatternSearchOptions& options = {});

}  // namespace zelk
