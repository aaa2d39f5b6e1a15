// The ARAR forecast command: dialog, the method, its graph and report.
#include <string>

#include "forecast/method_ops.h"
#include "forecast/windows.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

// The dialog refuses fewer; a kept range is held to the same rule when the
// series changes under it.
constexpr int kArarMinimum = 30;

// Runs the method on the record's series; the reason in `why` when it cannot.
std::optional<ArarRun> compute(const UnivariateRecord& rec, const ArarSettings& st, std::string& why) {
  const std::optional<ForecastRange> range = current_range(st.range, series_choice(rec));
  if (!range || range->last - range->first + 1 < kArarMinimum) {
    why = "Need at least 30 observations to run ARAR";
    return std::nullopt;
  }
  const std::vector<double> series = forecast_series(rec, range->original);
  ArarRun run;
  run.observations.assign(series.begin() + (range->first - 1), series.begin() + range->last);
  ArarOptions o;
  o.h = range->h;
  o.criterion = st.criterion;
  o.skip_shortening = !st.shortening;
  o.confidence = range->confidence;
  run.result = arar_forecast(run.observations, o);
  if (run.result.status != ArarStatus::Ok) {
    why = arar_status_message(run.result.status);
    return std::nullopt;
  }
  run.span = {range->h, range->first, range->last, range->confidence};
  run.skipped = !st.shortening;
  run.criterion = st.criterion;
  run.plot_bounds = range->plot_bounds;
  return run;
}

std::vector<std::string> report(const ArarRun& run) {
  return arar_report(run.result, run.span, run.skipped, run.criterion);
}

// Holds the settings a listed dialog edits.
struct ArarSettingsHolder {
  ArarSettings settings;
};
class ListedArarDialog : private ArarSettingsHolder, public ArarDialog {
 public:
  ListedArarDialog() : ArarDialog(settings, SeriesChoice{100, 100, 0}) {}
};

}  // namespace

void arar_command(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  ArarSettings st = rec.kept.get<ArarSettings>();
  ArarDialog d(st, series_choice(rec));
  if (!s.port.run_dialog(d)) return;
  std::string why;
  std::optional<ArarRun> run = compute(rec, st, why);
  if (!run) {
    s.port.message("ERROR", why);
    return;
  }
  rec.kept.get<ArarSettings>() = st;
  rec.derived.get<std::optional<ArarRun>>() = std::move(run);
  refresh_arar(s, entry, rec);
}

void recompute_arar(UnivariateRecord& rec) {
  std::optional<ArarRun>& run = rec.derived.get<std::optional<ArarRun>>();
  if (!run) return;
  std::string why;
  run = compute(rec, rec.kept.get<ArarSettings>(), why);
}

void refresh_arar(Session& s, int entry, UnivariateRecord& rec) {
  const std::optional<ArarRun>& run = rec.derived.get<std::optional<ArarRun>>();
  Window& w = s.desktop.graph(entry, windows::ArarForecast, rec.name);
  Window* info = s.desktop.find_info(entry, windows::ArarForecast);
  if (!run) {
    w.graph->clear();
    if (info) info->text->clear();
  } else {
    const ArarResult& r = run->result;
    const bool bounds = run->plot_bounds;
    draw_forecast(*w.graph, run->observations, run->span.first, r.forecasts,
                  bounds ? std::span<const double>(r.lower) : std::span<const double>{},
                  bounds ? std::span<const double>(r.upper) : std::span<const double>{});
    if (info) write_lines(*info->text, report(*run));
  }
  s.desktop.changed(w);
  if (info) s.desktop.changed(*info);
}

void write_arar_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::ArarForecast);
  const std::optional<ArarRun>* run = rec.derived.find<std::optional<ArarRun>>();
  if (!g || !run || !*run) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_lines(*info.text, report(**run));
  s.desktop.changed(info);
}

std::unique_ptr<Dialog> make_arar_dialog() { return std::make_unique<ListedArarDialog>(); }

}  // namespace zelk
