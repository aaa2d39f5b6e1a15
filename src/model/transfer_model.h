#pragma once
// A transfer-function model between two components of a multivariate
// project: X(t,o) = T(B) X(t,i) + N(t) with T(B) = B^b W(B) / V(B), the
// input an ARMA process driven by Z(t) and the noise N(t) an ARMA process
// driven by W(t). How it is estimated is kept by the multivariate feature.
#include <array>
#include <span>
#include <vector>

namespace zelk {

inline constexpr int kMaxTransferOrder = 10;

// An ARMA part in the sign convention of the univariate model:
// X(t) - phi(1) X(t-1) - ... = Z(t) + theta(1) Z(t-1) + ...
struct TransferArma {
  int p = 0;
  std::array<double, kMaxTransferOrder> phi{};  // phi(1..p) at [0..p-1]; the rest 0
  int q = 0;
  std::array<double, kMaxTransferOrder> theta{};
  double sigma2 = 1.0;
  std::span<const double> ar() const { return {phi.data(), static_cast<std::size_t>(p)}; }
  std::span<const double> ma() const { return {theta.data(), static_cast<std::size_t>(q)}; }
  friend bool operator==(const TransferArma&, const TransferArma&) = default;
};

// The fraction follows Box & Jenkins with the plus sign in the numerator, as
// Brockwell & Davis (2002, Sec. 10.1) write it:
//   W(B) = W(0) + W(1) B + ... + W(s) B^s,  V(B) = 1 - V(1) B - ... - V(r) B^r,
// so V(B) reads like an AR polynomial and its stability is the causality test.
struct TransferModel {
  bool estimated = false;
  int input = 1, output = 2;  // 1-based component numbers
  TransferArma input_model;
  int delay = 1;              // b >= 1
  int s = 0;                  // numerator order
  int r = 0;                  // denominator order
  std::array<double, kMaxTransferOrder + 1> w{};  // W(0..s)
  std::array<double, kMaxTransferOrder> v{};      // V(1..r)
  TransferArma noise;
  std::vector<double> residuals;  // W(t) of the last estimation

  std::span<const double> numerator() const { return {w.data(), static_cast<std::size_t>(s) + 1}; }
  std::span<const double> denominator() const { return {v.data(), static_cast<std::size_t>(r)}; }
  friend bool operator==(const TransferModel&, const TransferModel&) = default;
};

}  // namespace zelk
