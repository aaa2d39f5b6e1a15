#include "shell/toolbar.h"

#include <map>

namespace zelk {
namespace {

ToolbarEntry separator() {
  ToolbarEntry e;
  e.separator = true;
  return e;
}
ToolbarEntry button(int id, int image) {
  ToolbarEntry e;
  e.id = id;
  e.image = image;
  return e;
}
ToolbarEntry standard(int id, StandardImage image) {
  ToolbarEntry e;
  e.id = id;
  e.standard = image;
  return e;
}

std::vector<ToolbarEntry> project_entries() {
  return {separator(),
          button(40151, 20),
          standard(40091, StandardImage::New),
          standard(40095, StandardImage::Open),
          standard(40097, StandardImage::SaveAs),
          standard(40069, StandardImage::Close)};
}

// Buttons as (id, image); id 0 is a separator.
void append(std::vector<ToolbarEntry>& bar, std::initializer_list<std::pair<int, int>> buttons) {
  for (auto [id, image] : buttons) bar.push_back(id == 0 ? separator() : button(id, image));
}

}  // namespace

std::vector<ToolbarEntry> startup_toolbar() {
  auto bar = project_entries();
  bar.push_back(standard(40005, StandardImage::Print));
  return bar;
}

std::vector<ToolbarEntry> project_toolbar(ProjectKind kind) {
  auto bar = project_entries();
  if (kind == ProjectKind::Univariate)
    append(bar, {{0, 0},      {40098, 0},  {40047, 1},  {40049, 2},  {40051, 16}, {40053, 18}, {40064, 3},
                 {0, 0},      {40045, 4},  {40157, 19}, {40078, 5},  {40079, 6},  {40048, 7},  {40052, 17},
                 {0, 0},      {40082, 8},  {40084, 9},  {40083, 10}, {0, 0},      {40025, 11}, {40027, 12},
                 {40026, 13}, {0, 0},      {40042, 14}, {40041, 15}, {40006, 29}});
  else if (kind == ProjectKind::Multivariate)
    append(bar, {{0, 0},      {40098, 0},  {40166, 1},  {40167, 16}, {0, 0},      {40141, 21}, {40140, 22},
                 {40142, 23}, {40182, 24}, {40183, 7},  {0, 0},      {40169, 25}, {40170, 26}, {40172, 27},
                 {40184, 28}, {40189, 9},  {0, 0},      {40025, 11}, {40027, 12}, {40026, 13}, {0, 0},
                 {40042, 14}, {40041, 15}, {40006, 29}});
  return bar;
}

std::string tooltip(int id) {
  static const std::map<int, const char*> tips{
      {40091, "New Project"},
      {40095, "Open Project"},
      {40069, "Close Project"},
      {40005, "Print current window"},
      {40098, "Import new data to project"},
      {40047, "Plot sample ACF/PACF "},
      {40064, "Plot sample histogram"},
      {40045, "Specify model"},
      {40078, "Preliminary estimation"},
      {40079, "Maximum likelihood estimation"},
      {40048, "Plot model ACF/PACF"},
      {40082, "Plot residuals"},
      {40084, "Plot ACF/PACF of residuals"},
      {40083, "Plot histogram of residuals"},
      {40097, "Save project as"},
      {40042, "Show information window"},
      {40026, "Zoom out"},
      {40025, "Zoom range"},
      {40027, "Zoom region"},
      {40049, "Plot sample and model ACF/PACF"},
      {40041, "Duplicate window."},
      {40051, "Plot sample spectrum."},
      {40053, "Plot sample and model spectra."},
      {40052, "Plot model spectrum."},
      {40157, "Generalized least squares"},
      {40151, "Project Editor"},
      {40166, "Plot sample cross-correlations"},
      {40167, "Plot cross-spectrum"},
      {40141, "Multivariate Yule-Walker Estimation"},
      {40140, "Multivariate Burg Estimation"},
      {40142, "Plot AR-Model Forecasts"},
      {40182, "Plot AR-Model Residuals"},
      {40183, "Plot cross-correlations of residuals"},
      {40169, "Specify transfer model"},
      {40170, "Estimation for transfer function model"},
      {40172, "Prediction using transfer function model"},
      {40184, "Plot residuals from transfer function model"},
      {40189, "Plot ACF of residuals"},
      {40006, "Export data"},
  };
  auto it = tips.find(id);
  return it == tips.end() ? std::string() : it->second;
}

}  // namespace zelk
