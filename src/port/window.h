#pragma once
// A result window as the core sees it: its kind, caption, owning project and
// the document it shows. Front ends mirror these; they never own the data.
#include <functional>
#include <memory>
#include <string>

#include "plot/document.h"

namespace zelk {

enum class WindowKind : int { Graph = 1101, Info = 1102, DupGraph = 1103, DupInfo = 1104 };

// What a kind of result window is: the caption prefixes of its graph (or of a
// text-only report) and of the graph's INFO window. Each feature defines its
// windows as constants of this type; a window's Slot points at one of them.
struct WindowSpec {
  const char* graph = "";
  const char* info = "";
  bool text_only = false;
  // Results of the data that a new series makes meaningless: such windows
  // close when data are imported or a project file is opened.
  bool closes_with_new_data = true;
};

class Slot {
 public:
  constexpr Slot() = default;
  constexpr Slot(const WindowSpec& definition) : definition_(&definition) {}  // NOLINT: a definition names its slot
  const WindowSpec* definition() const { return definition_; }
  explicit operator bool() const { return definition_ != nullptr; }
  friend bool operator==(Slot a, Slot b) { return a.definition_ == b.definition_; }
  friend bool operator<(Slot a, Slot b) { return std::less<const WindowSpec*>()(a.definition_, b.definition_); }

 private:
  const WindowSpec* definition_ = nullptr;
};

// The WindowSpec of a slot; blank prefixes for no slot.
const WindowSpec& window_spec(Slot slot);

namespace windows {
// The project window: the series plot, whose INFO window holds the summary.
inline constexpr WindowSpec Project{"", "INFO: ", false, false};
}  // namespace windows

class Window {
 public:
  int id = 0;
  WindowKind kind = WindowKind::Graph;
  int project = 0;   // owning project entry, 0 for none
  Slot slot;
  std::string caption;
  bool minimized = false;
  std::shared_ptr<GraphDocument> graph;  // Graph, DupGraph
  std::shared_ptr<TextDocument> text;    // Info, DupInfo, text-only reports
  int info = 0;    // a graph's INFO window id
  int source = 0;  // an INFO window's graph; a duplicate's source
  // Client size in pixels as the front end last showed it: the clipboard and
  // the printer get the picture at this size. zelk-batch windows keep the default.
  double width = 800, height = 600;

  bool is_graph() const { return kind == WindowKind::Graph || kind == WindowKind::DupGraph; }
};

}  // namespace zelk
