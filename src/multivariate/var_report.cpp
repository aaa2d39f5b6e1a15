#include "multivariate/var_report.h"

#include "plot/format.h"

namespace zelk {
namespace {

std::string row(const Matrix& m, int i) {
  std::string s;
  for (int j = 0; j < m.k; ++j) s += pad_left(trim(format_decimals(m(i, j), 6)), 15);
  return s;
}

std::string numbers(const std::vector<int>& components) {
  std::string s;
  for (int c : components) s += " " + std::to_string(c);
  return s;
}

}  // namespace

std::vector<std::string> var_model_lines(const VarModel& m, const std::string& v_heading) {
  std::vector<std::string> out;
  for (int l = 0; l < m.p; ++l) {
    out.push_back(" PHI(" + std::to_string(l + 1) + ")");
    for (int i = 0; i < m.k; ++i) out.push_back(row(m.phi[l], i));
  }
  out.push_back(v_heading);
  for (int i = 0; i < m.k; ++i) out.push_back(row(m.V, i));
  return out;
}

std::vector<std::string> var_estimates_report(const VarModel& m, const std::vector<int>& components, bool searched) {
  const bool yw = m.method == VarMethod::YuleWalker;
  const std::string rule(40, '=');
  std::vector<std::string> out{yw ? "Multivariate Yule-Walker estimates: " : "Multivariate Burg estimates: ", rule,
                               yw ? "ZELK::(Multivariate Yule-Walker Estimates)" : "ZELK::(Multivariate Burg Estimates)",
                               rule, "AR Model for the component series:  " + numbers(components)};
  if (searched) out.push_back("Optimal value of p = " + std::to_string(m.p));
  for (auto& line : var_model_lines(m, yw ? "Y-W White Noise Covariance Matrix, V" : "Burg White Noise Covariance Matrix, V"))
    out.push_back(std::move(line));
  out.push_back("AICC = " + trim(format_decimals(m.aicc, 6)));
  return out;
}

std::vector<std::string> var_forecast_report(const VarForecast& f, const std::vector<int>& components, int level,
                                             double z, int first_time) {
  const std::string rule(40, '=');
  std::vector<std::string> out{rule, "ZELK::(Multivariate AR Forecasts)", rule};
  for (int i = 0; i < f.k; ++i) {
    out.push_back(" ");
    out.push_back("Component " + std::to_string(components[i]));
    out.push_back("Approximate " + std::to_string(level) + " Percent");
    out.push_back("Prediction Bounds");
    out.push_back("  Time      Prediction      sqrt(MSE)        Lower          Upper");
    for (int j = 0; j < f.h; ++j)
      out.push_back(pad_left(std::to_string(first_time + j), 6) + pad_left(trim(format_decimals(f.value[i][j], 5)), 15) +
                    pad_left(trim(format_decimals(f.rmse[i][j], 5)), 15) +
                    pad_left(trim(format_decimals(f.lower(i, j, z), 5)), 15) +
                    pad_left(trim(format_decimals(f.upper(i, j, z), 5)), 15));
  }
  return out;
}

std::vector<std::string> var_residuals_report(const VarModel& m, const std::vector<int>& components,
                                              const std::vector<std::vector<double>>& residuals, int first_time) {
  const std::string rule(46, '=');
  std::vector<std::string> out{rule, "ZELK::Multivariate(Residuals from AR model)", rule,
                               "Residuals Z(t) from AR model given below:",
                               "AR Model for the component series:  " + numbers(components)};
  for (auto& line : var_model_lines(m, "   White Noise Covariance Matrix, V")) out.push_back(std::move(line));
  out.push_back(" ");
  std::string head = "     t";
  for (int c : components) head += pad_left("Z_" + std::to_string(c), 15);
  out.push_back(head);
  const std::size_t len = residuals.empty() ? 0 : residuals[0].size();
  for (std::size_t t = 0; t < len; ++t) {
    std::string line = pad_left(std::to_string(first_time + static_cast<int>(t)), 6);
    for (const auto& z : residuals) line += pad_left(trim(format_decimals(z[t], 5)), 15);
    out.push_back(line);
  }
  return out;
}

}  // namespace zelk
