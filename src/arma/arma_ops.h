#pragma once
// The Model menu commands of a univariate project: Specify, AR/MA Infinity,
// Switch to invertible, Preliminary and Max likelihood with their reports,
// and the residual analysis.
#include <memory>

#include "port/dialog.h"

namespace zelk {

struct Session;
struct UnivariateRecord;
struct FitResult;

void specify_model(Session& s, int entry, UnivariateRecord& rec);
void ar_ma_infinity(Session& s, int entry, UnivariateRecord& rec);
void write_ar_ma_infinity(Session& s, int entry, UnivariateRecord& rec);
void switch_to_invertible(Session& s, int entry, UnivariateRecord& rec);
void max_likelihood(Session& s, int entry, UnivariateRecord& rec);
// Fits every order in a box and keeps the model of least AICC.
void auto_fit_command(Session& s, int entry, UnivariateRecord& rec);

// The mean handling every estimation starts with: the "No intercept included
// in regression function " warning, or the "Subtract Mean?" question when no
// mean has been subtracted.
void handle_mean(Session& s, int entry, UnivariateRecord& rec);

// Recomputes the one-step residuals of the working series under the model
// (cleared when there are no data, the model is not causal or the series is
// identically zero; fractional models compute them on demand).
void update_residuals(UnivariateRecord& rec);

// The likelihood of the record's model on its working series with criterion
// -1 (maximum likelihood) or 0 (least squares): stores the criterion in the
// settings, S/n, l, -2 ln L at the model's variance and AICC with all p+q
// coefficients counted in the fit, and the residuals.
// Returns -1 when the AR part is not causal or the series is identically zero.
int record_likelihood(UnivariateRecord& rec, int criterion);

// For the residual commands: computes the residuals when they are missing
// (fractional models, whose residuals the refresh leaves out).
void ensure_residuals(UnivariateRecord& rec);

// After a stored change of the model: residuals, then every open window.
void model_changed(Session& s, int entry, UnivariateRecord& rec);

// Preliminary estimation: the whole command, ending with the report and
// "model changed".
void preliminary_estimation(Session& s, int entry, UnivariateRecord& rec);

// Residual analysis of the rescaled one-step residuals. The commands do
// nothing without residuals; the draw/refresh functions redraw an open
// window from the record (emptying it when the residuals are gone).
void plot_residuals(Session& s, int entry, UnivariateRecord& rec);
void draw_residual_plot(Session& s, int entry, UnivariateRecord& rec);
void write_residual_plot_info(Session& s, int entry, UnivariateRecord& rec);
// Draws the window, or steps its panes when it is open.
void residual_acf(Session& s, int entry, UnivariateRecord& rec);
void draw_residual_acf(Session& s, int entry, UnivariateRecord& rec);
void write_residual_acf_info(Session& s, int entry, UnivariateRecord& rec);
// Asks for h; the refresh rewrites an open test window with the default h.
void tests_of_randomness(Session& s, int entry, UnivariateRecord& rec);
void refresh_randomness(Session& s, int entry, UnivariateRecord& rec);

// Model > Simulate: the "ARMA Simulation" dialog, the series from the model
// with the chosen components put back, into this project or a new one.
void simulate(Session& s, int entry, UnivariateRecord& rec);

// Dialogs in their default state, for the dialog listing.
std::unique_ptr<Dialog> make_specify_model_dialog();
std::unique_ptr<Dialog> make_mle_dialog();
std::unique_ptr<Dialog> make_constrain_dialog();
std::unique_ptr<Dialog> make_mle_continue_dialog();
std::unique_ptr<Dialog> make_subtract_mean_dialog();
std::unique_ptr<Dialog> make_fractional_mle_dialog();
std::unique_ptr<Dialog> make_auto_fit_dialog();
std::unique_ptr<Dialog> make_preliminary_dialog();
std::unique_ptr<Dialog> make_preliminary_continue_dialog();
std::unique_ptr<Dialog> make_randomness_dialog();
std::unique_ptr<Dialog> make_simulation_dialog();
std::unique_ptr<Dialog> make_noise_dialog();

}  // namespace zelk
