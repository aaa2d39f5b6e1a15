#include "batch/listing.h"

#include <cstdio>
#include <string>

namespace zelk {
namespace {

const char* kind_name(WindowKind kind) {
  switch (kind) {
    case WindowKind::Graph: return "graph";
    case WindowKind::Info: return "text";
    case WindowKind::DupGraph: return "duplicate graph";
    case WindowKind::DupInfo: return "duplicate text";
  }
  return "?";
}

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

void list_items(const MenuState& state, const std::vector<MenuItem>& items, std::vector<int>& path,
                std::ostream& out) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    path.push_back(static_cast<int>(i));
    const MenuItem& m = items[i];
    const std::string indent(2 * (path.size() - 1), ' ');
    if (m.separator) {
      out << indent << "----\n";
    } else {
      out << indent << '"' << state.text_at(path) << '"';
      if (m.id) out << ' ' << m.id;
      out << (state.enabled_at(path) ? " enabled" : " greyed");
      if (m.id && state.checked(m.id)) out << " checked";
      out << '\n';
      if (m.is_submenu()) list_items(state, m.items, path, out);
    }
    path.pop_back();
  }
}

}  // namespace

void list_windows(const Desktop& desktop, std::ostream& out) {
  if (desktop.windows().empty()) out << "WINDOWS none\n";
  for (const auto& w : desktop.windows())
    out << "WINDOW " << static_cast<int>(w->kind) << ' ' << kind_name(w->kind) << " \"" << w->caption << "\" project "
        << w->project << (w->minimized ? " minimized" : "") << '\n';
}

void list_status(const StatusLine& status, std::ostream& out) {
  out << "STATUS [" << status.parts[0] << "] [" << status.parts[1] << "] [" << status.parts[2] << "]\n";
}

void list_menu(const App& app, std::ostream& out) {
  const MenuState state = app.menu_state();
  out << "MENU " << (state.kind == MenuKind::Univariate ? "BRAX_MENU" : "MV_MENU") << '\n';
  const auto& bar = menu_bar(state.kind);
  for (std::size_t i = 0; i < bar.size(); ++i) {
    out << i << " \"" << bar[i].text << '"' << (state.top_enabled(static_cast<int>(i)) ? " enabled" : " greyed")
        << '\n';
    std::vector<int> path{static_cast<int>(i)};
    list_items(state, bar[i].items, path, out);
  }
}

void list_window(const Window& w, std::ostream& out) {
  if (w.text) {
    for (const std::string& line : w.text->lines()) out << line << '\n';
    return;
  }
  if (!w.graph) return;
  const GraphDocument& g = *w.graph;
  out << "GRAPH \"" << w.caption << "\" panes " << g.present_count() << " x " << number(g.xmin()) << " to "
      << number(g.xmax()) << '\n';
  for (int i = 1; i <= kMaxPanes; ++i) {
    const Pane& p = g.pane(i);
    if (!p.present) continue;
    out << "  pane " << i << ' ' << (p.kind == PaneKind::Bars ? "bars" : "curve") << ' ' << p.y.size()
        << " points y " << number(p.ymin) << " to " << number(p.ymax);
    if (!p.overlays.empty()) out << " overlays " << p.overlays.size();
    if (!p.title.empty()) out << " \"" << p.title << '"';
    out << '\n';
  }
}

}  // namespace zelk
