#include "arma/randomness_report.h"

#include <algorithm>

#include "plot/format.h"

namespace zelk {
namespace {

std::string decimals(double x, int d) { return trim(format_decimals(x, d)); }
std::string significant(double x) { return trim(format_significant(x, 5)); }
std::string integer(long long v) { return trim(format_integer(v)); }
std::string p_value(double p) { return decimals(p < 1e-5 ? 0.0 : p, 5); }

// Four values a line, each right-aligned in 15 characters, 5 decimals.
void correlations(std::vector<std::string>& out, std::span<const double> values) {
  std::string line;
  int on_line = 0;
  for (double v : values) {
    line += pad_left(decimals(v, 5), 15);
    if (++on_line == 4) {
      out.push_back(std::move(line));
      line.clear();
      on_line = 0;
    }
  }
  if (on_line > 0) out.push_back(std::move(line));
}

std::string count_line(const char* label, const CountTest& t) {
  if (!t.defined) return label + significant(t.count) + " (too few residuals for this test)";
  return label + significant(t.count) + "~AN(" + significant(t.mean) + ",sd = " + significant(t.sd) + ")" +
         ", p-value = " + p_value(t.p_value);
}

}  // namespace

int cycle_residual_panes(int mode) {
  switch (mode & kResidualBothPanes) {
    case kResidualBothPanes: return kResidualAcfPane;
    case kResidualAcfPane: return kResidualPacfPane;
    default: return kResidualBothPanes;
  }
}

std::vector<std::string> residual_plot_info(double residual_variance, std::span<const std::string> model_lines,
                                            double wn_variance) {
  const std::string rule(25, '=');
  std::vector<std::string> out = {rule, "ZELK::(Residual Plot)", rule, " ",
                                  "Residual Variance = " + decimals(residual_variance, 8), " ",
                                  "Residuals computed from model:"};
  out.insert(out.end(), model_lines.begin(), model_lines.end());
  out.push_back(" ");
  out.push_back("WN Variance = " + decimals(wn_variance, 6));
  return out;
}

std::vector<std::string> residual_acf_info(int lags, double residual_variance, std::span<const double> acf,
                                           std::span<const double> pacf, int mode) {
  const std::string rule(29, '=');
  std::vector<std::string> out = {rule, "ZELK::(Residual ACF/PACF)", rule, " ",
                                  "# of Lags = " + pad_left(std::to_string(lags), 8), " ",
                                  "Residual Variance = " + decimals(residual_variance, 8), " "};
  if ((mode & kResidualBothPanes) == 0) return out;
  auto first = [&](std::span<const double> v) {
    return v.first(std::min<std::size_t>(v.size(), static_cast<std::size_t>(std::max(lags, 0))));
  };
  for (auto [title, values] : {std::pair{"Autocorrelations:", acf}, std::pair{"Partial Autocorrelations:", pacf}}) {
    out.push_back(" ");
    out.push_back(title);
    out.push_back(" ");
    correlations(out, first(values));
  }
  return out;
}

std::vector<std::string> randomness_report(const RandomnessTests& t) {
  const std::string rule(44, '=');
  std::vector<std::string> out = {rule, "ZELK::(Tests of randomness on residuals)", rule, " "};
  const Portmanteau& lb = t.ljung_box;
  out.push_back("Ljung - Box statistic = " + significant(lb.statistic) + " Chi-Square ( " + integer(lb.df) + " )" +
                ", p-value = " + (lb.p_defined ? p_value(lb.p_value) : "not defined (no degrees of freedom)"));
  out.push_back(" ");
  const Portmanteau& ml = t.mcleod_li;
  if (ml.defined)
    out.push_back("McLeod - Li statistic = " + significant(ml.statistic) + " Chi-Square ( " + integer(ml.df) +
                  " )" + ", p-value = " + (ml.p_defined ? p_value(ml.p_value) : "not defined (no degrees of freedom)"));
  else
    out.push_back("McLeod - Li statistic = not defined (the squared residuals are constant)");
  out.push_back(" ");
  out.push_back(count_line("# Turning points = ", t.turning));
  out.push_back(" ");
  out.push_back(count_line("# Diff sign points = ", t.difference_sign));
  out.push_back(" ");
  out.push_back(count_line("# Rank points = ", t.rank));
  out.push_back(" ");
  out.push_back("Order of Min AICC YW Model for Residuals = " + integer(t.min_aicc_order));
  out.push_back(" ");
  return out;
}

}  // namespace zelk
