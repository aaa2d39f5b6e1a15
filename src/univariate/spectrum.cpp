#include "univariate/spectrum.h"

#include "numeric/daniell.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

#include "numeric/periodogram.h"

namespace zelk {
namespace {

using std::numbers::pi;


// The index of I (1..m) that stands for frequency index j by the symmetries
// E(-j) = E(j) and E(n-j) = E(j); 0 stands for frequency 0 itself.
std::size_t mirror(long long j, std::size_t n) {
  const long long nn = static_cast<long long>(n);
  long long r = j % nn;
  if (r < 0) r += nn;
  return static_cast<std::size_t>(r <= nn / 2 ? r : nn - r);
}

std::complex<double> unit(double lambda) { return {std::cos(lambda), std::sin(lambda)}; }

// 1 + sign * sum c_k z^k by Horner's rule, with a bound on its rounding error.
std::complex<double> horner(std::span<const double> c, double sign, std::complex<double> z, double* error_bound) {
  std::complex<double> r = 0;
  double size = 1;
  for (std::size_t k = c.size(); k-- > 0;) {
    r = r * z + sign * c[k];
    size += std::abs(c[k]);
  }
  r = r * z + 1.0;
  if (error_bound)
    *error_bound = 8.0 * static_cast<double>(c.size() + 1) * std::numeric_limits<double>::epsilon() * size;
  return r;
}

}  // namespace

std::size_t fourier_frequency_count(std::size_t n) { return n / 2; }
std::size_t fisher_frequency_count(std::size_t n) { return n == 0 ? 0 : (n - 1) / 2; }

std::vector<double> periodogram(std::span<const double> x) {
  const std::size_t n = x.size(), m = n / 2;
  if (m == 0) return {};
  if (std::all_of(x.begin(), x.end(), [&](double v) { return v == x[0]; })) return std::vector<double>(m, 0.0);
  double mean = 0;
  for (double v : x) mean += v;
  mean /= static_cast<double>(n);
  const std::vector<double> raw = numeric::DPFFT(x, 0, mean);
  if (raw.size() < m + 1) return {};
  std::vector<double> out(raw.begin() + 1, raw.begin() + static_cast<std::ptrdiff_t>(m) + 1);
  for (double& v : out) v *= kInvTwoPi;
  return out;
}


std::vector<double> smoothed_periodogram(std::span<const double> I, std::size_t n, std::span<const int> orders) {
  const std::size_t m = I.size();
  if (m == 0 || n / 2 != m) return {};
  const std::vector<double> W = daniell_weights(orders);
  const std::size_t L = W.size() - 1;
  auto at = [&](long long j) { return I[mirror(j, n) - 1]; };
  // s(0) from the ordinates above frequency 0; a reflected index that lands
  // on 0 again (only when L >= n - 1) takes I(1).
  double s0 = W[0] * I[0];
  for (std::size_t k = 1; k <= L; ++k) {
    const std::size_t r = mirror(static_cast<long long>(k) + 1, n);
    s0 += 2 * W[k] * (r == 0 ? I[0] : I[r - 1]);
  }
  // E on -L..m+L, then one box filter after the other.
  const long long lo = -static_cast<long long>(L);
  std::vector<double> e(m + 1 + 2 * L);
  for (std::size_t i = 0; i < e.size(); ++i) {
    const long long j = lo + static_cast<long long>(i);
    e[i] = mirror(j, n) == 0 ? s0 : at(j);
  }
  for (int k : orders)
    if (k > 0) e = box_mean(e, static_cast<std::size_t>(k));
  e[0] = s0;
  return e;
}

double model_density(const SpectrumModel& model, double lambda, bool* singular) {
  const std::complex<double> z = unit(lambda);
  double tol = 0;
  const std::complex<double> ar = horner(model.phi, -1.0, z, &tol);
  if (singular) *singular = false;
  if (std::abs(ar) <= tol) {
    if (singular) *singular = true;
    return kSingularFactor * model.sigma2;
  }
  const std::complex<double> ma = horner(model.theta, 1.0, z, nullptr);
  double f = model.sigma2 * kInvTwoPi * std::norm(ma) / std::norm(ar);
  if (model.d != 0) {
    if (lambda > 0) {
      // |1 - e^{i lambda}|^2 = 4 sin^2(lambda/2), exact near 0 where 1 - z cancels.
      const double s = 2 * std::sin(0.5 * lambda);
      f *= std::pow(s * s, -model.d);
    } else if (model.d < 0) {
      f = 0;
    }
  }
  return f;
}

ModelSpectrum model_spectrum(const SpectrumModel& model, int M) {
  ModelSpectrum out;
  if (M < 1) return out;
  out.f.resize(static_cast<std::size_t>(M) + 1);
  for (int j = 0; j <= M; ++j) {
    bool singular = false;
    // j pi / M, with the end point exactly pi.
    const double lambda = j == M ? pi : pi * j / M;
    out.f[static_cast<std::size_t>(j)] = model_density(model, lambda, &singular);
    out.singular += singular;
  }
  return out;
}

LogValues log_spectrum(std::span<const double> v) {
  LogValues out;
  out.values.resize(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] > 0) {
      out.values[i] = std::log(v[i]);
    } else {
      out.values[i] = kLogOfNull;
      ++out.nulls;
    }
  }
  return out;
}

