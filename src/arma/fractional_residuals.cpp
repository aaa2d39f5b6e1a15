#include "arma/fractional_residuals.h"

#include <algorithm>
#include <cmath>

#include "arma/model_acf.h"

namespace zelk {

FractionalResiduals fractional_residuals(const ArmaModel& model, std::span<const double> x) {
  FractionalResiduals out;
  const int n = static_cast<int>(x.size());
  if (n == 0) return out;
  const int K = std::min(n - 1, kMaxFractionalOrder);
  const ModelAcf acf = model_acf_pacf(model, K);
  if (!acf.ok || !(acf.variance > 0)) return out;
  const double sigma2 = model.sigma2 > 0 ? model.sigma2 : 1.0;
  out.residuals.resize(n);
  out.rescaled_residuals.resize(n);
  std::vector<double> phi, next;
  double v = acf.variance;
  for (int t = 0; t < n; ++t) {
    const int order = static_cast<int>(phi.size());
    double xhat = 0;
    for (int j = 1; j <= order; ++j) xhat += phi[j - 1] * x[t - j];
    out.residuals[t] = x[t] - xhat;
    out.rescaled_residuals[t] = out.residuals[t] / std::sqrt(std::max(v / sigma2, 1e-300));
    // Raise the predictor's order while it is below K and the variance stays positive.
    if (order < K && v > 1e-300 * acf.variance) {
      const int k = order + 1;
      double s = acf.acf[k];
      for (int j = 1; j < k; ++j) s -= phi[j - 1] * acf.acf[k - j];
      const double a = s / (v / acf.variance);
      next.assign(k, 0.0);
      for (int j = 1; j < k; ++j) next[j - 1] = phi[j - 1] - a * phi[k - j - 1];
      next[k - 1] = a;
      phi.swap(next);
      v *= 1 - a * a;
    }
  }
  return out;
}

}  // namespace zelk
