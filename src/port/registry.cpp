#include "port/registry.h"

#include <algorithm>
#include <stdexcept>

#include "port/session.h"

namespace zelk {

bool ProjectView::data() const {
  if (univariate) return univariate->data_present();
  return multivariate && multivariate->data_present();
}

void Registry::add(Feature f) {
  for (CommandSpec& c : f.commands) {
    if (by_id_.count(c.id)) throw std::logic_error("command " + std::to_string(c.id) + " described twice");
    by_id_[c.id] = commands_.size();
    commands_.push_back(std::move(c));
  }
  for (PopupSpec& p : f.popups) popups_.push_back(std::move(p));
  // Two features may serve one window (the project window is drawn by one
  // and summarised by another), but never with the same handler.
  for (WindowHandlers& w : f.windows) {
    auto it = std::find_if(windows_.begin(), windows_.end(), [&](const WindowHandlers& h) { return h.slot == w.slot; });
    if (it == windows_.end()) {
      windows_.push_back(std::move(w));
      continue;
    }
    auto merge = [&](auto& mine, auto& theirs) {
      if (!theirs) return;
      if (mine) throw std::logic_error(std::string("window ") + window_spec(w.slot).graph + " handled twice");
      mine = std::move(theirs);
    };
    merge(it->refresh, w.refresh);
    merge(it->write_info, w.write_info);
    merge(it->refresh_multivariate, w.refresh_multivariate);
    merge(it->write_info_multivariate, w.write_info_multivariate);
  }
  for (DialogFactory& d : f.dialogs) dialogs_.push_back(std::move(d));
  for (auto& [e, h] : f.reactions) reactions_[e].push_back(std::move(h));
  names_.push_back(std::move(f.name));
}

const CommandSpec* Registry::command(int id) const {
  auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : &commands_[it->second];
}

CommandSpec* Registry::command(int id) {
  auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : &commands_[it->second];
}

const WindowHandlers* Registry::window(Slot slot) const {
  for (const WindowHandlers& w : windows_)
    if (w.slot == slot) return &w;
  return nullptr;
}

const std::vector<EventHandler>& Registry::reactions(Event e) const {
  static const std::vector<EventHandler> none;
  auto it = reactions_.find(e);
  return it == reactions_.end() ? none : it->second;
}

void Session::publish(Event e, int entry) {
  if (registry)
    for (const EventHandler& h : registry->reactions(e)) h(*this, entry);
  if (e == Event::SeriesChanged || e == Event::ModelChanged) refresh_windows(entry);
}

void Session::refresh_windows(int entry) {
  if (!registry) return;
  std::vector<Slot> open;
  for (const auto& w : desktop.windows())
    if (w->project == entry && w->slot && (w->kind == WindowKind::Graph || w->kind == WindowKind::Info))
      open.push_back(w->slot);
  UnivariateRecord* u = projects.univariate(entry);
  MultivariateRecord* m = projects.multivariate(entry);
  for (Slot slot : open) {
    const WindowHandlers* h = registry->window(slot);
    if (!h || !desktop.find(entry, slot)) continue;
    if (u && h->refresh) h->refresh(*this, entry, *u);
    if (m && h->refresh_multivariate) h->refresh_multivariate(*this, entry, *m);
  }
}

CommandSpec univariate_command(int id, const char* text, const char* path, int order, UnivariateOperation op) {
  CommandSpec c;
  c.id = id;
  c.text = text;
  c.scope = CommandScope::Univariate;
  c.places = {{MenuKind::Univariate, path, order}};
  c.univariate = std::move(op);
  return c;
}

CommandSpec multivariate_command(int id, const char* text, const char* path, int order, MultivariateOperation op) {
  CommandSpec c;
  c.id = id;
  c.text = text;
  c.scope = CommandScope::Multivariate;
  c.places = {{MenuKind::Multivariate, path, order}};
  c.multivariate = std::move(op);
  return c;
}

CommandSpec with_button(CommandSpec c, unsigned bars, int order, int image, const char* tooltip) {
  c.button = {bars, order, image, StandardImage::None};
  c.tooltip = tooltip;
  return c;
}

}  // namespace zelk
