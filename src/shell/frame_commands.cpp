#include "shell/frame_commands.h"

#include <memory>

#include "plot/colours.h"
#include "port/dialog.h"
#include "plot/format.h"
#include "port/rules.h"
#include "port/session.h"
#include "shell/colour_dialog.h"
#include "shell/plot_limits_dialog.h"

namespace zelk {
namespace {

CommandSpec command(int id, const char* text, CommandScope scope, const char* path, int order) {
  CommandSpec c;
  c.id = id;
  c.text = text;
  c.scope = scope;
  for (MenuKind k : {MenuKind::Univariate, MenuKind::Multivariate}) c.places.push_back({k, path, order});
  return c;
}

CommandSpec with_button(CommandSpec c, int order, int image, const char* tooltip) {
  return with_button(std::move(c), kUnivariateBar | kMultivariateBar, order, image, tooltip);
}

CommandSpec with_shortcut(CommandSpec c, StandardShortcut key) {
  c.shortcut = key;
  return c;
}

// A setting, not an analysis: it flips how INFO texts and clipboard exports
// write numbers and rewrites every open window in the new style.
CommandSpec full_precision_command() {
  CommandSpec c = command(cmd::FullPrecision, "&Full Precision Numbers", CommandScope::Any, "&Plot", 20);
  c.checked = [](const ProjectView& v) { return v.session.numbers == NumberStyle::Full; };
  c.session = [](Session& s) {
    s.numbers = s.numbers == NumberStyle::Full ? NumberStyle::Report : NumberStyle::Full;
    const ScopedNumberStyle style(s.numbers);
    for (int e = 1; e <= kMaxProjects; ++e)
      if (s.projects.kind(e) != ProjectKind::Free) s.refresh_windows(e);
  };
  return c;
}

}  // namespace

Feature describe_frame() {
  Feature f;
  f.name = "frame";
  using S = CommandScope;
  const auto U = MenuKind::Univariate, M = MenuKind::Multivariate;
  f.popups = {{U, "&Plot", 8, rules::project_open},   {U, "&Plot > &Zoom", 10, {}}, {U, "&Window", 9, rules::project_open},
              {U, "&Help", 10, {}},                     {M, "&Plot", 6, rules::project_open}, {M, "&Plot > &Zoom", 10, {}},
              {M, "&Window", 7, rules::project_open},  {M, "&Help", 8, {}}};

  CommandSpec print = command(cmd::Print, "&Print", S::Target, "&File", 40);
  print.enabled = rules::unless_empty_project;
  print.tooltip = "Print current window";
  print.button = {kStartupBar, 6, -1, StandardImage::Print};
  print.shortcut = StandardShortcut::Print;
  f.commands.push_back(print);
  f.commands.push_back(with_shortcut(command(cmd::Exit, "E&xit", S::Any, "&File", 51), StandardShortcut::Quit));

  f.commands.push_back(with_button(command(cmd::ZoomRange, "&Range", S::Any, "&Plot > &Zoom", 10), 40, 11, "Zoom range"));
  f.commands.push_back(with_button(command(cmd::ZoomRegion, "Re&gion", S::Any, "&Plot > &Zoom", 11), 41, 12, "Zoom region"));
  f.commands.push_back(with_button(command(cmd::ZoomOut, "&Out", S::Target, "&Plot > &Zoom", 12), 42, 13, "Zoom out"));
  f.commands.push_back(command(cmd::PlotLimits, "Manual", S::Target, "&Plot > &Zoom", 13));
  f.commands.push_back(with_button(command(cmd::Info, "&Info", S::Target, "&Plot", 11), 50, 14, "Show information window"));
  f.commands.push_back(with_button(command(cmd::Duplicate, "&Duplicate", S::Target, "&Plot", 12), 51, 15, "Duplicate window."));
  f.commands.push_back(with_shortcut(command(cmd::Copy, "&Copy to Clipboard", S::Target, "&Plot", 13), StandardShortcut::Copy));
  f.commands.push_back(command(cmd::CustomizeColors, "Customize Co&lors", S::Target, "&Plot", 14));
  f.commands.push_back(full_precision_command());

  f.commands.push_back(command(cmd::Tile, "&Tile", S::Any, "&Window", 10));
  f.commands.push_back(command(cmd::Cascade, "&Cascade", S::Any, "&Window", 11));
  f.commands.push_back(
      with_shortcut(command(cmd::HelpContents, "&Contents", S::Any, "&Help", 10), StandardShortcut::HelpContents));
  f.commands.push_back(command(cmd::HelpOnHelp, "&Help on Help", S::Any, "&Help", 11));
  f.commands.push_back(command(cmd::About, "&About", S::Any, "&Help", 20));

  // The shell's own dialog, shown on a graph of one pane.
  f.dialogs.push_back([] {
    auto graph = std::make_shared<GraphDocument>();
    const double x[] = {1, 2}, y[] = {0, 1};
    graph->add_curve_pane(1, x, y);
    return std::make_unique<PlotLimitsDialog>(graph, ColourTable::defaults());
  });
  f.dialogs.push_back([] {
    static ColourTable listed = ColourTable::defaults();  // outlives the listed dialog
    return std::make_unique<ColourDialog>(listed);
  });
  return f;
}

}  // namespace zelk
