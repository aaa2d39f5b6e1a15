#include "port/desktop.h"

#include <algorithm>

#include "port/port.h"

namespace zelk {

Window& Desktop::open(WindowKind kind, int project, Slot slot, std::string caption) {
  auto w = std::make_unique<Window>();
  w->id = next_id_++;
  w->kind = kind;
  w->project = project;
  w->slot = slot;
  w->caption = std::move(caption);
  if (kind == WindowKind::Graph || kind == WindowKind::DupGraph) w->graph = std::make_shared<GraphDocument>();
  if (kind == WindowKind::Info || kind == WindowKind::DupInfo) w->text = std::make_shared<TextDocument>();
  windows_.insert(windows_.begin(), std::move(w));
  Window& ref = *windows_.front();
  port_.window_opened(ref);
  return ref;
}

Window& Desktop::graph(int project, Slot slot, const std::string& project_name) {
  if (Window* w = find(project, slot)) return *w;
  Window& w = open(WindowKind::Graph, project, slot, window_spec(slot).graph + project_name);
  w.graph->role = slot == windows::Project ? 0 : 1;
  return w;
}

Window& Desktop::info(Window& graph_window, const std::string& project_name) {
  if (Window* i = by_id(graph_window.info)) return *i;
  Window& i = open(WindowKind::Info, graph_window.project, graph_window.slot,
                   window_spec(graph_window.slot).info + project_name);
  i.source = graph_window.id;
  graph_window.info = i.id;
  return i;
}

Window& Desktop::report(int project, Slot slot, const std::string& project_name) {
  if (Window* w = find(project, slot)) return *w;
  Window& w = open(WindowKind::Info, project, slot, window_spec(slot).graph + project_name);
  return w;
}

Window* Desktop::find(int project, Slot slot) {
  for (auto& w : windows_)
    if (w->project == project && w->slot == slot &&
        (w->kind == WindowKind::Graph || (w->kind == WindowKind::Info && window_spec(slot).text_only)))
      return w.get();
  return nullptr;
}

Window* Desktop::find_info(int project, Slot slot) {
  Window* g = find(project, slot);
  return g && !window_spec(slot).text_only ? by_id(g->info) : nullptr;
}

Window* Desktop::by_id(int id) {
  if (id == 0) return nullptr;
  for (auto& w : windows_)
    if (w->id == id) return w.get();
  return nullptr;
}

Window* Desktop::active() { return windows_.empty() ? nullptr : windows_.front().get(); }

void Desktop::changed(Window& w) { port_.window_changed(w); }

void Desktop::changed_project(int project) {
  for (auto& w : windows_)
    if (w->project == project) port_.window_changed(*w);
}

void Desktop::focus(int id) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [id](const auto& w) { return w->id == id; });
  if (it == windows_.end()) return;
  std::rotate(windows_.begin(), it, it + 1);
  Window& w = *windows_.front();
  port_.window_focused(w.id);
  if (on_project_focus && w.project != 0) on_project_focus(w.project);
}

void Desktop::close(int id) {
  Window* w = by_id(id);
  if (!w) return;
  std::vector<int> ids{id};
  if (w->kind == WindowKind::Graph && w->info) ids.push_back(w->info);
  if (w->kind == WindowKind::Info)
    if (Window* g = by_id(w->source)) g->info = 0;
  for (int x : ids) {
    auto it = std::find_if(windows_.begin(), windows_.end(), [x](const auto& p) { return p->id == x; });
    if (it == windows_.end()) continue;
    windows_.erase(it);
    port_.window_closed(x);
  }
}

void Desktop::close_project(int project) {
  std::vector<int> ids;
  for (auto& w : windows_)
    if (w->project == project) ids.push_back(w->id);
  for (int id : ids) close(id);
}

void Desktop::close_data_windows(int project) {
  std::vector<int> ids;
  for (auto& w : windows_)
    if (w->project == project && w->slot && w->slot.definition()->closes_with_new_data &&
        (w->kind == WindowKind::Graph || w->kind == WindowKind::Info))
      ids.push_back(w->id);
  for (int id : ids) close(id);
}

void Desktop::recaption(int project, const std::string& project_name) {
  for (auto& w : windows_) {
    if (w->project != project) continue;
    const WindowSpec& p = window_spec(w->slot);
    if (w->kind == WindowKind::Graph) w->caption = p.graph + project_name;
    else if (w->kind == WindowKind::Info) w->caption = (p.text_only ? p.graph : p.info) + project_name;
    else continue;
    port_.window_changed(*w);
  }
}

void Desktop::set_minimized(int project, bool minimized) {
  for (auto& w : windows_)
    if (w->project == project) {
      w->minimized = minimized;
      port_.window_shown(w->id, minimized);
    }
}

void Desktop::resized(int id, double width, double height) {
  Window* w = by_id(id);
  if (!w || !(width >= 1) || !(height >= 1)) return;
  w->width = width;
  w->height = height;
}

Window* Desktop::duplicate(int id) {
  Window* src = by_id(id);
  if (!src) return nullptr;
  std::string caption = ("(DUPLICATE) " + src->caption).substr(0, 12 + 240);
  if (src->kind == WindowKind::Graph || src->kind == WindowKind::DupGraph) {
    auto doc = std::make_shared<GraphDocument>(*src->graph);  // a fixed copy, not zoomable
    const int project = src->project;
    Window& d = open(WindowKind::DupGraph, project, Slot(), caption);
    d.graph = std::move(doc);
    d.source = id;
    return &d;
  }
  auto text = std::make_shared<TextDocument>(*src->text);
  const int project = src->project;
  Window& d = open(WindowKind::DupInfo, project, Slot(), caption);
  d.text = std::move(text);
  d.source = id;
  return &d;
}

}  // namespace zelk
