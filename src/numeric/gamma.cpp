#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/error_stack.h"
#include "numeric/special.h"

namespace zelk::numeric {
namespace {

// zeta(k) - 1 for k = 2, 3, ... (50-digit arithmetic, rounded).
constexpr double kZetaMinusOne[] = {
    6.4493406684822643647e-1,
    2.020569031595942854e-1,
    8.2323233711138191516e-2,
    3.6927755143369926331e-2,
    1.7343061984449139715e-2,
    8.3492773819228268398e-3,
    4.0773561979443393787e-3,
    2.0083928260822144179e-3,
    9.9457512781808533715e-4,
    4.941886041194645587e-4,
    2.4608655330804829864e-4,
    1.2271334757848914675e-4,
    6.1248135058704829259e-5,
    3.0588236307020493552e-5,
    1.5282259408651871733e-5,
    7.6371976378997622736e-6,
    3.8172932649998398565e-6,
    1.9082127165539389257e-6,
    9.5396203387279611315e-7,
    4.7693298678780646312e-7,
    2.3845050272773299e-7,
    1.1921992596531107307e-7,
    5.9608189051259479612e-8,
    2.9803503514652280186e-8,
    1.4901554828365041235e-8,
    7.450711789835429492e-9,
    3.7253340247884570548e-9,
    1.8626597235130490064e-9,
    9.3132743241966818287e-10,
    4.656629065033784073e-10,
    2.328311833676505492e-10,
    1.1641550172700519776e-10,
    5.8207720879027008892e-11,
    2.9103850444970996869e-11,
    1.4551921891041984236e-11,
    7.2759598350574810145e-12,
    3.6379795473786511902e-12,
    1.8189896503070659476e-12,
    9.0949478402638892825e-13,
    4.5474737830421540268e-13};

constexpr double kEulerGamma = 0.57721566490153286061;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kHalfLog2Pi = 0.91893853320467274178;
// Largest x with Gamma(x) finite, and the largest with ln Gamma(x) finite.
constexpr double kGammaMax = 171.61447887182298;
constexpr double kLogGammaMax = 2.5563480222798e305;

// ln Gamma(2 + z) = (1 - gamma) z + sum_{k>=2} (-1)^k (zeta(k) - 1) z^k / k for
// |z| <= 1/2, where the terms fall at least like 4^-k (A&S 6.1.33 shifted).
double log_gamma_2p(double z) {
  double sum = 0, power = -z;  // (-z)^k
  constexpr int n = sizeof kZetaMinusOne / sizeof kZetaMinusOne[0];
  double terms[n];
  for (int k = 2; k < n + 2; ++k) {
    power *= -z;
    terms[k - 2] = power * kZetaMinusOne[k - 2] / k;
    if (std::abs(terms[k - 2]) < 1e-18 * std::abs(z)) {
      for (int j = k - 2; j >= 0; --j) sum += terms[j];  // smallest first
      return sum + (1 - kEulerGamma) * z;
    }
  }
  for (int j = n - 1; j >= 0; --j) sum += terms[j];
  return sum + (1 - kEulerGamma) * z;
}

// ln Gamma(1 + z) for |z| <= 1/2 without forming 1 + z.
double log_gamma_1p(double z) { return log_gamma_2p(z) - std::log1p(z); }

// Stirling's correction ln Gamma(x) - [(x - 1/2) ln x - x + ln sqrt(2 pi)],
// x >= 10, from B_2k / (2k (2k - 1) x^(2k-1)) (A&S 6.1.40).
double stirling_correction(double x) {
  constexpr double c[] = {1.0 / 12,     -1.0 / 360,    1.0 / 1260,         -1.0 / 1680,       1.0 / 1188,
                          -691.0 / 360360, 1.0 / 156, -3617.0 / 122400, 43867.0 / 244188, -174611.0 / 125400};
  if (x > 1e8) return c[0] / x;
  const double v = 1 / (x * x);
  double sum = 0;
  for (int k = 9; k >= 0; --k) sum = sum * v + c[k];
  return sum / x;
}

// sin(pi x) with the argument reduced exactly first.
double sin_pi(double x) {
  double r = std::remainder(x, 2.0);  // exact, in [-1, 1]
  if (r > 0.5) r = 1 - r;
  else if (r < -0.5) r = -1 - r;
  return std::sin(std::numbers::pi * r);
}

bool is_nonpositive_integer(double x) { return x <= 0 && x == std::floor(x); }

void report_pole(double x) {
  if (x == 0)
    E1MES(Severity::Fatal, 1, "The argument for the function can not be zero.");
  else
    E1MES(Severity::Fatal, 2, "The argument for the function can not be a negative integer.  X = %(D1).", {{}, {x}, {}});
}

// Gamma(x) for x >= 10: x^(x-1/2) e^-x sqrt(2 pi) e^correction, with the power
// split in two so that it does not overflow before the product does. x - 1/2
// and x/2 - 1/4 are exact for x >= 1.
double gamma_large(double x) {
  double y = std::pow(x, 0.5 * x - 0.25);
  return y * std::exp(-x) * y * (std::sqrt(2 * std::numbers::pi) * std::exp(stirling_correction(x)));
}

// Gamma(x) for 1.5 <= x < 10 by the recurrence from [1.5, 2.5).
double gamma_middle(double x) {
  double product = 1;
  while (x >= 2.5) {
    x -= 1;  // exact for these x
    product *= x;
  }
  return product * std::exp(log_gamma_2p(x - 2));
}

}  // namespace

double DGAMMA(double x) {
  RoutineScope scope("DGAMMA");
  if (std::isnan(x)) {
    E1MES(Severity::Terminal, 3, "The argument X = %(D1) is not a number.", {{}, {x}, {}});
    return kNaN;
  }
  if (is_nonpositive_integer(x)) {
    report_pole(x);
    return kNaN;
  }
  if (x > kGammaMax) {
    E1MES(Severity::Fatal, 4, "The function overflows because X = %(D1) is greater than %(D2).", {{}, {x, kGammaMax}, {}});
    return std::numeric_limits<double>::infinity();
  }
  if (x >= 10) return gamma_large(x);
  if (x >= 1.5) return gamma_middle(x);
  if (std::abs(x) <= 0.5) {
    if (std::abs(x) < 1 / std::numeric_limits<double>::max() * 2) {
      E1MES(Severity::Fatal, 5, "The function overflows because X = %(D1) is too close to zero.", {{}, {x}, {}});
      return std::copysign(std::numeric_limits<double>::infinity(), x);
    }
    return std::exp(log_gamma_1p(x)) / x;
  }
  if (x > 0) return std::exp(log_gamma_1p(x - 1));  // 0.5 < x < 1.5, x - 1 exact
  // Reflection: Gamma(x) Gamma(1 - x) = pi / sin(pi x).
  double s = sin_pi(x);
  double w = 1 - x;
  if (w <= kGammaMax) return std::numbers::pi / (s * DGAMMA(w));
  double log_abs = std::log(std::numbers::pi / std::abs(s)) - DLNGAM(w);
  return std::copysign(std::exp(log_abs), s);  // underflows to zero far out
}

double DLNGAM(double x) {
  RoutineScope scope("DLNGAM");
  if (std::isnan(x)) {
    E1MES(Severity::Terminal, 3, "The argument X = %(D1) is not a number.", {{}, {x}, {}});
    return kNaN;
  }
  if (is_nonpositive_integer(x)) {
    report_pole(x);
    return kNaN;
  }
  const double a = std::abs(x);
  if (a > kLogGammaMax) {
    E1MES(Severity::Fatal, 4, "The function overflows because ABS(X) = %(D1) is greater than %(D2).",
          {{}, {a, kLogGammaMax}, {}});
    return std::numeric_limits<double>::infinity();
  }
  if (x >= 10) return (x - 0.5) * std::log(x) - x + kHalfLog2Pi + stirling_correction(x);
  if (x >= 2.5) return std::log(gamma_middle(x));
  if (x >= 1.5) return log_gamma_2p(x - 2);
  if (x >= 0.5) return log_gamma_1p(x - 1);
  if (x > -0.5) return log_gamma_1p(x) - std::log(a);  // Gamma(x) = Gamma(1 + x) / x
  return std::log(std::numbers::pi / std::abs(sin_pi(x))) - DLNGAM(1 - x);
}

}  // namespace zelk::numeric
