#pragma once
// Sample auto- and cross-covariances and correlations of k series observed at
// the same n times (Brockwell & Davis, "Time Series: Theory and Methods",
// 1991, section 11.2):
//   gamma_ij(h) = (1/n) sum over t = 1..n-h of (X_i(t+h) - m_i)(X_j(t) - m_j),
//   gamma_ij(-h) = gamma_ji(h),  rho_ij(h) = gamma_ij(h) / sqrt(gamma_ii(0) gamma_jj(0)).
// Components are spans of equal length; they are read, never copied whole.
#include <span>
#include <vector>

namespace zelk {

using Components = std::span<const std::span<const double>>;

// Gamma(h) for h = 0..lags as k x k matrices, row-major: gamma(h, i, j) is
// gamma_ij(h) above. Lags at or beyond n are 0. With centre = false the
// series are taken as already centred (means 0).
struct CrossCovariances {
  int k = 0, lags = 0;
  std::vector<double> means;
  std::vector<double> values;  // (lags + 1) k k
  double operator()(int h, int i, int j) const {
    return h >= 0 ? values[(static_cast<std::size_t>(h) * k + i) * k + j]
                  : values[(static_cast<std::size_t>(-h) * k + j) * k + i];
  }
};

// Direct sums block by block for few lags, one FFT per component and one
// inverse per pair when the lag count is large. Empty components give zeros.
CrossCovariances sample_cross_covariances(Components x, int lags, bool centre = true);

// The lag count actually used for n observations: min(requested, n div 2 - 1),
// never below 0.
int ccf_lag_count(int requested, int n);

// rho_ij(h), h = -lags..lags (lag h at index h + lags), for each pair i <= j
// in the order (1,1), (1,2), .., (1,k), (2,2), ..; pairs are k(k+1)/2.
// A component with gamma_ii(0) = 0 (constant) has rho_ii(0) = 1 and every
// other correlation involving it 0, the values of white noise.
struct SampleCcf {
  int k = 0, lags = 0;
  std::vector<std::vector<double>> pairs;
  const std::vector<double>& pair(int i, int j) const;  // 0-based, i <= j
};
SampleCcf sample_ccf(Components x, int lags);

// Index of pair (i, j), i <= j, 0-based, in the order above.
inline int pair_index(int i, int j, int k) { return i * k - i * (i - 1) / 2 + (j - i); }

}  // namespace zelk
