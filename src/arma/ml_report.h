#pragma once
// The "ML estimates" report of the last maximum-likelihood fit.
#include <span>

namespace zelk {

struct Session;
struct UnivariateRecord;

struct MlReportFacts {
  bool optimized = false;       // the minimizer ran (BIC and FPE are printed)
  std::span<const double> x;    // the series fitted, for BIC
};

// BIC = n (ln sigma2 + ln 2pi + 1) - (n - k) ln(1 - k/n) + k ln(n (s/sigma2 - 1)/k),
// s = (1/n) sum x(t)^2; 0 when k = 0 or s <= sigma2.
double arma_bic(std::span<const double> x, double sigma2, int k);

void write_ml_report(Session& s, int entry, UnivariateRecord& rec, const MlReportFacts& facts);

}  // namespace zelk
