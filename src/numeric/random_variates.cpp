#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/error_stack.h"
#include "numeric/finite.h"
#include "numeric/random.h"
#include "numeric/random_source.h"

namespace zelk::numeric {
namespace {

using detail::uniform;

// Largest shape for which d = a - 1/3 and d v keep their meaning.
constexpr double kLargestGammaShape = 1e15;

std::vector<double> repeat(int nr, auto next) {
  std::vector<double> r(static_cast<std::size_t>(nr));
  for (auto& v : r) v = next();
  return r;
}

bool check_finite(double value, const char* name) {
  if (std::isfinite(value)) return true;
  E1MES(Severity::Terminal, 9, "%(L1) = %(D1), but it must be a finite number.", {{}, {value}, {name}});
  return false;
}

// Chambers-Mallows-Stuck for S(alpha, beta, 1, 0).
double stable(double alpha, double beta) {
  constexpr double half_pi = std::numbers::pi / 2;
  const double v = std::numbers::pi * (uniform() - 0.5);
  const double w = -std::log(uniform());
  if (alpha == 1) {
    double t = half_pi + beta * v;
    return (t * std::tan(v) - beta * std::log(half_pi * w * std::cos(v) / t)) / half_pi;
  }
  const double zeta = beta * std::tan(half_pi * alpha);
  const double b = std::atan(zeta) / alpha;
  const double s = std::pow(1 + zeta * zeta, 1 / (2 * alpha));
  const double av = alpha * (v + b);
  return s * std::sin(av) / std::pow(std::cos(v), 1 / alpha) * std::pow(std::cos(v - av) / w, (1 - alpha) / alpha);
}

// Binomial(n, p) by sequential inversion; the mean n p is small.
int binomial_inversion(int n, double p) {
  const double q = 1 - p;
  double f = std::pow(q, n);  // P(X = 0)
  double u = uniform();
  int x = 0;
  while (u > f && x < n) {
    u -= f;
    f *= (n - x) * p / ((x + 1) * q);
    ++x;
  }
  return x;
}

// Knuth: the a-th smallest of n uniforms is Beta(a, n + 1 - a); compare it
// with p and recurse on the side that p falls in.
int binomial(int n, double p) {
  int x = 0;
  while (n > 0 && static_cast<double>(n) * std::min(p, 1 - p) >= 16) {
    const int a = 1 + n / 2, b = n + 1 - a;
    const double ga = detail::gamma(a), gb = detail::gamma(b);
    const double beta = ga / (ga + gb);
    if (beta >= p) {
      n = a - 1;
      p /= beta;
    } else {
      x += a;
      n = b - 1;
      p = (p - beta) / (1 - beta);
    }
  }
  if (n == 0 || p <= 0) return x;
  if (p >= 1) return x + n;
  // Invert on the side with the smaller probability so the search stays short.
  return p <= 0.5 ? x + binomial_inversion(n, p) : x + n - binomial_inversion(n, 1 - p);
}

}  // namespace

std::vector<double> DRNGAM(int nr, double a) {
  RoutineScope scope("DRNGAM");
  if (!detail::check_count(nr) || !check_finite(a, "A")) return {};
  if (!(a > 0)) {
    E1MES(Severity::Terminal, 2, "The shape parameter A = %(D1), but A must be positive.", {{}, {a}, {}});
    return {};
  }
  if (a > kLargestGammaShape) {
    E1MES(Severity::Terminal, 3,
          "The value of A is too large to allow the gamma distribution to be represented in the manner required by "
          "the algorithm.");
    return {};
  }
  return repeat(nr, [a] { return detail::gamma(a); });
}

std::vector<double> DRNLNL(int nr, double xm, double s) {
  RoutineScope scope("DRNLNL");
  if (!detail::check_count(nr) || !check_finite(xm, "XM") || !check_finite(s, "S")) return {};
  if (!(s > 0)) {
    E1MES(Severity::Terminal, 2, "The scale parameter S = %(D1), but S must be positive.", {{}, {s}, {}});
    return {};
  }
  return repeat(nr, [xm, s] { return std::exp(xm + s * detail::normal_inverse()); });
}

std::vector<double> DRNSTA(int nr, double alpha, double bprime) {
  RoutineScope scope("DRNSTA");
  if (!detail::check_count(nr)) return {};
  if (!(alpha > 0 && alpha <= 2)) {
    E1MES(Severity::Terminal, 2,
          "The characteristic exponent, ALPHA, = %(D1), but ALPHA must be positive and less than or equal 2.0.",
          {{}, {alpha}, {}});
    return {};
  }
  if (!(bprime >= -1 && bprime <= 1)) {
    E1MES(Severity::Terminal, 3, "The skewness parameter, BPRIME, = %(D1), but BPRIME must be between -1.0 and 1.0.",
          {{}, {bprime}, {}});
    return {};
  }
  return repeat(nr, [alpha, bprime] { return stable(alpha, bprime); });
}

std::vector<double> DRNSTT(int nr, double df) {
  RoutineScope scope("DRNSTT");
  if (!detail::check_count(nr)) return {};
  if (!(df > 0) || std::isnan(df)) {
    E1MES(Severity::Terminal, 2, "The number of degrees of freedom, DF = %(D1), must be positive.", {{}, {df}, {}});
    return {};
  }
  if (df > kLargestGammaShape) return repeat(nr, detail::normal_polar);
  return repeat(nr, [df] {
    double z = detail::normal_polar();
    return z / std::sqrt(2 * detail::gamma(df / 2) / df);
  });
}

std::vector<double> DRNWIB(int nr, double a) {
  RoutineScope scope("DRNWIB");
  if (!detail::check_count(nr) || !check_finite(a, "A")) return {};
  if (!(a > 0)) {
    E1MES(Severity::Terminal, 2, "The shape parameter A = %(D1), but A must be positive.", {{}, {a}, {}});
    return {};
  }
  // P(X > largest double) = exp(-max^a); above a few parts in 10^9 it matters.
  const double log_max = std::log(std::numeric_limits<double>::max());
  const double truncated = std::exp(-std::exp(a * log_max));
  if (truncated > 1e-9) {
    E1MES(Severity::Warning, 3,
          "The shape parameter A = %(D1), which is so small that a relatively large proportion of the values of "
          "deviates from the Weibull cannot be represented.  The proportion of the distribution truncated is %(D2).",
          {{}, {a, truncated}, {}});
  }
  return repeat(nr, [a, log_max] {
    double e = -std::log(uniform());
    // Compute in logs and clamp what cannot be represented.
    double log_x = std::log(e) / a;
    return log_x >= log_max ? std::numeric_limits<double>::max() : std::exp(log_x);
  });
}

std::vector<int> RNBIN(int nr, int n, double p) {
  RoutineScope scope("RNBIN");
  if (!detail::check_count(nr)) return {};
  if (n < 0) {
    E1MES(Severity::Terminal, 2, "The number of trials N = %(I1), but N must be nonnegative.", {{n}, {}, {}});
    return {};
  }
  if (!(p >= 0 && p <= 1)) {
    E1MES(Severity::Terminal, 3, "The probability of success P = %(D1), but P must be between 0.0 and 1.0.",
          {{}, {p}, {}});
    return {};
  }
  std::vector<int> r(static_cast<std::size_t>(nr));
  for (auto& v : r) v = binomial(n, p);
  return r;
}

std::vector<double> DRNMVN(int nr, int k, std::span<const double> rsig, int ldrsig) {
  RoutineScope scope("DRNMVN");
  if (!detail::check_count(nr)) return {};
  if (k < 1) {
    E1MES(Severity::Terminal, 2, "The length of the vectors must be positive while K = %(I1) is given.", {{k}, {}, {}});
    return {};
  }
  if (ldrsig < k) {
    E1MES(Severity::Terminal, 3,
          "The leading dimension of RSIG must be greater than or equal to K while LDRSIG = %(I1) and K = %(I2) are "
          "given.",
          {{ldrsig, k}, {}, {}});
    return {};
  }
  const long long needed = static_cast<long long>(ldrsig) * (k - 1) + k;
  if (static_cast<long long>(rsig.size()) < needed) {
    E1MES(Severity::Terminal, 4, "RSIG holds %(I1) values while LDRSIG*(K-1)+K = %(I2) are needed.",
          {{static_cast<long long>(rsig.size()), needed}, {}, {}});
    return {};
  }
  for (int j = 0; j < k; ++j)
    if (!all_finite(rsig.subspan(static_cast<std::size_t>(j) * ldrsig, static_cast<std::size_t>(j) + 1))) {
      E1MES(Severity::Terminal, 5, "Column %(I1) of RSIG contains a value that is NaN or infinite.", {{j + 1}, {}, {}});
      return {};
    }
  std::vector<double> out(static_cast<std::size_t>(nr) * k, 0.0);
  std::vector<double> z(static_cast<std::size_t>(k));
  for (int i = 0; i < nr; ++i) {
    for (auto& v : z) v = detail::normal_inverse();
    for (int j = 0; j < k; ++j) {
      double s = 0;
      for (int m = 0; m <= j; ++m) s += z[m] * rsig[static_cast<std::size_t>(j) * ldrsig + m];
      out[static_cast<std::size_t>(j) * nr + i] = s;
    }
  }
  return out;
}

}  // namespace zelk::numeric
