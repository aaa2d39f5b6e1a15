// The Holt-Winters and seasonal Holt-Winters forecast commands.
#include <string>

#include "forecast/method_ops.h"
#include "forecast/windows.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

Slot slot_of(bool seasonal) {
  return seasonal ? Slot(windows::SeasonalHoltWintersForecast) : Slot(windows::HoltWintersForecast);
}

HoltWintersSettings& settings_of(UnivariateRecord& rec, bool seasonal) {
  HoltWintersKept& k = rec.kept.get<HoltWintersKept>();
  return seasonal ? k.seasonal : k.plain;
}

std::optional<HoltWintersRun>& run_of(UnivariateRecord& rec, bool seasonal) {
  HoltWintersRuns& r = rec.derived.get<HoltWintersRuns>();
  return seasonal ? r.seasonal : r.plain;
}

std::optional<HoltWintersRun> compute(const UnivariateRecord& rec, const HoltWintersSettings& st, bool seasonal,
                                      std::string& why) {
  const int d = seasonal ? st.period : 0;
  const int need = holt_winters_min_length(d);
  const std::optional<ForecastRange> range = current_range(st.range, series_choice(rec));
  if (!range || range->last - range->first + 1 < need) {
    why = seasonal ? "Need at least " + std::to_string(need) + " observations for period " + std::to_string(d)
                   : "Need at least 3 observations for Holt-Winters forecasting";
    return std::nullopt;
  }
  const std::vector<double> series = forecast_series(rec, range->original);
  HoltWintersRun run;
  run.observations.assign(series.begin() + (range->first - 1), series.begin() + range->last);
  HoltWintersOptions o;
  o.period = d;
  o.optimize = st.optimize;
  o.alpha = st.alpha;
  o.beta = st.beta;
  o.gamma = st.gamma;
  o.h = range->h;
  o.confidence = range->confidence;
  run.result = holt_winters_forecast(run.observations, o);
  if (run.result.status != HoltWintersStatus::Ok) {
    why = "The series is too short for this method";
    return std::nullopt;
  }
  run.span = {range->h, range->first, range->last, range->confidence};
  run.optimized = st.optimize;
  run.plot_bounds = !seasonal && range->plot_bounds;
  return run;
}

std::vector<std::string> report(const HoltWintersRun& run, bool seasonal) {
  return seasonal ? seasonal_holt_winters_report(run.result, run.span, run.optimized)
                  : holt_winters_report(run.result, run.span, run.optimized);
}

struct HoltWintersSettingsHolder {
  HoltWintersSettings settings;
};
class ListedHoltWintersDialog : private HoltWintersSettingsHolder, public HoltWintersDialog {
 public:
  explicit ListedHoltWintersDialog(bool seasonal) : HoltWintersDialog(settings, SeriesChoice{100, 100, 0}, seasonal) {}
};

}  // namespace

void holt_winters_command(Session& s, int entry, UnivariateRecord& rec, bool seasonal) {
  if (!rec.data_present()) return;
  HoltWintersSettings st = settings_of(rec, seasonal);
  HoltWintersDialog d(st, series_choice(rec), seasonal);
  if (!s.port.run_dialog(d)) return;
  std::string why;
  std::optional<HoltWintersRun> run = compute(rec, st, seasonal, why);
  if (!run) {
    s.port.message("ERROR", why);
    return;
  }
  // The fitted constants are the dialog's next starting values.
  st.alpha = run->result.alpha;
  st.beta = run->result.beta;
  if (seasonal) st.gamma = run->result.gamma;
  settings_of(rec, seasonal) = st;
  run_of(rec, seasonal) = std::move(run);
  refresh_holt_winters(s, entry, rec, seasonal);
}

void recompute_holt_winters(UnivariateRecord& rec, bool seasonal) {
  std::optional<HoltWintersRun>& run = run_of(rec, seasonal);
  if (!run) return;
  std::string why;
  run = compute(rec, settings_of(rec, seasonal), seasonal, why);
}

void refresh_holt_winters(Session& s, int entry, UnivariateRecord& rec, bool seasonal) {
  const std::optional<HoltWintersRun>& run = run_of(rec, seasonal);
  Window& w = s.desktop.graph(entry, slot_of(seasonal), rec.name);
  Window* info = s.desktop.find_info(entry, slot_of(seasonal));
  if (!run) {
    w.graph->clear();
    if (info) info->text->clear();
  } else {
    const HoltWintersResult& r = run->result;
    const bool bounds = run->plot_bounds;
    draw_forecast(*w.graph, run->observations, run->span.first, r.forecasts,
                  bounds ? std::span<const double>(r.lower) : std::span<const double>{},
                  bounds ? std::span<const double>(r.upper) : std::span<const double>{});
    if (info) write_lines(*info->text, report(*run, seasonal));
  }
  s.desktop.changed(w);
  if (info) s.desktop.changed(*info);
}

void write_holt_winters_info(Session& s, int entry, UnivariateRecord& rec, bool seasonal) {
  Window* g = s.desktop.find(entry, slot_of(seasonal));
  const std::optional<HoltWintersRun>& run = run_of(rec, seasonal);
  if (!g || !run) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_lines(*info.text, report(*run, seasonal));
  s.desktop.changed(info);
}

std::unique_ptr<Dialog> make_holt_winters_dialog() { return std::make_unique<ListedHoltWintersDialog>(false); }
std::unique_ptr<Dialog> make_seasonal_holt_winters_dialog() {
  return std::make_unique<ListedHoltWintersDialog>(true);
}

}  // namespace zelk
