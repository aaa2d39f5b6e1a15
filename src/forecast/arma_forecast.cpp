#include "forecast/arma_forecast.h"

#include <algorithm>
#include <cmath>

#include "arma/acvf.h"
#include "arma/innovations.h"
#include "arma/ml_fit.h"
#include "arma/model_acf.h"

namespace zelk {
namespace {

bool usable(std::span<const double> x, double sigma2, int h) {
  return !x.empty() && h >= 1 && sigma2 > 0 && std::isfinite(sigma2);
}

// The innovations pass of the likelihood, kept to what prediction needs:
// e(t) for the last q times, and the rows theta(n+k, .) and v(n+k), k < h.
struct InnovationsAhead {
  std::vector<double> e;                  // e(1..n), 0-based
  std::vector<std::vector<double>> rows;  // theta(n+k, 1..width), k = 0..h-1
  std::vector<double> v;                  // v(n+k), unit noise variance
};

InnovationsAhead run_innovations(std::span<const double> x, std::span<const double> phi,
                                 std::span<const double> theta, int h, double tolerance) {
  InnovationsAhead out;
  const int n = static_cast<int>(x.size()), p = static_cast<int>(phi.size());
  ArmaInnovations inn(phi, theta, tolerance);
  const int m = inn.m();
  out.e.resize(n);
  for (int t = 0; t < n; ++t) {
    if (!inn.settled() || t == 0) inn.next();
    const double* th = inn.row();
    const int w = std::min(inn.width(), t);
    double xhat = 0;
    for (int j = 1; j <= w; ++j) xhat += th[j - 1] * out.e[t - j];
    if (t >= m)
      for (int k = 1; k <= p; ++k) xhat += phi[k - 1] * x[t - k];
    out.e[t] = x[t] - xhat;
  }
  for (int k = 0; k < h; ++k) {
    if (!inn.settled()) inn.next();
    out.rows.emplace_back(inn.row(), inn.row() + inn.width());
    out.v.push_back(inn.v());
  }
  return out;
}

}  // namespace

Predictions autocovariance_predict(std::span<const double> x, std::span<const double> gamma, int h) {
  Predictions out;
  const int n = static_cast<int>(x.size());
  const int top = n + h - 1;  // X(n+h) is predicted by the row of order n+h-1
  if (n == 0 || h < 1 || static_cast<int>(gamma.size()) < top + 1 || !(gamma[0] > 0)) return out;
  // rows[m - n] = phi(m, 1..m) for m = n..top; v(m) = MSE of P_m X(m+1).
  std::vector<std::vector<double>> rows(h);
  std::vector<double> v(top + 1), phi, next;
  v[0] = gamma[0];
  for (int m = 1; m <= top; ++m) {
    double s = gamma[m];
    for (int j = 1; j < m; ++j) s -= phi[j - 1] * gamma[m - j];
    // A perfectly predictable series ends the recursion: later partials are 0.
    const double a = v[m - 1] > 1e-14 * gamma[0] ? s / v[m - 1] : 0.0;
    next.assign(m, 0.0);
    for (int j = 1; j < m; ++j) next[j - 1] = phi[j - 1] - a * phi[m - j - 1];
    next[m - 1] = a;
    phi.swap(next);
    v[m] = std::max(v[m - 1] * (1 - a * a), 0.0);
    if (m >= n) rows[m - n] = phi;
  }
  out.prediction.resize(h);
  out.mse.resize(h);
  std::vector<double> y(x.begin(), x.end());  // data, then the predictions
  y.resize(n + h);
  for (int k = 1; k <= h; ++k) {
    const int t = n + k;
    const std::vector<double>& c = rows[k - 1];  // order t - 1
    double s = 0;
    for (int j = 1; j <= t - 1; ++j) s += c[j - 1] * y[t - j - 1];
    y[t - 1] = out.prediction[k - 1] = s;
    // X(t) - P_n X(t) = sum over i = n+1..t of Cov(X(t), U(i)) / v(i-1) U(i),
    // U(i) = X(i) - P_{i-1} X(i) orthogonal with variance v(i-1).
    double mse = 0;
    for (int i = n + 1; i <= t; ++i) {
      const std::vector<double>& ci = rows[i - 1 - n];  // order i - 1
      double cov = gamma[t - i];
      for (int l = 1; l <= i - 1; ++l) cov -= ci[l - 1] * gamma[t - i + l];
      if (v[i - 1] > 0) mse += cov * cov / v[i - 1];
    }
    out.mse[k - 1] = mse;
  }
  out.ok = true;
  return out;
}

Predictions arma_predict(std::span<const double> x, std::span<const double> phi, std::span<const double> theta,
                         double sigma2, int h, double tolerance) {
  Predictions out;
  if (!usable(x, sigma2, h) || !check_causal(phi)) return out;
  std::vector<double> th(theta.begin(), theta.end());
  if (!check_invertible(th)) {
    const InvertibleMa inv = invertible_ma(th, static_cast<int>(x.size()), tolerance);
    th = inv.theta;
    sigma2 *= inv.variance_factor;
  }
  const int n = static_cast<int>(x.size()), p = static_cast<int>(phi.size()), q = static_cast<int>(th.size());
  const int m = std::max(p, q);
  if (n <= m) {
    // Too short for the banded recursion: the exact predictor from the autocovariance.
    const AcvfResult g = model_acvf(AcvfMode::Autocovariance, phi, th, sigma2, n + h);
    return g.ok ? autocovariance_predict(x, g.gamma, h) : out;
  }
  const InnovationsAhead inn = run_innovations(x, phi, th, h, tolerance);
  out.prediction.resize(h);
  out.mse.resize(h);
  auto predicted = [&](int s) { return s <= n ? x[s - 1] : out.prediction[s - n - 1]; };  // 1-based
  for (int k = 1; k <= h; ++k) {
    const std::vector<double>& row = inn.rows[k - 1];
    double s = 0;
    for (int i = 1; i <= p; ++i) s += phi[i - 1] * predicted(n + k - i);
    for (int j = k; j <= static_cast<int>(row.size()); ++j) s += row[j - 1] * inn.e[n + k - j - 1];
    out.prediction[k - 1] = s;
  }
  const std::vector<double> chi = psi_weights(phi, {}, h);
  auto theta_at = [&](int step_offset, int j) {  // theta(n + step_offset, j)
    if (j == 0) return 1.0;
    const std::vector<double>& row = inn.rows[step_offset];
    return j <= static_cast<int>(row.size()) ? row[j - 1] : 0.0;
  };
  for (int k = 1; k <= h; ++k) {
    double mse = 0;
    for (int j = 0; j < k; ++j) {
      double c = 0;
      for (int r = 0; r <= j; ++r) c += chi[r] * theta_at(k - r - 1, j - r);
      mse += c * c * inn.v[k - j - 1];
    }
    out.mse[k - 1] = sigma2 * mse;
  }
  out.ok = true;
  return out;
}

Predictions fractional_predict(std::span<const double> x, std::span<const double> phi,
                               std::span<const double> theta, double d, int M, double sigma2, int h) {
  Predictions out;
  if (!usable(x, sigma2, h) || phi.size() > 27 || theta.size() > 27) return out;
  const std::span<const double> recent = x.subspan(x.size() - std::min<std::size_t>(x.size(), kMaxForecastMemory));
  ArmaModel model;
  model.p = static_cast<int>(phi.size());
  model.q = static_cast<int>(theta.size());
  std::copy(phi.begin(), phi.end(), model.phi.begin());
  std::copy(theta.begin(), theta.end(), model.theta.begin());
  model.fractional = true;
  model.d = d;
  model.M = M;
  model.sigma2 = sigma2;
  const int K = static_cast<int>(recent.size()) + h;
  const ModelAcf acf = model_acf_pacf(model, K);
  if (!acf.ok || !(acf.variance > 0)) return out;
  std::vector<double> gamma(acf.acf);
  for (double& g : gamma) g *= acf.variance;
  return autocovariance_predict(recent, gamma, h);
}

std::vector<double> forecast_variance_factors(int h, std::span<const double> phi, std::span<const double> theta,
                                              std::span<const int> lags, bool fractional, double d) {
  if (h < 1) return {};
  std::vector<double> a(phi.begin(), phi.end());
  for (int L : lags) {
    if (L < 1) continue;
    const int P = static_cast<int>(a.size());
    std::vector<double> b(P + L, 0.0);
    auto old = [&](int j) { return j >= 1 && j <= P ? a[j - 1] : 0.0; };
    for (int j = 1; j <= P + L; ++j) b[j - 1] = old(j) + (j == L ? 1.0 : 0.0) - (j > L ? old(j - L) : 0.0);
    a.swap(b);
  }
  const int P = static_cast<int>(a.size()), q = static_cast<int>(theta.size());
  std::vector<double> psi(h, 0.0);
  psi[0] = 1;
  for (int i = 1; i < h; ++i) {
    double s = i <= q ? theta[i - 1] : 0.0;
    for (int j = 1; j <= std::min(i, P); ++j) s += a[j - 1] * psi[i - j];
    psi[i] = s;
  }
  if (fractional) {
    std::vector<double> b(h, 0.0);
    double c = 1;
    for (int i = 1; i < h; ++i) {
      if (std::fabs(c) < 1e-30) c = 0;
      c = i == 1 ? -d : c * (i - 1 - d) / i;
      b[i] = -c;
    }
    std::vector<double> w(h, 0.0);
    w[0] = 1;
    for (int t = 1; t < h; ++t) {
      double s = psi[t];
      for (int j = 1; j <= t; ++j) s += b[j] * w[t - j];
      w[t] = s;
    }
    psi.swap(w);
  }
  std::vector<double> F(h);
  double sum = 0;
  for (int k = 0; k < h; ++k) F[k] = sum += psi[k] * psi[k];
  return F;
}

}  // namespace zelk
