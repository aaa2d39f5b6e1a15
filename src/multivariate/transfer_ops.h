#pragma once
// The transfer-function commands of multivariate projects: specify,
// estimate, forecast, and the residuals W(t) with their ACF.
namespace zelk {

struct Session;
struct MultivariateRecord;

void transfer_specify(Session& s, int entry, MultivariateRecord& rec);
void transfer_estimate(Session& s, int entry, MultivariateRecord& rec);
void transfer_prediction(Session& s, int entry, MultivariateRecord& rec);
void transfer_plot_residuals(Session& s, int entry, MultivariateRecord& rec);
void transfer_residual_acf(Session& s, int entry, MultivariateRecord& rec);

void refresh_transfer_residuals(Session& s, int entry, MultivariateRecord& rec);
void write_transfer_residuals_info(Session& s, int entry, MultivariateRecord& rec);
void refresh_transfer_residual_acf(Session& s, int entry, MultivariateRecord& rec);
void write_transfer_residual_acf_info(Session& s, int entry, MultivariateRecord& rec);
void refresh_transfer_forecast(Session& s, int entry, MultivariateRecord& rec);
void write_transfer_forecast_info(Session& s, int entry, MultivariateRecord& rec);

}  // namespace zelk
