// Internal: single draws from the shared uniform generator and the laws built
// on it, for the vector generators of random.h.
#pragma once

namespace zelk::numeric::detail {

double uniform();         // (0, 1)
double normal_inverse();  // by inversion
double normal_polar();    // Marsaglia-Bray polar method
double gamma(double a);   // a > 0, unit scale

// Records the message for nr < 1 and returns false.
bool check_count(int nr);

}  // namespace zelk::numeric::detail
