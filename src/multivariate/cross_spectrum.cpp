#include "multivariate/cross_spectrum.h"

#include <cmath>
#include <complex>
#include <numbers>

#include "numeric/fft.h"

namespace zelk {
namespace {

// Smooths v(0..top) with W, reflecting at both ends; sign -1 makes the
// reflection odd. The mirror of j about pi is n - j.
std::vector<double> smooth(const std::vector<double>& v, std::span<const double> w, int n, double sign) {
  const int top = static_cast<int>(v.size()) - 1;
  const int M = static_cast<int>(w.size()) - 1;
  auto at = [&](int j) {
    double s = 1.0;
    // A wide filter may reflect more than once; each reflection flips q.
    while (j < 0 || j > top) {
      if (j < 0) j = -j;
      else j = n - j;
      s *= sign;
    }
    return s * v[j];
  };
  std::vector<double> out(v.size());
  for (int j = 0; j <= top; ++j) {
    double s = w[0] * v[j];
    if (j >= M && j + M <= top) {
      for (int m = 1; m <= M; ++m) s += w[m] * (v[j - m] + v[j + m]);
    } else {
      for (int m = 1; m <= M; ++m) s += w[m] * (at(j - m) + at(j + m));
    }
    out[j] = s;
  }
  return out;
}

}  // namespace


double CrossSpectrum::frequency(int j) const { return 2.0 * std::numbers::pi * j / n; }

CrossSpectrum cross_spectrum(Components x, std::span<const double> weights) {
  CrossSpectrum r;
  const int k = static_cast<int>(x.size());
  r.n = k > 0 ? static_cast<int>(x[0].size()) : 0;
  r.top = r.n / 2;
  if (k == 0 || r.n < 2) return r;
  const bool smoothing = weights.size() > 1;
  if (smoothing) r.weights.assign(weights.begin(), weights.end());
  const int top = r.top;
  const double scale = 1.0 / (2.0 * std::numbers::pi * r.n);

  std::vector<std::vector<std::complex<double>>> J(k);
  {
    std::vector<double> y(x[0].size());
    for (int i = 0; i < k; ++i) {
      double m = 0;
      for (double v : x[i]) m += v;
      m /= r.n;
      for (std::size_t t = 0; t < y.size(); ++t) y[t] = x[i][t] - m;
      J[i] = numeric::real_fft(y);
      // Frequency 0 stands in for itself with the w_1 values (see the header).
      J[i][0] = J[i][1];
    }
  }
  // Time origin t = 1 instead of 0 multiplies every J by the same phase,
  // which cancels in J_i conj(J_j): the transforms are used as they come.
  r.spectrum.resize(k);
  for (int i = 0; i < k; ++i) {
    std::vector<double> p(top + 1);
    for (int j = 0; j <= top; ++j) p[j] = std::norm(J[i][j]) * scale;
    r.spectrum[i] = smoothing ? smooth(p, weights, r.n, 1.0) : std::move(p);
  }
  for (int a = 0; a < k; ++a)
    for (int b = a + 1; b < k; ++b) {
      PairSpectrum ps;
      ps.i = a;
      ps.j = b;
      ps.co.resize(top + 1);
      ps.quad.resize(top + 1);
      for (int j = 0; j <= top; ++j) {
        const std::complex<double> v = J[a][j] * std::conj(J[b][j]) * scale;
        ps.co[j] = v.real();
        ps.quad[j] = j == 0 ? 0.0 : v.imag();
      }
      // At pi for even n the cross-periodogram is real; rounding may leave a trace.
      if (r.n % 2 == 0) ps.quad[top] = 0.0;
      if (smoothing) {
        ps.co = smooth(ps.co, weights, r.n, 1.0);
        ps.quad = smooth(ps.quad, weights, r.n, -1.0);
      }
      ps.coherency.resize(top + 1);
      ps.phase.resize(top + 1);
      for (int j = 0; j <= top; ++j) {
        const double c = ps.co[j], q = ps.quad[j];
        const double ff = r.spectrum[a][j] * r.spectrum[b][j];
        ps.coherency[j] = ff > 0 ? std::min(1.0, (c * c + q * q) / ff) : 0.0;
        ps.phase[j] = c == 0 && q == 0 ? 0.0 : std::atan2(-q, c);
      }
      r.pairs.push_back(std::move(ps));
    }
  return r;
}

}  // namespace zelk
