#include "forecast/arma_forecast_report.h"

#include <cmath>

#include "plot/format.h"

namespace zelk {
namespace {

std::string field(double v) { return pad_left(trim(format_decimals(v, 5)), 15); }
std::string bound(double v, bool ok) { return ok ? field(v) : pad_left("Not avail", 15); }

}  // namespace

std::vector<std::string> arma_forecast_report(const ForecastInUnits& f, int level, bool box_cox_inverted) {
  std::vector<std::string> out{"====================", "ZELK::(ARMA Forecast)", "====================", ""};
  const std::string lvl = std::to_string(level);
  if (!box_cox_inverted) {
    out.push_back("                                             Approximate " + lvl + " Percent");
    out.push_back("                                               Prediction Bounds");
    out.push_back("   Step     Prediction      sqrt(MSE)        Lower          Upper");
  } else {
    out.push_back(std::string(28, ' ') + "Approximate " + lvl + " Percent");
    out.push_back("                              Prediction Bounds");
    out.push_back("   Step     Prediction       Lower          Upper");
  }
  for (std::size_t k = 0; k < f.prediction.size(); ++k) {
    std::string line = pad_left(std::to_string(k + 1), 6) + bound(f.prediction[k], f.prediction_ok[k]);
    if (!box_cox_inverted) line += field(std::sqrt(std::max(f.mse[k], 0.0)));
    line += bound(f.lower[k], f.lower_ok[k]) + bound(f.upper[k], f.upper_ok[k]);
    out.push_back(line);
  }
  return out;
}

}  // namespace zelk
