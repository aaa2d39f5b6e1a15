// Chebyshev series, the support of the special functions.
//
// A series is stored as c0, c1, ... with f(t) = c0/2 + sum_j c_j T_j(t),
// t in [-1, 1]; evaluation by Clenshaw's recurrence (Clenshaw 1955, "A note on
// the summation of Chebyshev series", MTAC 9).
#pragma once

#include <span>

namespace zelk::numeric {

// Sum of the first nterms terms of the series at t. t outside [-1.1, 1.1] or
// nterms outside 1..size is recorded on the error stack and gives NaN.
double DCSEVL(double t, std::span<const double> coefficients, int nterms);

// Number of terms needed so that the neglected coefficients sum to at most eta
// in absolute value; when even all of them are not enough the message "Too much
// accuracy may be requested. ETA should be increased." is recorded and the full
// length returned.
int INITDS(std::span<const double> coefficients, double eta);

}  // namespace zelk::numeric
