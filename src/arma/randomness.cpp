#include "arma/randomness.h"

#include <algorithm>
#include <cmath>

#include "arma/preliminary.h"
#include "numeric/distributions.h"
#include "numeric/acf.h"

namespace zelk {
namespace {

// Q from the autocovariances c(0..h) of v; false when v is constant. The
// mean correction of a constant series leaves rounding noise, not zero, so
// c(0) is judged against the mean square of v.
bool portmanteau(std::span<const double> v, int h, double& q) {
  const int n = static_cast<int>(v.size());
  const std::vector<double> c = sample_acvf(v, h);
  double mean_square = 0;
  for (double x : v) mean_square += x * x;
  mean_square /= n;
  if (!(c[0] > 1e-13 * mean_square)) return false;
  double s = 0;
  for (int k = 1; k <= h && k < n; ++k) {
    const double r = c[k] / c[0];
    s += r * r / (n - k);
  }
  q = static_cast<double>(n) * (n + 2) * s;
  return true;
}

Portmanteau chi_square_test(double q, bool defined, int df) {
  Portmanteau t;
  t.statistic = defined ? q : 0;
  t.df = df;
  t.defined = defined;
  t.p_defined = defined && df > 0;
  if (t.p_defined) t.p_value = std::clamp(numeric::chi_square_upper(q, df), 0.0, 1.0);
  return t;
}

CountTest normal_test(double count, double mean, double variance) {
  CountTest t;
  t.count = count;
  t.mean = mean;
  t.defined = variance > 0;
  t.sd = t.defined ? std::sqrt(variance) : 0;
  if (t.defined) {
    const double z = std::fabs(count - mean) / t.sd;
    // 2 (1 - Phi(z)) as 2 Phi(-z): no cancellation in the far tail.
    t.p_value = std::min(1.0, 2 * numeric::DNORDF(-z));
  }
  return t;
}

// Merge of the sorted runs [lo, mid) and [mid, hi) of v into w, counting
// pairs (left, right) with left < right strictly.
std::int64_t merge_count(const double* v, double* w, std::size_t lo, std::size_t mid, std::size_t hi) {
  std::int64_t count = 0;
  std::size_t i = lo, j = mid, o = lo;
  while (i < mid && j < hi) {
    if (v[i] < v[j]) {
      w[o++] = v[i++];
    } else {
      // The left values taken so far are exactly those below v[j]; an equal
      // left value waits, so a tie is never counted.
      count += static_cast<std::int64_t>(i - lo);
      w[o++] = v[j++];
    }
  }
  while (i < mid) w[o++] = v[i++];
  while (j < hi) {
    count += static_cast<std::int64_t>(mid - lo);
    w[o++] = v[j++];
  }
  return count;
}

}  // namespace

int default_randomness_lag(int f, int n) { return std::min(f + 21, n) - 1; }
int max_randomness_lag(int n) { return std::min(n, 54); }

std::int64_t turning_points(std::span<const double> y) {
  std::int64_t count = 0;
  for (std::size_t t = 1; t + 1 < y.size(); ++t) {
    const double a = y[t - 1], b = y[t], c = y[t + 1];
    if ((b > a && b > c) || (b < a && b < c)) ++count;
  }
  return count;
}

std::int64_t difference_signs(std::span<const double> y) {
  std::int64_t count = 0;
  for (std::size_t t = 0; t + 1 < y.size(); ++t)
    if (y[t + 1] > y[t]) ++count;
  return count;
}

std::int64_t rank_pairs(std::span<const double> y) {
  const std::size_t n = y.size();
  std::vector<double> a(y.begin(), y.end()), b(n);
  std::int64_t count = 0;
  // Bottom-up: runs of width 1, 2, 4, ... merged back and forth.
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      count += merge_count(a.data(), b.data(), lo, mid, hi);
    }
    a.swap(b);
  }
  return count;
}

double ljung_box_statistic(std::span<const double> y, int h) {
  const int n = static_cast<int>(y.size());
  double q = 0;
  if (n > 0 && portmanteau(y, h, q)) return q;
  return 0;  // a constant series: every sample autocorrelation is taken as 0
}

bool mcleod_li_statistic(std::span<const double> y, int h, double& q) {
  const int n = static_cast<int>(y.size());
  if (n == 0) return false;
  std::vector<double> squares(y.size());
  for (std::size_t t = 0; t < y.size(); ++t) squares[t] = y[t] * y[t];
  // The ACF of the squares, corrected by their own mean m2.
  return portmanteau(squares, h, q);
}

RandomnessTests randomness_tests(std::span<const double> y, int h, int f) {
  RandomnessTests out;
  const int n = static_cast<int>(y.size());
  out.h = h;
  out.f = f;
  out.n = n;
  if (n == 0) return out;
  const double nd = n;
  out.ljung_box = chi_square_test(ljung_box_statistic(y, h), n > 0, h - f);
  double ml = 0;
  const bool ml_defined = mcleod_li_statistic(y, h, ml);
  out.mcleod_li = chi_square_test(ml, ml_defined, h);
  out.turning = normal_test(static_cast<double>(turning_points(y)), 2 * (nd - 2) / 3, (16 * nd - 29) / 90);
  out.difference_sign = normal_test(static_cast<double>(difference_signs(y)), (nd - 1) / 2, (nd + 1) / 12);
  out.rank = normal_test(static_cast<double>(rank_pairs(y)), nd * (nd - 1) / 4, nd * (nd - 1) * (2 * nd + 5) / 72);
  const int K = std::clamp(std::min(h, kMaxSearchOrder), 0, std::max(n - 1, 0));
  out.min_aicc_order = min_aicc_order(y, yule_walker_path(sample_acvf(y, K))).order;
  return out;
}

}  // namespace zelk
