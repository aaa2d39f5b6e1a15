#include "univariate/spectrum_report.h"

#include <numbers>

#include "plot/format.h"

namespace zelk {
namespace {

std::string count_line(const char* label, std::size_t value) { return label + pad_left(std::to_string(value), 8); }

std::string significant(double x) { return trim(format_significant(x, 6)); }

// The lines both reports share: the frequency count and the fundamental.
void frequencies(std::vector<std::string>& out, std::size_t n, bool gap) {
  out.push_back(count_line("Number of frequencies in periodogram = ", fourier_frequency_count(n)));
  if (gap) out.insert(out.end(), 2, "");
  out.push_back("Fundamental Fourier frequency 2*pi/n = " +
                (n > 0 ? significant(2 * std::numbers::pi / static_cast<double>(n)) : std::string("undefined")));
}

}  // namespace

std::string fisher_ratio_text(const FisherTest& r) {
  if (r.q == 0) return "undefined (fewer than 3 observations)";
  if (!r.defined) return "undefined (the periodogram is 0 at every frequency)";
  return trim(format_significant(r.ratio, 6));
}

std::string fisher_probability_text(const FisherTest& r) {
  if (!r.defined) return "undefined";
  return trim(format_significant(r.probability, 6));
}


std::vector<std::string> spectrum_report(const std::vector<std::string>& model_lines, std::size_t n,
                                         std::span<const double> weights, const FisherTest& fisher) {
  std::vector<std::string> out{"===============", "ZELK::(SPECTRUM)", "===============", "", "", "Model spectrum:"};
  out.insert(out.end(), model_lines.begin(), model_lines.end());
  frequencies(out, n, true);
  if (!weights.empty()) {
    out.push_back("Smoothing coefficients:");
    for (std::size_t k = 0; k < weights.size(); ++k)
      out.push_back("W[" + std::to_string(k) + "] = " + significant(weights[k]));
    out.push_back("");
    out.push_back("Smooth coefficient sum of squares = " + significant(weights_sum_of_squares(weights)));
  } else {
    out.push_back("No smoothing done.");
  }
  out.push_back("");
  out.push_back("Fisher's test:");
  out.push_back("Ratio of maximum periodogram ordinate to average = " + fisher_ratio_text(fisher));
  out.push_back("Probability (under H0) of seeing this or larger = " + fisher_probability_text(fisher));
  out.push_back("");
  return out;
}

namespace {

std::string counted(std::string text, int count) {
  if (count > 1) text += " (" + std::to_string(count) + " values)";
  return text;
}

}  // namespace

std::string singular_spectrum_message(int count) {
  return counted("Singularity in model spectrum, set to 1000000 * WN-Variance", count);
}

std::string null_log_message(int count) { return counted("Null in spectrum, setting log to -100", count); }

std::vector<std::string> cumulative_spectrum_report(std::size_t n) {
  std::vector<std::string> out{"===============", "ZELK::(CUMULATIVE SPECTRUM)", "==============="};
  frequencies(out, n, false);
  return out;
}

}  // namespace zelk
