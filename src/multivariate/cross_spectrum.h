#pragma once
// Periodograms, cross-periodograms, smoothed spectra, squared coherency and
// phase of k series (Brockwell & Davis, "Time Series: Theory and Methods",
// 1991, sections 11.6 and 11.7).
//
// With J_i(w) = sum over t = 1..n of (X_i(t) - m_i) e^{-i t w} at the Fourier
// frequencies w_j = 2 pi j / n, j = 0..n div 2:
//   I_ij(w) = J_i(w) conj(J_j(w)) / (2 pi n) = c_ij(w) + i q_ij(w),
// so that I_ii is the univariate periodogram on the scale of a spectral
// density. Smoothing: f(w_j) = sum over |r| <= M of W[|r|] I(w_{j+r}), where
// indices beyond 0 and n div 2 are the exact mirror images about 0 and pi
// (I(w_-j) = conj I(w_j), I(w_{n-j}) = conj I(w_j)): even for the spectra and
// the co-spectrum c, odd for the quadrature spectrum q. The mean-corrected
// periodogram vanishes at frequency 0, so the 0 ordinate takes the values at
// w_1 (with q = 0), which every weighted sum then sees as a positive
// semi-definite matrix: the squared coherency stays in [0, 1].
#include <span>
#include <vector>

#include "numeric/daniell.h"


#include "multivariate/cross_correlation.h"

namespace zelk {


struct PairSpectrum {
  int i = 0, j = 0;                   // 0-based components, i < j
  std::vector<double> co, quad;       // c_ij, q_ij (smoothed when weights are given)
  std::vector<double> coherency;      // squared: (c^2 + q^2) / (f_ii f_jj), 0 where f_ii f_jj <= 0
  std::vector<double> phase;          // atan2(-q, c), 0 where c = q = 0
};

// Every array holds the frequencies j = 0..n div 2.
struct CrossSpectrum {
  int n = 0;
  int top = 0;                                 // n div 2
  std::vector<double> weights;                 // empty: no smoothing
  std::vector<std::vector<double>> spectrum;   // per component: I_ii or its smoothed f_ii
  std::vector<PairSpectrum> pairs;             // (0,1), (0,2), .., (1,2), ..
  double frequency(int j) const;               // 2 pi j / n
};

// weights empty (or {1}) gives the raw periodograms; then the squared
// coherency of two series is 1 wherever both periodograms are positive.
// n < 2 gives an empty result with n set.
CrossSpectrum cross_spectrum(Components x, std::span<const double> weights = {});

}  // namespace zelk
