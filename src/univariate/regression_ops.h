#pragma once
// The Regression menu: Specify, Least Squares, Generalized LS, Remove and
// Show fit, with the estimates report and the fit window.
#include <memory>

#include "port/dialog.h"

namespace zelk {

struct Session;
struct UnivariateRecord;

void specify_regression(Session& s, int entry, UnivariateRecord& rec);
void regression_least_squares(Session& s, int entry, UnivariateRecord& rec);
void regression_gls(Session& s, int entry, UnivariateRecord& rec);
void remove_regression(Session& s, int entry, UnivariateRecord& rec);
void show_regression_fit(Session& s, int entry, UnivariateRecord& rec);

// Window handlers: the fit graph follows the record; its INFO and the
// estimates report show the current estimate.
void refresh_regression_fit(Session& s, int entry, UnivariateRecord& rec);
void write_regression_fit_info(Session& s, int entry, UnivariateRecord& rec);
void refresh_regression_estimates(Session& s, int entry, UnivariateRecord& rec);

// A new model changes a trend fitted by generalized least squares: it is
// estimated again, silently (a failure keeps the old estimate).
void reestimate_gls(Session& s, int entry);

std::unique_ptr<Dialog> make_regression_dialog();
std::unique_ptr<Dialog> make_multivariate_read_dialog();

}  // namespace zelk
