#include "numeric/distributions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/error_stack.h"
#include "relative.h"

// Reference values: 40-digit evaluations with mpmath 1.3, rounded to 20 digits.

namespace zelk::numeric {
namespace {

struct Point {
  double x, value;
};

constexpr Point kQuantile[] = {
    {1e-300, -3.7047096299361199237e+1},
    {1e-100, -2.1273453560965324294e+1},
    {1e-10, -6.3613409024040561991},
    {0.001, -3.0902323061678135354},
    {0.025, -1.9599639845400542118},
    {0.3, -5.2440051270804081597e-1},
    {0.5, 0.0},
    {0.975, 1.9599639845400538556},
    {0.999, 3.0902323061678132778},
    {0.9999999999999999, 8.2095361516013868556},
    {0.500000000001, 2.5065728237018604669e-12}};

constexpr Point kNormal[] = {
    {-37.5, 4.6053530095819548438e-308},
    {-20.0, 2.7536241186062336951e-89},
    {-8.0, 6.2209605742717841235e-16},
    {-1.5, 6.6807201268858066004e-2},
    {-0.3, 3.8208857781104736693e-1},
    {0.0, 5.0e-1},
    {0.3, 6.1791142218895263307e-1},
    {1.96, 9.7500210485177956379e-1},
    {5.0, 9.9999971334842812081e-1},
    {9.0, 9.9999999999999999989e-1}};

struct ChiSquare {
  double chsq, df, lower, upper;
};

constexpr ChiSquare kChiSquare[] = {
    {0.1, 1.0, 2.4817036595415072417e-1, 7.5182963404584927583e-1},
    {3.84, 1.0, 9.4995647875129489681e-1, 5.0043521248705103189e-2},
    {1.0, 0.5, 8.4648640419167753679e-1, 1.5351359580832246321e-1},
    {10.0, 10.0, 5.5950671493478758856e-1, 4.4049328506521241144e-1},
    {100.0, 100.0, 5.1880831547204328189e-1, 4.8119168452795671811e-1},
    {0.5, 30.0, 5.6345587204509911957e-22, 1.0},
    {200.0, 100.0, 9.9999998821549927902e-1, 1.1784500720979422446e-8},
    {10000.0, 10000.0, 5.0188063403381735535e-1, 4.9811936596618264465e-1},
    {150.0, 10.0, 1.0, 3.7274850550625096223e-27},
    {2.0, 2.0, 6.321205588285576784e-1, 3.678794411714423216e-1},
    {300.0, 100.0, 1.0, 7.4121008573228767906e-22},
    {0.001, 3.0, 8.4079190580461593228e-6, 9.9999159208094195384e-1}};

TEST(Distributions, NormalQuantileIsAccurateFromOneEMinus300ToOneMinusOneEMinus16) {
  for (auto [p, x] : kQuantile) EXPECT_REL(DNORIN(p), x, 1e-14) << "p = " << p;
  // Published table (Abramowitz & Stegun 26.2): the 97.5 and 99.5 percent points.
  EXPECT_NEAR(DNORIN(0.975), 1.959963984540054, 1e-15);
  EXPECT_NEAR(DNORIN(0.995), 2.575829303548901, 1e-15);
  for (double p = 0.0005; p < 1; p += 0.0137) EXPECT_REL(DNORDF(DNORIN(p)), p, 4e-15) << p;
}

TEST(Distributions, NormalDistributionFunctionIncludingTheTails) {
  for (auto [x, p] : kNormal) EXPECT_REL(DNORDF(x), p, 1e-14) << "x = " << x;
  // Symmetry: Phi(-x) + Phi(x) = 1.
  for (double x = 0; x < 8; x += 0.31) EXPECT_NEAR(DNORDF(-x) + DNORDF(x), 1.0, 2e-16);
}

TEST(Distributions, ChiSquareLowerAndUpperTails) {
  for (auto [chsq, df, lower, upper] : kChiSquare) {
    EXPECT_REL(DCHIDF(chsq, df), lower, 1e-14) << chsq << ", " << df;
    EXPECT_REL(chi_square_upper(chsq, df), upper, 1e-13) << chsq << ", " << df;
  }
  // Two degrees of freedom: 1 - exp(-x/2) by hand.
  for (double x : {0.01, 0.7, 3.0, 12.5}) EXPECT_REL(DCHIDF(x, 2), -std::expm1(-x / 2), 1e-14);
  EXPECT_EQ(DCHIDF(0, 4), 0.0);
}

TEST(Distributions, ArgumentChecksRecordTheirMessages) {
  clear_errors();
  EXPECT_TRUE(std::isnan(DNORIN(1.0)));
  ASSERT_TRUE(last_error());
  EXPECT_EQ(last_error()->routine, "DNORIN");
  EXPECT_EQ(last_error()->message,
            "The argument to the function must be greater than 0.0 and less than 1.0.  P = 1.");
  EXPECT_TRUE(std::isnan(DNORIN(std::nan(""))));
  EXPECT_EQ(last_error()->message,
            "The argument to the function must be greater than 0.0 and less than 1.0.  P = NaN.");

  clear_errors();
  EXPECT_EQ(DCHIDF(-2.5, 3), 0.0);
  EXPECT_EQ(last_error()->message,
            "Since CHSQ = -2.5 is less than zero, the distribution function is zero at CHSQ.");
  EXPECT_EQ(last_error()->severity, Severity::Note);
  EXPECT_TRUE(std::isnan(DCHIDF(1, 0.25)));
  EXPECT_EQ(last_error()->message,
            "The number of degrees of freedom of the distribution, DF = 0.25, must be at least equal to 0.5.");
  EXPECT_TRUE(std::isnan(DCHIDF(std::nan(""), 3)));
  EXPECT_TRUE(std::isnan(DNORDF(std::nan(""))));
  EXPECT_EQ(DNORDF(-HUGE_VAL), 0.0);
  EXPECT_EQ(DNORDF(HUGE_VAL), 1.0);
  EXPECT_EQ(error_stack_depth(), 0);
}

}  // namespace
}  // namespace zelk::numeric
