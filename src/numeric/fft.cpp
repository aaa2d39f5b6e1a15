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
  if (n == 0) return {};
  std::vector<Complex> out(n / 2 + 1);
  detail::real_fft_visit(x, npad, [&](std::size_t k, Complex v) { out[k] = v; });
  return out;
}

std::size_t fast_fft_length(std::size_t need) {
  std::size_t best = 1;
  while (best < need) best <<= 1;
  for (std::size_t p5 = 1; p5 < best; p5 *= 5)
    for (std::size_t p35 = p5; p35 < best; p35 *= 3) {
      std::size_t p = p35;
      while (p < need) p <<= 1;
      best = std::min(best, p);
    }
  return best;
}

}  // namespace zelk::numeric
