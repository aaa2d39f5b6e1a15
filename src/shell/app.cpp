#include "port/commands.h"
#include "arma/windows.h"
#include "univariate/windows.h"
#include "shell/app.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "plot/render.h"
#include "plot/zoom.h"
#include "shell/colour_dialog.h"
#include "shell/plot_limits_dialog.h"

#ifndef ZELK_VERSION
#define ZELK_VERSION "unknown"
#endif

namespace zelk {

App::App(UiPort& port) : App(port, make_registry()) {}

App::App(UiPort& port, Registry registry)
    : registry_(std::move(registry)), session_(port), toolbar_(startup_toolbar()), status_(startup_status()) {
  session_.registry = &registry_;
  session_.desktop.on_project_focus = [this](int entry) { switch_project(entry); };
  session_.on_status = [this] {
    status_ = compute_status(session_);
    session_.port.status_changed(status_);
  };
}

// Operations may throw: the user sees the text and the project stays as it
// was. Cancelled long work puts the record back too, without a message.
template <class Record, class F>
static void guarded(Session& s, Record* rec, F&& f) {
  std::optional<Record> saved;
  if (rec) saved = *rec;
  try {
    f();
    if (rec && s.cancelled) *rec = std::move(*saved);
  } catch (const std::exception& e) {
    if (rec) *rec = std::move(*saved);
    s.port.message("ZELK Error", e.what(), Buttons::Ok);
  } catch (...) {
    if (rec) *rec = std::move(*saved);
    s.port.message("ZELK Error", "Unexpected error", Buttons::Ok);
  }
}

void App::dispatch(int id) {
  const CommandSpec* cmd = registry_.command(id);
  if (!cmd || cmd->scope == CommandScope::Popup) return;
  Session& s = session_;
  const int before = s.projects.current();
  auto no_record = static_cast<UnivariateRecord*>(nullptr);
  const ScopedNumberStyle style(s.numbers);
  s.cancelled = false;
  std::vector<int> open_before;
  for (int e = 1; e <= kMaxProjects; ++e)
    if (s.projects.kind(e) != ProjectKind::Free) open_before.push_back(e);

  switch (cmd->scope) {
    case CommandScope::NeedsProject:
      if (before == 0) return;
      if (cmd->session) guarded(s, no_record, [&] { cmd->session(s); });
      break;
    case CommandScope::Any:
    case CommandScope::Target:
      if (cmd->session)
        guarded(s, no_record, [&] { cmd->session(s); });
      else
        run_frame_command(id, *cmd);
      break;
    case CommandScope::Univariate:
      run_univariate(*cmd);
      break;
    case CommandScope::Multivariate:
      run_multivariate(*cmd);
      break;
    case CommandScope::Popup:
      break;
  }
  if (s.cancelled) undo_cancelled(before, open_before);
  if (cmd->project_event || s.projects.current() != before)
    project_event();
  else
    refresh_frame();
}

void App::run_univariate(const CommandSpec& cmd) {
  Session& s = session_;
  const int entry = s.projects.current();
  UnivariateRecord* rec = s.projects.univariate(entry);
  if (!rec) return;
  if (cmd.univariate) {
    guarded(s, rec, [&] { cmd.univariate(s, entry, *rec); });
  } else if (cmd.session) {
    // A session operation may open or close projects: no snapshot to restore.
    guarded(s, static_cast<UnivariateRecord*>(nullptr), [&] { cmd.session(s); });
  }
}

void App::run_multivariate(const CommandSpec& cmd) {
  Session& s = session_;
  const int entry = s.projects.current();
  MultivariateRecord* rec = s.projects.multivariate(entry);
  if (!rec) return;
  if (cmd.multivariate) {
    guarded(s, rec, [&] { cmd.multivariate(s, entry, *rec); });
  } else if (cmd.session) {
    guarded(s, static_cast<MultivariateRecord*>(nullptr), [&] { cmd.session(s); });
  }
}

// The record is back (guarded); what the command opened goes, and the
// windows show the record again.
void App::undo_cancelled(int current_before, const std::vector<int>& open_before) {
  Session& s = session_;
  for (int e = 1; e <= kMaxProjects; ++e) {
    if (s.projects.kind(e) == ProjectKind::Free || std::find(open_before.begin(), open_before.end(), e) != open_before.end())
      continue;
    s.publish(Event::ProjectClosed, e);
    s.desktop.close_project(e);
    s.projects.close(e);
  }
  if (current_before != 0 && s.projects.kind(current_before) != ProjectKind::Free) {
    s.projects.set_current(current_before);
    s.refresh_windows(current_before);
  }
  s.status_changed();
}

Window* App::target_window() { return session_.desktop.active(); }

void App::run_frame_command(int id, const CommandSpec& cmd) {
  Session& s = session_;
  Window* target = cmd.scope == CommandScope::Target ? target_window() : nullptr;
  if (cmd.scope == CommandScope::Target && !target) return;
  switch (id) {
    case cmd::ZoomRange: s.zoom_mode = static_cast<int>(ZoomMode::Range); break;
    case cmd::ZoomRegion: s.zoom_mode = static_cast<int>(ZoomMode::Region); break;
    case cmd::ZoomOut:
      if (target->kind == WindowKind::Graph) {
        s.zoom_mode = static_cast<int>(ZoomMode::Out);
        zoom_click(target->id);
      }
      break;
    case cmd::PlotLimits:
      if (target->kind == WindowKind::Graph) set_plot_limits_command(s, *target);
      break;
    case cmd::Info: {
      if (target->kind != WindowKind::Graph) break;
      if (Window* info = s.desktop.by_id(target->info)) {
        if (info->minimized) {
          info->minimized = false;
          s.port.window_shown(info->id, false);
        }
        window_focused(info->id);
        break;
      }
      const int entry = target->project;
      UnivariateRecord* rec = s.projects.univariate(entry);
      std::string name;
      if (rec) name = rec->name;
      else if (MultivariateRecord* m = s.projects.multivariate(entry)) name = m->name;
      const Slot slot = target->slot;
      const int info_id = s.desktop.info(*target, name).id;
      const WindowHandlers* handlers = registry_.window(slot);
      if (rec && handlers && handlers->write_info)
        guarded(s, rec, [&] { handlers->write_info(s, entry, *rec); });
      else if (MultivariateRecord* m = s.projects.multivariate(entry); m && handlers && handlers->write_info_multivariate)
        guarded(s, m, [&] { handlers->write_info_multivariate(s, entry, *m); });
      if (Window* info = s.desktop.by_id(info_id)) {
        s.desktop.changed(*info);
        window_focused(info_id);
      }
      break;
    }
    case cmd::Copy:
      if (target->graph)
        s.port.set_clipboard_picture(render_graph(*target->graph, s.colours, target->width, target->height));
      else if (target->text)
        s.port.set_clipboard_text(target->text->text());
      break;
    case cmd::Print:
      if (target->graph)
        s.port.print_picture(render_graph(*target->graph, s.colours, target->width, target->height));
      else if (target->text)
        s.port.print_text(target->text->lines());
      break;
    case cmd::Duplicate:
      if (Window* dup = s.desktop.duplicate(target->id)) window_focused(dup->id);
      break;
    case cmd::About:
      s.port.message("ZELK 2000", "ZELK 2000\nVersion " ZELK_VERSION "\nTime-series analysis workbench", Buttons::Ok);
      break;
    case cmd::CrossAcf:
      s.port.message("ZELK::ERROR", "Procedure not yet implemented", Buttons::OkCancel);
      break;
    case cmd::Tile: case cmd::Cascade: case cmd::HelpContents: case cmd::HelpOnHelp: case cmd::Exit:
      s.port.frame_command(id);
      break;
    case cmd::CustomizeColors:
      customize_colours(s);
      repaint_all();
      break;
    default:
      break;
  }
}

void App::window_focused(int id) { session_.desktop.focus(id); }

void App::switch_project(int entry) {
  Session& s = session_;
  if (s.projects.kind(entry) == ProjectKind::Free) return;
  if (entry == s.projects.current()) {
    started_ = true;
    status_ = compute_status(s);
    s.port.status_changed(status_);
    return;
  }
  s.projects.set_current(entry);
  project_event();
}

bool App::request_close_window(int id) {
  Session& s = session_;
  Window* w = s.desktop.by_id(id);
  if (!w) return true;
  if (w->kind == WindowKind::Graph && w->graph && w->graph->role == 0 && w->project != 0) {
    switch_project(w->project);
    const CommandSpec* close = registry_.command(cmd::Close);
    if (close && close->session) {
      guarded(s, static_cast<UnivariateRecord*>(nullptr), [&] { close->session(s); });
    } else if (s.port.message("ZELK", "Close current project ?", Buttons::YesNo) == Button::Yes) {
      const int entry = w->project;
      s.desktop.close_project(entry);
      s.projects.close(entry);
    }
    project_event();
    return s.desktop.by_id(id) == nullptr;
  }
  s.desktop.close(id);
  if (Window* next = s.desktop.active()) window_focused(next->id);
  refresh_frame();
  return true;
}

void App::zoom_band(int window_id, double x0, double y0, double x1, double y1, double width, double height) {
  Session& s = session_;
  const auto mode = static_cast<ZoomMode>(s.zoom_mode);
  s.zoom_mode = 0;
  Window* w = s.desktop.by_id(window_id);
  if (!w || w->kind != WindowKind::Graph || !w->graph || mode == ZoomMode::None) return;
  if (mode == ZoomMode::Out) {
    zoom_out(*w->graph);
    s.desktop.changed(*w);
    return;
  }
  const GraphLayout layout = layout_graph(*w->graph, width, height);
  const int pane = pane_at(layout, Point{x0, y0});
  if (pane != 0 && apply_zoom(*w->graph, layout, pane, mode, Point{x0, y0}, Point{x1, y1})) s.desktop.changed(*w);
}

void App::zoom_click(int window_id) {
  Session& s = session_;
  const bool out = s.zoom_mode == static_cast<int>(ZoomMode::Out);
  s.zoom_mode = 0;
  Window* w = s.desktop.by_id(window_id);
  if (!out || !w || w->kind != WindowKind::Graph || !w->graph) return;
  zoom_out(*w->graph);
  s.desktop.changed(*w);
}

void App::repaint_all() {
  for (const auto& w : session_.desktop.windows()) session_.desktop.changed(*w);
}

void App::project_event() {
  Session& s = session_;
  started_ = true;
  toolbar_ = project_toolbar(s.projects.kind(s.projects.current()));
  refresh_frame();
  s.port.toolbar_changed();
}

void App::refresh_frame() {
  Session& s = session_;
  s.menu = compute_menu_state(s).kind;
  s.port.menus_changed();
  if (started_) {
    status_ = compute_status(s);
    s.port.status_changed(status_);
  }
}

}  // namespace zelk
