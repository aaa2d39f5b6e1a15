#include "arma/fractional_residuals.h"

#include <algorithm>
#include <cmath>

namespace zelk {

FractionalPredictor::FractionalPredictor(ModelAcf acf) : acf_(std::move(acf)), v_(acf_.variance) {}

double FractionalPredictor::predict(const double* x_t) const {
  double xhat = 0;
  for (std::size_t j = 1; j <= phi_.size(); ++j) xhat += phi_[j - 1] * x_t[-static_cast<std::ptrdiff_t>(j)];
  return xhat;
}

void FractionalPredictor::raise() {
  // Only while lags remain and the variance stays positive.
  const int k = order() + 1;
  if (k >= static_cast<int>(acf_.acf.size()) || !(v_ > 1e-300 * acf_.variance)) return;
  double s = acf_.acf[k];
  for (int j = 1; j < k; ++j) s -= phi_[j - 1] * acf_.acf[k - j];
  const double a = s / (v_ / acf_.variance);
  next_.assign(k, 0.0);
  for (int j = 1; j < k; ++j) next_[j - 1] = phi_[j - 1] - a * phi_[k - j - 1];
  next_[k - 1] = a;
  phi_.swap(next_);
  v_ *= 1 - a * a;
}

FractionalResiduals fractional_residuals(const ArmaModel& model, std::span<const double> x) {
  FractionalResiduals out;
  const int n = static_cast<int>(x.size());
  if (n == 0) return out;
  ModelAcf acf = model_acf_pacf(model, std::min(n - 1, kMaxFractionalOrder));
  if (!acf.ok || !(acf.variance > 0)) return out;
  const double sigma2 = model.sigma2 > 0 ? model.sigma2 : 1.0;
  out.residuals.resize(n);
  out.rescaled_residuals.resize(n);
  FractionalPredictor predictor(std::move(acf));
  for (int t = 0; t < n; ++t) {
    out.residuals[t] = x[t] - predictor.predict(x.data() + t);
    out.rescaled_residuals[t] = out.residuals[t] / std::sqrt(std::max(predictor.mse() / sigma2, 1e-300));
    predictor.raise();
  }
  return out;
}

}  // namespace zelk
