#include "multivariate/transfer_report.h"

#include <algorithm>
#include <cmath>

#include "plot/format.h"

namespace zelk {
namespace {

std::string number(double x) { return trim(format_decimals(x, 4)); }
std::string five(double x) { return trim(format_decimals(x, 5)); }

// The sign rule of the univariate model text: "  " for a non-negative first
// term, " +" for a later one, " -" for a negative one.
std::string sign(double value, bool first) { return std::signbit(value) && value != 0 ? " -" : (first ? "  " : " +"); }

// The terms of one side of an ARMA equation, four a line.
void terms(std::vector<std::string>& out, std::string& line, std::span<const double> c, bool first_plain,
           const std::string& continuation, const std::string& var, const std::string& suffix) {
  for (std::size_t k = 0; k < c.size(); ++k) {
    if (k > 0 && k % 4 == 0) {
      out.push_back(line);
      line = continuation;
    }
    line += sign(c[k], first_plain && k == 0) + " " + number(std::fabs(c[k])) + " " + var + "(t-" +
            std::to_string(k + 1) + suffix + ") ";
  }
}

void arma_text(std::vector<std::string>& out, const TransferArma& a, const std::string& lhs, const std::string& x,
               const std::string& suffix, const std::string& z) {
  std::string line = lhs;
  terms(out, line, a.ar(), true, std::string(lhs.size() - 1, ' '), x, suffix);
  if (a.p == 0) {
    line += " " + z + "(t)";
  } else {
    out.push_back(line);
    line = std::string(lhs.size() - 2, ' ') + "+ " + z + "(t)";
  }
  terms(out, line, a.ma(), false, std::string(lhs.size() - 2, ' '), z, "");
  out.push_back(line);
  out.push_back("  {" + z + "(t)} is WN(0," + number(a.sigma2) + ")");
}

// A polynomial c(0) + c(1) B^1 + ... with `lead` as its constant's text when
// non-empty ("1" of the denominator), the signs of the coefficients shown.
std::string polynomial(std::span<const double> c, int from, const std::string& lead, double lead_sign) {
  std::string s = lead;
  for (std::size_t k = 0; k < c.size(); ++k) {
    const double v = lead_sign * c[k];
    const int power = from + static_cast<int>(k);
    if (s.empty())
      s = (std::signbit(v) && v != 0 ? "-" : "") + number(std::fabs(v));
    else
      s += (std::signbit(v) && v != 0 ? " - " : " + ") + number(std::fabs(v));
    if (power > 0) s += " B^" + std::to_string(power);
  }
  return s;
}

}  // namespace

std::vector<std::string> transfer_model_text(const TransferModel& m) {
  const std::string i = std::to_string(m.input), o = std::to_string(m.output);
  std::vector<std::string> out{"X(t," + o + ") = T(B) X(t," + i + ") + N(t)"};
  // T(B) = B^b (W(0) + W(1) B + ...) / (1 - V(1) B - ...).
  const std::string top = "B^(" + std::to_string(m.delay) + ") (" + polynomial(m.numerator(), 0, "", 1) + ")";
  const std::string bottom = "(" + polynomial(m.denominator(), 1, "1", -1) + ")";
  const std::size_t width = std::max(top.size(), bottom.size());
  out.push_back("         " + top);
  out.push_back("T(B) =  " + std::string(width + 2, '-'));
  out.push_back("         " + bottom);
  out.push_back(" ");
  arma_text(out, m.input_model, "X(t," + i + ") = ", "X", "," + i, "Z");
  out.push_back(" ");
  arma_text(out, m.noise, "N(t) = ", "N", "", "W");
  return out;
}

std::vector<std::string> transfer_estimates_report(const TransferModel& m, double aicc, double step) {
  const std::string rule(40, '=');
  std::vector<std::string> out{"Transfer function estimates: ", rule, "ZELK::(Transfer Function Model Estimates)", rule};
  for (auto& l : transfer_model_text(m)) out.push_back(std::move(l));
  out.push_back(" ");
  out.push_back("AICC = " + trim(format_decimals(aicc, 6)));
  out.push_back("Accuracy Parameter " + five(step));
  return out;
}

std::vector<std::string> transfer_residuals_report(const TransferModel& m, const std::vector<double>& w, int first) {
  const std::string rule(62, '=');
  std::vector<std::string> out{rule, "ZELK::Multivariate(Residuals W(t)from transfer function model)", rule};
  for (auto& l : transfer_model_text(m)) out.push_back(std::move(l));
  out.push_back(" ");
  out.push_back("     t           W(t)");
  for (std::size_t t = 0; t < w.size(); ++t)
    out.push_back(pad_left(std::to_string(first + static_cast<int>(t)), 6) + pad_left(five(w[t]), 15));
  return out;
}

std::vector<std::string> transfer_residual_acf_report(const std::vector<double>& acf) {
  const std::string rule(56, '=');
  const int lags = acf.empty() ? 0 : static_cast<int>(acf.size()) - 1;
  std::vector<std::string> out{rule, "ZELK::Multivariate(ACF of Residuals from Transfer Model)", rule,
                               "# of Lags = " + pad_left(std::to_string(lags), 8), "Sample ACF:  ",
                               "     h   Cor[W(t+h),W(t)]"};
  for (std::size_t h = 0; h < acf.size(); ++h)
    out.push_back(pad_left(std::to_string(h), 6) + pad_left(five(acf[h]), 19));
  return out;
}

std::vector<std::string> transfer_forecast_report(const TransferModel& m, const TransferForecast& f, int level,
                                                  double z, int first) {
  const std::string rule(40, '=');
  std::vector<std::string> out{"Transfer model prediction:", rule, "ZELK::(Transfer Function Model Prediction)", rule};
  out.push_back(" X(t," + std::to_string(m.output) + ")");
  out.push_back("Approximate " + std::to_string(level) + " Percent");
  out.push_back("Prediction Bounds");
  out.push_back("  Time      Prediction      sqrt(MSE)        Lower          Upper");
  for (std::size_t j = 0; j < f.value.size(); ++j) {
    const double r = std::sqrt(f.mse[j]);
    out.push_back(pad_left(std::to_string(first + static_cast<int>(j)), 6) + pad_left(five(f.value[j]), 15) +
                  pad_left(five(r), 15) + pad_left(five(f.value[j] - z * r), 15) + pad_left(five(f.value[j] + z * r), 15));
  }
  return out;
}

}  // namespace zelk
