#pragma once
// Equal-width histograms over the range of the values.
#include <cstddef>
#include <span>
#include <vector>

namespace zelk {

struct Histogram {
  std::vector<double> edges;   // e(0..k), e(0) = lo, e(i) = lo + i w
  std::vector<double> counts;  // count of bin i at [i-1], as real numbers
};

// 2 floor(log2(n) / 2) + 1: odd, growing with log n; 1 for n < 2.
int default_bin_count(std::size_t n);

// k bins spanning [min, max] of v. A value equal to the maximum belongs to
// the last bin, so every finite value is counted once. When all values are
// equal (zero width) the range is widened to v +- max(|v|, 1)/2, which puts
// every value in the middle bin of an odd k. Non-finite values are skipped.
Histogram make_histogram(std::span<const double> v, int k);

}  // namespace zelk
