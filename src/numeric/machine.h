// Machine constants, numbered as in Fox, Hall & Schryer (1978), "Framework for
// a portable library", ACM TOMS 4, for IEEE arithmetic with base B = 2 and t
// digits.
//   DMACH / AMACH (double / float): 1 smallest positive normalized B^(emin-1),
//   2 largest B^emax (1 - B^-t), 3 smallest relative spacing B^-t, 4 largest
//   relative spacing B^(1-t), 5 log10 B.
//   IMACH: 1 bits per integer, 2 characters per integer, 3 integer base,
//   4 integer digits, 5 largest integer, 6 float base, 7 float digits,
//   8 smallest float exponent, 9 largest float exponent, 10 double digits,
//   11 smallest double exponent, 12 largest double exponent.
// Another index is recorded on the error stack and gives NaN (or 0).
#pragma once

namespace zelk::numeric {

double DMACH(int n);
float AMACH(int n);
int IMACH(int n);

}  // namespace zelk::numeric
