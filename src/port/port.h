#pragma once
// The one interface through which operations reach the user. The Qt front
// end answers it with widgets; zelk-batch and the tests answer from a script.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

class Dialog;
class TreeEditor;
struct DisplayList;
class Window;

enum class Button { Ok, Cancel, Yes, No };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

enum class FileMode { Open, Save };
struct FileFilter {
  std::string label;    // "ZELK Files (*.ZLK)"
  std::string pattern;  // "*.ZLK"
};

// What a file was used for, so that the desktop can offer it again.
enum class FileUse { UnivariateProject, MultivariateProject };

struct StatusLine {
  std::string parts[3];
};

class UiPort {
 public:
  virtual ~UiPort() = default;

  virtual Button message(std::string_view title, std::string_view text, Buttons buttons = Buttons::Ok) = 0;
  // Runs a modal dialog; true when it ended with OK.
  virtual bool run_dialog(Dialog& dialog) = 0;
  // Shows the modeless project editor (or brings it forward); it stays open
  // until its OK or Cancel while commands go on.
  virtual void show_tree_editor(TreeEditor& /*editor*/) {}
  virtual std::optional<std::string> choose_file(FileMode mode, std::string_view title,
                                                 const std::vector<FileFilter>& filters,
                                                 std::string_view initial_name) = 0;

  // Empty optional: the clipboard holds no text (or cannot be opened).
  virtual std::optional<std::string> clipboard_text() = 0;
  // False when the clipboard is not available.
  virtual bool set_clipboard_text(const std::string& text) = 0;
  virtual bool set_clipboard_picture(const DisplayList& picture) = 0;

  // Document mirroring: the desktop tells the front end what changed.
  virtual void window_opened(const Window&) {}
  virtual void window_changed(const Window&) {}
  virtual void window_closed(int /*window id*/) {}
  virtual void window_focused(int /*window id*/) {}
  virtual void window_shown(int /*window id*/, bool /*minimized*/) {}

  virtual void status_changed(const StatusLine&) {}
  virtual void menus_changed() {}
  virtual void toolbar_changed() {}
  // Long work reports progress here (iteration count); false asks to stop.
  // The dispatcher then puts the project back as it was before the command.
  virtual bool progress(int /*iteration*/) { return true; }
  // What the long work has done so far in words ("Simulating: 45 %"), shown
  // beside the means to cancel it.
  virtual void progress_note(std::string_view /*text*/) {}
  // A file was read into a project or a project was saved to it.
  virtual void file_used(std::string_view /*path*/, FileUse) {}

  virtual bool print_picture(const DisplayList&) { return false; }
  virtual bool print_text(const std::vector<std::string>&) { return false; }
  virtual bool choose_colour(unsigned& /*rgb*/) { return false; }

  // Commands the frame carries out itself: Tile, Cascade, Contents, Help
  // on Help and Exit.
  virtual void frame_command(int /*command id*/) {}
};

}  // namespace zelk
