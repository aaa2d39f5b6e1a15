#pragma once
// The port every operation talks to: it passes each call on to the front
// end's port and notes when long work was asked to stop (progress answered
// false), so that the dispatcher can put the project back as it was before
// the command, whichever operation was running.
#include "port/port.h"

namespace zelk {

// Every UiPort call must be passed on here, or the front end never sees it.
class ProgressWatch : public UiPort {
 public:
  explicit ProgressWatch(UiPort& inner) : inner_(inner) {}

  // Before each command.
  void reset() { cancelled_ = false; }
  bool cancelled() const { return cancelled_; }

  bool progress(int iteration) override {
    // Once stopped, stays stopped: later work of the same command ends too.
    if (!cancelled_ && !inner_.progress(iteration)) cancelled_ = true;
    return !cancelled_;
  }

  void progress_note(std::string_view text) override { inner_.progress_note(text); }

  Button message(std::string_view title, std::string_view text, Buttons buttons) override {
    return inner_.message(title, text, buttons);
  }
  bool run_dialog(Dialog& dialog) override { return inner_.run_dialog(dialog); }
  std::optional<std::string> choose_file(FileMode mode, std::string_view title, const std::vector<FileFilter>& filters,
                                         std::string_view initial_name) override {
    return inner_.choose_file(mode, title, filters, initial_name);
  }
  std::optional<std::string> clipboard_text() override { return inner_.clipboard_text(); }
  bool set_clipboard_text(const std::string& text) override { return inner_.set_clipboard_text(text); }
  bool set_clipboard_picture(const DisplayList& picture) override { return inner_.set_clipboard_picture(picture); }
  void window_opened(const Window& w) override { inner_.window_opened(w); }
  void window_changed(const Window& w) override { inner_.window_changed(w); }
  void window_closed(int id) override { inner_.window_closed(id); }
  void window_focused(int id) override { inner_.window_focused(id); }
  void window_shown(int id, bool minimized) override { inner_.window_shown(id, minimized); }
  void status_changed(const StatusLine& s) override { inner_.status_changed(s); }
  void menus_changed() override { inner_.menus_changed(); }
  void toolbar_changed() override { inner_.toolbar_changed(); }
  bool print_picture(const DisplayList& picture) override { return inner_.print_picture(picture); }
  bool print_text(const std::vector<std::string>& lines) override { return inner_.print_text(lines); }
  bool choose_colour(unsigned& rgb) override { return inner_.choose_colour(rgb); }
  void frame_command(int id) override { inner_.frame_command(id); }
  void file_used(std::string_view path, FileUse use) override { inner_.file_used(path, use); }
  void show_tree_editor(TreeEditor& editor) override { inner_.show_tree_editor(editor); }

 private:
  UiPort& inner_;
  bool cancelled_ = false;
};

}  // namespace zelk
