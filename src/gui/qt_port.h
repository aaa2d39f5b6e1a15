#pragma once
// The desktop's answer to the UI port: real message boxes, dialogs, file
// choosers, clipboard, printer and colour chooser. Window notifications are
// passed on to the frame that mirrors them.
#include <QPointer>
#include <QWidget>

#include "port/port.h"
#include "port/scripted_port.h"

namespace zelk {

// What the frame hears from the core: windows to mirror and frame state.
class FrameEvents {
 public:
  virtual ~FrameEvents() = default;
  virtual void window_opened(const Window&) {}
  virtual void window_changed(const Window&) {}
  virtual void window_closed(int /*id*/) {}
  virtual void window_focused(int /*id*/) {}
  virtual void window_shown(int /*id*/, bool /*minimized*/) {}
  virtual void status_changed(const StatusLine&) {}
  virtual void menus_changed() {}
  virtual void toolbar_changed() {}
  virtual void frame_command(int /*id*/) {}
  // Long work: false asks it to stop.
  virtual bool progress(int /*iteration*/) { return true; }
  virtual void progress_note(std::string_view /*text*/) {}
  virtual void file_used(std::string_view /*path*/, FileUse) {}
  virtual void show_tree_editor(TreeEditor& /*editor*/) {}
};

class QtPort : public UiPort {
 public:
  explicit QtPort(QWidget* parent = nullptr) : parent_(parent) {}

  void set_parent(QWidget* parent) { parent_ = parent; }
  // Where window, status and menu notifications go (the frame).
  void set_mirror(FrameEvents* mirror) { mirror_ = mirror; }
  // Answers message boxes, dialogs, file choosers and the clipboard from
  // another port instead of asking the user (scripted screenshots).
  void set_answers(UiPort* answers) { answers_ = answers; }
  // Answers that the desktop gives itself for one command (reopening a
  // recent file answers the project kind and the file): a dialog or file
  // chooser with an answer queued there takes it, every other one asks.
  void set_presets(ScriptedPort* presets) { presets_ = presets; }
  // The next file chooser returns this path without asking (a dropped file).
  void answer_next_file(std::optional<std::string> path) { next_file_ = std::move(path); }

  Button message(std::string_view title, std::string_view text, Buttons buttons) override;
  bool run_dialog(Dialog& dialog) override;
  void show_tree_editor(TreeEditor& editor) override;
  std::optional<std::string> choose_file(FileMode mode, std::string_view title, const std::vector<FileFilter>& filters,
                                         std::string_view initial_name) override;
  std::optional<std::string> clipboard_text() override;
  bool set_clipboard_text(const std::string& text) override;
  bool set_clipboard_picture(const DisplayList& picture) override;

  void window_opened(const Window& w) override;
  void window_changed(const Window& w) override;
  void window_closed(int id) override;
  void window_focused(int id) override;
  void window_shown(int id, bool minimized) override;
  void status_changed(const StatusLine& s) override;
  void menus_changed() override;
  void toolbar_changed() override;
  void frame_command(int id) override;
  bool progress(int iteration) override;
  void progress_note(std::string_view text) override;
  void file_used(std::string_view path, FileUse use) override;

  bool print_picture(const DisplayList& picture) override;
  bool print_text(const std::vector<std::string>& lines) override;
  bool choose_colour(unsigned& rgb) override;

 private:
  QWidget* owner() const;
  QPointer<QWidget> parent_;
  FrameEvents* mirror_ = nullptr;
  UiPort* answers_ = nullptr;
  ScriptedPort* presets_ = nullptr;
  std::optional<std::string> next_file_;
};

// "Label (*.ext)" filters for a file dialog; upper- and lower-case patterns
// both match, as files come from systems that differ in case.
QString file_dialog_filter(const std::vector<FileFilter>& filters);

}  // namespace zelk
