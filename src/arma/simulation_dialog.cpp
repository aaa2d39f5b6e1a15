#include "arma/simulation_dialog.h"

#include <cmath>
#include <string>

#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

constexpr const char* kErrorTitle = "ERROR";
constexpr const char* kNoiseErrorTitle = "ZELK Error";

// The one refusal: message, focus back on the field, dialog stays open.
bool refuse(Dialog& d, UiPort& port, const char* title, const std::string& text, const char* key) {
  port.message(title, text);
  d.set_focus(key);
  return false;
}

struct StepBox {
  const char* key;
  const char* label;
  bool BackSteps::*flag;
};

constexpr StepBox kStepBoxes[] = {
    {"mean", "Add mean to series.", &BackSteps::mean},
    {"regression", "Include regression trend function.", &BackSteps::regression},
    {"seasonal", "Add seasonal component/trend to series.", &BackSteps::trend_seasonal},
    {"box_cox", "Add Box-Cox transformation.", &BackSteps::box_cox},
    {"differencing", "Include differencing component.", &BackSteps::undifference},
};

struct LawButton {
  const char* key;
  const char* label;
};

// In the order of NoiseLaw.
constexpr LawButton kLaws[] = {
    {"normal", "Normal(0,sigma^2)"},      {"gamma", "Gamma(alpha)"},
    {"lognormal", "Lognormal(mu, sigma)"}, {"stable", "Stable (alpha, beta)"},
    {"t", "t-distribution (df)"},          {"weibull", "Symmetric Weibull (alpha)"},
};

struct Parameter {
  const char* key;
  const char* label;
  NoiseLaw law;
  double NoiseSettings::*value;
  const char* refusal;  // when the value is outside its domain
  bool (*inside)(double);
};

bool positive(double v) { return v > 0; }
bool any_number(double) { return true; }
bool stable_exponent(double v) { return v > 0 && v <= 2; }
bool skewness(double v) { return v >= -1 && v <= 1; }

constexpr Parameter kParameters[] = {
    {"gamma_alpha", "Enter alpha > 0.", NoiseLaw::Gamma, &NoiseSettings::gamma_alpha, "Parameter must be positive",
     positive},
    {"lognormal_mu", "Enter mu.", NoiseLaw::Lognormal, &NoiseSettings::lognormal_mu, "Parameter must be a number",
     any_number},
    {"lognormal_sigma", "Enter sigma > 0.", NoiseLaw::Lognormal, &NoiseSettings::lognormal_sigma,
     "Parameter must be positive", positive},
    {"stable_alpha", "Enter alpha > 0.", NoiseLaw::Stable, &NoiseSettings::stable_alpha,
     "Alpha must be between 0 and 2.", stable_exponent},
    {"stable_beta", "Enter beta in [-1,1].", NoiseLaw::Stable, &NoiseSettings::stable_beta,
     "Beta must be between -1 and 1.", skewness},
    {"t_df", "Enter degrees of freedom > 0.", NoiseLaw::T, &NoiseSettings::t_df, "Degrees of freedom must be positive",
     positive},
    {"weibull_alpha", "Enter shape parameter alpha>0.", NoiseLaw::SymmetricWeibull, &NoiseSettings::weibull_alpha,
     "Parameter must be positive", positive},
};

std::string four(double v) { return trim(format_decimals(v, 4)); }

}  // namespace

// ------------------------------------------------------------ ARMA Simulation

SimulationDialog::SimulationDialog(const SimulationSettings& settings, double sigma2, const BackSteps& available,
                                   bool fractional, int aux_rows)
    : Dialog("ARMA Simulation"), settings_(settings), sigma2_(sigma2), aux_rows_(aux_rows) {
  if (fractional) settings_.noise.law = NoiseLaw::Normal;
  add(ControlKind::Edit, "n", "Number of observations.").text = std::to_string(settings_.n);
  add(ControlKind::Edit, "seed", "Enter seed.").text = std::to_string(settings_.seed);
  add(ControlKind::Edit, "variance", "Enter white noise variance.").text = trim(format_significant(sigma2, 10));
  for (const StepBox& b : kStepBoxes) {
    Control& c = add(ControlKind::Check, b.key, b.label);
    c.enabled = available.*b.flag;
    c.checked = c.enabled && settings_.chosen.*b.flag;
  }
  add(ControlKind::Static, "noise", "Current noise distribution is ");
  add(ControlKind::Button, "change_noise", "Change noise distribution").enabled = !fractional;
  add(ControlKind::Radio, "current", "Import  to current project.", "destination").checked = !settings_.new_project;
  add(ControlKind::Radio, "new", "Create new project.", "destination").checked = settings_.new_project;
  show_noise();
  set_focus("n");
}

