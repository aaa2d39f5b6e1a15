#include "project/univariate_record.h"

namespace zelk {

void UnivariateRecord::set_data(std::vector<double> values) {
  x = std::move(values);
  first = x.empty() ? 0 : 1;
  last = static_cast<int>(x.size());
}

void UnivariateRecord::release_data() {
  x.clear();
  x.shrink_to_fit();
  first = last = 0;
  series_name = "Series ";
  results = Results{};
  model.model_acf.clear();
  model.model_pacf.clear();
  transforms.clear();
  transform_summary.clear();
  regression = RegressionTrend{};
}

}  // namespace zelk
