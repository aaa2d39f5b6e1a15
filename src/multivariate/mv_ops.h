#pragma once
// The commands of multivariate projects: transformations, the project
// window and its summary, the sample CCF and the cross-spectrum.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "multivariate/cross_correlation.h"
#include "plot/document.h"
#include "project/multivariate_record.h"
#include "port/dialog.h"
#include "port/session.h"
#include "port/window.h"

namespace zelk {

void mv_difference(Session& s, int entry, MultivariateRecord& rec);
void mv_subtract_means(Session& s, int entry, MultivariateRecord& rec);
void mv_trim(Session& s, int entry, MultivariateRecord& rec);
void mv_undo(Session& s, int entry, MultivariateRecord& rec);

// One pane per active component; the INFO window, when open, gets the summary.
void plot_mv_project(Session& s, int entry, MultivariateRecord& rec);
void write_mv_summary(Session& s, int entry, MultivariateRecord& rec);

void show_ccf(Session& s, int entry, MultivariateRecord& rec);
void specify_ccf_lag(Session& s, int entry, MultivariateRecord& rec);
void refresh_ccf(Session& s, int entry, MultivariateRecord& rec);
void write_ccf_info(Session& s, int entry, MultivariateRecord& rec);

void show_cross_spectrum(Session& s, int entry, MultivariateRecord& rec);
void smooth_cross_spectrum(Session& s, int entry, MultivariateRecord& rec);
void refresh_cross_spectrum(Session& s, int entry, MultivariateRecord& rec);
void write_spectrum_info(Session& s, int entry, MultivariateRecord& rec);

// The active components, 0-based, and their 1-based numbers for reports.
std::vector<int> active_components(const MultivariateRecord& rec);
std::vector<int> numbers(const std::vector<int>& c);
// Rewrites the INFO window of a slot's graph, when the graph is open.
void write_info(Session& s, int entry, const MultivariateRecord& rec, Slot slot, const std::vector<std::string>& lines);
// Empties a slot's graph and its INFO window, when open.
void clear_window(Session& s, int entry, Slot slot);
// Replaces a text window's lines (a blank for an empty line, which would
// otherwise end the text).
void fill_text(Session& s, Window& w, const std::vector<std::string>& lines);
// Brings a slot's window to the front, when open.
void focus_window(Session& s, int entry, Slot slot);
// A command's result: drawn, kept and brought to the front, or refused with
// the message when it cannot be computed.
template <class Result, class Draw>
void show_result(Session& s, int entry, MultivariateRecord& rec, Slot slot, std::optional<Result> r, Draw draw,
                 const char* title, const char* why);
// A window following new data or a new model: redrawn and its result kept
// when the result can still be computed, else emptied and the result dropped.
template <class Result, class Draw>
void redraw_or_clear(Session& s, int entry, MultivariateRecord& rec, Slot slot, std::optional<Result> r, Draw draw) {
  if (!r) {
    rec.derived.reset<Result>();
    clear_window(s, entry, slot);
    return;
  }
  draw(s, entry, rec, *r);
  rec.derived.get<Result>() = std::move(*r);
}

template <class Result, class Draw>
void show_result(Session& s, int entry, MultivariateRecord& rec, Slot slot, std::optional<Result> r, Draw draw,
                 const char* title, const char* why) {
  if (!r) {
    s.port.message(title, why, Buttons::Ok);
    return;
  }
  draw(s, entry, rec, *r);
  rec.derived.get<Result>() = std::move(*r);
  focus_window(s, entry, slot);
}
// A component's name for captions ("Series 2" when it has none).
std::string component_label(const MultivariateRecord& rec, int j);
// The panes of a sample CCF, one per pair, with bounds +-1.96/sqrt(n).
void draw_ccf_panes(GraphDocument& g, const SampleCcf& ccf, int n, const MultivariateRecord& rec,
                    const std::vector<int>& components, const std::string& title);

std::unique_ptr<Dialog> make_mv_difference_dialog();
std::unique_ptr<Dialog> make_mv_trim_dialog();

}  // namespace zelk
