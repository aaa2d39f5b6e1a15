#pragma once
// INFO texts of the vector AR fit, its forecasts and its residuals.
#include <string>
#include <vector>

#include "multivariate/var_predict.h"

namespace zelk {

// The model's matrices: " PHI(j)" blocks and the white-noise covariance
// under `v_heading`, one matrix row per line.
std::vector<std::string> var_model_lines(const VarModel& m, const std::string& v_heading);

// components: the project's component numbers the model was fitted to.
// searched: the order came from the minimum-AICC search.
std::vector<std::string> var_estimates_report(const VarModel& m, const std::vector<int>& components, bool searched);

// level: confidence in percent; z its normal quantile; first_time: the time
// index of the first forecast.
std::vector<std::string> var_forecast_report(const VarForecast& f, const std::vector<int>& components, int level,
                                             double z, int first_time);

// residuals per component from time first_time on.
std::vector<std::string> var_residuals_report(const VarModel& m, const std::vector<int>& components,
                                              const std::vector<std::vector<double>>& residuals, int first_time);

}  // namespace zelk
