// Mixed-radix Stockham autosort transform for lengths with small prime factors.
// Each stage of radix r splits sequences of length L = r m, interleaved with
// stride s, as y[q + s (r p + k)] = W_L^{p k} sum_j x[q + s (p + j m)] w_r^{j k}
// (decimation in frequency); the output comes out in natural order.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "numeric/fft_plan.h"

namespace zelk::numeric::detail {
namespace {

struct Stage {
  std::size_t radix, m, s;
  std::vector<Complex> twiddle;  // W_L^{p k}, p < m, 1 <= k < radix
};

inline Complex times_minus_i(Complex a) { return {a.imag(), -a.real()}; }

void radix2(const Stage& st, const Complex* x, Complex* y) {
  const std::size_t m = st.m, s = st.s;
  for (std::size_t p = 0; p < m; ++p) {
    const Complex w = st.twiddle[p];
    const Complex* a = x + s * p;
    Complex* b = y + s * 2 * p;
    for (std::size_t q = 0; q < s; ++q) {
      Complex a0 = a[q], a1 = a[q + s * m];
      b[q] = a0 + a1;
      b[q + s] = mul(a0 - a1, w);
    }
  }
}

void radix3(const Stage& st, const Complex* x, Complex* y) {
  const std::size_t m = st.m, s = st.s;
  constexpr double h = 0.86602540378443864676;  // sin(2 pi / 3)
  for (std::size_t p = 0; p < m; ++p) {
    const Complex w1 = st.twiddle[2 * p], w2 = st.twiddle[2 * p + 1];
    const Complex* a = x + s * p;
    Complex* b = y + s * 3 * p;
    for (std::size_t q = 0; q < s; ++q) {
      Complex a0 = a[q], a1 = a[q + s * m], a2 = a[q + 2 * s * m];
      Complex t = a1 + a2;
      Complex c = a0 - 0.5 * t;
      Complex u = times_minus_i(h * (a1 - a2));
      b[q] = a0 + t;
      b[q + s] = mul(c + u, w1);
      b[q + 2 * s] = mul(c - u, w2);
    }
  }
}

void radix4(const Stage& st, const Complex* x, Complex* y) {
  const std::size_t m = st.m, s = st.s;
  for (std::size_t p = 0; p < m; ++p) {
    const Complex w1 = st.twiddle[3 * p], w2 = st.twiddle[3 * p + 1], w3 = st.twiddle[3 * p + 2];
    const Complex* a = x + s * p;
    Complex* b = y + s * 4 * p;
    for (std::size_t q = 0; q < s; ++q) {
      Complex a0 = a[q], a1 = a[q + s * m], a2 = a[q + 2 * s * m], a3 = a[q + 3 * s * m];
      Complex t0 = a0 + a2, t1 = a0 - a2, t2 = a1 + a3, t3 = times_minus_i(a1 - a3);
      b[q] = t0 + t2;
      b[q + s] = mul(t1 + t3, w1);
      b[q + 2 * s] = mul(t0 - t2, w2);
      b[q + 3 * s] = mul(t1 - t3, w3);
    }
  }
}

void radix5(const Stage& st, const Complex* x, Complex* y) {
  const std::size_t m = st.m, s = st.s;
  const double c1 = std::cos(2 * std::numbers::pi / 5), c2 = std::cos(4 * std::numbers::pi / 5);
  const double s1 = std::sin(2 * std::numbers::pi / 5), s2 = std::sin(4 * std::numbers::pi / 5);
  for (std::size_t p = 0; p < m; ++p) {
    const Complex* w = &st.twiddle[4 * p];
    const Complex* a = x + s * p;
    Complex* b = y + s * 5 * p;
    for (std::size_t q = 0; q < s; ++q) {
      Complex a0 = a[q], a1 = a[q + s * m], a2 = a[q + 2 * s * m], a3 = a[q + 3 * s * m], a4 = a[q + 4 * s * m];
      Complex t1 = a1 + a4, t2 = a2 + a3, t3 = a1 - a4, t4 = a2 - a3;
      Complex r1 = a0 + c1 * t1 + c2 * t2, r2 = a0 + c2 * t1 + c1 * t2;
      Complex i1 = times_minus_i(s1 * t3 + s2 * t4), i2 = times_minus_i(s2 * t3 - s1 * t4);
      b[q] = a0 + t1 + t2;
      b[q + s] = mul(r1 + i1, w[0]);
      b[q + 2 * s] = mul(r2 + i2, w[1]);
      b[q + 3 * s] = mul(r2 - i2, w[2]);
      b[q + 4 * s] = mul(r1 - i1, w[3]);
    }
  }
}

// Any radix r by the direct r-point DFT (used for primes 7..37).
void radix_general(const Stage& st, const std::vector<Complex>& roots, const Complex* x, Complex* y) {
  const std::size_t r = st.radix, m = st.m, s = st.s;
  Complex a[64];
  for (std::size_t p = 0; p < m; ++p) {
    for (std::size_t q = 0; q < s; ++q) {
      for (std::size_t j = 0; j < r; ++j) a[j] = x[q + s * (p + j * m)];
      for (std::size_t k = 0; k < r; ++k) {
        Complex sum = a[0];
        std::size_t jk = 0;
        for (std::size_t j = 1; j < r; ++j) {
          jk += k;
          if (jk >= r) jk -= r;
          sum += mul(a[j], roots[jk]);
        }
        y[q + s * (r * p + k)] = k == 0 ? sum : mul(sum, st.twiddle[p * (r - 1) + k - 1]);
      }
    }
  }
}

class StockhamPlan final : public FftPlan {
 public:
  explicit StockhamPlan(std::size_t n) : FftPlan(n) {
    std::size_t rest = n;
    std::vector<std::size_t> radices;
    while (rest % 4 == 0) radices.push_back(4), rest /= 4;
    for (std::size_t p = 2; rest > 1; ++p)
      while (rest % p == 0) radices.push_back(p), rest /= p;
    std::size_t length = n, stride = 1;
    for (std::size_t r : radices) {
      Stage st{r, length / r, stride, {}};
      st.twiddle.resize(st.m * (r - 1));
      for (std::size_t p = 0; p < st.m; ++p)
        for (std::size_t k = 1; k < r; ++k) st.twiddle[p * (r - 1) + k - 1] = root_of_unity(p * k, length);
      if (r > 5 && roots_[r].empty()) {
        roots_[r].resize(r);
        for (std::size_t j = 0; j < r; ++j) roots_[r][j] = root_of_unity(j, r);
      }
      stages_.push_back(std::move(st));
      length /= r;
      stride *= r;
    }
  }

  std::size_t work_size() const override { return size(); }

  void execute(const Complex* in, Complex* out, Complex* work) const override {
    const std::size_t count = stages_.size();
    if (count == 0) {
      if (in != out) out[0] = in[0];
      return;
    }
    // Alternate between out and work so that the last stage lands in out; in
    // place, the first stage must not overwrite its own input.
    const Complex* src = in;
    bool to_out = in == out ? false : count % 2 == 1;
    for (const Stage& st : stages_) {
      Complex* dst = to_out ? out : work;
      switch (st.radix) {
        case 2: radix2(st, src, dst); break;
        case 3: radix3(st, src, dst); break;
        case 4: radix4(st, src, dst); break;
        case 5: radix5(st, src, dst); break;
        default: radix_general(st, roots_[st.radix], src, dst); break;
      }
      src = dst;
      to_out = !to_out;
    }
    if (src != out) std::copy(src, src + size(), out);
  }

 private:
  std::vector<Stage> stages_;
  std::vector<Complex> roots_[64];
};

}  // namespace

std::unique_ptr<FftPlan> make_stockham_plan(std::size_t n) { return std::make_unique<StockhamPlan>(n); }

}  // namespace zelk::numeric::detail
