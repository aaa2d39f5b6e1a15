// Internal: FFT plans. A plan transforms n points from in to out (which may be
// the same array) using work, an array of work_size() points it may overwrite.
#pragma once

#include <complex>
#include <cstddef>
#include <memory>
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
std::unique_ptr<FftPlan> make_four_step_plan(std::size_t n1, std::size_t n2);
std::unique_ptr<FftPlan> make_bluestein_plan(std::size_t n);

}  // namespace zelk::numeric::detail
