#include "forecast/pattern_search.h"

namespace zelk {
namespace {

struct Search {
  const BatchObjective& f;
  double step;
  int evaluations = 0;
  double smallest = 0;

  // Exploration around x. With `evaluate_x` the value of x itself is not yet
  // known and is computed in the batch of the first coordinate.
  bool explore(const std::vector<double>& x, double& fx, bool evaluate_x, std::vector<double>& t, double& ft) {
    smallest = step;
    t = x;
    bool changed = false;
    std::vector<std::vector<double>> batch;
    std::vector<double> values;
    for (std::size_t i = 0; i < x.size(); ++i) {
      batch.clear();
      const bool with_x = evaluate_x && i == 0;
      if (with_x) batch.push_back(x);
      batch.push_back(t);
      batch.back()[i] = x[i] + step;
      batch.push_back(t);
      batch.back()[i] = x[i] - step;
      values.assign(batch.size(), 0.0);
      f(batch, values);
      evaluations += static_cast<int>(batch.size());
      std::size_t k = 0;
      if (with_x) {
        fx = values[k++];
        ft = fx;
      } else if (i == 0) {
        ft = fx;
      }
      for (; k < batch.size(); ++k)
        if (values[k] < ft) {
          t = batch[k];
          ft = values[k];
          changed = true;
        }
    }
    if (x.empty()) ft = fx;
    return changed;
  }
};

}  // namespace

PatternSearchResult pattern_search(const BatchObjective& f, std::vector<double> start,
                                   const PatternSearchOptions& options) {
  Search s{f, options.initial_step};
  std::vector<double> x = std::move(start), p, t;
  double fx = 0, fp = 0, ft = 0;
  {
    std::vector<double> v(1);
    f(std::span<const std::vector<double>>(&x, 1), v);
    fx = v[0];
    ++s.evaluations;
  }
  bool finished = false, at_pattern = false, evaluate_x = false;
  while (true) {
    const bool changed = s.explore(x, fx, evaluate_x, t, ft);
    evaluate_x = false;
    if (!changed) {
      s.step /= 2;
      if (s.step < options.final_step) finished = true;
    }
    bool move = false;
    if (!at_pattern) {
      if (finished) break;
      move = true;
    } else if (!finished && ft < fp) {
      move = true;
    } else {
      x = p;
      fx = fp;
      at_pattern = false;
      if (finished) break;
    }
    if (move) {
      // Pattern move: the explored point becomes the base, and the search
      // jumps as far again in the same direction.
      p = t;
      fp = ft;
      for (std::size_t i = 0; i < x.size(); ++i) x[i] = 2 * t[i] - x[i];
      at_pattern = true;
      evaluate_x = true;
    }
  }
  return {x, fx, s.evaluations, s.smallest};
}

}  // namespace zelk
