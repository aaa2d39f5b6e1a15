#pragma once
// The ARAR, Holt-Winters and smoothing commands, their windows' refresh and
// INFO writers, and what each keeps in the project record.
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "forecast/arar_dialog.h"
#include "forecast/forecast_reports.h"
#include "forecast/holt_winters_dialog.h"
#include "forecast/smoothing_dialogs.h"
#include "plot/document.h"
#include "port/dialog.h"

namespace zelk {

struct Session;
struct UnivariateRecord;

// Settings kept between runs (rec.kept).
struct HoltWintersKept {
  HoltWintersSettings plain;
  HoltWintersSettings seasonal;
};

// The observations a forecast used (first..last of the chosen series) and
// what the run found (rec.derived).
struct ArarRun {
  ArarResult result;
  ForecastSpan span;
  std::vector<double> observations;
  bool skipped = false;
  ArarCriterion criterion = ArarCriterion::MinVariance13;
  bool plot_bounds = true;
};

struct HoltWintersRun {
  HoltWintersResult result;
  ForecastSpan span;
  std::vector<double> observations;
  bool optimized = true;
  bool plot_bounds = true;
};
struct HoltWintersRuns {
  std::optional<HoltWintersRun> plain, seasonal;
};

// What a smoothing run found; the smoothed series itself is in rec.results,
// where Export reads it.
struct SmoothingRun {
  double parameter = 0;  // alpha or f; unused for the moving average
  double mse = 0;
};
struct SmoothingRuns {
  std::optional<SmoothingRun> exponential, fft, moving_average;
};

// The series a forecast reads: the working series, or with `original` the
// series with every transformation undone; and the facts its dialog needs.
std::vector<double> forecast_series(const UnivariateRecord& rec, bool original);
SeriesChoice series_choice(const UnivariateRecord& rec);
// first..last of a kept range on the series as it is now (the complete
// series follows its length); nullopt when a subset no longer fits.
std::optional<ForecastRange> current_range(const ForecastRange& kept, const SeriesChoice& series);
// Observations first..last, then the forecasts, over their time indices,
// with the bounds as two dashed curves when given.
void draw_forecast(GraphDocument& g, const std::vector<double>& observations, int first,
                   std::span<const double> forecasts, std::span<const double> lower, std::span<const double> upper);
// Replaces an INFO text by report lines.
void write_lines(TextDocument& doc, const std::vector<std::string>& lines);

// Each command runs its dialog, computes, keeps the result and draws. After a
// change of series, recompute_* runs a kept result again on the new series
// (or drops it when the series no longer allows it) and refresh_* redraws.
void arar_command(Session& s, int entry, UnivariateRecord& rec);
void recompute_arar(UnivariateRecord& rec);
void refresh_arar(Session& s, int entry, UnivariateRecord& rec);
void write_arar_info(Session& s, int entry, UnivariateRecord& rec);

void holt_winters_command(Session& s, int entry, UnivariateRecord& rec, bool seasonal);
void recompute_holt_winters(UnivariateRecord& rec, bool seasonal);
void refresh_holt_winters(Session& s, int entry, UnivariateRecord& rec, bool seasonal);
void write_holt_winters_info(Session& s, int entry, UnivariateRecord& rec, bool seasonal);

enum class Smoother { Exponential, Fft, MovingAverage };
void smoothing_command(Session& s, int entry, UnivariateRecord& rec, Smoother which);
void recompute_smoothing(UnivariateRecord& rec, Smoother which);
void refresh_smoothing(Session& s, int entry, UnivariateRecord& rec, Smoother which);
void write_smoothing_info(Session& s, int entry, UnivariateRecord& rec, Smoother which);

// Dialogs in their default state, for the dialog listing.
std::unique_ptr<Dialog> make_arar_dialog();
std::unique_ptr<Dialog> make_holt_winters_dialog();
std::unique_ptr<Dialog> make_seasonal_holt_winters_dialog();
std::unique_ptr<Dialog> make_exponential_smoothing_dialog();
std::unique_ptr<Dialog> make_fft_smoothing_dialog();
std::unique_ptr<Dialog> make_moving_average_dialog();

}  // namespace zelk
