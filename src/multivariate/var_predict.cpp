#include "multivariate/var_predict.h"

#include <cmath>

#include "numeric/cholesky.h"
#include "numeric/random.h"

namespace zelk {
namespace {

// PHI*(z) = (I - sum PHI(l) z^l)(1 - z^d1)..(1 - z^dr) = I - sum PHI*(l) z^l.
std::vector<Matrix> extended_operator(const VarModel& m, std::span<const int> lags) {
  const int k = m.k;
  std::vector<Matrix> poly(static_cast<std::size_t>(m.p) + 1, Matrix(k));  // coefficients of z^0..
  poly[0] = Matrix(k, 1.0);
  for (int l = 1; l <= m.p; ++l)
    for (std::size_t a = 0; a < poly[l].a.size(); ++a) poly[l].a[a] = -m.phi[l - 1].a[a];
  for (int d : lags) {
    std::vector<Matrix> next(poly.size() + static_cast<std::size_t>(d), Matrix(k));
    for (std::size_t l = 0; l < poly.size(); ++l) {
      next[l] = next[l] + poly[l];
      next[l + d] = next[l + d] - poly[l];
    }
    poly = std::move(next);
  }
  std::vector<Matrix> phi;
  for (std::size_t l = 1; l < poly.size(); ++l) {
    Matrix c = poly[l];
    for (double& v : c.a) v = -v;
    phi.push_back(c);
  }
  return phi;
}

}  // namespace

VarForecast forecast_var(const VarModel& model, Components history, int h, std::span<const int> difference_lags) {
  VarForecast f;
  const int k = model.k;
  f.k = k;
  f.h = std::max(h, 0);
  if (static_cast<int>(history.size()) != k || f.h == 0) return f;
  const std::vector<Matrix> phi = extended_operator(model, difference_lags);
  const int P = static_cast<int>(phi.size());
  const std::size_t T = history[0].size();
  // Constant of the recursion: (I - sum PHI(l)) mu; the differencing factors
  // vanish at z = 1 and the mean belongs to the differenced series.
  std::vector<double> c(k, 0.0);
  for (int i = 0; i < k; ++i) {
    c[i] = model.mean[i];
    for (int l = 0; l < model.p; ++l)
      for (int j = 0; j < k; ++j) c[i] -= model.phi[l](i, j) * model.mean[j];
  }
  std::vector<std::vector<double>> y(k);
  for (int i = 0; i < k; ++i) y[i].assign(history[i].begin(), history[i].end());
  f.value.assign(k, std::vector<double>(f.h));
  for (int s = 0; s < f.h; ++s) {
    const std::size_t t = T + static_cast<std::size_t>(s);
    for (int i = 0; i < k; ++i) {
      double v = c[i];
      for (int l = 1; l <= P; ++l) {
        if (static_cast<std::size_t>(l) > t) break;
        for (int j = 0; j < k; ++j) v += phi[l - 1](i, j) * y[j][t - l];
      }
      f.value[i][s] = v;
    }
    for (int i = 0; i < k; ++i) y[i].push_back(f.value[i][s]);
  }
  // Psi(0) = I, Psi(j) = sum over l = 1..min(j, P) of PHI*(l) Psi(j - l).
  f.psi.assign(1, Matrix(k, 1.0));
  for (int j = 1; j < f.h; ++j) {
    Matrix s(k);
    for (int l = 1; l <= std::min(j, P); ++l) s = s + phi[l - 1] * f.psi[j - l];
    f.psi.push_back(s);
  }
  Matrix mse(k);
  f.rmse.assign(k, std::vector<double>(f.h));
  for (int j = 0; j < f.h; ++j) {
    mse = mse + f.psi[j] * model.V * transpose(f.psi[j]);
    f.mse.push_back(mse);
    for (int i = 0; i < k; ++i) f.rmse[i][j] = std::sqrt(std::max(mse(i, i), 0.0));
  }
  return f;
}

std::vector<std::vector<double>> var_residuals(const VarModel& m, Components x) {
  const int k = m.k;
  std::vector<std::vector<double>> z(k);
  if (static_cast<int>(x.size()) != k) return z;
  const std::size_t n = x[0].size(), p = static_cast<std::size_t>(m.p);
  if (n <= p) return z;
  for (int i = 0; i < k; ++i) z[i].resize(n - p);
  for (std::size_t t = p; t < n; ++t)
    for (int i = 0; i < k; ++i) {
      double v = x[i][t] - m.mean[i];
      for (std::size_t l = 1; l <= p; ++l)
        for (int j = 0; j < k; ++j) v -= m.phi[l - 1](i, j) * (x[j][t - l] - m.mean[j]);
      z[i][t - p] = v;
    }
  return z;
}

VarSimulation simulate_var(const VarModel& m, const VarSimulationOptions& o) {
  VarSimulation r;
  const int k = m.k;
  if (o.count < 1 || o.seed < 1 || o.burn_in <= m.p || k < 1) {
    r.message = "The simulation needs N > 0, a seed > 0 and M > p.";
    return r;
  }
  // DCHFAC reads the upper triangle column by column: V is symmetric, so its
  // row-major array serves as it is.
  const numeric::CholeskyResult f = numeric::DCHFAC(k, m.V.a, 1e-12);
  if (f.rank < k) {
    r.message = "The white noise covariance matrix V is not positive definite, so it cannot be simulated.";
    return r;
  }
  numeric::set_seed(o.seed);
  const int total = o.burn_in + o.count;
  const std::vector<double> z = numeric::DRNMVN(total, k, f.r, k);
  if (z.size() != static_cast<std::size_t>(total) * k) {
    r.message = "The random vectors could not be drawn.";
    return r;
  }
  std::vector<std::vector<double>> y(k, std::vector<double>(static_cast<std::size_t>(total)));
  for (int t = 0; t < total; ++t)
    for (int i = 0; i < k; ++i) {
      double v = z[static_cast<std::size_t>(i) * total + t];
      for (int l = 1; l <= m.p && l <= t; ++l)
        for (int j = 0; j < k; ++j) v += m.phi[l - 1](i, j) * y[j][t - l];
      y[i][t] = v;
    }
  r.series.resize(k);
  for (int i = 0; i < k; ++i) {
    r.series[i].assign(y[i].begin() + o.burn_in, y[i].end());
    if (o.add_mean)
      for (double& v : r.series[i]) v += m.mean[i];
  }
  r.ok = true;
  return r;
}

std::vector<std::vector<double>> integrate_difference(Components x, int d, Components start) {
  std::vector<std::vector<double>> y(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    y[i].assign(start[i].begin(), start[i].begin() + d);
    for (std::size_t t = 0; t < x[i].size(); ++t) y[i].push_back(x[i][t] + y[i][t]);
  }
  return y;
}

}  // namespace zelk
