// Special functions: gamma, log-gamma, error function and its inverse.
//
// Methods: erfc by Chebyshev series of the scaled function e^{x^2} erfc(x) on
// [0.5, 8] (coefficients computed for this library in 50-digit arithmetic), the
// Maclaurin series of erf below 0.5 and the asymptotic series above 8, with
// e^{-x^2} formed from a split of x so that the rounding of x^2 is not
// magnified (the device of Cody 1969, "Rational Chebyshev approximations for
// the error function", Math. Comp. 23). log-gamma near 1 and 2 by the Taylor
// series whose coefficients are zeta values (Abramowitz & Stegun 6.1.33), and
// Stirling's series (A&S 6.1.40) for x >= 10; the reflection formula for
// negative x. The inverse of erfc by Halley's and Newton's iterations on these
// functions from the starting value of A&S 26.2.23.
//
// Bad arguments (NaN, poles, overflow) are recorded on the error stack and
// give NaN or the overflowed value.
#pragma once

namespace zelk::numeric {

double DGAMMA(double x);  // Gamma(x)
double DLNGAM(double x);  // ln |Gamma(x)|
double DERF(double x);
double DERFC(double x);
double DERFCI(double y);  // x with erfc(x) = y, 0 < y < 2

// e^{x^2} erfc(x), free of underflow for large x.
double erfc_scaled(double x);
// e^{-c x^2} for c = 1 or 0.5 (any c > 0 works, exactly split for those two).
double exp_neg_square(double x, double c = 1.0);

}  // namespace zelk::numeric
