#include "project/univariate_record.h"

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

}  // namespace zelk
