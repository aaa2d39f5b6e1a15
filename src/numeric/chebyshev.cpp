#include "numeric/chebyshev.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/error_stack.h"

namespace zelk::numeric {

double DCSEVL(double t, std::span<const double> c, int nterms) {
  if (nterms < 1 || static_cast<std::size_t>(nterms) > c.size() || !(std::abs(t) <= 1.1)) {
    RoutineScope scope("DCSEVL");
    if (nterms < 1 || static_cast<std::size_t>(nterms) > c.size())
      E1MES(Severity::Terminal, 1, "The number of terms must be at least 1 and at most %(I2) while NTERMS = %(I1) is given.",
            {{nterms, static_cast<long long>(c.size())}, {}, {}});
    else
      E1MES(Severity::Terminal, 2, "X = %(D1) is outside the interval (-1.1,+1.1).", {{}, {t}, {}});
    return std::numeric_limits<double>::quiet_NaN();
  }
  double b0 = 0, b1 = 0, b2 = 0;
  const double twot = 2 * t;
  for (int j = nterms - 1; j >= 0; --j) {
    b2 = b1;
    b1 = b0;
    b0 = twot * b1 - b2 + c[static_cast<std::size_t>(j)];
  }
  return 0.5 * (b0 - b2);
}

int INITDS(std::span<const double> c, double eta) {
  double err = 0;
  std::size_t n = c.size();
  for (; n > 1; --n) {
    err += std::abs(c[n - 1]);
    if (err > eta) break;
  }
  if (n == c.size() && !c.empty() && std::abs(c.back()) > eta) {
    RoutineScope scope("INITDS");
    E1MES(Severity::Warning, 1, "Too much accuracy may be requested. ETA should be increased.");
  }
  return static_cast<int>(std::max<std::size_t>(n, 1));
}

}  // namespace zelk::numeric
