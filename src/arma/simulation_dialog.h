#pragma once
// "ARMA Simulation" and its "Noise distributions" dialog: what to simulate,
// which of the project's components to put back, and where the series goes.
#include <cstdint>

#include "arma/simulate.h"
#include "model/transforms.h"
#include "port/dialog.h"

namespace zelk {

// The choices kept with the project between simulations.
struct SimulationSettings {
  int n = 100;
  std::int32_t seed = 1;
  BackSteps chosen;  // components put back
  bool new_project = false;
  NoiseSettings noise;
};

class SimulationDialog : public Dialog {
 public:
  // aux_rows: the last time the regression trend can give (auxiliary columns).
  SimulationDialog(const SimulationSettings& settings, double sigma2, const BackSteps& available, bool fractional,
                   int aux_rows);
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  // The settings as entered (the noise law also after Cancel) and the variance.
  const SimulationSettings& settings() const { return settings_; }
  double sigma2() const { return sigma2_; }

 private:
  void show_noise();
  SimulationSettings settings_;
  double sigma2_;
  int aux_rows_;
};

class NoiseDialog : public Dialog {
 public:
  explicit NoiseDialog(const NoiseSettings& settings);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  const NoiseSettings& settings() const { return settings_; }

 private:
  void enable_parameters();
  NoiseSettings settings_;
};

}  // namespace zelk
