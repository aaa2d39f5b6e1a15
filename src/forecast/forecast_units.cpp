#include "forecast/forecast_units.h"

#include <cmath>

#include "forecast/arma_forecast.h"
#include "numeric/distributions.h"
#include "model/classical.h"
#include "model/transforms.h"

namespace zelk {
namespace {

// The inverse Box-Cox of y when it exists.
bool invert_box_cox(double& y, double lambda) {
  if (lambda >= kBoxCoxLogLimit && !(lambda * y + 1 > 0)) return false;
  const double x = box_cox_inverse(y, lambda);
  if (!std::isfinite(x)) return false;
  y = x;
  return true;
}

}  // namespace

double bound_quantile(double level_percent) { return numeric::DNORIN(0.5 + level_percent / 200.0); }

FactorBounds bounds_from_factors(std::span<const double> forecasts, double rmse, std::span<const double> F, double z) {
  FactorBounds b;
  const std::size_t h = forecasts.size();
  b.sqrt_mse.resize(h);
  b.lower.resize(h);
  b.upper.resize(h);
  for (std::size_t j = 0; j < h; ++j) {
    b.sqrt_mse[j] = rmse * std::sqrt(F[j]);
    b.lower[j] = forecasts[j] - z * b.sqrt_mse[j];
    b.upper[j] = forecasts[j] + z * b.sqrt_mse[j];
  }
  return b;
}

ForecastInUnits carry_back(const ForecastRequest& rq, const BackSteps& steps) {
  ForecastInUnits out;
  const std::size_t h = rq.prediction.size();
  std::vector<double>& x = out.data;
  x.assign(rq.series.begin(), rq.series.end());
  std::vector<double>& f = out.prediction;
  f.assign(rq.prediction.begin(), rq.prediction.end());
  out.mse.assign(rq.mse.begin(), rq.mse.end());
  std::size_t full = x.size();  // length of the series at the current level, cut ends included
  if (steps.regression && rq.fitted_trend.size() == x.size() && rq.trend_ahead.size() == h) {
    for (std::size_t i = 0; i < x.size(); ++i) x[i] += rq.fitted_trend[i];
    for (std::size_t k = 0; k < h; ++k) f[k] += rq.trend_ahead[k];
  }
  std::vector<int> lags;
  for (auto node = rq.transforms.rbegin(); node != rq.transforms.rend(); ++node) {
    switch (node->kind) {
      case TransformKind::Subsequence:
        // Forecasts continue the kept stretch; values cut after it are left out.
        x.insert(x.begin(), node->values_before.begin(), node->values_before.end());
        full += node->values_before.size() + node->values_after.size();
        break;
      case TransformKind::SubtractMean:
        if (!steps.mean) break;
        for (double& v : x) v += node->subtracted_mean;
        for (double& v : f) v += node->subtracted_mean;
        break;
      case TransformKind::Difference: {
        full += node->lag;
        if (!steps.undifference) break;
        const std::size_t d = static_cast<std::size_t>(node->lag), len = x.size();
        std::vector<double> y(len + d + h);
        std::copy(node->start_values.begin(), node->start_values.end(), y.begin());
        for (std::size_t t = d; t < len + d; ++t) y[t] = x[t - d] + y[t - d];
        for (std::size_t k = 0; k < h; ++k) y[len + d + k] = f[k] + y[len + k];
        f.assign(y.begin() + static_cast<std::ptrdiff_t>(len + d), y.end());
        y.resize(len + d);
        x.swap(y);
        lags.push_back(node->lag);
        break;
      }
      case TransformKind::Classical:
      case TransformKind::ClassicalHarmonic: {
        if (!steps.trend_seasonal) break;
        const std::vector<double> curve = classical_curve(*node, full, x.size() + h);
        for (std::size_t i = 0; i < x.size(); ++i) x[i] += curve[i];
        for (std::size_t k = 0; k < h; ++k) f[k] += curve[x.size() + k];
        break;
      }
      case TransformKind::BoxCox:
        break;  // last of all, after the bounds
    }
  }
  if (!lags.empty()) {
    const std::vector<double> F = forecast_variance_factors(static_cast<int>(h), rq.model.phi, rq.model.theta, lags,
                                                            rq.model.fractional, rq.model.d);
    for (std::size_t k = 0; k < h; ++k) out.mse[k] = rq.model.sigma2 * F[k];
  }
  out.lower.resize(h);
  out.upper.resize(h);
  for (std::size_t k = 0; k < h; ++k) {
    const double half = rq.z * std::sqrt(std::max(out.mse[k], 0.0));
    out.lower[k] = f[k] - half;
    out.upper[k] = f[k] + half;
  }
  out.prediction_ok.assign(h, true);
  out.lower_ok.assign(h, true);
  out.upper_ok.assign(h, true);
  const Transformation* box_cox = nullptr;
  for (const Transformation& node : rq.transforms)
    if (node.kind == TransformKind::BoxCox) box_cox = &node;
  if (steps.box_cox && box_cox) {
    const double lambda = box_cox->lambda;
    for (double& v : x) invert_box_cox(v, lambda);
    auto map = [&](std::vector<double>& v, std::vector<bool>& ok) {
      for (std::size_t k = 0; k < h; ++k)
        if (!invert_box_cox(v[k], lambda)) v[k] = 0, ok[k] = false;
    };
    map(f, out.prediction_ok);
    map(out.lower, out.lower_ok);
    map(out.upper, out.upper_ok);
  }
  return out;
}

}  // namespace zelk
