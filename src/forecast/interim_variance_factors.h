#pragma once
// Cumulative squared MA-infinity weights of theta(B) / a(B), with
// a(B) = 1 - a(1) B - ... - a(P) B^P: F(k) = psi(0)^2 + ... + psi(k-1)^2,
// k = 1..h (Brockwell & Davis 1991, Sec. 5.3). ARAR and Holt-Winters need
// only this small case; it stands in until they share the ARMA forecasting
// routine that also handles differencing and fractional integration.
#include <algorithm>
#include <span>
#include <vector>

namespace zelk::detail {

inline std::vector<double> interim_variance_factors(std::span<const double> a, std::span<const double> theta,
                                                    int h) {
  std::vector<double> psi(std::max(h, 0)), F(std::max(h, 0));
  const int P = static_cast<int>(a.size()), q = static_cast<int>(theta.size());
  double sum = 0;
  for (int i = 0; i < h; ++i) {
    double v = i == 0 ? 1.0 : (i <= q ? theta[i - 1] : 0.0);
    for (int j = 1; j <= std::min(i, P); ++j) v += a[j - 1] * psi[i - j];
    psi[i] = v;
    sum += v * v;
    F[i] = sum;
  }
  return F;
}

}  // namespace zelk::detail
