#include "univariate/regression_fit.h"

#include <cmath>
#include <limits>

#include "arma/acvf.h"
#include "arma/likelihood.h"
#include "numeric/finite.h"
#include "numeric/least_squares.h"

namespace zelk {
namespace {

// Exact dependence leaves a relative remainder of order 1e-15; t^10 against
// the lower powers still leaves about 1e-6, so this only catches true ties.
constexpr double kRankTolerance = 1e-10;

bool fits_shape(std::span<const double> y, std::span<const double> design, int r) {
  return r >= 1 && design.size() == y.size() * static_cast<std::size_t>(r);
}

// Solves the least-squares problem; status Singular when the rank falls short.
RegressionFit solve(std::span<const double> y, std::span<const double> design, int r, numeric::QrFactorization* qr) {
  RegressionFit out;
  const int n = static_cast<int>(y.size());
  if (r == 0) return out.status = RegressionStatus::NoRegressors, out;
  if (!fits_shape(y, design, r)) return out;
  if (n < r) return out.status = RegressionStatus::TooFewValues, out;
  if (!numeric::all_finite(y) || !numeric::all_finite(design)) return out;
  numeric::LeastSquaresFit fit = numeric::DL2QRR(n, r, design, n, y, kRankTolerance);
  if (fit.factorization.rank < 0) return out;
  if (fit.factorization.rank < r) return out.status = RegressionStatus::Singular, out;
  if (!numeric::all_finite(fit.solution.b)) return out;
  out.beta = std::move(fit.solution.b);
  out.status = RegressionStatus::Ok;
  if (qr) *qr = std::move(fit.factorization);
  return out;
}

// (A'A)^-1 from the pivoted QR factors: Pi R^-1 R^-T Pi'.
std::vector<double> inverse_cross_product(const numeric::QrFactorization& f) {
  const int r = f.nca, n = f.nra;
  auto R = [&](int i, int j) { return f.qr[static_cast<std::size_t>(j) * n + i]; };
  std::vector<double> inv(static_cast<std::size_t>(r) * r, 0.0);  // R^-1, upper, column by column
  for (int j = 0; j < r; ++j) {
    inv[static_cast<std::size_t>(j) * r + j] = 1 / R(j, j);
    for (int i = j - 1; i >= 0; --i) {
      double s = 0;
      for (int k = i + 1; k <= j; ++k) s += R(i, k) * inv[static_cast<std::size_t>(j) * r + k];
      inv[static_cast<std::size_t>(j) * r + i] = -s / R(i, i);
    }
  }
  std::vector<double> out(static_cast<std::size_t>(r) * r, 0.0);
  for (int a = 0; a < r; ++a)
    for (int b = 0; b < r; ++b) {
      double s = 0;
      for (int k = std::max(a, b); k < r; ++k)
        s += inv[static_cast<std::size_t>(k) * r + a] * inv[static_cast<std::size_t>(k) * r + b];
      out[static_cast<std::size_t>(f.pivots[b]) * r + f.pivots[a]] = s;
    }
  return out;
}

}  // namespace

RegressionFit fit_least_squares(std::span<const double> y, std::span<const double> design, int r) {
  RegressionFit out = solve(y, design, r, nullptr);
  if (out.ok()) out.trend = regression_trend(design, out.beta);
  return out;
}

RegressionFit fit_generalized_least_squares(std::span<const double> y, std::span<const double> design, int r,
                                            std::span<const double> phi, std::span<const double> theta,
                                            double sigma2) {
  RegressionFit out;
  if (r == 0) return out.status = RegressionStatus::NoRegressors, out;
  if (!fits_shape(y, design, r) || !(sigma2 > 0) || !std::isfinite(sigma2)) return out;
  const std::size_t n = y.size();
  if (n < static_cast<std::size_t>(r)) return out.status = RegressionStatus::TooFewValues, out;
  if (!check_causal(phi)) return out.status = RegressionStatus::NotCausal, out;
  auto whiten = [&](std::span<const double> v, double* to) {
    LikelihoodResult lr = arma_likelihood(v, phi, theta);
    std::copy(lr.rescaled_residuals.begin(), lr.rescaled_residuals.end(), to);
  };
  std::vector<double> wy(n), wx(design.size());
  whiten(y, wy.data());
  for (int j = 0; j < r; ++j) whiten(design.subspan(j * n, n), wx.data() + j * n);
  numeric::QrFactorization qr;
  out = solve(wy, wx, r, &qr);
  if (!out.ok()) return out;
  out.covariance = inverse_cross_product(qr);
  for (double& c : out.covariance) c *= sigma2;
  out.standard_errors.resize(r);
  for (int j = 0; j < r; ++j) out.standard_errors[j] = std::sqrt(std::max(out.covariance[j * r + j], 0.0));
  if (!numeric::all_finite(out.covariance)) {
    out = {};
    out.status = RegressionStatus::Singular;
    return out;
  }
  out.trend = regression_trend(design, out.beta);
  return out;
}

}  // namespace zelk
