// Internal: FFT plans. A plan transforms n points from in to out (which may be
// the same array) using work, an array of work_size() points it may overwrite.
#pragma once

#include <complex>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace zelk::numeric::detail {

using Complex = std::complex<double>;

// Complex product written out: the library operator may divert to a slow
// path that handles infinities, which the transforms never need.
inline Complex mul(Complex a, Complex b) {
  return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

class FftPlan {
 public:
  virtual ~FftPlan() = default;
  virtual void execute(const Complex* in, Complex* out, Complex* work) const = 0;
  virtual std::size_t work_size() const = 0;
  std::size_t size() const { return n_; }

 protected:
  explicit FftPlan(std::size_t n) : n_(n) {}

 private:
  std::size_t n_;
};

// e^{-2 pi i j / n} for 0 <= j < n from two tables of about sqrt(n) entries
// each, so that every value is a product of two correctly computed ones.
class Twiddles {
 public:
  explicit Twiddles(std::size_t n);
  Complex operator()(std::size_t j) const { return mul(coarse_[j >> shift_], fine_[j & mask_]); }

 private:
  unsigned shift_;
  std::size_t mask_;
  std::vector<Complex> coarse_, fine_;
};

// e^{-2 pi i j / n} computed directly, j reduced modulo n first.
Complex root_of_unity(std::size_t j, std::size_t n);

// The plan for length n, built on first use and kept in a per-thread cache.
std::shared_ptr<const FftPlan> plan_for(std::size_t n);
const Twiddles& twiddles_for(std::size_t n);

// Per-thread scratch arrays (slot 0 or 1) that grow to the largest request and
// are reused; their contents are not kept between uses.
Complex* scratch(int slot, std::size_t n);

std::unique_ptr<FftPlan> make_stockham_plan(std::size_t n);  // factors of n all <= 37
std::unique_ptr<FftPlan> make_bluestein_plan(std::size_t n);

// Calls sink(k, X_k) for k = 0..INT(N/2), X the transform of x followed by
// npad zeros (N = size + npad >= 1), without storing the whole transform.
template <class Sink>
void real_fft_visit(std::span<const double> x, std::size_t npad, Sink&& sink) {
  const std::size_t n = x.size() + npad;
  auto value = [&](std::size_t t) { return t < x.size() ? x[t] : 0.0; };
  if (n % 2 == 1) {
    Complex* z = scratch(1, n);
    for (std::size_t t = 0; t < n; ++t) z[t] = value(t);
    auto plan = plan_for(n);
    plan->execute(z, z, scratch(0, plan->work_size()));
    for (std::size_t k = 0; k <= n / 2; ++k) sink(k, z[k]);
    return;
  }
  // Even n: transform z_t = x_2t + i x_2t+1 of length h = n/2 and separate the
  // even and odd parts, X_k = E_k + W_n^k O_k.
  const std::size_t h = n / 2;
  Complex* z = scratch(1, h);
  for (std::size_t t = 0; t < h; ++t) z[t] = {value(2 * t), value(2 * t + 1)};
  auto plan = plan_for(h);
  plan->execute(z, z, scratch(0, plan->work_size()));
  const auto& w = twiddles_for(n);
  for (std::size_t k = 0; k <= h; ++k) {
    Complex zk = z[k == h ? 0 : k];
    Complex zc = std::conj(z[k == 0 ? 0 : h - k]);
    Complex even = 0.5 * (zk + zc);
    Complex diff = 0.5 * (zk - zc);
    Complex odd{diff.imag(), -diff.real()};  // (zk - zc) / 2i
    sink(k, even + mul(w(k), odd));
  }
}

}  // namespace zelk::numeric::detail
