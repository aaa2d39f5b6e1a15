#include "multivariate/transfer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "model/causality.h"

namespace zelk {
namespace {

constexpr double kInfeasible = std::numeric_limits<double>::infinity();

// out(j) = num(j) + sum_k den(k) out(j-k): the power series of num(B)/den(B)
// with den(B) = 1 - den(1) B - ...
std::vector<double> expand(std::span<const double> num, std::span<const double> den, int count) {
  std::vector<double> out(static_cast<std::size_t>(std::max(count, 0)), 0.0);
  for (int j = 0; j < count; ++j) {
    double v = j < static_cast<int>(num.size()) ? num[static_cast<std::size_t>(j)] : 0.0;
    for (int k = 1; k <= std::min<int>(j, static_cast<int>(den.size())); ++k)
      v += den[static_cast<std::size_t>(k) - 1] * out[static_cast<std::size_t>(j - k)];
    out[static_cast<std::size_t>(j)] = v;
  }
  return out;
}

int first_u(const TransferModel& m) { return m.delay + m.s; }
int first_w(const TransferModel& m) { return first_u(m) + m.noise.p; }

// The recursions over times 0..len-1 of u, noise and w (each of size len);
// values before their first time are 0. `x` holds the input up to len - b.
void filter(std::span<const double> x, std::span<const double> y, const TransferModel& m, int len, double* u,
            double* noise, double* w) {
  const int t0 = first_u(m), tw = first_w(m);
  const int n = static_cast<int>(y.size());
  // Before t0 the noise is taken at its mean 0, so U is the output there:
  // the filter then starts near its level instead of decaying from 0.
  for (int t = 0; t < std::min(t0, len); ++t) {
    u[t] = t < n ? y[static_cast<std::size_t>(t)] : 0.0;
    noise[t] = 0;
  }
  for (int t = t0; t < len; ++t) {
    double v = 0;
    for (int j = 0; j <= m.s; ++j) v += m.w[static_cast<std::size_t>(j)] * x[static_cast<std::size_t>(t - m.delay - j)];
    for (int j = 1; j <= m.r && t - j >= 0; ++j) v += m.v[static_cast<std::size_t>(j) - 1] * u[t - j];
    u[t] = v;
    noise[t] = t < n ? y[static_cast<std::size_t>(t)] - v : 0.0;
  }
  const TransferArma& a = m.noise;
  for (int t = 0; t < std::min(tw, len); ++t) w[t] = 0;
  for (int t = tw; t < std::min(len, n); ++t) {
    double v = noise[t];
    for (int j = 1; j <= a.p; ++j) v -= a.phi[static_cast<std::size_t>(j) - 1] * noise[t - j];
    for (int j = 1; j <= a.q && t - j >= tw; ++j) v -= a.theta[static_cast<std::size_t>(j) - 1] * w[t - j];
    w[t] = v;
  }
}

bool long_enough(const TransferModel& m, std::span<const double> input, std::span<const double> output) {
  return input.size() == output.size() && first_w(m) < static_cast<int>(output.size());
}

std::vector<double> coordinates(const TransferModel& m) {
  std::vector<double> c(m.w.begin(), m.w.begin() + m.s + 1);
  c.insert(c.end(), m.v.begin(), m.v.begin() + m.r);
  c.insert(c.end(), m.noise.phi.begin(), m.noise.phi.begin() + m.noise.p);
  c.insert(c.end(), m.noise.theta.begin(), m.noise.theta.begin() + m.noise.q);
  return c;
}

void set_coordinates(TransferModel& m, const std::vector<double>& c) {
  auto it = c.begin();
  for (int j = 0; j <= m.s; ++j) m.w[static_cast<std::size_t>(j)] = *it++;
  for (int j = 0; j < m.r; ++j) m.v[static_cast<std::size_t>(j)] = *it++;
  for (int j = 0; j < m.noise.p; ++j) m.noise.phi[static_cast<std::size_t>(j)] = *it++;
  for (int j = 0; j < m.noise.q; ++j) m.noise.theta[static_cast<std::size_t>(j)] = *it++;
}

}  // namespace

std::vector<double> transfer_psi(std::span<const double> phi, std::span<const double> theta, int count) {
  std::vector<double> num{1.0};
  num.insert(num.end(), theta.begin(), theta.end());
  return expand(num, phi, count);
}

bool transfer_feasible(const TransferModel& m) {
  return m.noise.sigma2 > 0 && check_causal(m.denominator()) && check_causal(m.noise.ar()) &&
         check_invertible(m.noise.ma());
}

TransferResiduals transfer_residuals(std::span<const double> input, std::span<const double> output,
                                     const TransferModel& m) {
  TransferResiduals r;
  if (!long_enough(m, input, output)) return r;
  const int n = static_cast<int>(output.size());
  std::vector<double> u(static_cast<std::size_t>(n)), noise(u.size()), w(u.size());
  filter(input, output, m, n, u.data(), noise.data(), w.data());
  r.u_first = first_u(m);
  r.u.assign(u.begin() + r.u_first, u.end());
  r.noise.assign(noise.begin() + r.u_first, noise.end());
  r.w_first = first_w(m);
  r.w.assign(w.begin() + r.w_first, w.end());
  return r;
}

double transfer_sum_of_squares(std::span<const double> input, std::span<const double> output,
                               const TransferModel& m, std::vector<double>& work) {
  if (!transfer_feasible(m) || !long_enough(m, input, output)) return kInfeasible;
  const std::size_t n = output.size();
  if (work.size() < 3 * n) work.resize(3 * n);
  double* w = work.data() + 2 * n;
  filter(input, output, m, static_cast<int>(n), work.data(), work.data() + n, w);
  double ss = 0;
  for (std::size_t t = static_cast<std::size_t>(first_w(m)); t < n; ++t) ss += w[t] * w[t];
  return std::isfinite(ss) ? ss : kInfeasible;
}

// The variance divisor is n less the five counts b, s, r, p_N, q_N and 2.
int transfer_divisor(const TransferModel& m, int n) {
  return n - m.delay - m.s - m.r - m.noise.p - m.noise.q - 2;
}

TransferFit fit_transfer(std::span<const double> input, std::span<const double> output, const TransferModel& start,
                         const TransferFitOptions& options) {
  TransferFit fit;
  fit.model = start;
  const int n = static_cast<int>(output.size());
  fit.coefficients = start.s + 1 + start.r + start.noise.p + start.noise.q;
  fit.residual_count = n - first_w(start);
  if (!long_enough(start, input, output) || transfer_divisor(start, n) <= 0 ||
      fit.residual_count - fit.coefficients - 2 <= 0)
    return fit;
  std::vector<double> work;
  TransferModel trial = start;
  auto f = [&](const std::vector<double>& c) {
    ++fit.evaluations;
    set_coordinates(trial, c);
    return transfer_sum_of_squares(input, output, trial, work);
  };
  std::vector<double> base = coordinates(start);
  double fbase = f(base);
  if (!std::isfinite(fbase)) return fit;
  if (!options.no_optimization) {
    const double s0 = options.step;
    double step = s0;
    // Each accepted move lowers the sum, so the search ends; the cap guards
    // against a pathological surface.
    constexpr int kMaxEvaluations = 200000;
    auto explore = [&](std::vector<double>& y, double& fy) {
      for (std::size_t i = 0; i < y.size(); ++i)
        for (double sign : {1.0, -1.0}) {
          y[i] += sign * step;
          const double ft = f(y);
          if (ft < fy) {
            fy = ft;
            break;
          }
          y[i] -= sign * step;
        }
    };
    while (step >= 0.4 * s0 && fit.evaluations < kMaxEvaluations) {
      std::vector<double> y = base;
      double fy = fbase;
      explore(y, fy);
      if (!(fy < fbase)) {
        step /= 2;
        continue;
      }
      while (fy < fbase && fit.evaluations < kMaxEvaluations) {
        const std::vector<double> previous = base;
        base = y;
        fbase = fy;
        for (std::size_t i = 0; i < y.size(); ++i) y[i] = 2 * base[i] - previous[i];
        fy = f(y);
        explore(y, fy);
      }
    }
  }
  set_coordinates(fit.model, base);
  fit.ok = true;
  fit.sum_of_squares = fbase;
  if (!options.no_optimization) fit.model.noise.sigma2 = fbase / transfer_divisor(start, n);
  fit.model.residuals = transfer_residuals(input, output, fit.model).w;
  fit.model.estimated = true;
  // The Gaussian likelihood of the m residuals with the variance profiled
  // out, -2 ln L = m (ln(2 pi S/m) + 1), and the AICC of Hurvich & Tsai
  // (1989) as Brockwell & Davis (2002, Sec. 5.5.2) print it.
  const double m = fit.residual_count;
  const double k = fit.coefficients;
  fit.minus2_log_l = m * (std::log(2 * std::numbers::pi * fbase / m) + 1);
  fit.aicc = fit.minus2_log_l + 2 * (k + 1) * m / (m - k - 2);
  return fit;
}

TransferForecast forecast_transfer(std::span<const double> input, std::span<const double> output,
                                   const TransferModel& m, int h) {
  TransferForecast out;
  if (h < 1 || !long_enough(m, input, output)) return out;
  const int n = static_cast<int>(output.size());
  const int len = n + h;
  // The input continued by its difference-equation forecasts.
  const TransferArma& a = m.input_model;
  std::vector<double> x(input.begin(), input.end()), z(static_cast<std::size_t>(len), 0.0);
  x.resize(static_cast<std::size_t>(len), 0.0);
  for (int t = a.p; t < n; ++t) {
    double v = x[static_cast<std::size_t>(t)];
    for (int j = 1; j <= a.p; ++j) v -= a.phi[static_cast<std::size_t>(j) - 1] * x[static_cast<std::size_t>(t - j)];
    for (int j = 1; j <= a.q && t - j >= 0; ++j) v -= a.theta[static_cast<std::size_t>(j) - 1] * z[static_cast<std::size_t>(t - j)];
    z[static_cast<std::size_t>(t)] = v;
  }
  for (int t = n; t < len; ++t) {
    double v = 0;
    for (int j = 1; j <= a.p && t - j >= 0; ++j) v += a.phi[static_cast<std::size_t>(j) - 1] * x[static_cast<std::size_t>(t - j)];
    for (int j = 1; j <= a.q && t - j >= 0; ++j) v += a.theta[static_cast<std::size_t>(j) - 1] * z[static_cast<std::size_t>(t - j)];
    x[static_cast<std::size_t>(t)] = v;
  }
  std::vector<double> u(static_cast<std::size_t>(len)), noise(u.size()), w(u.size());
  filter(x, output, m, len, u.data(), noise.data(), w.data());
  const TransferArma& e = m.noise;
  const int t0 = first_u(m);
  for (int t = n; t < len; ++t) {
    double v = 0;
    for (int j = 1; j <= e.p && t - j >= t0; ++j) v += e.phi[static_cast<std::size_t>(j) - 1] * noise[static_cast<std::size_t>(t - j)];
    for (int j = 1; j <= e.q; ++j)
      if (t - j < n && t - j >= 0) v += e.theta[static_cast<std::size_t>(j) - 1] * w[static_cast<std::size_t>(t - j)];
    noise[static_cast<std::size_t>(t)] = v;
    out.value.push_back(u[static_cast<std::size_t>(t)] + v);
  }
  // tau(k) = g(k - b) with g the expansion of W(B)/V(B).
  const std::vector<double> g = expand(m.numerator(), m.denominator(), h);
  const std::vector<double> psi_x = transfer_psi(a.ar(), a.ma(), h);
  const std::vector<double> psi_n = transfer_psi(e.ar(), e.ma(), h);
  double input_part = 0, noise_part = 0;
  for (int j = 0; j < h; ++j) {
    double c = 0;  // c(j) = sum_k tau(k) psi_X(j - k)
    for (int k = m.delay; k <= j; ++k) c += g[static_cast<std::size_t>(k - m.delay)] * psi_x[static_cast<std::size_t>(j - k)];
    input_part += c * c;
    noise_part += psi_n[static_cast<std::size_t>(j)] * psi_n[static_cast<std::size_t>(j)];
    out.mse.push_back(a.sigma2 * input_part + e.sigma2 * noise_part);
  }
  return out;
}

}  // namespace zelk
