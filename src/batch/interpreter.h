#pragma once
// zelk-batch: runs a script of steps against the same dispatcher and
// operations as the desktop program, answering the UI port from the script.
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "plot/display_list.h"
#include "shell/app.h"
#include "port/scripted_port.h"

namespace zelk {

// Writes a picture to a .png or .pdf file; false with `error` set on failure.
// zelk-batch installs one when it is built with QtGui.
using RasterWriter = bool (*)(const DisplayList& picture, const std::string& path, std::string* error);

class Interpreter {
 public:
  // `base` is the folder that relative paths in the script are resolved
  // against (the script's folder; the current folder for standard input).
  Interpreter(std::ostream& out, std::ostream& err, std::string base, RasterWriter raster = nullptr);
  // With a given operation table (tests).
  Interpreter(std::ostream& out, std::ostream& err, std::string base, Registry table,
              RasterWriter raster = nullptr);
  ~Interpreter();

  // Runs every line; 0 when all were carried out, 1 after the first line
  // that could not be (the error names it on `err`).
  int run(std::istream& script, const std::string& name);

  App& app() { return *app_; }
  ScriptedPort& port();

 private:
  // Carries out one line's words; false with `error` set when it cannot.
  bool step(const std::vector<std::string>& words, const std::string& origin, std::string& error);
  bool do_command(const std::string& name, std::string& error);
  bool queue_dialog(const std::vector<std::string>& words, const std::string& origin, std::string& error);
  bool print(const std::string& what, std::string& error);
  bool clipboard(const std::vector<std::string>& words, std::string& error);
  bool save_picture(const std::string& prefix, const std::string& file, std::string& error);
  bool import_table(const std::vector<std::string>& words, const std::string& origin, std::string& error);
  bool queue_colour(const std::vector<std::string>& words, const std::string& origin, std::string& error);
  bool resize(const std::vector<std::string>& words, std::string& error);
  bool editor(const std::vector<std::string>& words, std::string& error);  // editor_steps.cpp
  Window* find_window(const std::string& prefix);
  std::string resolve(const std::string& path) const;

  class Port;
  std::ostream& out_;
  std::ostream& err_;
  std::string base_;
  RasterWriter raster_;
  std::unique_ptr<Port> port_;
  std::unique_ptr<App> app_;
};

// The text of `zelk-batch --help`.
std::string usage_text();
// `zelk-batch --dialogs`: every dialog with its controls' keys, kinds and labels.
void print_dialogs(const Registry& table, std::ostream& out);
// The project editor for `--dialogs`: its nodes, popups and buttons.
void print_tree_editor(std::ostream& out);

}  // namespace zelk
