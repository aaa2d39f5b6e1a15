// Distribution functions of the normal and chi-square laws.
//
// DNORDF is 1/2 erfc(-x/sqrt 2) with the tail formed as e^{-x^2/2} times the
// scaled erfc, so that rounding x/sqrt 2 costs nothing; DNORIN inverts it
// through DERFCI. DCHIDF is the regularized incomplete gamma function
// P(df/2, chsq/2): its power series or Legendre's continued fraction (A&S
// 6.5.29, 6.5.31; evaluated by the modified Lentz method, Thompson & Barnett
// 1986), with the factor x^a e^-x / Gamma(a+1) formed from the deviance and
// Stirling's correction as in Loader (2000), "Fast and accurate computation of
// binomial probabilities", so that large df lose no digits.
#pragma once

namespace zelk::numeric {

// Inverse of the standard normal distribution function, 0 < p < 1.
double DNORIN(double p);
// Standard normal distribution function.
double DNORDF(double x);
// Chi-square distribution function with df >= 0.5 degrees of freedom.
double DCHIDF(double chsq, double df);
// 1 - DCHIDF(chsq, df) computed directly, accurate in the upper tail
// (p-values of portmanteau tests).
double chi_square_upper(double chsq, double df);

}  // namespace zelk::numeric
