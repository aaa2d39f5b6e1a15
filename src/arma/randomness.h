#pragma once
// Tests of randomness of a residual series y(1..n): the Ljung-Box and
// McLeod-Li portmanteau tests, the turning-point, difference-sign and rank
// tests, and the order of the minimum-AICC Yule-Walker autoregression.
//
// Ljung, G. M. & Box, G. E. P. (1978), Biometrika 65, 297-303; McLeod, A. I.
// & Li, W. K. (1983), J. Time Series Analysis 4, 269-273; Brockwell & Davis,
// Introduction to Time Series and Forecasting (2002), Sec. 1.6.
#include <cstdint>
#include <span>
#include <vector>

namespace zelk {

// h proposed when the user is not asked: min(f + 21, n) - 1; and the largest
// h accepted, min(n, 54). f is the number of free coefficients.
int default_randomness_lag(int f, int n);
int max_randomness_lag(int n);

// Number of t in 2..n-1 with y(t) above both neighbours or below both; equal
// neighbours never count.
std::int64_t turning_points(std::span<const double> y);
// Number of t in 1..n-1 with y(t+1) > y(t).
std::int64_t difference_signs(std::span<const double> y);
// Number of pairs i < j with y(j) > y(i), ties never counted; O(n log n) by
// counting during a merge sort.
std::int64_t rank_pairs(std::span<const double> y);

// A count with its asymptotic normal law. defined is false when the variance
// is not positive (too few values); p is then not given.
struct CountTest {
  double count = 0, mean = 0, sd = 0;
  bool defined = false;
  double p_value = 0;  // 2 (1 - Phi(|count - mean| / sd))
};

// A portmanteau statistic against chi-square(df). defined is false for a
// statistic that does not exist (McLeod-Li on constant squares);
// p_defined is false for df = 0.
struct Portmanteau {
  double statistic = 0;
  int df = 0;
  bool defined = false;
  bool p_defined = false;
  double p_value = 0;  // 1 - F(statistic)
};

struct RandomnessTests {
  int h = 0, f = 0, n = 0;
  Portmanteau ljung_box;  // h - f degrees of freedom
  Portmanteau mcleod_li;  // h degrees of freedom
  CountTest turning, difference_sign, rank;
  int min_aicc_order = 0;  // Yule-Walker orders 0..min(h, 26)
};

// All the tests on y with f <= h (the caller has checked the range).
RandomnessTests randomness_tests(std::span<const double> y, int h, int f);

// Q = n (n+2) sum over k = 1..h of r(k)^2 / (n-k), r the sample ACF (mean
// corrected, divisor n) of y (Ljung-Box) or of y^2 (McLeod-Li: the squares
// corrected by their mean m2 = (1/n) sum y^2).
double ljung_box_statistic(std::span<const double> y, int h);
// Not defined (nullopt-like: returns false) when the squares are constant.
bool mcleod_li_statistic(std::span<const double> y, int h, double& q);

}  // namespace zelk
