#pragma once
// The vector AR commands of multivariate projects: estimation by
// Yule-Walker or Burg, forecasts, residuals and their CCF, simulation.
#include <string>
#include <vector>

namespace zelk {

struct Session;
struct MultivariateRecord;

void var_yule_walker(Session& s, int entry, MultivariateRecord& rec);
void var_burg(Session& s, int entry, MultivariateRecord& rec);
void var_prediction(Session& s, int entry, MultivariateRecord& rec);
void var_plot_residuals(Session& s, int entry, MultivariateRecord& rec);
void var_residual_ccf(Session& s, int entry, MultivariateRecord& rec);
void var_simulate(Session& s, int entry, MultivariateRecord& rec);

void refresh_var_forecast(Session& s, int entry, MultivariateRecord& rec);
void write_var_forecast_info(Session& s, int entry, MultivariateRecord& rec);
void refresh_var_residuals(Session& s, int entry, MultivariateRecord& rec);
void write_var_residuals_info(Session& s, int entry, MultivariateRecord& rec);
void refresh_var_residual_ccf(Session& s, int entry, MultivariateRecord& rec);
void write_var_residual_ccf_info(Session& s, int entry, MultivariateRecord& rec);

bool has_var_model(const MultivariateRecord& rec);
// The project summary's closing lines: the order and, from order 1, the matrices.
std::vector<std::string> var_summary_lines(const MultivariateRecord& rec);

}  // namespace zelk
