#include "port/scripted_port.h"

#include <filesystem>

#include "port/dialog.h"

namespace zelk {
namespace {

std::vector<std::string> button_names(Buttons b) {
  switch (b) {
    case Buttons::Ok: return {"OK"};
    case Buttons::OkCancel: return {"OK", "Cancel"};
    case Buttons::YesNo: return {"Yes", "No"};
    case Buttons::YesNoCancel: return {"Yes", "No", "Cancel"};
  }
  return {"OK"};
}

Button button_of(const std::string& name) {
  if (same_text(name, "Cancel")) return Button::Cancel;
  if (same_text(name, "Yes")) return Button::Yes;
  if (same_text(name, "No")) return Button::No;
  return Button::Ok;
}

}  // namespace

void ScriptedPort::show(std::string line) {
  if (log_) *log_ << line << '\n';
  shown_.push_back(std::move(line));
}

Button ScriptedPort::message(std::string_view title, std::string_view text, Buttons buttons) {
  const auto names = button_names(buttons);
  std::string chosen = names.front();
  if (!messages_.empty()) {
    std::string want = messages_.front().first;
    messages_.pop_front();
    bool ok = want.empty();  // no button named: the first one
    for (const auto& n : names)
      if (same_text(n, want)) {
        chosen = n;
        ok = true;
      }
    if (!ok) errors_.push_back("message box [" + std::string(title) + "] has no button " + want);
  }
  show("MESSAGE [" + std::string(title) + "] " + std::string(text) + " -> " + chosen);
  return button_of(chosen);
}

std::deque<DialogAnswer>::iterator ScriptedPort::next_answer(const std::string& title) {
  for (auto it = dialogs_.begin(); it != dialogs_.end(); ++it)
    if (same_text(it->title, title)) return it;
  return dialogs_.end();
}

bool ScriptedPort::run_dialog(Dialog& dialog) {
  auto it = next_answer(dialog.title());
  if (it == dialogs_.end()) {
    show("NO ANSWER \"" + dialog.title() + "\"");
    dialog.cancelled(*this);
    return false;
  }
  while (it != dialogs_.end()) {
    DialogAnswer answer = std::move(*it);
    dialogs_.erase(it);
    bool refused = false;
    for (const auto& [key, value] : answer.settings) {
      Control* c = dialog.find(key);
      if (!c) {
        errors_.push_back("dialog \"" + dialog.title() + "\" has no control " + key);
        dialog.cancelled(*this);
        return false;
      }
      std::string why;
      if (!dialog.set_from_text(*c, value, &why)) {
        errors_.push_back("dialog \"" + dialog.title() + "\": " + key + ": " + why);
        dialog.cancelled(*this);
        return false;
      }
      if (!dialog.field_changed(c->key, *this)) {
        refused = true;
        break;
      }
    }
    if (!refused) {
      if (same_text(answer.press, dialog.cancel_label()) || same_text(answer.press, "Cancel")) {
        dialog.cancelled(*this);
        return false;
      }
      if (same_text(answer.press, dialog.ok_label()) || same_text(answer.press, "OK")) {
        if (dialog.accept(*this)) return true;
      } else {
        Control* b = dialog.find(answer.press);
        if (!b || b->kind != ControlKind::Button) {
          errors_.push_back("dialog \"" + dialog.title() + "\" has no button " + answer.press);
          dialog.cancelled(*this);
          return false;
        }
        dialog.button_pressed(b->key, *this);
      }
    }
    // Refused, or a button that keeps the dialog open: the next answer for
    // this title carries on; with none the dialog is cancelled.
    it = next_answer(dialog.title());
  }
  show("NO ANSWER \"" + dialog.title() + "\"");
  dialog.cancelled(*this);
  return false;
}

std::optional<std::string> ScriptedPort::choose_file(FileMode mode, std::string_view title,
                                                     const std::vector<FileFilter>&, std::string_view) {
  if (files_.empty()) {
    show("NO ANSWER \"" + std::string(title) + "\"");
    return std::nullopt;
  }
  auto f = std::move(files_.front().first);
  files_.pop_front();
  // An open dialog only ever returns a file that is there.
  std::error_code ec;
  if (mode == FileMode::Open && f && !std::filesystem::is_regular_file(*f, ec)) {
    errors_.push_back("no file " + *f);
    return std::nullopt;
  }
  return f;
}

std::optional<std::string> ScriptedPort::clipboard_text() {
  if (!clipboard_available_) return std::nullopt;
  return clipboard_;
}

bool ScriptedPort::set_clipboard_text(const std::string& text) {
  if (!clipboard_available_) return false;
  clipboard_ = text;
  picture_.reset();
  return true;
}

bool ScriptedPort::set_clipboard_picture(const DisplayList& picture) {
  if (!clipboard_available_) return false;
  picture_ = picture;
  clipboard_.reset();
  return true;
}

namespace {
std::string rgb_text(unsigned v) {
  return std::to_string((v >> 16) & 0xFF) + ' ' + std::to_string((v >> 8) & 0xFF) + ' ' + std::to_string(v & 0xFF);
}
}  // namespace

bool ScriptedPort::choose_colour(unsigned& rgb) {
  if (colours_.empty()) {
    show("NO ANSWER \"Color\"");
    return false;
  }
  const std::optional<unsigned> chosen = colours_.front().first;
  colours_.pop_front();
  show("COLOUR " + rgb_text(rgb) + " -> " + (chosen ? rgb_text(*chosen) : std::string("cancel")));
  if (!chosen) return false;
  rgb = *chosen & 0xFFFFFFu;
  return true;
}

std::vector<std::string> ScriptedPort::unused() const {
  auto from = [](const std::string& origin) { return origin.empty() ? std::string() : origin + ": "; };
  std::vector<std::string> out;
  for (const auto& d : dialogs_) out.push_back(from(d.origin) + "dialog \"" + d.title + "\"");
  for (const auto& [button, origin] : messages_) out.push_back(from(origin) + "message " + button);
  for (const auto& [path, origin] : files_) out.push_back(from(origin) + "file " + path.value_or("cancel"));
  for (const auto& [rgb, origin] : colours_)
    out.push_back(from(origin) + "colour " + (rgb ? rgb_text(*rgb) : std::string("cancel")));
  return out;
}

}  // namespace zelk
