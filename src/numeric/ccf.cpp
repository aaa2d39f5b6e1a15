#include "numeric/ccf.h"

#include <cmath>
#include <new>

#include "numeric/error_stack.h"
#include "numeric/finite.h"

namespace zelk::numeric {
namespace {

double mean(std::span<const double> x) {
  double s = 0;
  for (double v : x) s += v;
  return s / static_cast<double>(x.size());
}

// c(h) = (1/n) sum_{t} a_{t+h} b_t for 0 <= h < n, a and b already centred.
double lagged(const std::vector<double>& a, const std::vector<double>& b, int h) {
  const auto n = static_cast<int>(a.size());
  double s = 0;
  for (int t = 0; t + h < n; ++t) s += a[t + h] * b[t];
  return s / n;
}

}  // namespace

CrossCorrelation DCCF(std::span<const double> x, std::span<const double> y, int maxlag, int iseopt) {
  RoutineScope scope("DCCF");
  const auto nobs = static_cast<long long>(x.size());
  if (nobs < 2 || maxlag < 1 || maxlag >= nobs || iseopt < 0 || iseopt > 2) {
    E1MES(Severity::Terminal, 1,
          "NOBS = %(I1), MAXLAG = %(I2), and ISEOPT = %(I3).  NOBS must be 2 or more and MAXLAG must be greater than "
          "or equal to 1 and less than NOBS.  ISEOPT must be 0, 1, or 2.",
          {{nobs, maxlag, iseopt}, {}, {}});
    return {};
  }
  if (y.size() != x.size()) {
    E1MES(Severity::Terminal, 2, "X and Y must have the same length while they have %(I1) and %(I2) observations.",
          {{nobs, static_cast<long long>(y.size())}, {}, {}});
    return {};
  }
  if (!all_finite(x) || !all_finite(y)) {
    E1MES(Severity::Terminal, 3, "The series contain a value that is NaN or infinite.");
    return {};
  }
  try {
    CrossCorrelation out;
    out.x_mean = mean(x);
    out.y_mean = mean(y);
    std::vector<double> a(x.begin(), x.end()), b(y.begin(), y.end());
    for (auto& v : a) v -= out.x_mean;
    for (auto& v : b) v -= out.y_mean;
    out.x_variance = lagged(a, a, 0);
    out.y_variance = lagged(b, b, 0);
    const int lags = 2 * maxlag + 1;
    out.covariances.resize(lags);
    for (int h = 0; h <= maxlag; ++h) {
      out.covariances[maxlag + h] = lagged(a, b, h);
      out.covariances[maxlag - h] = lagged(b, a, h);
    }
    const double scale = std::sqrt(out.x_variance * out.y_variance);
    out.correlations.assign(lags, 0.0);
    if (scale > 0) {
      for (int i = 0; i < lags; ++i) out.correlations[i] = out.covariances[i] / scale;
    } else {
      E1MES(Severity::Warning, 4, "A series is constant, so its variance is zero and the cross-correlations are set to zero.");
    }
    if (iseopt == 0) return out;

    // Correlations out to lag 2 maxlag for the sums of Bartlett's formula;
    // beyond n - 1 they are zero.
    const int far = 2 * maxlag;
    auto auto_r = [&](const std::vector<double>& s, double var, int v) {
      v = std::abs(v);
      return v < static_cast<int>(nobs) && var > 0 ? lagged(s, s, v) / var : 0.0;
    };
    std::vector<double> rxx(far + 1), ryy(far + 1), rxy(2 * far + 1);
    for (int v = 0; v <= far; ++v) {
      rxx[v] = auto_r(a, out.x_variance, v);
      ryy[v] = auto_r(b, out.y_variance, v);
    }
    for (int v = -far; v <= far; ++v) {
      int h = std::abs(v);
      double c = h >= nobs || scale == 0 ? 0.0 : (v >= 0 ? lagged(a, b, h) : lagged(b, a, h)) / scale;
      rxy[v + far] = c;
    }
    auto xx = [&](int v) { return std::abs(v) <= far ? rxx[std::abs(v)] : 0.0; };
    auto yy = [&](int v) { return std::abs(v) <= far ? ryy[std::abs(v)] : 0.0; };
    auto xy = [&](int v) { return std::abs(v) <= far ? rxy[v + far] : 0.0; };
    out.standard_errors.resize(lags);
    for (int h = -maxlag; h <= maxlag; ++h) {
      double sum = 0;
      const double r = xy(h);
      for (int v = -maxlag; v <= maxlag; ++v) {
        sum += xx(v) * yy(v);
        if (iseopt == 1) {
          // r(h) here is corr(x_{t+h}, y_t), Box & Jenkins' r_yx(h): their formula with x and y exchanged.
          sum += xy(h + v) * xy(h - v) - 2 * r * (yy(v) * xy(h + v) + xy(-v) * xx(h + v)) +
                 r * r * (xy(v) * xy(v) + 0.5 * xx(v) * xx(v) + 0.5 * yy(v) * yy(v));
        }
      }
      const double var = sum / static_cast<double>(nobs - std::abs(h));
      out.standard_errors[h + maxlag] = var > 0 ? std::sqrt(var) : 0.0;
    }
    return out;
  } catch (const std::bad_alloc&) {
    E1MES(Severity::Terminal, 5, "The required storage cannot be allocated based upon NOBS = %(I1) and MAXLAG = %(I2).",
          {{nobs, maxlag}, {}, {}});
    return {};
  }
}

}  // namespace zelk::numeric
