#pragma once
// A port answered from a script: queued answers for dialogs, message boxes
// and file choosers, an in-memory clipboard, and a log of what was shown.
// zelk-batch and the tests use it.
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "plot/display_list.h"
#include "port/port.h"

namespace zelk {

struct DialogAnswer {
  DialogAnswer() = default;
  DialogAnswer(std::string t, std::vector<std::pair<std::string, std::string>> s = {}, std::string p = "OK",
               std::string o = {})
      : title(std::move(t)), settings(std::move(s)), press(std::move(p)), origin(std::move(o)) {}
  std::string title;
  std::vector<std::pair<std::string, std::string>> settings;  // key or label = value
  std::string press = "OK";
  std::string origin;  // where the answer came from ("line 12"), for error messages
};

class ScriptedPort : public UiPort {
 public:
  explicit ScriptedPort(std::ostream* log = nullptr) : log_(log) {}

  void queue_dialog(DialogAnswer answer) { dialogs_.push_back(std::move(answer)); }
  void queue_message(std::string button, std::string origin = {}) {
    messages_.push_back({std::move(button), std::move(origin)});
  }
  void queue_file(std::optional<std::string> path, std::string origin = {}) {
    files_.push_back({std::move(path), std::move(origin)});
  }
  // An answer is waiting for a dialog of this title / for a file chooser
  // (the desktop answers a few questions itself, as when reopening a file).
  bool has_answer(const std::string& title) { return next_answer(title) != dialogs_.end(); }
  bool has_file() const { return !files_.empty(); }
  // The next colour chooser ends with this 0xRRGGBB value, or is cancelled.
  void queue_colour(std::optional<unsigned> rgb, std::string origin = {}) {
    colours_.push_back({rgb, std::move(origin)});
  }
  void set_clipboard(std::optional<std::string> text) { clipboard_ = std::move(text); }
  const std::optional<std::string>& clipboard() const { return clipboard_; }
  const std::optional<DisplayList>& clipboard_picture() const { return picture_; }
  void set_clipboard_available(bool available) { clipboard_available_ = available; }

  // Lines shown so far: "MESSAGE [TITLE] TEXT -> BUTTON", "NO ANSWER "TITLE"".
  const std::vector<std::string>& shown() const { return shown_; }
  void clear_shown() { shown_.clear(); }
  // Script errors (an unknown control or button); the batch stops on these.
  const std::vector<std::string>& errors() const { return errors_; }
  void clear_errors() { errors_.clear(); }
  // Answers queued but never used, described for an error message
  // ("line 7: message Yes").
  std::vector<std::string> unused() const;

  Button message(std::string_view title, std::string_view text, Buttons buttons) override;
  bool run_dialog(Dialog& dialog) override;
  std::optional<std::string> choose_file(FileMode mode, std::string_view title, const std::vector<FileFilter>& filters,
                                         std::string_view initial_name) override;
  std::optional<std::string> clipboard_text() override;
  bool set_clipboard_text(const std::string& text) override;
  bool set_clipboard_picture(const DisplayList& picture) override;
  // Shown as "COLOUR R G B -> R G B" (or "-> cancel").
  bool choose_colour(unsigned& rgb) override;
  void status_changed(const StatusLine& s) override { status_ = s; }
  const StatusLine& status() const { return status_; }

 private:
  void show(std::string line);
  std::deque<DialogAnswer>::iterator next_answer(const std::string& title);
  std::ostream* log_;
  std::deque<DialogAnswer> dialogs_;
  std::deque<std::pair<std::string, std::string>> messages_;                 // button, origin
  std::deque<std::pair<std::optional<std::string>, std::string>> files_;  // path, origin
  std::deque<std::pair<std::optional<unsigned>, std::string>> colours_;  // 0xRRGGBB, origin
  std::optional<std::string> clipboard_;
  std::optional<DisplayList> picture_;
  bool clipboard_available_ = true;
  std::vector<std::string> shown_;
  std::vector<std::string> errors_;
  StatusLine status_{{"NONE", "", ""}};
};

}  // namespace zelk
