// Model > Simulate: a series from the project's model into the project or a
// new one, with the chosen components of the project put back.
#include <limits>

#include "arma/arma_ops.h"
#include "arma/simulate.h"
#include "arma/simulation_dialog.h"
#include "files/project_ops.h"
#include "model/classical.h"
#include "model/regression_design.h"
#include "model/transforms.h"
#include "numeric/finite.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

constexpr const char* kSimulationCaption = "ARMA Simulation";

// One stream for the whole program, so that seed 0 continues and seed 1
// restarts whatever project simulated last.
NormalStream& normal_stream() {
  static NormalStream stream;
  return stream;
}

int regression_rows(const UnivariateRecord& rec) {
  return rec.regression.estimation != 0 ? regression_rows_available(regression_spec(rec.regression))
                                        : std::numeric_limits<int>::max();
}

// The chosen components back on y by their inverses, newest first: the
// regression trend, then the transformation list from its newest node.
std::vector<double> put_back(std::vector<double> y, const UnivariateRecord& rec, const BackSteps& chosen) {
  const RegressionTrend& g = rec.regression;
  if (chosen.regression && g.estimation != 0) {
    const RegressionSpec terms = regression_spec(g);
    if (static_cast<int>(g.coefficients.size()) == terms.regressor_count()) {
      const std::vector<double> trend =
          regression_trend(design_matrix(terms, rec.n(), 1, static_cast<int>(y.size())), g.coefficients);
      for (std::size_t i = 0; i < y.size(); ++i) y[i] += trend[i];
    }
  }
  std::size_t fitted_length = rec.x.size();  // of the series each node was applied to
  TimeIndices unused;
  for (auto node = rec.transforms.rbegin(); node != rec.transforms.rend(); ++node) {
    switch (node->kind) {
      case TransformKind::Subsequence:
        // The simulated series stands for the kept stretch: nothing to put back.
        fitted_length += node->values_before.size() + node->values_after.size();
        break;
      case TransformKind::SubtractMean:
        if (chosen.mean) invert(*node, y, unused);
        break;
      case TransformKind::Difference:
        fitted_length += static_cast<std::size_t>(node->lag);
        if (chosen.undifference) invert(*node, y, unused);
        break;
      case TransformKind::Classical:
      case TransformKind::ClassicalHarmonic:
        if (chosen.trend_seasonal) {
          const std::vector<double> curve = classical_curve(*node, fitted_length, y.size());
          for (std::size_t i = 0; i < y.size(); ++i) y[i] += curve[i];
        }
        break;
      case TransformKind::BoxCox:
        if (chosen.box_cox) invert(*node, y, unused);
        break;
    }
  }
  return y;
}

// Why nothing was simulated, or empty.
std::string refusal(SimulationStatus status) {
  switch (status) {
    case SimulationStatus::NotCausal:
      return "The model is not causal (or, fractionally integrated, not stationary): it cannot be simulated.";
    case SimulationStatus::Refused: return "The noise values could not be drawn with these settings: nothing was simulated.";
    case SimulationStatus::Ok:
    case SimulationStatus::Cancelled: break;
  }
  return {};
}

}  // namespace

std::unique_ptr<Dialog> make_simulation_dialog() {
  return std::make_unique<SimulationDialog>(SimulationSettings{}, 1.0, BackSteps{}, false,
                                            std::numeric_limits<int>::max());
}

std::unique_ptr<Dialog> make_noise_dialog() { return std::make_unique<NoiseDialog>(NoiseSettings{}); }

void simulate(Session& s, int entry, UnivariateRecord& rec) {
  SimulationDialog d(rec.kept.get<SimulationSettings>(),
                     rec.model.sigma2, available_steps(rec.transforms, rec.regression.estimation != 0),
                     rec.model.fractional, regression_rows(rec));
  const bool ok = s.port.run_dialog(d);
  // A law chosen in "Noise distributions" stays, whatever happens next.
  rec.kept.get<SimulationSettings>().noise = d.settings().noise;
  if (!ok) return;
  const SimulationSettings settings = d.settings();
  rec.kept.get<SimulationSettings>() = settings;

  const SimulationRequest request{settings.n, d.sigma2(), settings.noise, settings.seed};
  const Simulation sim =
      simulate_arma(rec.model, request, normal_stream(), [&s](int percent) {
        s.port.progress_note("Simulating: " + std::to_string(percent) + " %");
        return s.progress(percent);
      });
  if (sim.status != SimulationStatus::Ok) {
    if (const std::string why = refusal(sim.status); !why.empty()) s.port.message("ERROR", why, Buttons::Ok);
    return;
  }
  std::vector<double> y = put_back(std::move(sim.x), rec, settings.chosen);
  if (!numeric::all_within(y, numeric::kLargestDataValue)) {
    s.port.message("ERROR",
                   "The simulated values are too large to analyse: values must be at most 1E+100 in size. Nothing "
                   "was changed.",
                   Buttons::Ok);
    return;
  }

  int target = entry;
  if (settings.new_project) {
    target = find_free_entry(s);
    if (target == 0) return;
    create_univariate_project(s, target);
    UnivariateRecord& fresh = *s.projects.univariate(target);
    fresh.model = rec.model;
    // The new project simulates into itself unless told otherwise.
    SimulationSettings& kept = fresh.kept.get<SimulationSettings>();
    kept = settings;
    kept.new_project = false;
  }
  UnivariateRecord& dest = *s.projects.univariate(target);
  install_series(s, target, dest, std::move(y));
  dest.name = kSimulationCaption;
  s.desktop.recaption(target, dest.name);
  s.projects.set_current(target);
  if (Window* w = s.desktop.find(target, windows::Project)) s.desktop.focus(w->id);
}

}  // namespace zelk
