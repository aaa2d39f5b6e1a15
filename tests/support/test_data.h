#pragma once
// Reference series of tests/data, one value per line.
#include <fstream>
#include <string>
#include <vector>

namespace zelk::test {

inline std::vector<double> read_series(const std::string& name) {
  std::ifstream in(std::string(ZELK_TEST_DATA) + "/" + name);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

// Lake Huron levels less their mean: the series most model tests start from.
inline std::vector<double> lake_huron_deviations() {
  std::vector<double> x = read_series("lake_huron.dat");
  double mean = 0;
  for (double v : x) mean += v;
  mean /= static_cast<double>(x.size());
  for (double& v : x) v -= mean;
  return x;
}

}  // namespace zelk::test
