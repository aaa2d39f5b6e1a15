#include "univariate/regression_report.h"

#include <cmath>

#include "plot/format.h"

namespace zelk {
namespace {

std::string decimals(double x) { return trim(format_decimals(x, 6)); }

}  // namespace

std::vector<std::string> regression_estimates_report(const RegressionReport& r) {
  const bool gls = r.method == RegressionMethod::Generalized;
  std::vector<std::string> out{"========================================", "ZELK::(Regression estimates)",
                               "========================================", ""};
  out.push_back(gls ? "Method: Generalized Least Squares" : "Method: Least Squares");
  out.push_back("");
  for (std::string& l : model_description(r.method, *r.terms, r.beta, false, r.arma_lines)) out.push_back(std::move(l));
  out.push_back("");
  out.push_back("WN Variance = " + decimals(r.sigma2));
  out.push_back("");
  out.push_back("");
  out.push_back(gls ? "Coeff     Value          Std Error" : "Coeff     Value");
  const int first = r.terms->intercept ? 0 : 1;
  for (std::size_t j = 0; j < r.beta.size(); ++j) {
    std::string line = pad_left(trim(format_integer(first + static_cast<long long>(j))), 15) +
                       pad_left(decimals(r.beta[j]), 15);
    if (gls && j < r.standard_errors.size()) line += pad_left(decimals(r.standard_errors[j]), 15);
    out.push_back(line);
  }
  out.push_back("");
  return out;
}

}  // namespace zelk