void SimulationDialog::show_noise() {
  control("noise").text = noise_name(settings_.noise.law);
}

void SimulationDialog::button_pressed(std::string_view key, UiPort& port) {
  if (key != "change_noise" || !control("change_noise").enabled) return;
  NoiseDialog d(settings_.noise);
  if (!port.run_dialog(d)) return;
  settings_.noise = d.settings();
  show_noise();
}

bool SimulationDialog::accept(UiPort& port) {
  const auto n = read_integer(control("n").text);
  if (!n || *n <= 0) return refuse(*this, port, kErrorTitle, " Number of observations must be > 0", "n");
  if (*n > kMaxSimulationLength)
    return refuse(*this, port, kErrorTitle,
                  " Number of observations must be at most " + std::to_string(kMaxSimulationLength), "n");
  const auto seed = read_integer(control("seed").text);
  if (!seed || *seed < 0 || *seed > 2147483646)
    return refuse(*this, port, kErrorTitle, " Seed must be an integer from 0 to 2147483646", "seed");
  const auto variance = read_number(control("variance").text);
  if (!variance || !(*variance > 0)) return refuse(*this, port, kErrorTitle, " WN Variance must be postive", "variance");
  if (control("regression").checked && *n > aux_rows_)
    return refuse(*this, port, kErrorTitle,
                  " Cannot simulate beyond the length of the auxiliary variables in regression function.", "n");
  settings_.n = static_cast<int>(*n);
  settings_.seed = static_cast<std::int32_t>(*seed);
  sigma2_ = *variance;
  for (const StepBox& b : kStepBoxes) settings_.chosen.*b.flag = control(b.key).checked;
  settings_.new_project = control("new").checked;
  return true;
}

// --------------------------------------------------------- Noise distributions

NoiseDialog::NoiseDialog(const NoiseSettings& settings) : Dialog("Noise distributions"), settings_(settings) {
  add(ControlKind::Edit, "M", "Enter M, the # of start-up values in ARMA recursions.").text =
      std::to_string(settings_.startup);
  for (int law = 0; law < static_cast<int>(std::size(kLaws)); ++law) {
    add(ControlKind::Radio, kLaws[law].key, kLaws[law].label, "law").checked =
        static_cast<int>(settings_.law) == law;
    for (const Parameter& p : kParameters)
      if (static_cast<int>(p.law) == law) add(ControlKind::Edit, p.key, p.label).text = four(settings_.*p.value);
  }
  enable_parameters();
  set_focus("M");
}

void NoiseDialog::enable_parameters() {
  for (int law = 0; law < static_cast<int>(std::size(kLaws)); ++law)
    if (control(kLaws[law].key).checked) settings_.law = static_cast<NoiseLaw>(law);
  for (const Parameter& p : kParameters) control(p.key).enabled = p.law == settings_.law;
}

bool NoiseDialog::field_changed(std::string_view key, UiPort&) {
  for (const LawButton& b : kLaws)
    if (key == b.key) enable_parameters();
  return true;
}

bool NoiseDialog::accept(UiPort& port) {
  enable_parameters();
  const auto M = read_integer(control("M").text);
  if (!M || *M <= 0) return refuse(*this, port, kNoiseErrorTitle, "M must be positive", "M");
  if (*M > kMaxSimulationLength)
    return refuse(*this, port, kNoiseErrorTitle, "M must be at most " + std::to_string(kMaxSimulationLength), "M");
  NoiseSettings chosen = settings_;
  chosen.startup = static_cast<int>(*M);
  for (const Parameter& p : kParameters) {
    if (p.law != settings_.law) continue;
    const auto v = read_number(control(p.key).text);
    if (!v || !p.inside(*v)) return refuse(*this, port, kNoiseErrorTitle, p.refusal, p.key);
    chosen.*p.value = *v;
  }
  settings_ = chosen;
  return true;
}

}  // namespace zelk
