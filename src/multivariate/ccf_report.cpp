#include "multivariate/ccf_report.h"

#include <numbers>

#include "plot/format.h"

namespace zelk {
namespace {

std::string integer_line(const std::string& label, long long v) { return label + pad_left(std::to_string(v), 8); }

}  // namespace

std::string pair_caption(const std::string& a, const std::string& b) { return a + " x " + b; }

std::vector<std::string> ccf_report(const SampleCcf& r, const std::vector<int>& components, char letter) {
  const bool residuals = letter == 'Z';
  const std::string rule(residuals ? 40 : 18, '=');
  std::vector<std::string> out{rule, residuals ? "ZELK::Multivariate(CCF of AR Residuals)" : "ZELK::Multivariate(CCF)", rule,
                               integer_line("# of Lags = ", r.lags), "Sample Cross-correlations:  "};
  const std::string x(1, letter);
  for (int i = 0; i < r.k; ++i)
    for (int j = i; j < r.k; ++j) {
      out.push_back(" ");
      out.push_back("Cor[" + x + "_" + std::to_string(components[i]) + "(t+h)," + x + "_" +
                    std::to_string(components[j]) + "(t)]");
      out.push_back("     h         Cor");
      const auto& v = r.pair(i, j);
      for (int h = -r.lags; h <= r.lags; ++h)
        out.push_back(pad_left(std::to_string(h), 6) + "   " + trim(format_decimals(v[h + r.lags], 5)));
    }
  return out;
}

std::vector<std::string> spectrum_report(const CrossSpectrum& s) {
  const std::string rule(18, '=');
  std::vector<std::string> out{rule, "ZELK::Multivariate(Spectrum)", rule,
                               "Number of frequencies in periodogram = " + std::to_string(s.top),
                               "Fundamental Fourier frequency 2*pi/n = " +
                                   trim(format_significant(s.n > 0 ? 2 * std::numbers::pi / s.n : 0.0, 6)),
                               "Periodograms are |J(w)|^2/(2*pi*n), J the transform of the mean-corrected series,",
                               "the scale of the univariate periodogram."};
  out.push_back(" ");
  if (s.weights.empty()) {
    out.push_back("No smoothing done.");
    return out;
  }
  out.push_back("Smoothing coefficients:");
  for (std::size_t m = 0; m < s.weights.size(); ++m)
    out.push_back("W[" + std::to_string(m) + "] = " + trim(format_decimals(s.weights[m], 6)));
  out.push_back(" ");
  out.push_back("Smooth coefficient sum of squares = " + trim(format_decimals(weights_sum_of_squares(s.weights), 6)));
  return out;
}

}  // namespace zelk
