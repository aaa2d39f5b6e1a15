#include "arma/simulate.h"

#include <algorithm>
#include <cmath>

#include "arma/fractional_residuals.h"
#include "arma/innovations.h"
#include "arma/model_acf.h"
#include "model/causality.h"
#include "numeric/random.h"

namespace zelk {
namespace {

constexpr std::int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr std::int32_t kMultiplier = 48271;
constexpr std::int32_t kQuotient = 44488;   // kModulus / kMultiplier
constexpr std::int32_t kRemainder = 3399;   // kModulus % kMultiplier
constexpr double kBoxMullerTwoPi = 6.283185307;

// Innovation coefficients count as settled once a step changes them by less:
// far below what a simulated path could show.
constexpr double kSettleTolerance = 1e-10;

// Progress is told once per block of values, not per value.
constexpr int kBlock = 1 << 16;

std::span<const double> ar_of(const ArmaModel& m) { return {m.phi.data(), static_cast<std::size_t>(m.p)}; }
std::span<const double> ma_of(const ArmaModel& m) { return {m.theta.data(), static_cast<std::size_t>(m.q)}; }

// True to go on; asks the callback at block boundaries only.
bool keep_going(const SimulationProgress& progress, long long done, long long total) {
  if (!progress || done % kBlock != 0 || done == 0) return true;
  return progress(static_cast<int>(100 * done / std::max(total, 1LL)));
}

// count values of the law with unit scale; empty when the generator refuses.
std::vector<double> draw(const NoiseSettings& s, int count) {
  switch (s.law) {
    case NoiseLaw::Normal: return numeric::DRNNOR(count);
    case NoiseLaw::Gamma: return numeric::DRNGAM(count, s.gamma_alpha);
    case NoiseLaw::Lognormal: return numeric::DRNLNL(count, s.lognormal_mu, s.lognormal_sigma);
    case NoiseLaw::Stable: return numeric::DRNSTA(count, s.stable_alpha, s.stable_beta);
    case NoiseLaw::T: return numeric::DRNSTT(count, s.t_df);
    case NoiseLaw::SymmetricWeibull: {
      std::vector<double> w = numeric::DRNWIB(count, s.weibull_alpha);
      const std::vector<int> sign = numeric::RNBIN(count, 1, 0.5);
      if (w.size() != sign.size()) return {};
      for (std::size_t i = 0; i < w.size(); ++i)
        if (sign[i] == 0) w[i] = -w[i];
      return w;
    }
  }
  return {};
}

// N noise values times sqrt(sigma2), drawn block by block.
SimulationStatus draw_noise(const NoiseSettings& s, double sigma2, int N, const SimulationProgress& progress,
                            std::vector<double>& z) {
  const double scale = std::sqrt(sigma2);
  z.clear();
  z.reserve(static_cast<std::size_t>(N));
  for (int done = 0; done < N;) {
    const int count = std::min(kBlock, N - done);
    const std::vector<double> v = draw(s, count);
    if (static_cast<int>(v.size()) != count) return SimulationStatus::Refused;
    for (double value : v) z.push_back(value * scale);
    done += count;
    if (!keep_going(progress, done, N)) return SimulationStatus::Cancelled;
  }
  return SimulationStatus::Ok;
}

bool fractional_stationary(const ArmaModel& m) {
  const ModelAcf acf = model_acf_pacf(m, 0);
  return acf.ok && acf.variance > 0 && std::isfinite(acf.variance);
}

}  // namespace

const char* noise_name(NoiseLaw law) {
  switch (law) {
    case NoiseLaw::Normal: return "NORMAL";
    case NoiseLaw::Gamma: return "GAMMA";
    case NoiseLaw::Lognormal: return "LOGNORMAL";
    case NoiseLaw::Stable: return "STABLE";
    case NoiseLaw::T: return "T-DIST";
    case NoiseLaw::SymmetricWeibull: return "SYMMETRIC WEIBULL";
  }
  return "";
}

bool NoiseSettings::valid() const {
  if (startup < 1 || startup > kMaxSimulationLength) return false;
  auto positive = [](double v) { return v > 0 && std::isfinite(v); };
  switch (law) {
    case NoiseLaw::Normal: return true;
    case NoiseLaw::Gamma: return positive(gamma_alpha);
    case NoiseLaw::Lognormal: return std::isfinite(lognormal_mu) && positive(lognormal_sigma);
    case NoiseLaw::Stable: return stable_alpha > 0 && stable_alpha <= 2 && stable_beta >= -1 && stable_beta <= 1;
    case NoiseLaw::T: return positive(t_df);
    case NoiseLaw::SymmetricWeibull: return positive(weibull_alpha);
  }
  return false;
}

void NormalStream::seed(std::int32_t s) {
  if (s == 0) return;
  if (s != 1) restart_ = s > 0 && s < kModulus ? s : 1;
  x_ = restart_;
  uniform();
}

double NormalStream::uniform() {
  // Schrage: 48271 x mod m without overflowing 32 bits.
  const std::int32_t hi = x_ / kQuotient, lo = x_ % kQuotient;
  std::int32_t next = kMultiplier * lo - kRemainder * hi;
  if (next <= 0) next += kModulus;
  x_ = next;
  return static_cast<double>(x_) / kModulus;
}

double NormalStream::normal() {
  const double u1 = uniform();
  const double u2 = uniform();
  return std::sqrt(-2 * std::log(u1)) * std::sin(kBoxMullerTwoPi * u2);
}

std::vector<double> simulate_gaussian(std::span<const double> phi, std::span<const double> theta, double sigma2,
                                      int n, NormalStream& normals, const SimulationProgress& progress) {
  if (n <= 0 || !check_causal(phi)) return {};
  const int p = static_cast<int>(phi.size());
  ArmaInnovations inn(phi, theta, kSettleTolerance);
  const int m = inn.m();
  // The last innovations in a ring whose size is a power of two.
  int cap = 1;
  while (cap < m + 1) cap *= 2;
  const int mask = cap - 1;
  std::vector<double> e(cap, 0.0), x(static_cast<std::size_t>(n));
  int t = 0;
  for (; t < n && !inn.settled(); ++t) {
    inn.next();  // step t predicts x[t] from x[0..t-1]
    double xhat = 0;
    const double* th = inn.row();
    for (int j = 1; j <= std::min(inn.width(), t); ++j) xhat += th[j - 1] * e[(t - j) & mask];
    if (t >= m)
      for (int k = 1; k <= p; ++k) xhat += phi[k - 1] * x[t - k];
    e[t & mask] = std::sqrt(sigma2 * inn.v()) * normals.normal();
    x[t] = xhat + e[t & mask];
    if (!keep_going(progress, t + 1, n)) return {};
  }
  if (t < n) {
    // Settled (t > m): fixed coefficients from here on, O(p + q) a step.
    const int w = inn.width();
    const std::vector<double> th(inn.row(), inn.row() + w);
    const double sd = std::sqrt(sigma2 * inn.v());
    for (; t < n; ++t) {
      double xhat = 0;
      for (int j = 1; j <= w; ++j) xhat += th[j - 1] * e[(t - j) & mask];
      for (int k = 1; k <= p; ++k) xhat += phi[k - 1] * x[t - k];
      e[t & mask] = sd * normals.normal();
      x[t] = xhat + e[t & mask];
      if (!keep_going(progress, t + 1, n)) return {};
    }
  }
  return x;
}

std::vector<double> simulate_gaussian_fractional(const ArmaModel& model, double sigma2, int n, NormalStream& normals,
                                                 const SimulationProgress& progress) {
  if (n <= 0) return {};
  ArmaModel m = model;
  m.sigma2 = sigma2;
  ModelAcf acf = model_acf_pacf(m, std::min(n - 1, kMaxFractionalOrder));
  if (!acf.ok || !(acf.variance > 0) || !std::isfinite(acf.variance)) return {};
  FractionalPredictor predictor(std::move(acf));
  std::vector<double> x(static_cast<std::size_t>(n));
  for (int t = 0; t < n; ++t) {
    x[t] = predictor.predict(x.data() + t) + std::sqrt(predictor.mse()) * normals.normal();
    predictor.raise();
    if (!keep_going(progress, t + 1, n)) return {};
  }
  return x;
}

std::vector<double> arma_recursion(std::span<const double> phi, std::span<const double> theta,
                                   std::span<const double> z, int n) {
  const int N = static_cast<int>(z.size()), p = static_cast<int>(phi.size()), q = static_cast<int>(theta.size());
  std::vector<double> x(z.size(), 0.0);
  for (int t = std::max(p, q); t < N; ++t) {
    double v = z[t];
    for (int k = 1; k <= p; ++k) v += phi[k - 1] * x[t - k];
    for (int j = 1; j <= q; ++j) v += theta[j - 1] * z[t - j];
    x[t] = v;
  }
  // In place: the start-up values go without a second copy of the series.
  x.erase(x.begin(), x.begin() + (N - std::clamp(n, 0, N)));
  return x;
}

Simulation simulate_arma(const ArmaModel& model, const SimulationRequest& rq, NormalStream& normals,
                         const SimulationProgress& progress) {
  Simulation out;
  if (rq.n < 1 || rq.n > kMaxSimulationLength || !(rq.sigma2 > 0) || !rq.noise.valid()) {
    out.status = SimulationStatus::Refused;
    return out;
  }
  const bool gaussian = model.fractional || rq.noise.law == NoiseLaw::Normal;
  if (model.fractional ? !fractional_stationary(model) : !check_causal(ar_of(model))) {
    out.status = SimulationStatus::NotCausal;
    return out;
  }
  if (gaussian) {
    // A stopped simulation leaves the stream where it was.
    const NormalStream before = normals;
    normals.seed(rq.seed);
    out.x = model.fractional ? simulate_gaussian_fractional(model, rq.sigma2, rq.n, normals, progress)
                             : simulate_gaussian(ar_of(model), ma_of(model), rq.sigma2, rq.n, normals, progress);
    if (out.x.empty()) {
      normals = before;
      out.status = SimulationStatus::Cancelled;
    }
    out.noise_drawn = rq.n;
    return out;
  }
  numeric::set_seed(rq.seed);
  std::vector<double> z;
  const int N = rq.n + rq.noise.startup;
  out.status = draw_noise(rq.noise, rq.sigma2, N, progress, z);
  if (out.status != SimulationStatus::Ok) return out;
  out.noise_drawn = N;
  out.x = arma_recursion(ar_of(model), ma_of(model), z, rq.n);
  return out;
}

}  // namespace zelk
