#include "model/causality.h"

#include <algorithm>
#include <cmath>

namespace zelk {

std::vector<double> step_down(std::span<const double> a_in) {
  const int k = static_cast<int>(a_in.size());
  std::vector<double> a(a_in.begin(), a_in.end());
  std::vector<double> partial(k);
  if (k == 0) return partial;
  // !(x < 1) also rejects NaN.
  if (!(std::fabs(a[k - 1]) < 1)) return {};
  std::vector<double> next(k);
  for (int m = k; m >= 2; --m) {
    const double r = a[m - 1];
    partial[m - 1] = r;
    const double scale = 1 - r * r;
    for (int j = 1; j <= m - 1; ++j) next[j - 1] = (a[j - 1] + r * a[m - j - 1]) / scale;
    std::copy(next.begin(), next.begin() + (m - 1), a.begin());
    if (!(std::fabs(a[m - 2]) < 1)) return {};
  }
  partial[0] = a[0];
  return partial;
}

bool check_causal(std::span<const double> phi) { return phi.empty() || !step_down(phi).empty(); }

bool check_invertible(std::span<const double> theta) {
  // theta(z) = 1 + theta(1) z + ...: the step-down of -theta.
  std::vector<double> a(theta.size());
  for (std::size_t j = 0; j < theta.size(); ++j) a[j] = -theta[j];
  return theta.empty() || !step_down(a).empty();
}

}  // namespace zelk
