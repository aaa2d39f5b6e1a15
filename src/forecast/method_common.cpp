// What the ARAR and Holt-Winters commands share: the chosen series, the
// range on it, the forecast graph and the INFO text.
#include <algorithm>

#include "forecast/method_ops.h"
#include "model/transforms.h"
#include "project/univariate_record.h"

namespace zelk {

std::vector<double> forecast_series(const UnivariateRecord& rec, bool original) {
  return original ? untransformed(rec) : rec.x;
}

SeriesChoice series_choice(const UnivariateRecord& rec) {
  SeriesChoice c;
  c.working_count = rec.n();
  c.original_count = static_cast<int>(forecast_series(rec, true).size());
  for (const Transformation& node : rec.transforms)
    if (node.kind == TransformKind::Difference) c.differenced_lags += node.lag;
  return c;
}

std::optional<ForecastRange> current_range(const ForecastRange& kept, const SeriesChoice& series) {
  ForecastRange r = kept;
  const int count = r.original ? series.original_count : series.working_count;
  if (!r.subset) {
    r.first = r.original ? series.differenced_lags + 1 : 1;
    r.last = count;
  }
  if (r.first < 1 || r.last > count || r.first > r.last) return std::nullopt;
  return r;
}

void draw_forecast(GraphDocument& g, const std::vector<double>& observations, int first,
                   std::span<const double> forecasts, std::span<const double> lower, std::span<const double> upper) {
  g.clear();
  g.x_title = "Time";
  const std::size_t n = observations.size(), h = forecasts.size();
  std::vector<double> t(n + h), y(n + h);
  for (std::size_t i = 0; i < n + h; ++i) t[i] = static_cast<double>(first) + static_cast<double>(i);
  std::copy(observations.begin(), observations.end(), y.begin());
  std::copy(forecasts.begin(), forecasts.end(), y.begin() + static_cast<std::ptrdiff_t>(n));
  g.add_curve_pane(1, t, y);
  if (lower.size() != h || upper.size() != h || h == 0) return;
  const std::vector<double> ahead(t.begin() + static_cast<std::ptrdiff_t>(n), t.end());
  g.add_overlay(1, Overlay{ahead, {lower.begin(), lower.end()}, 3, true});
  g.add_overlay(1, Overlay{ahead, {upper.begin(), upper.end()}, 3, true});
}

void write_lines(TextDocument& doc, const std::vector<std::string>& lines) {
  doc.clear();
  for (const std::string& line : lines) doc.write_line(line);
}

}  // namespace zelk
