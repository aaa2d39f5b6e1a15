#pragma once
// What each feature says about itself: its commands (text, place in the menus,
// scope, enable rules, tool-bar button, tooltip, handler), its result windows,
// its dialogs and what it does when the series, the model or a project
// changes. The shell builds menus, tool bar and dispatch from these alone.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "port/commands.h"
#include "port/window.h"

namespace zelk {

class Dialog;
struct Session;
struct UnivariateRecord;
struct MultivariateRecord;
enum class ProjectKind : int;

using UnivariateOperation = std::function<void(Session&, int entry, UnivariateRecord&)>;
using MultivariateOperation = std::function<void(Session&, int entry, MultivariateRecord&)>;
using SessionOperation = std::function<void(Session&)>;
using DialogFactory = std::function<std::unique_ptr<Dialog>()>;

enum class MenuKind : int { Univariate = 1, Multivariate = 2 };

enum class CommandScope {
  Any,           // runs with or without a project
  NeedsProject,  // does nothing with no current project
  Target,        // acts on the result window with the focus
  Univariate,    // only when the current project is univariate
  Multivariate,  // only when the current project is multivariate
  Popup,         // project editor tree popups: the editor acts on them
};

// The current project as enable rules see it.
struct ProjectView {
  const Session& session;
  int entry = 0;
  const UnivariateRecord* univariate = nullptr;
  const MultivariateRecord* multivariate = nullptr;
  bool data() const;  // the current project holds data
};
using Rule = std::function<bool(const ProjectView&)>;
using LabelRule = std::function<std::string(const ProjectView&)>;

// A place in a menu: the popup path ("Sp&ectrum > &Model") and an order key.
// Items sort by key; a separator stands where the tens digit changes.
struct MenuPlace {
  MenuKind menu = MenuKind::Univariate;
  std::string path;
  int order = 0;
  const char* text = nullptr;  // another text in this place, when it differs
};

// A popup of the menu bar (a top-level one has no " > " in its path).
struct PopupSpec {
  MenuKind menu = MenuKind::Univariate;
  std::string path;
  int order = 0;
  Rule enabled;  // empty: always enabled
};

enum class StandardImage { None, New, Open, SaveAs, Close, Print };

// Which tool bars show a button: the start-up bar, then the bar of each
// project kind (no project, univariate, multivariate).
enum ToolbarSet : unsigned { kStartupBar = 1, kFreeBar = 2, kUnivariateBar = 4, kMultivariateBar = 8,
                             kProjectBars = 14, kEveryBar = 15 };

struct ToolButton {
  unsigned bars = 0;  // 0: no button
  int order = 0;      // as for menus: a separator where the tens digit changes
  int image = -1;     // application image 0..29, or -1 with a standard image
  StandardImage standard = StandardImage::None;
};

// The platform's usual key for a command, shown in the menus; the front end
// maps it to the platform's key sequence.
enum class StandardShortcut { None, New, Open, Save, SaveAs, Print, Copy, Close, Quit, HelpContents };

struct CommandSpec {
  int id = 0;
  const char* text = "";  // the menu text, '&' and blanks kept
  CommandScope scope = CommandScope::Any;
  std::vector<MenuPlace> places;
  Rule enabled;       // empty: always enabled
  Rule checked;       // empty: never checked
  LabelRule label;    // empty: the menu text
  ToolButton button;
  const char* tooltip = nullptr;
  StandardShortcut shortcut = StandardShortcut::None;
  UnivariateOperation univariate;
  MultivariateOperation multivariate;
  SessionOperation session;  // commands with their own project rules
  // Opens, closes or fills a project: tool bar and status follow.
  bool project_event = false;
};

// A result window's refresh (recompute and redraw from the record; also
// rewrites its INFO text when open) and INFO writer (the Info command).
struct WindowHandlers {
  Slot slot;
  UnivariateOperation refresh;
  UnivariateOperation write_info;
  MultivariateOperation refresh_multivariate;
  MultivariateOperation write_info_multivariate;
};

enum class Event {
  SeriesChanged,  // the working series was transformed, undone or replaced
  ModelChanged,   // the ARMA model or its fit changed
  ProjectClosed,  // the entry is about to be freed
  ProjectRead,    // a project file replaced the series and the model
};
using EventHandler = std::function<void(Session&, int entry)>;

struct Feature {
  std::string name;
  std::vector<CommandSpec> commands;
  std::vector<PopupSpec> popups;
  std::vector<WindowHandlers> windows;
  std::vector<DialogFactory> dialogs;
  std::vector<std::pair<Event, EventHandler>> reactions;
};

class Registry {
 public:
  // Adds a feature; a command id or window described twice is a
  // programming error and throws std::logic_error.
  void add(Feature feature);

  const CommandSpec* command(int id) const;
  CommandSpec* command(int id);  // to replace a handler (tests)
  const std::vector<CommandSpec>& commands() const { return commands_; }
  const std::vector<PopupSpec>& popups() const { return popups_; }
  const WindowHandlers* window(Slot slot) const;
  const std::vector<DialogFactory>& dialogs() const { return dialogs_; }
  const std::vector<EventHandler>& reactions(Event e) const;
  const std::vector<std::string>& features() const { return names_; }

 private:
  std::vector<CommandSpec> commands_;
  std::map<int, std::size_t> by_id_;
  std::vector<PopupSpec> popups_;
  std::vector<WindowHandlers> windows_;
  std::vector<DialogFactory> dialogs_;
  std::map<Event, std::vector<EventHandler>> reactions_;
  std::vector<std::string> names_;
};

// A command in one place of one kind's menu, run on that kind of project.
CommandSpec univariate_command(int id, const char* text, const char* path, int order, UnivariateOperation op = {});
CommandSpec multivariate_command(int id, const char* text, const char* path, int order,
                                 MultivariateOperation op = {});
// The command with a button on the given tool bars.
CommandSpec with_button(CommandSpec c, unsigned bars, int order, int image, const char* tooltip);

}  // namespace zelk
