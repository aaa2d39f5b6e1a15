#include "univariate/histogram.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zelk {

int default_bin_count(std::size_t n) {
  if (n < 2) return 1;
  // floor(log2 n) exactly, so powers of two do not fall a bin short.
  const int log2n = static_cast<int>(std::bit_width(n)) - 1;
  return 2 * (log2n / 2) + 1;
}

Histogram make_histogram(std::span<const double> v, int k) {
  Histogram h;
  if (k < 1) k = 1;
  double lo = 0, hi = 0;
  bool any = false;
  for (double x : v) {
    if (!std::isfinite(x)) continue;
    if (!any) lo = hi = x;
    lo = std::min(lo, x);
    hi = std::max(hi, x);
    any = true;
  }
  if (hi == lo) {
    const double half = std::max(std::fabs(lo), 1.0) / 2;
    lo -= half;
    hi += half;
  }
  const double w = (hi - lo) / k;
  h.edges.resize(static_cast<std::size_t>(k) + 1);
  h.edges[0] = lo;
  for (int i = 1; i <= k; ++i) h.edges[i] = lo + i * w;
  h.counts.assign(static_cast<std::size_t>(k), 0.0);
  for (double x : v) {
    if (!std::isfinite(x)) continue;
    const double j = std::floor((x - lo) / w);
    const int bin = j < 0 ? 0 : (j >= k ? k - 1 : static_cast<int>(j));
    h.counts[bin] += 1;
  }
  return h;
}

}  // namespace zelk
