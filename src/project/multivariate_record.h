#pragma once
// A multivariate project: m component series (1 to 25) of common length n.
#include <string>
#include <vector>

#include "project/feature_state.h"

namespace zelk {

inline constexpr int kMaxComponents = 25;

struct MultivariateRecord {
  int m = 0;
  int n = 0;
  std::vector<double> data;  // column-major: component j at data[j*n .. j*n+n-1]
  std::vector<bool> active;
  std::vector<std::string> names;
  std::string name = "New Multivariate Project";
  std::string file_name;
  bool project_file_known = false;
  // Each feature's own settings and results, as in a univariate record.
  FeatureState kept;
  FeatureState derived;
  bool data_present() const { return m > 0 && n > 0; }
};

}  // namespace zelk
