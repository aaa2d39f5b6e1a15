#include "arma/preliminary_report.h"

#include <cmath>

#include "arma/likelihood.h"
#include "plot/format.h"

namespace zelk {
namespace {

std::string number(double v) { return std::isfinite(v) ? trim(format_decimals(v, 6)) : "not defined"; }

// Five values a line, each right-aligned in 14 characters.
void numbers(std::vector<std::string>& out, std::span<const double> values) {
  std::string line;
  int on_line = 0;
  for (double v : values) {
    line += pad_left(number(v), 14);
    if (++on_line == 5) {
      out.push_back(std::move(line));
      line.clear();
      on_line = 0;
    }
  }
  if (on_line > 0) out.push_back(std::move(line));
}

const char* variance_label(PreliminaryMethod m) {
  switch (m) {
    case PreliminaryMethod::YuleWalkerAicc:
    case PreliminaryMethod::YuleWalker: return "WN variance estimate (Yule Walker): ";
    case PreliminaryMethod::BurgAicc:
    case PreliminaryMethod::Burg: return "WN variance estimate (Burg): ";
    case PreliminaryMethod::Innovations: return "WN variance estimate (Innovations): ";
    case PreliminaryMethod::HannanRissanen: return "WN variance estimate (Hannan-Rissanen): ";
  }
  return "";
}

}  // namespace

const char* preliminary_method_line(PreliminaryMethod m) {
  switch (m) {
    case PreliminaryMethod::YuleWalkerAicc: return "Method: Yule-Walker (Minimum AICC)";
    case PreliminaryMethod::BurgAicc: return "Method: Burg (Minimum AICC)";
    case PreliminaryMethod::YuleWalker: return "Method: Yule-Walker";
    case PreliminaryMethod::Burg: return "Method: Burg";
    case PreliminaryMethod::Innovations: return "Method: Innovations";
    case PreliminaryMethod::HannanRissanen: return "Method: Hannan-Rissanen";
  }
  return "";
}

std::vector<std::string> preliminary_report(const PreliminaryResult& r, const PreliminaryReportFacts& facts,
                                            std::span<const std::string> model_lines) {
  std::vector<std::string> out;
  const std::string rule(33, '=');
  out.insert(out.end(), {rule, "ZELK::(Preliminary estimates)", rule, " "});
  out.push_back(preliminary_method_line(facts.method));
  if (facts.method == PreliminaryMethod::Innovations)
    out.push_back("(Number of ACVF's used is " + trim(format_integer(r.acvfs_used)) + ")");
  out.insert(out.end(), model_lines.begin(), model_lines.end());
  out.push_back("WN Variance = " + number(r.sigma2));
  // Ratios |coefficient / (1.96 se)| above 1 mark coefficients that differ
  // from 0 at the 5% level.
  const bool se_ok = r.standard_errors.size() == static_cast<std::size_t>(r.p + r.q);
  bool difficulty_told = false;
  auto part = [&](const char* title, const char* ratio_title, std::span<const double> coef, int first) {
    if (coef.empty()) return;
    out.push_back(title);
    numbers(out, coef);
    if (!se_ok) {
      if (!difficulty_told) out.push_back("Numerical difficulties computing standard errors");
      difficulty_told = true;
      return;
    }
    std::vector<double> ratio(coef.size());
    for (std::size_t i = 0; i < coef.size(); ++i) ratio[i] = coef[i] / (1.96 * r.standard_errors[first + i]);
    out.push_back(ratio_title);
    numbers(out, ratio);
  };
  part("AR Coefficients", "Ratio of AR coeff. to 1.96 * (standard error)", r.phi, 0);
  part("MA Coefficients", "Ratio of MA coeff. to 1.96 * (standard error)", r.theta, r.p);
  const bool like = r.likelihood_defined;
  out.push_back("(Residual SS)/N = " + (like ? number(r.residual_ss_n) : number(NAN)));
  out.push_back(variance_label(facts.method) + number(r.sigma2));
  out.push_back("-2Log(Like) = " + (like ? number(r.minus2_log_likelihood) : number(NAN)));
  out.push_back("AICC = " + (like ? number(r.aicc) : number(NAN)));
  if (facts.regression_coefficients) {
    const int k = r.p + r.q + *facts.regression_coefficients;
    const double corrected = like ? aicc(r.minus2_log_likelihood, facts.n, k) : NAN;
    out.push_back("AICC = " + number(corrected) + "(Corrected for regression)");
  }
  return out;
}

}  // namespace zelk
