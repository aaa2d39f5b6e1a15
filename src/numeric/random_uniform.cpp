#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>

#include "numeric/distributions.h"
#include "numeric/error_stack.h"
#include "numeric/random.h"
#include "numeric/random_source.h"

namespace zelk::numeric {
namespace {

constexpr std::int64_t kModulus = 2147483647;  // 2^31 - 1, prime
constexpr std::int64_t kMultiplier = 950706376;

// The seed is the whole state, so that setting a seed read back resumes every
// stream exactly.
struct State {
  std::int64_t x = 1234567;
};

State& state() {
  thread_local State s;
  return s;
}

int chosen_seed() {
  std::uint64_t bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    bits ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // The clock alone still gives a seed.
  }
  return static_cast<int>(bits % static_cast<std::uint64_t>(kModulus - 1)) + 1;  // 1 .. 2^31 - 2
}

}  // namespace

void set_seed(int seed) {
  RoutineScope scope("RNSET");
  if (seed < 0 || seed >= kModulus) {
    E1MES(Severity::Terminal, 1,
          "The seed of the random number generator must be nonnegative and less than 2147483647 while ISEED = %(I1) "
          "is given.",
          {{seed}, {}, {}});
    return;
  }
  state().x = seed == 0 ? chosen_seed() : seed;
}

int get_seed() { return static_cast<int>(state().x); }

namespace detail {

double uniform() {
  auto& s = state();
  s.x = s.x * kMultiplier % kModulus;
  return static_cast<double>(s.x) / static_cast<double>(kModulus);
}

double normal_inverse() { return DNORIN(uniform()); }

double normal_polar() {
  // The second value of each pair is dropped: keeping it would be state
  // beyond the seed.
  double v1, v2, r;
  do {
    v1 = 2 * uniform() - 1;
    v2 = 2 * uniform() - 1;
    r = v1 * v1 + v2 * v2;
  } while (r >= 1 || r == 0);
  return v1 * std::sqrt(-2 * std::log(r) / r);
}

double gamma(double a) {
  if (a < 1) {
    // G(a) = G(a + 1) U^(1/a), in logs so that tiny a does not underflow early.
    double g = gamma(a + 1);
    return std::exp(std::log(g) + std::log(uniform()) / a);
  }
  const double d = a - 1.0 / 3, c = 1 / std::sqrt(9 * d);
  while (true) {
    double z, v;
    do {
      z = normal_polar();
      v = 1 + c * z;
    } while (v <= 0);
    v = v * v * v;
    double u = uniform();
    if (u < 1 - 0.0331 * z * z * z * z) return d * v;
    if (std::log(u) < 0.5 * z * z + d * (1 - v + std::log(v))) return d * v;
  }
}

}  // namespace detail

namespace detail {

bool check_count(int nr) {
  if (nr < 1) {
    E1MES(Severity::Terminal, 1, "The number of random numbers must be positive while NR = %(I1) is given.", {{nr}, {}, {}});
    return false;
  }
  return true;
}

}  // namespace detail

namespace {

template <class Draw>
std::vector<double> draw(const char* routine, int nr, Draw next) {
  RoutineScope scope(routine);
  if (!detail::check_count(nr)) return {};
  std::vector<double> r(static_cast<std::size_t>(nr));
  for (auto& v : r) v = next();
  return r;
}

}  // namespace

std::vector<double> DRNUN(int nr) { return draw("DRNUN", nr, detail::uniform); }
std::vector<double> DRNEXP(int nr) {
  return draw("DRNEXP", nr, [] { return -std::log(detail::uniform()); });
}
std::vector<double> DRNNOR(int nr) { return draw("DRNNOR", nr, detail::normal_inverse); }
std::vector<double> DRNNOA(int nr) { return draw("DRNNOA", nr, detail::normal_polar); }

}  // namespace zelk::numeric
