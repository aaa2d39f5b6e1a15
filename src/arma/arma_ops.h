#pragma once
// The Model menu commands of a univariate project: Specify, AR/MA Infinity,
// Switch to invertible and Max likelihood, with their reports.
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

// Dialogs in their default state, for the dialog listing.
std::unique_ptr<Dialog> make_specify_model_dialog();
std::unique_ptr<Dialog> make_mle_dialog();
std::unique_ptr<Dialog> make_constrain_dialog();
std::unique_ptr<Dialog> make_mle_continue_dialog();
std::unique_ptr<Dialog> make_subtract_mean_dialog();
std::unique_ptr<Dialog> make_fractional_mle_dialog();

}  // namespace zelk
