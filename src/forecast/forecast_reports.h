#pragma once
// INFO texts of the ARAR, Holt-Winters and smoothing results, as lines.
// Blank lines are " " (an empty line clears a text document).
#include <span>
#include <string>
#include <vector>

#include "forecast/arar.h"
#include "forecast/holt_winters.h"

namespace zelk {

struct ForecastSpan {
  int h = 0;
  int first = 1, last = 0;  // 1-based observations used
  int confidence = 95;
};

std::vector<std::string> arar_report(const ArarResult& r, const ForecastSpan& span, bool shortening_skipped,
                                     ArarCriterion criterion);
std::vector<std::string> holt_winters_report(const HoltWintersResult& r, const ForecastSpan& span, bool optimized);
std::vector<std::string> seasonal_holt_winters_report(const HoltWintersResult& r, const ForecastSpan& span,
                                                      bool optimized);

std::vector<std::string> exponential_smoothing_report(double alpha, double mse);
std::vector<std::string> fft_smoothing_report(double cutoff, double mse);
std::vector<std::string> moving_average_report(double mse);

// Why a run produced nothing, for the message box.
std::string arar_status_message(ArarStatus status);

}  // namespace zelk
