#include "numeric/fft.h"

#include <algorithm>

#include "numeric/fft_plan.h"

namespace zelk::numeric {

using detail::Complex;

std::vector<Complex> fft(std::span<const Complex> x) {
  std::vector<Complex> out(x.size());
  if (x.empty()) return out;
  auto plan = detail::plan_for(x.size());
  plan->execute(x.data(), out.data(), detail::scratch(0, plan->work_size()));
  return out;
}

std::vector<Complex> inverse_fft(std::span<const Complex> x) {
  // The inverse transform is conj(FFT(conj(x))).
  std::vector<Complex> out(x.size());
  if (x.empty()) return out;
  std::transform(x.begin(), x.end(), out.begin(), [](Complex v) { return std::conj(v); });
  auto plan = detail::plan_for(x.size());
  plan->execute(out.data(), out.data(), detail::scratch(0, plan->work_size()));
  for (auto& v : out) v = std::conj(v);
  return out;
}

std::vector<Complex> real_fft(std::span<const double> x, std::size_t npad) {
  const std::size_t n = x.size() + npad;
  std::vector<Complex> out(n / 2 + 1);
  if (n == 0) return {};
  auto value = [&](std::size_t t) { return t < x.size() ? x[t] : 0.0; };
  if (n % 2 == 1) {
    Complex* z = detail::scratch(1, n);
    for (std::size_t t = 0; t < n; ++t) z[t] = value(t);
    auto plan = detail::plan_for(n);
    plan->execute(z, z, detail::scratch(0, plan->work_size()));
    std::copy(z, z + out.size(), out.begin());
    return out;
  }
  // Even n: transform z_t = x_2t + i x_2t+1 of length h = n/2 and separate the
  // even and odd parts, X_k = E_k + W_n^k O_k.
  const std::size_t h = n / 2;
  Complex* z = detail::scratch(1, h);
  for (std::size_t t = 0; t < h; ++t) z[t] = {value(2 * t), value(2 * t + 1)};
  auto plan = detail::plan_for(h);
  plan->execute(z, z, detail::scratch(0, plan->work_size()));
  const auto& w = detail::twiddles_for(n);
  for (std::size_t k = 0; k <= h; ++k) {
    Complex zk = z[k == h ? 0 : k];
    Complex zc = std::conj(z[k == 0 ? 0 : h - k]);
    Complex even = 0.5 * (zk + zc);
    Complex diff = 0.5 * (zk - zc);
    Complex odd{diff.imag(), -diff.real()};  // (zk - zc) / 2i
    out[k] = even + detail::mul(w(k), odd);
  }
  return out;
}

}  // namespace zelk::numeric
