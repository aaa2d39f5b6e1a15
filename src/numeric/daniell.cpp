#include "numeric/daniell.h"

#include <algorithm>

namespace zelk {

// Box sums of width w = 2k+1 over a non-negative sequence, divided by w:
// out[i] = (a[i] + ... + a[i+w-1]) / w for i = 0..a.size()-w. Each window is a
// suffix sum of one block of w values plus a prefix sum of the next, so no
// value is ever subtracted: a sliding sum would lose the small ordinates that
// follow a large peak, and periodograms span many orders of magnitude.
std::vector<double> box_mean(const std::vector<double>& a, std::size_t k) {
  const std::size_t w = 2 * k + 1;
  if (a.size() < w) return {};
  const std::size_t len = a.size();
  std::vector<double> prefix(len), suffix(len);
  for (std::size_t b = 0; b < len; b += w) {
    const std::size_t e = std::min(len, b + w);
    double s = 0;
    for (std::size_t i = b; i < e; ++i) prefix[i] = s += a[i];
    s = 0;
    for (std::size_t i = e; i-- > b;) suffix[i] = s += a[i];
  }
  std::vector<double> out(len - w + 1);
  const double scale = 1.0 / static_cast<double>(w);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::size_t last = i + w - 1;
    out[i] = (i % w == 0 ? suffix[i] : suffix[i] + prefix[last]) * scale;
  }
  return out;
}

std::vector<double> daniell_weights(std::span<const int> orders) {
  // The full symmetric filter W(-L..L); each Daniell filter widens it by k
  // on both sides.
  std::vector<double> full{1.0};
  for (int k : orders) {
    if (k <= 0) continue;
    const std::size_t kk = static_cast<std::size_t>(k);
    std::vector<double> padded(full.size() + 4 * kk, 0.0);
    std::copy(full.begin(), full.end(), padded.begin() + static_cast<std::ptrdiff_t>(2 * kk));
    full = box_mean(padded, kk);
  }
  const std::size_t L = full.size() / 2;
  return {full.begin() + static_cast<std::ptrdiff_t>(L), full.end()};
}

double weights_sum_of_squares(std::span<const double> w) {
  if (w.empty()) return 0;
  double s = 0;
  for (std::size_t k = 1; k < w.size(); ++k) s += w[k] * w[k];
  return w[0] * w[0] + 2 * s;
}

}  // namespace zelk
