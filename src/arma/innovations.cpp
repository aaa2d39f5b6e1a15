#include "arma/innovations.h"

#include <algorithm>
#include <cmath>

#include "arma/acvf.h"

namespace zelk {

ArmaInnovations::ArmaInnovations(std::span<const double> phi, std::span<const double> theta, double tolerance)
    : phi_(phi.begin(), phi.end()), theta_(theta.begin(), theta.end()), tolerance_(tolerance) {
  p_ = static_cast<int>(phi_.size());
  q_ = static_cast<int>(theta_.size());
  m_ = std::max(p_, q_);
  gamma_ = model_acvf(AcvfMode::Autocovariance, phi_, theta_, 1.0, m_ + p_).gamma;
  if (gamma_.empty()) gamma_.assign(m_ + p_ + 1, 0.0);  // not causal: caller's fault, stay defined
  ma_acvf_.assign(q_ + 1, 0.0);
  for (int l = 0; l <= q_; ++l)
    for (int j = 0; j + l <= q_; ++j)
      ma_acvf_[l] += (j == 0 ? 1.0 : theta_[j - 1]) * (j + l == 0 ? 1.0 : theta_[j + l - 1]);
  cap_ = std::max(m_, q_) + 2;
  width_cap_ = std::max(std::max(m_, q_), 1);
  ring_.assign(static_cast<std::size_t>(cap_) * width_cap_, 0.0);
  vring_.assign(cap_, 0.0);
  row_.assign(width_cap_, 0.0);
}

int ArmaInnovations::row_width(int n) const { return n < m_ ? n : std::min(n, q_); }

int ArmaInnovations::width() const { return row_width(n_); }

double ArmaInnovations::kappa(int i, int j) const {
  const int lo = std::min(i, j), hi = std::max(i, j), h = hi - lo;
  if (hi <= m_) return gamma_[h];
  if (h > q_) return 0.0;  // exactly: the ARMA difference equation holds beyond lag q
  if (lo > m_) return ma_acvf_[h];
  if (hi <= 2 * m_) {
    double s = gamma_[h];
    for (int r = 1; r <= p_; ++r) s -= phi_[r - 1] * gamma_[std::abs(r - h)];
    return s;
  }
  return 0.0;
}

void ArmaInnovations::next() {
  ++n_;
  const int n = n_;
  if (settled_) return;  // row_ and v_ keep the settled values
  ++computed_;
  double* cur = ring_row(n);
  std::fill(cur, cur + width_cap_, 0.0);
  const int wn = row_width(n);
  // theta(n, n-k) for k = n-wn .. n-1; stored at cur[n-k-1].
  for (int k = n - wn; k < n; ++k) {
    double s = kappa(n + 1, k + 1);
    const double* rk = ring_row(k);
    const int wk = row_width(k);
    for (int j = std::max({0, n - wn, k - wk}); j < k; ++j) s -= rk[k - j - 1] * cur[n - j - 1] * vring_[j % cap_];
    cur[n - k - 1] = s / vring_[k % cap_];
  }
  double v = kappa(n + 1, n + 1);
  for (int j = std::max(0, n - wn); j < n; ++j) v -= cur[n - j - 1] * cur[n - j - 1] * vring_[j % cap_];
  vring_[n % cap_] = v;
  // Settled: two banded rows in a row agree to the tolerance.
  if (n > m_ && tolerance_ > 0) {
    const double* prev = ring_row(n - 1);
    double change = std::fabs(v - v_);
    for (int j = 0; j < wn; ++j) change = std::max(change, std::fabs(cur[j] - prev[j]));
    if (change < tolerance_) settled_ = true;
  }
  std::copy(cur, cur + width_cap_, row_.begin());
  v_ = v;
}

}  // namespace zelk
