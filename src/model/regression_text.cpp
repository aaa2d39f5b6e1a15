#include "model/regression_text.h"

#include <cmath>

#include "plot/format.h"

namespace zelk {
namespace {

std::string significant(double x) { return trim(format_significant(x, 5)); }

// Four terms a line keep long trends readable in the INFO window.
constexpr int kTermsPerLine = 4;

std::vector<std::string> trend_lines(RegressionMethod method, const RegressionSpec& regressors,
                                     std::span<const double> beta, bool residual_report) {
  std::vector<std::string> out;
  if (method == RegressionMethod::None) return out;
  out.push_back("Y(t) = M(t) + X(t)");
  out.push_back("");
  out.push_back(residual_report ? "Based on Trend Function:   " : "Trend Function: ");
  for (std::string& l : trend_function_lines(regressors, beta)) out.push_back(std::move(l));
  out.push_back("");
  return out;
}

}  // namespace

std::vector<std::string> trend_function_lines(const RegressionSpec& regressors, std::span<const double> beta) {
  std::vector<std::string> terms;
  std::size_t j = 0;
  auto term = [&](const std::string& what) {
    if (j >= beta.size()) return;
    const double b = beta[j++];
    std::string sign = terms.empty() ? (b < 0 ? "-" : "") : (b < 0 ? " - " : " + ");
    terms.push_back(sign + significant(std::fabs(b)) + what);
  };
  if (regressors.intercept) term("");
  for (int k = 1; k <= regressors.order; ++k) term(" t^" + std::to_string(k));
  for (int i = 0; i < regressors.harmonics; ++i) {
    term(" Cos(2*pi*t" + std::to_string(regressors.indices[i]) + "/N)");
    term(" Sin(2*pi*t" + std::to_string(regressors.indices[i]) + "/N)");
  }
  for (int a = 1; a <= regressors.auxiliary_count; ++a) term(" x(" + std::to_string(a) + ") ");
  std::vector<std::string> lines;
  std::string line = "M(t) = ";
  for (std::size_t i = 0; i < terms.size(); ++i) {
    if (i > 0 && i % kTermsPerLine == 0) {
      lines.push_back(line);
      line = std::string(7, ' ');
    }
    line += terms[i];
  }
  lines.push_back(line);
  return lines;
}

std::vector<std::string> trend_description(const RegressionTrend& trend, bool residual_report) {
  const auto method = static_cast<RegressionMethod>(trend.estimation == 1 || trend.estimation == 2 ? trend.estimation : 0);
  return trend_lines(method, regression_spec(trend), trend.coefficients, residual_report);
}

std::vector<std::string> model_description(RegressionMethod method, const RegressionSpec& regressors,
                                           std::span<const double> beta, bool residual_report,
                                           std::span<const std::string> arma_lines) {
  std::vector<std::string> out = trend_lines(method, regressors, beta, residual_report);
  if (method != RegressionMethod::None) out.push_back("ARMA Model: ");
  out.insert(out.end(), arma_lines.begin(), arma_lines.end());
  return out;
}

}  // namespace zelk
