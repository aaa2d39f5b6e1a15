// Random variates on top of one uniform generator.
//
// Uniform: the multiplicative congruential generator x <- 950706376 x mod
// (2^31 - 1), u = x / (2^31 - 1) in (0, 1) (multiplier from Fishman & Moore
// 1986, "An exhaustive analysis of multiplicative congruential random number
// generators with modulus 2^31 - 1", SIAM J. Sci. Stat. Comput. 7). Its state is
// the seed: get_seed() after drawing returns the state reached, and setting it
// back continues the stream from there. The state belongs to the calling
// thread; it starts at 1234567 until set_seed is called.
//
// Laws: normal by inversion (DRNNOR) or by Marsaglia & Bray's polar method
// (DRNNOA; Marsaglia & Bray 1964, SIAM Review 6); exponential by inversion;
// gamma by Marsaglia & Tsang (2000, ACM TOMS 26), with U^(1/a) boosting for
// a < 1; stable by Chambers, Mallows & Stuck (1976, JASA 71) in the
// parameterization S(alpha, beta, 1, 0) of Samorodnitsky & Taqqu (1994) with
// Weron's (1996) form of the formula; t as Z / sqrt(chi2/df); Weibull by
// inversion; binomial by inversion of the distribution function for small
// means and Knuth's beta splitting (TAOCP vol. 2, 3.4.1) otherwise.
//
// Every generator returns nr values, or nothing when an argument is refused
// (the message is recorded on the error stack).
#pragma once

#include <span>
#include <vector>

namespace zelk::numeric {

// 0 <= seed < 2147483647; 0 makes the library choose a seed of its own.
void set_seed(int seed);
int get_seed();

std::vector<double> DRNUN(int nr);
std::vector<double> DRNEXP(int nr);
std::vector<double> DRNNOR(int nr);
std::vector<double> DRNNOA(int nr);
std::vector<double> DRNGAM(int nr, double a);
std::vector<double> DRNLNL(int nr, double xm, double s);
std::vector<double> DRNSTA(int nr, double alpha, double bprime);
std::vector<double> DRNSTT(int nr, double df);
std::vector<double> DRNWIB(int nr, double a);
std::vector<int> RNBIN(int nr, int n, double p);

// nr vectors of length k with covariance R'R, R = rsig the k x k upper
// triangular factor of DCHFAC (leading dimension ldrsig >= k): row i of the
// result, stored column by column (nr x k), is z_i R with z_i standard normal.
std::vector<double> DRNMVN(int nr, int k, std::span<const double> rsig, int ldrsig);

}  // namespace zelk::numeric
