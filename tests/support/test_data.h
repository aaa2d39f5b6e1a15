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

}  // namespace zelk::test
