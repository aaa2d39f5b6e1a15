#pragma once
// Dialogs of the vector AR commands. Each starts from its settings struct
// and writes the accepted values back into it on OK.
#include <string>

#include "multivariate/var.h"
#include "port/dialog.h"

namespace zelk {

struct VarEstimationSettings {
  int order = 1;
  bool minimize_aicc = false;
};

// "Multivariate Yule-Walker Estimation" / "Multivariate Burg Estimation".
// limit = min((n m - 2) div m^2, 21) with m the project's component count.
class VarEstimationDialog : public Dialog {
 public:
  VarEstimationDialog(VarMethod method, VarEstimationSettings& settings, int limit);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

 private:
  VarEstimationSettings& settings_;
  int limit_;
};

struct VarForecastSettings {
  int count = 10;        // h
  bool full_data = true;
  int endpoint = 0;      // T when full_data is off; 0: not yet set (n)
  bool undifference = false;
  int level = 95;
  bool plot_bounds = true;
};

// "Multivariate AR Forecasting": n observations, model order p.
class VarForecastDialog : public Dialog {
 public:
  VarForecastDialog(VarForecastSettings& settings, int n, int p);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

 private:
  VarForecastSettings& settings_;
  int n_, p_;
};

struct VarSimulationDialogSettings {
  int count = 100;
  int seed = 1;
  int burn_in = 50;
  bool add_mean = true;
  bool include_differencing = false;
  bool new_project = false;
};

// "Multivariate AR Simulation": p the model's order.
class VarSimulationDialog : public Dialog {
 public:
  VarSimulationDialog(VarSimulationDialogSettings& settings, int p);
  bool accept(UiPort& port) override;

 private:
  VarSimulationDialogSettings& settings_;
  int p_;
};

// "Specify Lag" of the sample CCF; a count below 1 is refused.
class CcfLagDialog : public Dialog {
 public:
  explicit CcfLagDialog(int& lags);
  bool accept(UiPort& port) override;

 private:
  int& lags_;
};

}  // namespace zelk
