#pragma once
// Forecasting > ARMA: the dialog, the predictors of the working series, the
// way back to the units of the data, the graph and its INFO report.
#include <memory>

#include "port/dialog.h"

namespace zelk {

struct Session;
struct UnivariateRecord;

void arma_forecast(Session& s, int entry, UnivariateRecord& rec);
// The window follows the series and the model with the choices last made.
void refresh_arma_forecast(Session& s, int entry, UnivariateRecord& rec);
void write_arma_forecast_info(Session& s, int entry, UnivariateRecord& rec);

std::unique_ptr<Dialog> make_arma_forecast_dialog();

}  // namespace zelk
