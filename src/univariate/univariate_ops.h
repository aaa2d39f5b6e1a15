#pragma once
// The univariate commands of the Transform, Statistics and ACF/PACF menus
// and the redrawing of their windows, as registered in the operation table.
#include <memory>
#include <string>

#include "port/dialog.h"
#include "port/window.h"

namespace zelk {

struct Session;
struct UnivariateRecord;

// Largest lag count and bin count accepted: beyond them the arrays and the
// reports would only grow without showing anything more.
inline constexpr int kMaxLags = 10000;
inline constexpr int kMaxBins = 10000;

// Summary INFO of the project window (written when its INFO window is open).
void write_summary_info(Session& s, int entry, UnivariateRecord& rec);

// ACF/PACF window: recomputes and draws what the display mode asks for.
void draw_acf_window(Session& s, int entry, UnivariateRecord& rec);
void write_acf_info(Session& s, int entry, UnivariateRecord& rec);
void specify_lag(Session& s, int entry, UnivariateRecord& rec);

// Histograms of the series and of the residuals; k = 0 for the default count.
void draw_histogram(Session& s, int entry, UnivariateRecord& rec, int k);
void draw_residual_histogram(Session& s, int entry, UnivariateRecord& rec, int k);
void default_histogram(Session& s, int entry, UnivariateRecord& rec);
void set_histogram_bins(Session& s, int entry, UnivariateRecord& rec, bool residuals);
void write_histogram_info(Session& s, int entry, UnivariateRecord& rec);
void write_residual_histogram_info(Session& s, int entry, UnivariateRecord& rec);

// Transformations; each ends with the project's windows redrawn.
void difference(Session& s, int entry, UnivariateRecord& rec);
void box_cox(Session& s, int entry, UnivariateRecord& rec);
void classical(Session& s, int entry, UnivariateRecord& rec);
void show_classical_fit(Session& s, int entry, UnivariateRecord& rec);
void write_fit_info(Session& s, int entry, UnivariateRecord& rec);
void subtract_mean(Session& s, int entry, UnivariateRecord& rec);
void subsequence(Session& s, int entry, UnivariateRecord& rec);
void undo_transformation(Session& s, int entry, UnivariateRecord& rec);

// After a change of the series: every feature told, windows redrawn.
void series_changed(Session& s, int entry, UnivariateRecord& rec);

// The INFO window of a slot's graph when it is open.
Window* open_info(Session& s, int entry, Slot slot);

// Dialogs in their default state, for the dialog listing.
std::unique_ptr<Dialog> make_specify_lag_dialog();
std::unique_ptr<Dialog> make_histogram_bins_dialog();
std::unique_ptr<Dialog> make_difference_dialog();
std::unique_ptr<Dialog> make_subsequence_dialog();
std::unique_ptr<Dialog> make_box_cox_dialog();
std::unique_ptr<Dialog> make_classical_dialog();

}  // namespace zelk
