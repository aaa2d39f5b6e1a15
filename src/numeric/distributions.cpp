#include "numeric/distributions.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/error_stack.h"
#include "numeric/special.h"

namespace zelk::numeric {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEps = std::numeric_limits<double>::epsilon();

// ln Gamma(a + 1) - [(a + 1/2) ln a - a + ln sqrt(2 pi)].
double stirling_error(double a) {
  if (a >= 15) {
    const double v = 1 / (a * a);
    return (1.0 / 12 - v * (1.0 / 360 - v * (1.0 / 1260 - v * (1.0 / 1680 - v / 1188)))) / a;
  }
  return DLNGAM(a + 1) - (a + 0.5) * std::log(a) + a - 0.91893853320467274178;
}

// a ln(a/x) + x - a >= 0 without cancellation when x is near a.
double deviance(double a, double x) {
  if (std::abs(a - x) < 0.1 * (a + x)) {
    double v = (a - x) / (a + x);
    double s = (a - x) * v;
    double ej = 2 * a * v;
    const double v2 = v * v;
    for (int j = 1; j < 1000; ++j) {
      ej *= v2;
      double next = s + ej / (2 * j + 1);
      if (next == s) break;
      s = next;
    }
    return s;
  }
  return a * std::log(a / x) + x - a;
}

// x^a e^-x / Gamma(a + 1).
double power_factor(double a, double x) {
  if (x == 0) return 0;
  return std::exp(-deviance(a, x) - stirling_error(a)) / std::sqrt(2 * std::numbers::pi * a);
}

// P(a, x) by the series sum x^n / ((a+1)...(a+n)), for x < a + 1.
double lower_series(double a, double x) {
  double term = 1, sum = 1;
  for (int n = 1; n < 100000000; ++n) {
    term *= x / (a + n);
    sum += term;
    if (term < kEps / 4 * sum) break;
  }
  return power_factor(a, x) * sum;
}

// Q(a, x) by the continued fraction, for x >= a + 1.
double upper_fraction(double a, double x) {
  constexpr double tiny = 1e-300;
  double b = x + 1 - a;
  double c = 1 / tiny, d = 1 / b, h = d;
  for (int n = 1; n < 100000000; ++n) {
    double an = -n * (n - a);
    b += 2;
    d = an * d + b;
    if (std::abs(d) < tiny) d = tiny;
    c = b + an / c;
    if (std::abs(c) < tiny) c = tiny;
    d = 1 / d;
    double delta = d * c;
    h *= delta;
    if (std::abs(delta - 1) < kEps / 2) break;
  }
  // e^-x x^a / Gamma(a) = a * power_factor
  return a * power_factor(a, x) * h;
}

bool check_chi_square(double chsq, double df, double* result) {
  if (std::isnan(chsq) || std::isnan(df) || std::isinf(df)) {
    E1MES(Severity::Terminal, 3, "The arguments must be numbers while CHSQ = %(D1) and DF = %(D2) are given.",
          {{}, {chsq, df}, {}});
    *result = kNaN;
    return false;
  }
  if (!(df >= 0.5)) {
    E1MES(Severity::Terminal, 2,
          "The number of degrees of freedom of the distribution, DF = %(D1), must be at least equal to 0.5.",
          {{}, {df}, {}});
    *result = kNaN;
    return false;
  }
  return true;
}

}  // namespace

double DNORDF(double x) {
  if (std::isnan(x)) {
    RoutineScope scope("DNORDF");
    E1MES(Severity::Terminal, 1, "The argument X = %(D1) is not a number.", {{}, {x}, {}});
    return kNaN;
  }
  const double t = x / std::numbers::sqrt2;
  if (t < -0.5) return 0.5 * erfc_scaled(-t) * exp_neg_square(x, 0.5);
  if (t > 0.5) return 1 - 0.5 * erfc_scaled(t) * exp_neg_square(x, 0.5);
  return 0.5 * DERFC(-t);
}

double DNORIN(double p) {
  RoutineScope scope("DNORIN");
  if (!(p > 0 && p < 1)) {
    E1MES(Severity::Terminal, 1,
          "The argument to the function must be greater than 0.0 and less than 1.0.  P = %(D1).", {{}, {p}, {}});
    return kNaN;
  }
  if (p <= 0.5) return -std::numbers::sqrt2 * DERFCI(2 * p);
  return std::numbers::sqrt2 * DERFCI(2 * (1 - p));  // 1 - p is exact here
}

double DCHIDF(double chsq, double df) {
  RoutineScope scope("DCHIDF");
  double result = 0;
  if (!check_chi_square(chsq, df, &result)) return result;
  if (chsq < 0) {
    E1MES(Severity::Note, 1,
          "Since CHSQ = %(D1) is less than zero, the distribution function is zero at CHSQ.", {{}, {chsq}, {}});
    return 0;
  }
  const double a = df / 2, x = chsq / 2;
  if (std::isinf(x)) return 1;
  return x < a + 1 ? lower_series(a, x) : 1 - upper_fraction(a, x);
}

double chi_square_upper(double chsq, double df) {
  RoutineScope scope("DCHIDF");
  double result = 0;
  if (!check_chi_square(chsq, df, &result)) return result;
  if (chsq <= 0) return 1;
  const double a = df / 2, x = chsq / 2;
  if (std::isinf(x)) return 0;
  return x < a + 1 ? 1 - lower_series(a, x) : upper_fraction(a, x);
}

}  // namespace zelk::numeric
