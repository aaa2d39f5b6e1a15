#include "arma/model_acf.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "arma/acvf.h"
#include "numeric/special.h"
#include "numeric/acf.h"

namespace zelk {
namespace {

std::span<const double> ar_of(const ArmaModel& m) { return {m.phi.data(), static_cast<std::size_t>(m.p)}; }
std::span<const double> ma_of(const ArmaModel& m) { return {m.theta.data(), static_cast<std::size_t>(m.q)}; }

ModelAcf fractional_acf(const ArmaModel& m, int lags) {
  ModelAcf out;
  const int M = std::max(m.M, 1);
  const double d = m.d;
  const int top = lags + M;
  std::vector<double> rho_d(top + 1);
  rho_d[0] = 1;
  for (int h = 0; h < top; ++h) rho_d[h + 1] = rho_d[h] * (h + d) / (h + 1 - d);
  auto rd = [&](int h) { return rho_d[std::abs(h)]; };
  std::vector<double> psi = psi_weights(ar_of(m), ma_of(m), M + 1);
  for (double& v : psi)
    if (std::fabs(v) < 1e-30) v = 0;
  // c(h) = sum_j sum_k psi(j) psi(k) rho_d(h - j + k) = sum_s a(s) rho_d(h + s),
  // a(s) = sum_j psi(j) psi(j + s) over s = -M..M.
  std::vector<double> a(M + 1, 0.0);
  for (int s = 0; s <= M; ++s)
    for (int j = 0; j + s <= M; ++j) a[s] += psi[j] * psi[j + s];
  std::vector<double> c(lags + 1, 0.0);
  for (int h = 0; h <= lags; ++h) {
    double v = a[0] * rd(h);
    for (int s = 1; s <= M; ++s) v += a[s] * (rd(h + s) + rd(h - s));
    c[h] = v;
  }
  const double gamma_d0 = std::exp(numeric::DLNGAM(1 - 2 * d) - 2 * numeric::DLNGAM(1 - d));
  out.variance = c[0] * gamma_d0 * m.sigma2;
  out.acf.resize(lags + 1);
  for (int h = 0; h <= lags; ++h) out.acf[h] = c[h] / c[0];
  return out;
}

}  // namespace

ModelAcf model_acf_pacf(const ArmaModel& model, int lags) {
  if (lags < 0) lags = 0;
  ModelAcf out;
  if (!check_causal(ar_of(model))) return out;
  if (model.fractional) {
    out = fractional_acf(model, lags);
  } else if (model.p == 0 && model.q == 0) {
    out.variance = model.sigma2;
    out.acf.assign(lags + 1, 0.0);
    out.acf[0] = 1;
  } else {
    // Worked out for unit variance, which the correlations do not depend on:
    // a huge white-noise variance then only makes gamma(0) itself overflow.
    const AcvfResult g = model_acvf(AcvfMode::Autocovariance, ar_of(model), ma_of(model), 1.0, lags);
    out.variance = g.gamma[0] * model.sigma2;
    out.acf.resize(lags + 1);
    for (int h = 0; h <= lags; ++h) out.acf[h] = g.gamma[0] > 0 ? g.gamma[h] / g.gamma[0] : (h == 0 ? 1.0 : 0.0);
  }
  out.pacf = partial_autocorrelations(out.acf);
  out.ok = true;
  return out;
}

std::vector<double> fractional_weights(const ArmaModel& m, int J, bool inverse) {
  // (1-z)^-d = sum w(j) z^j, w(j) = w(j-1) (j-1+d)/j; the inverse uses -d.
  const double d = inverse ? -m.d : m.d;
  std::vector<double> w(std::max(J, 0), 0.0);
  if (J <= 0) return w;
  w[0] = 1;
  for (int j = 1; j < J; ++j) w[j] = w[j - 1] * (j - 1 + d) / j;
  const std::vector<double> arma =
      inverse ? pi_weights(ar_of(m), ma_of(m), J) : psi_weights(ar_of(m), ma_of(m), J);
  std::vector<double> out(J, 0.0);
  for (int j = 0; j < J; ++j)
    for (int k = 0; k <= j; ++k) out[j] += arma[k] * w[j - k];
  return out;
}

}  // namespace zelk
