// The three smoothing commands: dialog with preview, smoothing, MSE, graph
// and report. The series itself never changes.
#include <cmath>
#include <numeric>

#include "forecast/method_ops.h"
#include "forecast/smoothing.h"
#include "forecast/windows.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

Slot slot_of(Smoother which) {
  switch (which) {
    case Smoother::Exponential: return windows::ExponentialSmoothing;
    case Smoother::Fft: return windows::FftSmoothing;
    case Smoother::MovingAverage: break;
  }
  return windows::MovingAverageSmoothing;
}

std::vector<double>& series_of(UnivariateRecord& rec, Smoother which) {
  switch (which) {
    case Smoother::Exponential: return rec.results.exp_smooth;
    case Smoother::Fft: return rec.results.fft_smooth;
    case Smoother::MovingAverage: break;
  }
  return rec.results.ma_smooth;
}

std::optional<SmoothingRun>& run_of(UnivariateRecord& rec, Smoother which) {
  SmoothingRuns& r = rec.derived.get<SmoothingRuns>();
  switch (which) {
    case Smoother::Exponential: return r.exponential;
    case Smoother::Fft: return r.fft;
    case Smoother::MovingAverage: break;
  }
  return r.moving_average;
}

// Smooths the working series with `st`, keeping the result in the record.
// An alpha of -1 is replaced by the best value on the grid.
bool smooth(UnivariateRecord& rec, Smoother which, SmoothingSettings& st) {
  const std::vector<double>& x = rec.x;
  std::vector<double> out;
  SmoothingRun run;
  switch (which) {
    case Smoother::Exponential:
      if (st.alpha == -1) st.alpha = best_exponential_alpha(x);
      out = exponential_smooth(x, st.alpha).smoothed;
      run.parameter = st.alpha;
      break;
    case Smoother::Fft:
      out = fft_smooth(x, st.cutoff);
      run.parameter = st.cutoff;
      break;
    case Smoother::MovingAverage: {
      auto s = moving_average_smooth(x, st.weights);
      if (!s) return false;
      out = std::move(*s);
      break;
    }
  }
  run.mse = smoothing_mse(x, out);
  series_of(rec, which) = std::move(out);
  run_of(rec, which) = run;
  return true;
}

std::vector<std::string> report(const SmoothingRun& run, Smoother which) {
  switch (which) {
    case Smoother::Exponential: return exponential_smoothing_report(run.parameter, run.mse);
    case Smoother::Fft: return fft_smoothing_report(run.parameter, run.mse);
    case Smoother::MovingAverage: break;
  }
  return moving_average_report(run.mse);
}

struct SmoothingSettingsHolder {
  SmoothingSettings settings;
};
class ListedSliderDialog : private SmoothingSettingsHolder, public SliderSmoothDialog {
 public:
  explicit ListedSliderDialog(Kind kind) : SliderSmoothDialog(kind, settings) {}
};
class ListedMovingAverageDialog : private SmoothingSettingsHolder, public MovingAverageDialog {
 public:
  ListedMovingAverageDialog() : MovingAverageDialog(settings) {}
};

}  // namespace

void smoothing_command(Session& s, int entry, UnivariateRecord& rec, Smoother which) {
  if (!rec.data_present()) return;
  SmoothingSettings st = rec.kept.get<SmoothingSettings>();
  // What Cancel brings back after a preview.
  const std::vector<double> before = series_of(rec, which);
  const std::optional<SmoothingRun> run_before = run_of(rec, which);
  const bool was_open = s.desktop.find(entry, slot_of(which)) != nullptr;
  SmoothingPreview preview;
  preview.apply = [&](const SmoothingSettings& trial) {
    SmoothingSettings t = trial;
    if (smooth(rec, which, t)) refresh_smoothing(s, entry, rec, which);
  };
  preview.restore = [&] {
    series_of(rec, which) = before;
    run_of(rec, which) = run_before;
    if (was_open)
      refresh_smoothing(s, entry, rec, which);
    else if (Window* w = s.desktop.find(entry, slot_of(which)))
      s.desktop.close(w->id);
  };
  bool accepted = false;
  if (which == Smoother::MovingAverage) {
    MovingAverageDialog d(st, preview);
    accepted = s.port.run_dialog(d);
  } else {
    SliderSmoothDialog d(which == Smoother::Exponential ? SliderSmoothDialog::Kind::Exponential
                                                        : SliderSmoothDialog::Kind::Fft,
                         st, preview);
    accepted = s.port.run_dialog(d);
  }
  if (!accepted || !smooth(rec, which, st)) return;
  rec.kept.get<SmoothingSettings>() = st;
  refresh_smoothing(s, entry, rec, which);
}

void recompute_smoothing(UnivariateRecord& rec, Smoother which) {
  const std::optional<SmoothingRun>& run = run_of(rec, which);
  if (!run) return;
  SmoothingSettings st = rec.kept.get<SmoothingSettings>();
  // The value in use, not a -1 that asked for it.
  if (which == Smoother::Exponential) st.alpha = run->parameter;
  if (which == Smoother::Fft) st.cutoff = run->parameter;
  if (!rec.data_present() || !smooth(rec, which, st)) {
    series_of(rec, which).clear();
    run_of(rec, which).reset();
  }
}

void refresh_smoothing(Session& s, int entry, UnivariateRecord& rec, Smoother which) {
  const std::optional<SmoothingRun>& run = run_of(rec, which);
  const std::vector<double>& smoothed = series_of(rec, which);
  Window& w = s.desktop.graph(entry, slot_of(which), rec.name);
  Window* info = s.desktop.find_info(entry, slot_of(which));
  GraphDocument& g = *w.graph;
  g.clear();
  g.x_title = "Time";
  if (run && smoothed.size() == rec.x.size() && rec.data_present()) {
    std::vector<double> t(rec.x.size());
    std::iota(t.begin(), t.end(), static_cast<double>(rec.first));
    g.add_curve_pane(1, t, rec.x);
    g.add_overlay(1, Overlay{t, smoothed, 3, false});
    if (info) write_lines(*info->text, report(*run, which));
  } else if (info) {
    info->text->clear();
  }
  s.desktop.changed(w);
  if (info) s.desktop.changed(*info);
}

void write_smoothing_info(Session& s, int entry, UnivariateRecord& rec, Smoother which) {
  Window* g = s.desktop.find(entry, slot_of(which));
  const std::optional<SmoothingRun>& run = run_of(rec, which);
  if (!g || !run) return;
  Window& info = s.desktop.info(*g, rec.name);
  write_lines(*info.text, report(*run, which));
  s.desktop.changed(info);
}

std::unique_ptr<Dialog> make_exponential_smoothing_dialog() {
  return std::make_unique<ListedSliderDialog>(SliderSmoothDialog::Kind::Exponential);
}
std::unique_ptr<Dialog> make_fft_smoothing_dialog() {
  return std::make_unique<ListedSliderDialog>(SliderSmoothDialog::Kind::Fft);
}
std::unique_ptr<Dialog> make_moving_average_dialog() { return std::make_unique<ListedMovingAverageDialog>(); }

}  // namespace zelk
