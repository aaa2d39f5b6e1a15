#pragma once
// Reads a test data file of several blank-separated columns per line.
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace zelk::testing {

inline std::vector<std::vector<double>> read_columns(const std::string& name) {
  std::ifstream in(std::string(ZELK_TEST_DATA) + "/" + name);
  std::vector<std::vector<double>> cols;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    double v;
    for (std::size_t i = 0; words >> v; ++i) {
      if (cols.size() <= i) cols.resize(i + 1);
      cols[i].push_back(v);
    }
  }
  return cols;
}

// Spans over the columns, for the kernels' Components argument.
inline std::vector<std::span<const double>> spans(const std::vector<std::vector<double>>& cols) {
  return {cols.begin(), cols.end()};
}

}  // namespace zelk::testing
