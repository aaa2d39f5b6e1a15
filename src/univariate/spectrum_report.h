#pragma once
// The INFO texts of the spectrum and cumulative-spectrum windows, as lines
// (an empty string is a blank line).
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "univariate/spectrum.h"

namespace zelk {

// model_lines: the description of the current model, already formatted.
// weights: W(0..L) when the smoothed periodogram is shown, else empty.
std::vector<std::string> spectrum_report(const std::vector<std::string>& model_lines, std::size_t n,
                                         std::span<const double> weights, const FisherTest& fisher);

std::vector<std::string> cumulative_spectrum_report(std::size_t n);

// The one message a computation shows for all its replaced values, with
// their count when there is more than one (title "BRAX::ERROR" for the
// first, "ZELK ERROR" for the second).
std::string singular_spectrum_message(int count);
std::string null_log_message(int count);

// Fisher's g and P as the dialog and the report print them (6 significant
// digits), or why they are undefined.
std::string fisher_ratio_text(const FisherTest& result);
std::string fisher_probability_text(const FisherTest& result);

}  // namespace zelk
