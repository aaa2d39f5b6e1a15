#include "numeric/machine.h"

#include <climits>
#include <cmath>
#include <limits>

#include "numeric/error_stack.h"

namespace zelk::numeric {
namespace {

template <class T>
T constant(const char* routine, int n) {
  using L = std::numeric_limits<T>;
  switch (n) {
    case 1: return L::min();
    case 2: return L::max();
    case 3: return L::epsilon() / 2;
    case 4: return L::epsilon();
    case 5: return static_cast<T>(0.30102999566398119521);  // log10(2)
    default: break;
  }
  RoutineScope scope(routine);
  E1MES(Severity::Terminal, 1, "The argument must be between 1 and 5 while N = %(I1) is given.", {{n}, {}, {}});
  return L::quiet_NaN();
}

}  // namespace

double DMACH(int n) { return constant<double>("DMACH", n); }
float AMACH(int n) { return constant<float>("AMACH", n); }

int IMACH(int n) {
  using F = std::numeric_limits<float>;
  using D = std::numeric_limits<double>;
  switch (n) {
    case 1: return static_cast<int>(sizeof(int) * CHAR_BIT);
    case 2: return static_cast<int>(sizeof(int));
    case 3: return 2;
    case 4: return std::numeric_limits<int>::digits;
    case 5: return std::numeric_limits<int>::max();
    case 6: return F::radix;
    case 7: return F::digits;
    case 8: return F::min_exponent;
    case 9: return F::max_exponent;
    case 10: return D::digits;
    case 11: return D::min_exponent;
    case 12: return D::max_exponent;
    default: break;
  }
  RoutineScope scope("IMACH");
  E1MES(Severity::Terminal, 1, "The argument must be between 1 and 12 while N = %(I1) is given.", {{n}, {}, {}});
  return 0;
}

}  // namespace zelk::numeric
