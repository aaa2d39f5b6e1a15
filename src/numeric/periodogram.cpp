#include "numeric/periodogram.h"

#include <cmath>
#include <limits>
#include <new>

#include "numeric/error_stack.h"
#include "numeric/fft.h"
#include "numeric/fft_plan.h"
#include "numeric/finite.h"

namespace zelk::numeric {
namespace {

// Checks shared by the periodograms; true when the arguments can be used.
bool check_series(std::span<const double> x, int npad) {
  const auto nobs = static_cast<long long>(x.size());
  if (nobs < 1) {
    E1MES(Severity::Terminal, 1, "The number of observations must be at least 1 while NOBS = %(I1) is given.",
          {{nobs}, {}, {}});
    return false;
  }
  if (npad < 0) {
    E1MES(Severity::Terminal, 2, "The number of zeros appended must not be negative while NPAD = %(I1) is given.",
          {{npad}, {}, {}});
    return false;
  }
  if (nobs + npad > std::numeric_limits<int>::max()) {
    E1MES(Severity::Terminal, 3, "The required storage cannot be allocated based on NOBS = %(I1) and NPAD = %(I2).",
          {{nobs, npad}, {}, {}});
    return false;
  }
  if (!all_finite(x)) {
    E1MES(Severity::Terminal, 4, "The series contains a value that is NaN or infinite.");
    return false;
  }
  return true;
}

void report_storage(std::size_t nobs, int npad) {
  E1MES(Severity::Terminal, 3, "The required storage cannot be allocated based on NOBS = %(I1) and NPAD = %(I2).",
        {{static_cast<long long>(nobs), npad}, {}, {}});
}

std::vector<double> periodogram(std::span<const double> x, int npad) {
  const std::size_t n = x.size() + static_cast<std::size_t>(npad);
  const double scale = 1.0 / static_cast<double>(n);
  std::vector<double> out(n / 2 + 1);
  detail::real_fft_visit(x, static_cast<std::size_t>(npad),
                         [&](std::size_t k, std::complex<double> v) { out[k] = std::norm(v) * scale; });
  return out;
}

}  // namespace

std::vector<double> DPFFT(std::span<const double> x, int npad) {
  RoutineScope scope("DPFFT");
  if (!check_series(x, npad)) return {};
  try {
    return periodogram(x, npad);
  } catch (const std::bad_alloc&) {
    report_storage(x.size(), npad);
    return {};
  }
}

std::vector<double> DPFFT(std::span<const double> x, int npad, double centre) {
  RoutineScope scope("DPFFT");
  if (!check_series(x, npad)) return {};
  if (!std::isfinite(centre)) {
    E1MES(Severity::Terminal, 5, "The centring value is %(D1); it must be finite.", {{}, {centre}, {}});
    return {};
  }
  try {
    std::vector<double> centred(x.begin(), x.end());
    for (auto& v : centred) v -= centre;
    return periodogram(centred, npad);
  } catch (const std::bad_alloc&) {
    report_storage(x.size(), npad);
    return {};
  }
}

std::vector<std::complex<double>> DCPFFT(std::span<const double> x, std::span<const double> y, int npad) {
  RoutineScope scope("DCPFFT");
  if (!check_series(x, npad) || !check_series(y, npad)) return {};
  if (x.size() != y.size()) {
    E1MES(Severity::Terminal, 6, "X and Y must have the same length while they have %(I1) and %(I2) observations.",
          {{static_cast<long long>(x.size()), static_cast<long long>(y.size())}, {}, {}});
    return {};
  }
  try {
    // One transform of z = x + i y gives both: X_k = (Z_k + conj Z_{N-k}) / 2,
    // Y_k = (Z_k - conj Z_{N-k}) / 2i.
    const std::size_t n = x.size() + static_cast<std::size_t>(npad);
    std::vector<std::complex<double>> z(n);
    for (std::size_t t = 0; t < x.size(); ++t) z[t] = {x[t], y[t]};
    z = fft(z);
    std::vector<std::complex<double>> out(n / 2 + 1);
    for (std::size_t k = 0; k < out.size(); ++k) {
      std::complex<double> zk = z[k], zc = std::conj(z[k == 0 ? 0 : n - k]);
      std::complex<double> xk = 0.5 * (zk + zc);
      std::complex<double> d = 0.5 * (zk - zc);
      std::complex<double> yk{d.imag(), -d.real()};
      out[k] = detail::mul(xk, std::conj(yk)) / static_cast<double>(n);
    }
    return out;
  } catch (const std::bad_alloc&) {
    report_storage(x.size(), npad);
    return {};
  }
}

std::vector<std::complex<double>> DC2FFT(std::span<const std::complex<double>> x) {
  RoutineScope scope("DC2FFT");
  if (x.empty()) {
    E1MES(Severity::Terminal, 1, "The length of the sequence must be at least 1 while N = %(I1) is given.", {{0}, {}, {}});
    return {};
  }
  for (auto v : x)
    if (!std::isfinite(v.real()) || !std::isfinite(v.imag())) {
      E1MES(Severity::Terminal, 2, "The sequence contains a value that is NaN or infinite.");
      return {};
    }
  return fft(x);
}

}  // namespace zelk::numeric
