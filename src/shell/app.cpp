#include "shell/app.h"

#include <exception>
#include <optional>

#include "plot/render.h"
#include "plot/zoom.h"
#include "shell/plot_limits_dialog.h"

namespace zelk {
namespace {

// Size of the picture put on the clipboard or the printer.
constexpr double kPictureWidth = 800, kPictureHeight = 600;

bool is_project_event(int id) {
  switch (id) {
    case 40091: case 40095: case 40069: case 40072: case 40098: case 40152: case 40087: case 40138:
      return true;
    default:
      return false;
  }
}

// The ACF display mode's pane bits: both (24) -> first (8) -> second (16) -> both.
int next_panes(int mode) {
  switch (mode & 24) {
    case 8: return 16;
    case 16: return 24;
    default: return 8;
  }
}

}  // namespace

App::App(UiPort& port) : App(port, make_operation_table()) {}

App::App(UiPort& port, OperationTable table)
    : table_(std::move(table)), session_(port), toolbar_(startup_toolbar()), status_(startup_status()) {
  session_.operations = &table_;
  session_.desktop.on_project_focus = [this](int entry) { switch_project(entry); };
}

// Operations may throw: the user sees the text and the project stays as it was.
template <class Record, class F>
static void guarded(Session& s, Record* rec, F&& f) {
  std::optional<Record> saved;
  if (rec) saved = *rec;
  try {
    f();
  } catch (const std::exception& e) {
    if (rec) *rec = std::move(*saved);
    s.port.message("ZELK Error", e.what(), Buttons::Ok);
  } catch (...) {
    if (rec) *rec = std::move(*saved);
    s.port.message("ZELK Error", "Unexpected error", Buttons::Ok);
  }
}

void App::dispatch(int id) {
  const Command* cmd = find_command(id);
  if (!cmd || cmd->scope == CommandScope::Popup) return;
  Session& s = session_;
  const int before = s.projects.current();
  auto session_op = table_.session.find(id);
  const bool has_session_op = session_op != table_.session.end();

  switch (cmd->scope) {
    case CommandScope::NeedsProject:
      if (before == 0) return;
      if (has_session_op) guarded(s, static_cast<UnivariateRecord*>(nullptr), [&] { session_op->second(s); });
      break;
    case CommandScope::Any:
    case CommandScope::Target:
      if (has_session_op)
        guarded(s, static_cast<UnivariateRecord*>(nullptr), [&] { session_op->second(s); });
      else
        run_frame_command(id, *cmd);
      break;
    case CommandScope::Univariate:
      run_univariate(id);
      break;
    case CommandScope::Multivariate:
      run_multivariate(id);
      break;
    case CommandScope::Popup:
      break;
  }
  if (is_project_event(id) || s.projects.current() != before)
    project_event();
  else
    refresh_frame();
}

UnivariateOperation App::univariate_op(int id) const {
  auto it = table_.univariate.find(id);
  return it == table_.univariate.end() ? UnivariateOperation() : it->second;
}

void App::run_univariate(int id) {
  Session& s = session_;
  const int entry = s.projects.current();
  UnivariateRecord* rec = s.projects.univariate(entry);
  if (!rec) return;
  if (id == 40051 && !rec->data_present()) return;
  if (id == 40047 || id == 40048 || id == 40049) step_acf_panes(id, *rec);
  if (id == 40084) {
    if (Window* w = s.desktop.find(entry, Slot::ResidualAcf)) {
      const int window_id = w->id;  // the refresh may reopen the window
      rec->residual_acf_mode = (rec->residual_acf_mode & ~24) | next_panes(rec->residual_acf_mode);
      auto slot = table_.slots.find(Slot::ResidualAcf);
      if (slot != table_.slots.end() && slot->second.refresh)
        guarded(s, rec, [&] { slot->second.refresh(s, entry, *rec); });
      if (Window* again = s.desktop.by_id(window_id)) s.desktop.changed(*again);
      return;
    }
  }
  if (auto op = univariate_op(id)) {
    guarded(s, rec, [&] { op(s, entry, *rec); });
  } else if (auto it = table_.session.find(id); it != table_.session.end()) {
    // A session operation may open or close projects: no snapshot to restore.
    guarded(s, static_cast<UnivariateRecord*>(nullptr), [&] { it->second(s); });
  }
}

void App::step_acf_panes(int id, UnivariateRecord& rec) {
  Session& s = session_;
  const int kind_bits = id == 40047 ? 1 : id == 40048 ? 2 : 3;
  if (Window* w = s.desktop.find(s.projects.current(), Slot::Acf)) {
    const bool sample = rec.acf_mode & 1, model = rec.acf_mode & 2;
    const bool same = (id == 40047 && !model) || (id == 40048 && !sample) || (id == 40049 && sample && model);
    if (same) {
      rec.acf_mode = (rec.acf_mode & ~24) | next_panes(rec.acf_mode);
      s.desktop.changed(*w);
    }
  }
  if ((rec.acf_mode & 24) == 0) rec.acf_mode |= 24;
  rec.acf_mode = (rec.acf_mode & 24) | kind_bits;
}

void App::run_multivariate(int id) {
  Session& s = session_;
  const int entry = s.projects.current();
  MultivariateRecord* rec = s.projects.multivariate(entry);
  if (!rec) return;
  if (auto it = table_.multivariate.find(id); it != table_.multivariate.end()) {
    guarded(s, rec, [&] { it->second(s, entry, *rec); });
  } else if (auto op = table_.session.find(id); op != table_.session.end()) {
    guarded(s, static_cast<MultivariateRecord*>(nullptr), [&] { op->second(s); });
  }
}

Window* App::target_window() { return session_.desktop.active(); }

void App::run_frame_command(int id, const Command& cmd) {
  Session& s = session_;
  Window* target = cmd.scope == CommandScope::Target ? target_window() : nullptr;
  if (cmd.scope == CommandScope::Target && !target) return;
  switch (id) {
    case 40025: s.zoom_mode = static_cast<int>(ZoomMode::Range); break;
    case 40027: s.zoom_mode = static_cast<int>(ZoomMode::Region); break;
    case 40026:
      if (target->kind == WindowKind::Graph) {
        s.zoom_mode = static_cast<int>(ZoomMode::Out);
        zoom_click(target->id);
      }
      break;
    case 40043:
      if (target->kind == WindowKind::Graph) set_plot_limits_command(s, *target);
      break;
    case 40042: {
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
      auto handlers = table_.slots.find(slot);
      if (rec && handlers != table_.slots.end() && handlers->second.write_info)
        guarded(s, rec, [&] { handlers->second.write_info(s, entry, *rec); });
      if (Window* info = s.desktop.by_id(info_id)) {
        s.desktop.changed(*info);
        window_focused(info_id);
      }
      break;
    }
    case 40011:
      if (target->graph)
        s.port.set_clipboard_picture(render_graph(*target->graph, s.colours, kPictureWidth, kPictureHeight));
      else if (target->text)
        s.port.set_clipboard_text(target->text->text());
      break;
    case 40005:
      if (target->graph)
        s.port.print_picture(render_graph(*target->graph, s.colours, kPictureWidth, kPictureHeight));
      else if (target->text)
        s.port.print_text(target->text->lines());
      break;
    case 40041:
      if (Window* dup = s.desktop.duplicate(target->id)) window_focused(dup->id);
      break;
    case 40016:
      s.port.message("ZELK 2000", "ZELK 2000\nTime-series analysis workbench", Buttons::Ok);
      break;
    case 40139:
      s.port.message("ZELK::ERROR", "Procedure not yet implemented", Buttons::OkCancel);
      break;
    case 40074: case 40075: case 40013: case 40015: case 40008:
      s.port.frame_command(id);
      break;
    default:
      break;  // Customize Colors comes with the colour dialog
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
    auto op = table_.session.find(40069);
    if (op != table_.session.end()) {
      guarded(s, static_cast<UnivariateRecord*>(nullptr), [&] { op->second(s); });
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
