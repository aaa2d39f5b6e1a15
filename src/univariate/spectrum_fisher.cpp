// Fisher's test: the statistic and its exact null probability, summed in
// double-double arithmetic (Dekker 1971, "A floating-point technique for
// extending the available precision", Numer. Math. 18) so that the
// alternating series keeps about 16 digits after cancelling up to 10^16.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "univariate/spectrum.h"

namespace zelk {
namespace {

// hi + lo, |lo| <= ulp(hi)/2, times 2^exp: the exponent is kept apart so that
// C(q, j) ~ 10^600 and (1 - j g/q)^(q-1) ~ 10^-600 can be formed separately.
struct Wide {
  double hi = 0, lo = 0;
  std::int64_t exp = 0;
};

void two_sum(double a, double b, double& s, double& e) {
  s = a + b;
  const double bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}

Wide normalize(double hi, double lo, std::int64_t exp) {
  double s, e;
  two_sum(hi, lo, s, e);
  if (s == 0) return {0, 0, 0};
  int k = 0;
  s = std::frexp(s, &k);
  e = std::ldexp(e, -k);
  return {s, e, exp + k};
}

Wide mul(const Wide& a, const Wide& b) {
  const double p = a.hi * b.hi;
  const double err = std::fma(a.hi, b.hi, -p);
  return normalize(p, err + (a.hi * b.lo + a.lo * b.hi), a.exp + b.exp);
}

// a / b for a double b > 0.
Wide div(const Wide& a, double b) {
  const double q1 = a.hi / b;
  const double r = std::fma(-q1, b, a.hi) + a.lo;
  return normalize(q1, r / b, a.exp);
}

Wide power(Wide base, std::uint64_t e) {
  Wide r{0.5, 0, 1};  // 1
  while (e > 0) {
    if (e & 1) r = mul(r, base);
    e >>= 1;
    if (e > 0) base = mul(base, base);
  }
  return r;
}

// Plain hi + lo, for values in the double range.
void to_double_double(const Wide& w, double& hi, double& lo) {
  const int e = static_cast<int>(std::clamp<std::int64_t>(w.exp, -4000, 4000));
  hi = std::ldexp(w.hi, e);
  lo = std::ldexp(w.lo, e);
}

// Beyond this mu, 1 - P <= e^-mu is below double resolution of P = 1.
constexpr double kMuLimit = 36.0;

}  // namespace

double fisher_probability(double g, std::size_t q) {
  if (q <= 1 || !(g >= 1)) return 1.0;
  const double qd = static_cast<double>(q);
  if (g >= qd) return 0.0;
  const double x = g / qd;
  const double mu = std::exp(std::log(qd) + (qd - 1) * std::log1p(-x));
  if (mu > kMuLimit) return 1.0;
  // sum_{j>=1} (-1)^{j-1} C(q,j) (1 - j x)^{q-1} with C(q,j) built up step by
  // step and the power taken afresh for every j, so no error is carried over.
  double sum_hi = 0, sum_lo = 0;
  Wide binom{0.5, 0, 1};
  const double log_mu = std::log(mu);
  for (std::size_t j = 1; j <= q; ++j) {
    binom = div(mul(binom, Wide{qd - static_cast<double>(j) + 1, 0, 0}), static_cast<double>(j));
    // 1 - j g / q in double-double: j g exactly, then the division.
    const double jd = static_cast<double>(j);
    const double p = jd * g, pe = std::fma(jd, g, -p);
    const Wide jx = div(normalize(p, pe, 0), qd);
    double jx_hi, jx_lo;
    to_double_double(jx, jx_hi, jx_lo);
    double b_hi, b_lo;
    two_sum(1.0, -jx_hi, b_hi, b_lo);
    b_lo -= jx_lo;
    if (b_hi + b_lo <= 0) break;
    const Wide term = mul(binom, power(normalize(b_hi, b_lo, 0), static_cast<std::uint64_t>(q - 1)));
    double t_hi, t_lo;
    to_double_double(term, t_hi, t_lo);
    if (j % 2 == 0) t_hi = -t_hi, t_lo = -t_lo;
    double s, e;
    two_sum(sum_hi, t_hi, s, e);
    e += sum_lo + t_lo;
    two_sum(s, e, sum_hi, sum_lo);
    // Every later term is below mu^k/k!, a series whose tail past 2 mu is
    // under twice its first term.
    if (jd > 2 * mu && jd * log_mu - std::lgamma(jd + 1) < -48) break;
  }
  return std::clamp(sum_hi + sum_lo, 0.0, 1.0);
}

FisherTest fisher_test(std::span<const double> I, std::size_t n) {
  FisherTest out;
  out.q = std::min(fisher_frequency_count(n), I.size());
  if (out.q == 0) return out;
  double sum = 0, peak = 0;
  for (std::size_t j = 0; j < out.q; ++j) {
    sum += I[j];
    peak = std::max(peak, I[j]);
  }
  if (!(sum > 0) || !std::isfinite(sum)) return out;
  out.defined = true;
  out.ratio = peak / (sum / static_cast<double>(out.q));
  out.probability = fisher_probability(out.ratio, out.q);
  return out;
}

}  // namespace zelk