std::vector<double> cumulative_sum_ratio(std::span<const double> v, std::size_t q) {
  if (q == 0 || v.size() < q) return {};
  std::vector<double> c(q);
  double s = 0;
  for (std::size_t i = 0; i < q; ++i) c[i] = s += v[i];
  if (!(s > 0) || !std::isfinite(s)) return {};
  for (double& x : c) x /= s;
  c.back() = 1;  // the last point is 1 whatever the rounding
  return c;
}

std::vector<double> cumulative_model_spectrum(std::span<const double> f) {
  return cumulative_sum_ratio(f, f.size());
}

StandardizedPeriodogram standardize_periodogram(std::span<const double> I, std::size_t n,
                                                const SpectrumModel& model) {
  StandardizedPeriodogram out;
  const std::size_t q = std::min(fisher_frequency_count(n), I.size());
  out.ratio.resize(q);
  for (std::size_t j = 1; j <= q; ++j) {
    bool singular = false;
    const double f = model_density(model, 2 * pi * static_cast<double>(j) / static_cast<double>(n), &singular);
    out.singular += singular;
    if (f > 0) {
      out.ratio[j - 1] = I[j - 1] / f;
    } else {
      out.ratio[j - 1] = 0;
      ++out.zero_model;
    }
  }
  return out;
}

BoundLine ks_line(std::size_t n, double offset) {
  BoundLine line;
  const std::size_t q = fisher_frequency_count(n);
  if (q < 2) return line;
  const double qm1 = static_cast<double>(q - 1);
  auto y_at = [&](double j) { return std::clamp((j - 1) / qm1 + offset, 0.0, 1.0); };
  std::vector<double> js{1.0};
  // Where the unclipped line crosses 0 and 1: corners of the clipped one.
  for (double level : {0.0, 1.0}) {
    const double j = 1 + (level - offset) * qm1;
    if (j > 1 && j < static_cast<double>(q)) js.push_back(j);
  }
  js.push_back(static_cast<double>(q));
  std::sort(js.begin(), js.end());
  for (double j : js) {
    line.x.push_back(2 * pi * j / static_cast<double>(n));
    line.y.push_back(y_at(j));
  }
  return line;
}

KsBounds ks_bounds(std::size_t n) {
  const std::size_t q = fisher_frequency_count(n);
  if (q < 2) return {};
  const double s = std::sqrt(static_cast<double>(q - 1));
  return {ks_line(n, -kKs5 / s), ks_line(n, kKs5 / s), ks_line(n, -kKs1 / s), ks_line(n, kKs1 / s)};
}

}  // namespace zelk
