#include "numeric/special.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric/chebyshev.h"
#include "numeric/error_stack.h"
#include "relative.h"

// Reference values: 40-digit evaluations with mpmath 1.3, rounded to 20 digits.

namespace zelk::numeric {
namespace {

struct Point {
  double x, value;
};

constexpr Point kErfc[] = {
    {1e-10, 9.9999999988716208329e-1},
    {0.1, 8.875370839817151016e-1},
    {0.3, 6.7137324054087258381e-1},
    {0.49, 4.8833173881147690867e-1},
    {0.5, 4.7950012218695346232e-1},
    {0.7, 3.2219880616258155772e-1},
    {1.0, 1.5729920705028513066e-1},
    {1.5, 3.3894853524689272933e-2},
    {2.0, 4.6777349810472658379e-3},
    {3.0, 2.2090496998585441373e-5},
    {4.5, 1.9661604415428874763e-10},
    {6.0, 2.1519736712498913117e-17},
    {7.9, 5.5727180569525451779e-29},
    {8.1, 2.2163085720657539812e-30},
    {10.0, 2.088487583762544757e-45},
    {15.0, 7.2129941724512066666e-100},
    {20.0, 5.3958656116079009289e-176},
    {26.0, 5.6631924088561428465e-296},
    {27.0, 5.237048923789255685e-319},
    {-0.3, 1.3286267594591274162},
    {-1.0, 1.8427007929497148693},
    {-5.0, 1.9999999999984625402}};

constexpr Point kErf[] = {
    {1e-300, 1.1283791670955126022e-300},
    {1e-08, 1.1283791670955125599e-8},
    {0.25, 2.7632639016823693299e-1},
    {0.6, 6.0385609084792590508e-1},
    {2.0, 9.9532226501895273416e-1},
    {-3.0, -9.9997790950300141456e-1}};

constexpr Point kErfcInverse[] = {
    {1e-300, 2.6209469960516123886e+1},
    {1e-100, 1.5065574702592645704e+1},
    {1e-20, 6.6015806223551425656},
    {1e-05, 3.1234132743408750177},
    {0.01, 1.821386367718449668},
    {0.3, 7.3286907795921686905e-1},
    {0.5, 4.7693627620446987338e-1},
    {0.9, 8.8855990494257667182e-2},
    {0.9999999999, 8.86226998779502615e-11},
    {1.0000000001, -8.86226998779502615e-11},
    {1.3, -2.7246271472675439801e-1},
    {1.7, -7.3286907795921678488e-1},
    {1.99, -1.8213863677184494559},
    {5e-324, 2.7213293210812948815e+1}};

constexpr Point kGamma[] = {
    {1e-10, 9.9999999994227839709e+9},
    {0.5, 1.7724538509055160273},
    {1.0, 1.0},
    {1.5, 8.8622692545275801365e-1},
    {2.5, 1.3293403881791370205},
    {3.7, 4.1706517837966040301},
    {9.99, 3.5480201701983109757e+5},
    {10.5, 1.1332783889487855673e+6},
    {50.0, 6.0828186403426756087e+62},
    {100.5, 9.3209631040827166083e+156},
    {170.5, 5.5620924145599996107e+305},
    {-0.5, -3.5449077018110320546},
    {-1.5, 2.3632718012073547031},
    {-2.5, -9.4530872048294188123e-1},
    {-10.3, -5.2623632395356095592e-7},
    {-150.3, -1.5097598047749158161e-263},
    {1e-300, 9.9999999999999997494e+299}};

constexpr Point kLogGamma[] = {
    {1e-300, 6.9077552789821370518e+2},
    {1e-05, 1.1512919692895825626e+1},
    {0.5, 5.7236494292470008707e-1},
    {0.999, 5.7803853289138023817e-4},
    {1.0001, -5.7713342220471268005e-5},
    {1.5, -1.2078223763524522235e-1},
    {1.9999, -4.2275208772153458011e-5},
    {2.5, 2.8468287047291915963e-1},
    {7.0, 6.5792512120101009951},
    {10.0, 1.2801827480081469611e+1},
    {33.3, 8.2603723581654943008e+1},
    {1000.0, 5.9052204232091812118e+3},
    {10000000000.0, 2.2025850928881058147e+11},
    {1e+300, 6.8977552789821374147e+302},
    {-0.5, 1.2655121234846453965},
    {-3.3, -8.2435580501742646015e-1},
    {-100.7, -3.6561225576180533017e+2}};

TEST(SpecialFunctions, ErrorFunctionsMatchReferenceValuesIntoTheFarTail) {
  for (auto [x, value] : kErfc) {
    // Below the normal range only the subnormal spacing limits the result.
    double tolerance = value < 1e-307 ? 1e-4 : 1e-14;
    EXPECT_REL(DERFC(x), value, tolerance) << "erfc(" << x << ")";
  }
  for (auto [x, value] : kErf) EXPECT_REL(DERF(x), value, 1e-14) << "erf(" << x << ")";
  EXPECT_EQ(DERFC(30.0), 0.0);
  EXPECT_EQ(DERFC(-30.0), 2.0);
  EXPECT_REL(erfc_scaled(1e9), 1 / (1e9 * std::sqrt(M_PI)), 1e-15);
}

TEST(SpecialFunctions, InverseErfcMatchesReferenceValuesAndInvertsErfc) {
  for (auto [y, value] : kErfcInverse) EXPECT_REL(DERFCI(y), value, 1e-14) << "erfcinv(" << y << ")";
  // Below -1.5 erfc(x) is too close to 2 to hold x to 12 digits.
  for (double x = -1.5; x < 26; x += 0.37) EXPECT_REL(DERFCI(DERFC(x)), x, 1e-12) << x;
}

TEST(SpecialFunctions, GammaMatchesReferenceValues) {
  for (auto [x, value] : kGamma) EXPECT_REL(DGAMMA(x), value, 2e-14) << "gamma(" << x << ")";
  double factorial = 1;
  for (int n = 1; n <= 25; ++n) {
    EXPECT_REL(DGAMMA(n), factorial, 1e-15) << n;
    factorial *= n;
  }
}

TEST(SpecialFunctions, LogGammaMatchesReferenceValuesIncludingNearItsZeros) {
  for (auto [x, value] : kLogGamma) EXPECT_REL(DLNGAM(x), value, 2e-14) << "lgamma(" << x << ")";
  EXPECT_EQ(DLNGAM(1.0), 0.0);
  EXPECT_EQ(DLNGAM(2.0), 0.0);
  // Across the seams of the method the function is smooth: ln Gamma(x+1) - ln Gamma(x) = ln x.
  for (double x = 0.05; x < 30; x += 0.173) EXPECT_NEAR(DLNGAM(x + 1) - DLNGAM(x), std::log(x), 4e-14 * (1 + std::abs(DLNGAM(x)))) << x;
}

TEST(SpecialFunctions, PolesAndOverflowAreReported) {
  clear_errors();
  EXPECT_TRUE(std::isnan(DGAMMA(0.0)));
  ASSERT_TRUE(last_error());
  EXPECT_EQ(last_error()->message, "The argument for the function can not be zero.");
  EXPECT_EQ(last_error()->routine, "DGAMMA");
  EXPECT_TRUE(std::isnan(DGAMMA(-3.0)));
  EXPECT_TRUE(std::isnan(DLNGAM(-4.0)));
  clear_errors();
  EXPECT_TRUE(std::isinf(DGAMMA(1e-310)));
  EXPECT_EQ(last_error()->message, "The function overflows because X = 1e-310 is too close to zero.");
  EXPECT_TRUE(std::isinf(DGAMMA(180.0)));
  EXPECT_TRUE(std::isnan(DERFCI(2.0)));
  EXPECT_TRUE(std::isnan(DERFC(std::nan(""))));
  EXPECT_EQ(error_stack_depth(), 0);
}

TEST(Chebyshev, ClenshawSumsTheSeriesAndInitdsCountsTheTermsNeeded) {
  // f = 1/2 * 2 + 3 T1 + 0.5 T2 at t = 0.3: 1 + 0.9 + 0.5 (2 * 0.09 - 1) = 1.49
  const double c[] = {2.0, 3.0, 0.5, 1e-8, 1e-12};
  EXPECT_NEAR(DCSEVL(0.3, c, 3), 1.49, 1e-15);
  EXPECT_EQ(INITDS(c, 1e-10), 4);
  EXPECT_EQ(INITDS(c, 1e-6), 3);
  clear_errors();
  INITDS(c, 1e-13);
  ASSERT_TRUE(last_error());
  EXPECT_EQ(last_error()->message, "Too much accuracy may be requested. ETA should be increased.");
  EXPECT_TRUE(std::isnan(DCSEVL(2.0, c, 3)));
}

}  // namespace
}  // namespace zelk::numeric
