#include "port/commands.h"
#include "batch/interpreter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "batch/listing.h"
#include "shell/script_words.h"
#include "plot/format.h"
#include "plot/render.h"
#include "plot/svg.h"
#include "port/dialog.h"

namespace zelk {
namespace {

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

std::string joined(const std::vector<std::string>& words, std::size_t from) {
  std::string s;
  for (std::size_t i = from; i < words.size(); ++i) s += (i > from ? " " : "") + words[i];
  return s;
}

std::string extension(const std::string& path) {
  std::string e = std::filesystem::path(path).extension().string();
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e;
}

// Written next to the target and renamed over it when complete.
bool write_file(const std::string& path, const std::string& bytes, std::string& error) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary);
    f << bytes;
    if (!f.flush()) {
      error = "cannot write " + path;
      std::remove(tmp.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    error = "cannot write " + path + ": " + ec.message();
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace

// The scripted port with the frame's own commands: Exit ends the script,
// printing shows what would go to the printer.
class Interpreter::Port : public ScriptedPort {
 public:
  explicit Port(std::ostream& out) : ScriptedPort(&out), out_(out) {}
  void frame_command(int id) override {
    if (id == cmd::Exit) exit_requested = true;
  }
  bool print_picture(const DisplayList& picture) override {
    out_ << "PRINT picture " << picture.width << " x " << picture.height << '\n';
    return true;
  }
  bool print_text(const std::vector<std::string>& lines) override {
    out_ << "PRINT text " << lines.size() << " lines\n";
    return true;
  }
  bool exit_requested = false;

 private:
  std::ostream& out_;
};

Interpreter::Interpreter(std::ostream& out, std::ostream& err, std::string base, RasterWriter raster)
    : Interpreter(out, err, std::move(base), make_registry(), raster) {}

Interpreter::Interpreter(std::ostream& out, std::ostream& err, std::string base, Registry table,
                         RasterWriter raster)
    : out_(out), err_(err), base_(std::move(base)), raster_(raster), port_(std::make_unique<Port>(out)) {
  app_ = std::make_unique<App>(*port_, std::move(table));
}

Interpreter::~Interpreter() = default;

ScriptedPort& Interpreter::port() { return *port_; }

int Interpreter::run(std::istream& script, const std::string& name) {
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    std::string error;
    auto words = split_words(line, &error);
    const std::string origin = "line " + std::to_string(number);
    if (words && !words->empty() && step(*words, origin, error) && port_->errors().empty()) {
      if (port_->exit_requested) break;
      continue;
    }
    if (words && words->empty()) continue;
    if (error.empty() && !port_->errors().empty()) error = port_->errors().front();
    err_ << name << ':' << number << ": " << error << '\n';
    return 1;
  }
  const auto unused = port_->unused();
  if (!unused.empty()) {
    for (const auto& u : unused) err_ << name << ": answer left unused: " << u << '\n';
    return 1;
  }
  return 0;
}

bool Interpreter::step(const std::vector<std::string>& w, const std::string& origin, std::string& error) {
  const std::string& verb = w[0];
  if (verb == "do") {
    if (w.size() < 2) return error = "do needs a command", false;
    return do_command(joined(w, 1), error);
  }
  if (verb == "dialog") return queue_dialog(w, origin, error);
  if (verb == "message") {
    if (w.size() > 2) return error = "message takes one button", false;
    port_->queue_message(w.size() == 2 ? w[1] : std::string(), origin);
    return true;
  }
  if (verb == "file") {
    if (w.size() != 2) return error = "file takes a path or cancel", false;
    if (w[1] == "cancel")
      port_->queue_file(std::nullopt, origin);
    else
      port_->queue_file(resolve(w[1]), origin);
    return true;
  }
  if (verb == "clipboard") return clipboard(w, error);
  if (verb == "print") {
    if (w.size() < 2) return error = "print needs windows, status, menu or a window caption", false;
    return print(joined(w, 1), error);
  }
  if (verb == "focus") {
    Window* target = w.size() < 2 ? nullptr : find_window(joined(w, 1));
    if (!target) return error = "no window \"" + joined(w, 1) + "\"", false;
    app_->window_focused(target->id);
    return true;
  }
  if (verb == "save-picture") {
    if (w.size() != 3) return error = "save-picture takes a window caption and a file", false;
    return save_picture(w[1], w[2], error);
  }
  if (verb == "import-table") return import_table(w, origin, error);
  if (verb == "colour" || verb == "color") return queue_colour(w, origin, error);
  if (verb == "size") return resize(w, error);
  if (verb == "editor") return editor(w, error);
  error = "unknown step \"" + verb + "\"";
  return false;
}

bool Interpreter::do_command(const std::string& name, std::string& error) {
  int id = 0;
  if (auto n = read_integer(name)) {
    id = static_cast<int>(*n);
    if (!find_command(id)) return error = "unknown command " + name, false;
  } else {
    const auto ids = find_commands_by_text(name, app_->menu_kind());
    if (ids.empty()) return error = "unknown command \"" + name + "\"", false;
    if (ids.size() > 1) {
      error = "\"" + name + "\" is ambiguous:";
      for (int i : ids) {
        std::string path = menu_path(i, app_->menu_kind());
        if (path.empty()) path = menu_path(i, app_->menu_kind() == MenuKind::Univariate ? MenuKind::Multivariate
                                                                                         : MenuKind::Univariate);
        error += " " + std::to_string(i) + " (" + path + ")";
      }
      return false;
    }
    id = ids.front();
  }
  app_->dispatch(id);
  return true;
}

bool Interpreter::queue_dialog(const std::vector<std::string>& w, const std::string& origin, std::string& error) {
  if (w.size() < 2) return error = "dialog needs a title", false;
  DialogAnswer answer;
  answer.title = w[1];
  answer.origin = origin;
  for (std::size_t i = 2; i < w.size(); ++i) {
    const auto eq = w[i].find('=');
    if (eq == std::string::npos || eq == 0) return error = "expected KEY=VALUE, not \"" + w[i] + "\"", false;
    std::string key = w[i].substr(0, eq), value = w[i].substr(eq + 1);
    if (same_text(key, "press"))
      answer.press = value;
    else
      answer.settings.emplace_back(std::move(key), std::move(value));
  }
  port_->queue_dialog(std::move(answer));
  return true;
}

bool Interpreter::clipboard(const std::vector<std::string>& w, std::string& error) {
  if (w.size() == 3 && w[1] == "text") {
    port_->set_clipboard(unescape_text(w[2]));
    return true;
  }
  if (w.size() == 2 && w[1] == "print") {
    if (const auto& pic = port_->clipboard_picture()) {
      out_ << "CLIPBOARD picture " << pic->width << " x " << pic->height << '\n';
    } else if (const auto& text = port_->clipboard()) {
      std::string shown = *text;
      shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());
      out_ << shown;
      if (!shown.empty() && shown.back() != '\n') out_ << '\n';
    } else {
      out_ << "CLIPBOARD empty\n";
    }
    return true;
  }
  error = "clipboard takes text \"TEXT\" or print";
  return false;
}

bool Interpreter::print(const std::string& what, std::string& error) {
  if (what == "windows") {
    list_windows(app_->session().desktop, out_);
  } else if (what == "status") {
    list_status(app_->status(), out_);
  } else if (what == "menu") {
    list_menu(*app_, out_);
  } else if (Window* w = find_window(what)) {
    list_window(*w, out_);
  } else {
    error = "no window \"" + what + "\"";
    return false;
  }
  return true;
}

Window* Interpreter::find_window(const std::string& prefix) {
  const std::string want = trim(prefix);
  Window* best = nullptr;
  for (const auto& w : app_->session().desktop.windows()) {
    if (same_text(w->caption, want)) return w.get();
    if (starts_with_nocase(trim(w->caption), want) && (!best || w->caption.size() < best->caption.size()))
      best = w.get();
  }
  return best;
}

bool Interpreter::save_picture(const std::string& prefix, const std::string& file, std::string& error) {
  Window* w = find_window(prefix);
  if (!w) return error = "no window \"" + prefix + "\"", false;
  if (!w->graph) return error = "window \"" + w->caption + "\" is not a graph", false;
  const DisplayList picture = render_graph(*w->graph, app_->session().colours, w->width, w->height);
  const std::string path = resolve(file);
  const std::string ext = extension(path);
  if (ext == ".svg") {
    if (!write_file(path, to_svg(picture), error)) return false;
  } else if (ext == ".png" || ext == ".pdf") {
    if (!raster_) return error = "PNG and PDF pictures need zelk-batch built with QtGui; use .svg", false;
    if (!raster_(picture, path, &error)) return false;
  } else {
    return error = "picture files end in .svg, .png or .pdf", false;
  }
  out_ << "PICTURE \"" << w->caption << "\" " << file << '\n';
  return true;
}

// The answers File > Import Table asks for, then the command.
bool Interpreter::import_table(const std::vector<std::string>& w, const std::string& origin, std::string& error) {
  if (w.size() < 2) return error = "import-table needs a file", false;
  DialogAnswer answer("Import Table", {}, "OK", origin);
  std::vector<std::pair<std::string, std::string>> columns;
  for (std::size_t i = 2; i < w.size(); i += 2) {
    const bool known = w[i] == "column" || w[i] == "columns" || w[i] == "header";
    if (!known || i + 1 >= w.size()) return error = "import-table FILE takes column N, columns LIST, header on|off", false;
    // The header switch rebuilds the column list: it goes first.
    (w[i] == "header" ? answer.settings : columns).emplace_back(w[i] == "header" ? "header" : "columns", w[i + 1]);
  }
  answer.settings.insert(answer.settings.end(), columns.begin(), columns.end());
  port_->queue_file(resolve(w[1]), origin);
  port_->queue_dialog(std::move(answer));
  app_->dispatch(cmd::ImportTable);
  return true;
}

bool Interpreter::queue_colour(const std::vector<std::string>& w, const std::string& origin, std::string& error) {
  if (w.size() == 2 && w[1] == "cancel") {
    port_->queue_colour(std::nullopt, origin);
    return true;
  }
  if (w.size() != 4) return error = "colour takes red, green and blue (0 to 255) or cancel", false;
  unsigned rgb = 0;
  for (std::size_t i = 1; i < 4; ++i) {
    const auto v = read_integer(w[i]);
    if (!v || *v < 0 || *v > 255) return error = "colour components are integers from 0 to 255, not " + w[i], false;
    rgb = (rgb << 8) | static_cast<unsigned>(*v);
  }
  port_->queue_colour(rgb, origin);
  return true;
}

bool Interpreter::resize(const std::vector<std::string>& w, std::string& error) {
  if (w.size() != 4) return error = "size takes a window caption, a width and a height", false;
  Window* target = find_window(w[1]);
  if (!target) return error = "no window \"" + w[1] + "\"", false;
  const auto width = read_integer(w[2]), height = read_integer(w[3]);
  // Past a few screens a picture is an allocation, not a window.
  if (!width || !height || *width < 1 || *height < 1 || *width > 10000 || *height > 10000)
    return error = "a window size is two integers from 1 to 10000", false;
  app_->session().desktop.resized(target->id, static_cast<double>(*width), static_cast<double>(*height));
  return true;
}

std::string Interpreter::resolve(const std::string& path) const {
  const std::filesystem::path p(path);
  if (p.is_absolute() || base_.empty()) return path;
  return (std::filesystem::path(base_) / p).string();
}

}  // namespace zelk
