#include "arma/windows.h"
#include "arma/ml_report.h"

#include <cmath>
#include <vector>

#include "arma/estimation.h"
#include "arma/likelihood.h"
#include "arma/model_text.h"
#include "model/regression_text.h"
#include "numeric/minimize.h"
#include "plot/format.h"
#include "project/univariate_record.h"
#include "port/session.h"

namespace zelk {
namespace {

std::string number(double v) { return trim(format_decimals(v, 6)); }
std::string integer(long long v) { return trim(format_integer(v)); }

}  // namespace

double arma_bic(std::span<const double> x, double sigma2, int k) {
  const int n = static_cast<int>(x.size());
  if (k <= 0 || n <= k || !(sigma2 > 0)) return 0;
  double s = 0;
  for (double v : x) s += v * v;
  s /= n;
  if (s <= sigma2) return 0;
  return n * (std::log(sigma2) + std::log(kTwoPi) + 1) - (n - k) * std::log(1 - static_cast<double>(k) / n) +
         k * std::log(n * (s / sigma2 - 1) / k);
}

void write_ml_report(Session& s, int entry, UnivariateRecord& rec, const MlReportFacts& facts) {
  Window& w = s.desktop.report(entry, windows::MlEstimates, rec.name);
  TextDocument& doc = *w.text;
  const ArmaModel& m = rec.model;
  const ArmaEstimation& e = arma_estimation(rec);
  const ArmaFit& fit = arma_fit(rec);
  const int n = rec.n();
  const int k = m.fractional ? m.p + m.q : static_cast<int>(m.free_parameters.size());
  doc.clear();
  doc.write_line("========================================");
  doc.write_line("ZELK::(Maximum likelihood estimates)");
  doc.write_line("========================================");
  doc.write_line(" ");
  doc.write_line(e.criterion == 0 ? "Method: Least Squares" : "Method: Maximum Likelihood");
  // A blank line is written as one blank: an empty one would clear the text.
  for (const std::string& l : trend_description(rec.regression, false)) doc.write_line(l.empty() ? " " : l);
  write_model_text(doc, m);
  doc.write_line("WN Variance = " + number(m.sigma2));
  const bool se_ok = !fit.standard_errors.empty();
  bool difficulty_told = false;
  auto part = [&](const char* title, const char* se_title, int first, int count) {
    if (count == 0) return;
    std::vector<double> values(count), se(count, 0.0);
    for (int i = 0; i < count; ++i) {
      values[i] = m.beta(first + i);
      if (se_ok && first + i - 1 < static_cast<int>(fit.standard_errors.size()))
        se[i] = fit.standard_errors[first + i - 1];
    }
    doc.write_line(title);
    doc.write_numbers(values, 5, 6);
    if (se_ok) {
      doc.write_line(se_title);
      doc.write_numbers(se, 5, 6);
    } else if (!difficulty_told) {
      doc.write_line("Numerical difficulties computing standard errors");
      difficulty_told = true;
    }
  };
  part("AR Coefficients", "Standard Error of AR Coefficients", 1, m.p);
  part("MA Coefficients", "Standard Error of MA Coefficients", m.p + 1, m.q);
  doc.write_line("(Residual SS)/N = " + number(fit.saved_wn));
  if (m.fractional) {
    doc.write_line("AIC  = " + number(fit.aicc));
  } else {
    doc.write_line("AICC = " + number(fit.aicc));
    if (rec.regression.estimation != 0) {
      const int kr = m.p + m.q + static_cast<int>(rec.regression.coefficients.size());
      const double corrected = aicc(fit.minus2_log_likelihood, n, kr);
      if (std::isfinite(corrected)) doc.write_line("AICC = " + number(corrected) + "(Corrected for regression)");
    }
    if (facts.optimized && !e.no_optimization) {
      doc.write_line("BIC  = " + number(arma_bic(facts.x, m.sigma2, k)));
      if (m.q == 0 && m.p > 0 && n > k) doc.write_line("FPE  = " + number(m.sigma2 * (n + k) / (n - k)));
    }
  }
  doc.write_line((m.fractional ? "-2Log(Likelihood) (Whittle) = " : "-2Log(Likelihood) = ") +
                 number(fit.minus2_log_likelihood));
  doc.write_line("Accuracy parameter = " + number(m.fractional ? e.whittle_step : e.accuracy));
  doc.write_line("Number of iterations = " + integer(fit.iterations));
  doc.write_line("Number of function evaluations = " + integer(fit.evaluations));
  if (facts.optimized && fit.stop_code >= 1 && fit.stop_code <= 4)
    doc.write_line(numeric::stop_message(static_cast<numeric::MinimizerStop>(fit.stop_code)));
  s.desktop.changed(w);
}

}  // namespace zelk
