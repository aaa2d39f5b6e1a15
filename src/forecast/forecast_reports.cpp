#include "forecast/forecast_reports.h"

#include <cmath>

#include "plot/document.h"
#include "plot/format.h"

namespace zelk {
namespace {

std::string number(double v) { return trim(format_decimals(v, 6)); }
std::string integer(long long v) { return trim(format_integer(v)); }
std::string field(double v) { return pad_left(trim(format_decimals(v, 4)), 15); }

void head(TextDocument& doc, const char* title, std::size_t rule) {
  doc.write_line("INFO: ");
  doc.write_line(std::string(rule, '='));
  doc.write_line(title);
  doc.write_line(std::string(rule, '='));
}

void span_lines(TextDocument& doc, const ForecastSpan& s, double rmse) {
  doc.write_line(" ");
  doc.write_line("Number of points forecasted: " + integer(s.h));
  doc.write_line("Time points used in forecast: (" + integer(s.first) + " - " + integer(s.last) + " )");
  doc.write_line("Root mean-squared error = " + number(rmse));
  doc.write_line(" ");
}

void bounds_table(TextDocument& doc, const ForecastSpan& s, std::span<const double> f, std::span<const double> se,
                  std::span<const double> lo, std::span<const double> up) {
  doc.write_line("Approximate " + integer(s.confidence) + " Percent");
  doc.write_line("Prediction Bounds");
  doc.write_line("   Time     Prediction      sqrt(MSE)        Lower          Upper");
  for (std::size_t j = 0; j < f.size(); ++j)
    doc.write_line(pad_left(std::to_string(s.last + 1 + static_cast<long long>(j)), 6) + field(f[j]) + field(se[j]) +
                   field(lo[j]) + field(up[j]));
}

void constant_lines(TextDocument& doc, const HoltWintersResult& r, bool seasonal, bool optimized) {
  doc.write_line(" ALPHA = " + number(r.alpha));
  doc.write_line(" BETA  = " + number(r.beta));
  if (seasonal) doc.write_line(" GAMMA = " + number(r.gamma));
  doc.write_line(optimized ? " (Coefficients were optimized.)" : " (No optimization.)");
}

void smoothing_head(TextDocument& doc, const char* title) { head(doc, title, 29); }

}  // namespace

std::vector<std::string> arar_report(const ArarResult& r, const ForecastSpan& s, bool skipped, ArarCriterion c) {
  TextDocument doc;
  head(doc, "ZELK::(ARAR Forecast)", 20);
  span_lines(doc, s, r.rmse);
  const int m = r.shortening.m;
  if (skipped) {
    doc.write_line("Memory shortening not requested.");
  } else if (m == 0) {
    doc.write_line("Memory shortening not required.");
  } else {
    doc.write_line("Memory Shortening:");
    doc.write_line(" Coeff of B**j in memory shortening poly, j=0,1,...");
    doc.write_numbers(std::span<const double>(r.shortening.psi.data(), m + 1), 5, 6);
  }
  doc.write_line("Subset AR Model:   ");
  doc.write_line(c == ArarCriterion::MinVariance13   ? " Method: minimize WN variance (max lag=13)."
                 : c == ArarCriterion::MinVariance26 ? " Method: minimize WN variance (max lag=26)."
                                                     : " Method: maximize Gaussian like (max lag=13).");
  std::string lags = "LAGS:";
  for (int l : r.subset.lags) lags += pad_left(std::to_string(l), 8);
  doc.write_line(lags);
  doc.write_line("Coefs:");
  doc.write_numbers(r.subset.coefs, 4, 6);
  doc.write_line("COEFFICIENTS OF OVERALL WHITENING FILTER:");
  const std::size_t K = static_cast<std::size_t>(r.subset.lags[3] + m) + 1;
  doc.write_numbers(std::span<const double>(r.xi.data(), std::min(K, r.xi.size())), 5, 6);
  bounds_table(doc, s, r.forecasts, r.sqrt_mse, r.lower, r.upper);
  return doc.lines();
}

std::vector<std::string> holt_winters_report(const HoltWintersResult& r, const ForecastSpan& s, bool optimized) {
  TextDocument doc;
  head(doc, "ZELK::(Holt-Winters Forecast)", 29);
  span_lines(doc, s, r.rmse);
  constant_lines(doc, r, false, optimized);
  bounds_table(doc, s, r.forecasts, r.sqrt_mse, r.lower, r.upper);
  return doc.lines();
}

std::vector<std::string> seasonal_holt_winters_report(const HoltWintersResult& r, const ForecastSpan& s,
                                                      bool optimized) {
  TextDocument doc;
  head(doc, "ZELK::(Seasonal H-W Forecast)", 29);
  span_lines(doc, s, r.rmse);
  constant_lines(doc, r, true, optimized);
  doc.write_line("           Time     Prediction      ");
  for (std::size_t j = 0; j < r.forecasts.size(); ++j)
    doc.write_line(pad_left(std::to_string(s.last + 1 + static_cast<long long>(j)), 15) + field(r.forecasts[j]));
  return doc.lines();
}

std::vector<std::string> exponential_smoothing_report(double alpha, double mse) {
  TextDocument doc;
  smoothing_head(doc, "ZELK::(Exponential Smoothing)");
  doc.write_line("Value of Alpha = " + number(alpha));
  doc.write_line("SQRT(MSE) = " + number(std::sqrt(mse)));
  return doc.lines();
}

std::vector<std::string> fft_smoothing_report(double cutoff, double mse) {
  TextDocument doc;
  smoothing_head(doc, "ZELK::(FFT Smoothing)");
  doc.write_line("Value of cutoff = " + number(cutoff));
  doc.write_line("SQRT(MSE) = " + number(std::sqrt(mse)));
  return doc.lines();
}

std::vector<std::string> moving_average_report(double mse) {
  TextDocument doc;
  smoothing_head(doc, "ZELK::(Moving Average Smoothing)");
  doc.write_line("SQRT(MSE) = " + number(std::sqrt(mse)));
  return doc.lines();
}

std::string arar_status_message(ArarStatus status) {
  switch (status) {
    case ArarStatus::NoLagTriple:
      return "The shortened series is too short for a subset autoregression: use more observations";
    case ArarStatus::FilterTooLong:
      return "The whitening filter would exceed 50 coefficients: use a maximum lag of 13 or skip memory shortening";
    case ArarStatus::Ok:
      break;
  }
  return {};
}

}  // namespace zelk
