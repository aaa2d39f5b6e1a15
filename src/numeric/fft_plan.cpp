// Plan selection, the four-step split of long transforms and Bluestein's
// method for lengths with a large prime factor.
#include "numeric/fft_plan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace zelk::numeric::detail {
namespace {

constexpr std::size_t kLargestRadix = 37;
// Transforms up to this length run in cache as one Stockham transform.
constexpr std::size_t kInCacheLength = 4096;
constexpr std::size_t kTile = 32;

std::size_t largest_prime_factor(std::size_t n) {
  std::size_t largest = 1;
  for (std::size_t p = 2; p * p <= n; ++p)
    while (n % p == 0) largest = p, n /= p;
  return std::max(largest, n);
}

// dst (cols x rows) = transpose of src (rows x cols), both row-major, in tiles
// so that both sides are read and written a cache line at a time.
void transpose(const Complex* src, Complex* dst, std::size_t rows, std::size_t cols) {
  for (std::size_t r0 = 0; r0 < rows; r0 += kTile)
    for (std::size_t c0 = 0; c0 < cols; c0 += kTile) {
      const std::size_t r1 = std::min(rows, r0 + kTile), c1 = std::min(cols, c0 + kTile);
      for (std::size_t r = r0; r < r1; ++r)
        for (std::size_t c = c0; c < c1; ++c) dst[c * rows + r] = src[r * cols + c];
    }
}

// n = n1 n2: X[k1 + n1 k2] = sum_{i2} W_n2^{i2 k2} W_n^{i2 k1} sum_{i1} W_n1^{i1 k1} x[n2 i1 + i2].
class FourStepPlan final : public FftPlan {
 public:
  FourStepPlan(std::size_t n1, std::size_t n2)
      : FftPlan(n1 * n2), n1_(n1), n2_(n2), plan1_(plan_for(n1)), plan2_(plan_for(n2)), twiddles_(n1 * n2) {}

  std::size_t work_size() const override { return size() + std::max(plan1_->work_size(), plan2_->work_size()); }

  void execute(const Complex* in, Complex* out, Complex* work) const override {
    Complex* a = work;
    Complex* w = work + size();
    transpose(in, a, n1_, n2_);
    for (std::size_t i2 = 0; i2 < n2_; ++i2) {
      Complex* row = a + i2 * n1_;
      plan1_->execute(row, row, w);
      for (std::size_t k1 = 1; k1 < n1_; ++k1) row[k1] = mul(row[k1], twiddles_(i2 * k1));
    }
    transpose(a, out, n2_, n1_);
    for (std::size_t k1 = 0; k1 < n1_; ++k1) plan2_->execute(out + k1 * n2_, a + k1 * n2_, w);
    transpose(a, out, n1_, n2_);
  }

 private:
  std::size_t n1_, n2_;
  std::shared_ptr<const FftPlan> plan1_, plan2_;
  Twiddles twiddles_;
};

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
  if (n <= kInCacheLength) return make_stockham_plan(n);
  // Split the prime factors into two products near sqrt(n), largest first.
  std::vector<std::size_t> primes;
  std::size_t rest = n;
  for (std::size_t p = 2; rest > 1; ++p)
    while (rest % p == 0) primes.push_back(p), rest /= p;
  std::size_t n1 = 1, n2 = 1;
  for (auto it = primes.rbegin(); it != primes.rend(); ++it) (n1 <= n2 ? n1 : n2) *= *it;
  return make_four_step_plan(n1, n2);
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

std::unique_ptr<FftPlan> make_four_step_plan(std::size_t n1, std::size_t n2) {
  return std::make_unique<FourStepPlan>(n1, n2);
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
