#pragma once
// The INFO texts of transfer-function models: the model text, the
// estimates, the residuals and their ACF, the forecasts.
#include <string>
#include <vector>

#include "model/transfer_model.h"
#include "multivariate/transfer.h"

namespace zelk {

// "X(t,o) = T(B) X(t,i) + N(t)", the fraction T(B), the input model and the
// noise model, with their white-noise variances.
std::vector<std::string> transfer_model_text(const TransferModel& m);

std::vector<std::string> transfer_estimates_report(const TransferModel& m, double aicc, double step);

// W(t) from time `first` (1-based).
std::vector<std::string> transfer_residuals_report(const TransferModel& m, const std::vector<double>& w, int first);

// rho(0..L) of W.
std::vector<std::string> transfer_residual_acf_report(const std::vector<double>& acf);

// Forecasts of times first..first+h-1 with their bounds.
std::vector<std::string> transfer_forecast_report(const TransferModel& m, const TransferForecast& f, int level,
                                                  double z, int first);

}  // namespace zelk
