#pragma once
// The part the forecasting dialogs share: forecast count, complete series or
// a subset, the apply-to-original choice, and (where bounds are drawn) the
// confidence level and "Plot ". Each dialog adds its own controls and range
// rule; refusals show their message and leave the focus on the field.
#include <string>

#include "port/dialog.h"

namespace zelk {

// What a forecasting dialog needs to know about the project's series.
struct SeriesChoice {
  int working_count = 0;     // observations of the working series
  int original_count = 0;    // of the series with every transformation undone
  int differenced_lags = 0;  // total lag of the differencing transformations
};

// Values the dialogs share; each feature keeps its own copy.
struct ForecastRange {
  int h = 10;
  bool subset = false;
  int first = 1, last = 0;  // 1-based; last = 0: not chosen yet
  bool original = false;
  int confidence = 95;
  bool plot_bounds = true;
};

class RangeDialog : public Dialog {
 public:
  // Messages of the range rule, which differ between ARAR and Holt-Winters.
  struct Rule {
    int min_count;                 // last - first + 1 must reach this
    const char* too_few;
    const char* beyond_end;
  };

  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

 protected:
  RangeDialog(std::string title, const ForecastRange& range, SeriesChoice series, Rule rule, bool bounds);
  bool refuse(UiPort& port, const char* title, const std::string& text, std::string key);
  // The range as accepted; valid after accept() returned true.
  const ForecastRange& range() const { return range_; }
  int count() const { return range_.original ? series_.original_count : series_.working_count; }

 private:
  void show_range();
  bool check_h(UiPort& port, bool on_ok);
  bool check_first(UiPort& port);
  bool check_last(UiPort& port);
  bool check_confidence(UiPort& port);

  ForecastRange range_;
  SeriesChoice series_;
  Rule rule_;
  bool bounds_;
};

}  // namespace zelk
