#pragma once
// A simulated transfer-function pair shared by the kernel and command tests.
#include <random>
#include <vector>

namespace zelk::test {

struct Simulated {
  std::vector<double> input, output;
};

// X(t,i) AR(1) phi .6; X(t,o) = 3 X(t-2,i)/(1 - .5 B) + N(t), N AR(1) phi .3;
// unit innovations, a fixed seed, 200 start-up values dropped.
inline Simulated simulate(int n) {
  std::mt19937_64 gen(20261207);
  std::normal_distribution<double> z(0, 1);
  const int burn = 200, len = n + burn;
  std::vector<double> x(static_cast<std::size_t>(len)), u(x.size()), noise(x.size());
  for (int t = 0; t < len; ++t) {
    const auto i = static_cast<std::size_t>(t);
    x[i] = (t > 0 ? 0.6 * x[i - 1] : 0) + z(gen);
    u[i] = (t > 0 ? 0.5 * u[i - 1] : 0) + (t > 1 ? 3 * x[i - 2] : 0);
    noise[i] = (t > 0 ? 0.3 * noise[i - 1] : 0) + z(gen);
  }
  Simulated s;
  for (int t = burn; t < len; ++t) {
    s.input.push_back(x[static_cast<std::size_t>(t)]);
    s.output.push_back(u[static_cast<std::size_t>(t)] + noise[static_cast<std::size_t>(t)]);
  }
  return s;
}

}  // namespace zelk::test
