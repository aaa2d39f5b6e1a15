#include "project/univariate_record.h"

#include "model/transforms.h"

namespace zelk {

void UnivariateRecord::set_data(std::vector<double> values) {
  x = std::move(values);
  first = x.empty() ? 0 : 1;
  last = static_cast<int>(x.size());
}

void UnivariateRecord::push_transform(Transformation node, int new_first, int new_last) {
  first = new_first;
  last = new_last;
  transforms.push_back(std::move(node));
}

void UnivariateRecord::release_data() {
  x.clear();
  x.shrink_to_fit();
  first = last = 0;
  series_name = "Series ";
  results = Results{};
  derived.clear();
  transforms.clear();
  transform_summary.clear();
  regression = RegressionTrend{};
}

std::vector<double> untransformed(const UnivariateRecord& rec) {
  std::vector<double> x = rec.x;
  const std::vector<double>& trend = rec.regression.fitted_trend;
  if (rec.regression.estimation != 0 && trend.size() == x.size())
    for (std::size_t i = 0; i < x.size(); ++i) x[i] += trend[i];
  TimeIndices t{rec.first, rec.last};
  for (auto it = rec.transforms.rbegin(); it != rec.transforms.rend(); ++it) invert(*it, x, t);
  return x;
}

}  // namespace zelk
