// Plan selection and Bluestein's method for lengths with a large prime factor.
#include "numeric/fft_plan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace zelk::numeric::detail {
namespace {

constexpr std::size_t kLargestRadix = 37;

std::size_t largest_prime_factor(std::size_t n) {
  std::size_t largest = 1;
  for (std::size_t p = 2; p * p <= n; ++p)
    while (n % p == 0) largest = p, n /= p;
  return std::max(largest, n);
}

// X_k = c_k sum_j (x_j c_j) conj(c_{k-j}) with the chirp c_j = e^{-i pi j^2 / n},
// a circular convolution of length m >= 2n - 1, m a power of two.
class BluesteinPlan final : public FftPlan {
 public:
  explicit BluesteinPlan(std::size_t n) : FftPlan(n), m_(std::bit_ceil(2 * n - 1)), chirp_(n), kernel_(m_) {
    for (std::size_t j = 0; j < n; ++j) {
      // j^2 mod 2n keeps the angle small and exact.
      auto r = static_cast<double>(static_cast<unsigned long long>(j) * j % (2 * static_cast<unsigned long long>(n)));
      double angle = -std::numbers::pi * r / static_cast<double>(n);
      chirp_[j] = {std::cos(angle), std::sin(angle)};
    }
    plan_ = plan_for(m_);
    const double scale = 1.0 / static_cast<double>(m_);
    for (std::size_t j = 0; j < n; ++j) {
      kernel_[j] = std::conj(chirp_[j]) * scale;
      if (j > 0) kernel_[m_ - j] = kernel_[j];
    }
    std::vector<Complex> w(plan_->work_size());
    plan_->execute(kernel_.data(), kernel_.data(), w.data());
  }

  std::size_t work_size() const override { return m_ + plan_->work_size(); }

  void execute(const Complex* in, Complex* out, Complex* work) const override {
    const std::size_t n = size();
    Complex* a = work;
    Complex* w = work + m_;
    for (std::size_t j = 0; j < n; ++j) a[j] = mul(in[j], chirp_[j]);
    std::fill(a + n, a + m_, Complex{});
    plan_->execute(a, a, w);
    // The inverse transform as conj(FFT(conj(.))); the kernel carries 1/m.
    for (std::size_t j = 0; j < m_; ++j) a[j] = std::conj(mul(a[j], kernel_[j]));
    plan_->execute(a, a, w);
    for (std::size_t k = 0; k < n; ++k) out[k] = mul(chirp_[k], std::conj(a[k]));
  }

 private:
  std::size_t m_;
  std::vector<Complex> chirp_, kernel_;
  std::shared_ptr<const FftPlan> plan_;
};

std::unique_ptr<FftPlan> make_plan(std::size_t n) {
  if (n > 1 && largest_prime_factor(n) > kLargestRadix) return make_bluestein_plan(n);
  return make_stockham_plan(n);
}

}  // namespace

Twiddles::Twiddles(std::size_t n) {
  shift_ = static_cast<unsigned>((std::bit_width(n) + 1) / 2);
  const std::size_t block = std::size_t{1} << shift_;
  mask_ = block - 1;
  fine_.resize(block);
  coarse_.resize(n / block + 1);
  for (std::size_t j = 0; j < block; ++j) fine_[j] = root_of_unity(j, n);
  for (std::size_t i = 0; i < coarse_.size(); ++i) coarse_[i] = root_of_unity(i * block, n);
}

Complex root_of_unity(std::size_t j, std::size_t n) {
  j %= n;
  // Use the nearer of j and j - n so the angle stays within [-pi, pi].
  double t = 2 * j < n ? static_cast<double>(j) / static_cast<double>(n)
                       : -static_cast<double>(n - j) / static_cast<double>(n);
  double angle = -2 * std::numbers::pi * t;
  return {std::cos(angle), std::sin(angle)};
}

std::unique_ptr<FftPlan> make_bluestein_plan(std::size_t n) { return std::make_unique<BluesteinPlan>(n); }

std::shared_ptr<const FftPlan> plan_for(std::size_t n) {
  thread_local std::unordered_map<std::size_t, std::shared_ptr<const FftPlan>> cache;
  if (auto it = cache.find(n); it != cache.end()) return it->second;
  std::shared_ptr<const FftPlan> plan = make_plan(n);
  if (cache.size() > 64) cache.clear();
  cache.emplace(n, plan);
  return plan;
}

const Twiddles& twiddles_for(std::size_t n) {
  thread_local std::unordered_map<std::size_t, std::unique_ptr<Twiddles>> cache;
  if (cache.size() > 64 && !cache.contains(n)) cache.clear();
  auto& slot = cache[n];
  if (!slot) slot = std::make_unique<Twiddles>(n);
  return *slot;
}

Complex* scratch(int slot, std::size_t n) {
  thread_local std::vector<Complex> buffers[2];
  auto& buffer = buffers[slot];
  if (buffer.size() < n) buffer.resize(n);
  return buffer.data();
}

}  // namespace zelk::numeric::detail
