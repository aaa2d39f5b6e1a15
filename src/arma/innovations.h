#pragma once
// The innovations algorithm for a causal ARMA(p,q) process, in the form that
// makes the coefficients banded: the recursion runs on the covariances kappa
// of W(t) = X(t) for t <= m = max(p,q) and W(t) = phi(B) X(t) beyond, so that
// theta(n,j) = 0 for n >= m, j > q (Brockwell & Davis 1991, Sec. 5.3, eqs.
// 5.3.5 and 5.3.9, following Ansley 1979). The coefficients converge for an
// invertible MA part; once they change by less than the tolerance they are
// kept, and every later step costs O(p+q).
#include <span>
#include <vector>

namespace zelk {

class ArmaInnovations {
 public:
  // phi(1..p) must be causal (check first); white-noise variance 1.
  ArmaInnovations(std::span<const double> phi, std::span<const double> theta, double tolerance);

  // Advances to step n = 0, 1, 2, ... in turn (the first call gives n = 0).
  void next();
  int step() const { return n_; }
  // theta(n, 1..width()) of the current step and its mean-square error v(n).
  const double* row() const { return row_.data(); }
  int width() const;
  double v() const { return v_; }
  bool settled() const { return settled_; }
  int steps_computed() const { return computed_; }  // steps before settling
  int m() const { return m_; }

 private:
  double kappa(int i, int j) const;  // 1-based, covariance of W(i), W(j)
  double* ring_row(int n) { return ring_.data() + (n % cap_) * width_cap_; }
  const double* ring_row(int n) const { return ring_.data() + (n % cap_) * width_cap_; }
  int row_width(int n) const;

  std::vector<double> phi_, theta_, gamma_, ma_acvf_;
  int p_ = 0, q_ = 0, m_ = 0;
  double tolerance_ = 0;
  int n_ = -1, computed_ = 0;
  int cap_ = 1, width_cap_ = 1;
  std::vector<double> ring_;   // rows theta(k, .) of the last cap_ steps
  std::vector<double> vring_;  // v(k) of the last cap_ steps
  std::vector<double> row_;
  double v_ = 0;
  bool settled_ = false;
};

}  // namespace zelk
