#pragma once
// The operations behind the commands, by command identifier, and what each
// result slot needs to redraw itself or write its INFO text. Each subsystem
// fills the table from its own register function; the dispatcher looks here.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "shell/window.h"

namespace zelk {

class Dialog;
class MenuState;
struct Session;
struct UnivariateRecord;
struct MultivariateRecord;

using UnivariateOperation = std::function<void(Session&, int entry, UnivariateRecord&)>;
using MultivariateOperation = std::function<void(Session&, int entry, MultivariateRecord&)>;
using SessionOperation = std::function<void(Session&)>;

struct SlotHandlers {
  // Recomputes the slot's graph (and INFO text, when open) from the record.
  UnivariateOperation refresh;
  // Writes the slot's report into its INFO window (the Info command).
  UnivariateOperation write_info;
};

struct OperationTable {
  std::map<int, UnivariateOperation> univariate;
  std::map<int, MultivariateOperation> multivariate;
  std::map<int, SessionOperation> session;  // commands with their own project rules
  std::map<Slot, SlotHandlers> slots;
  // One instance of every dialog in its default state, for `zelk-batch --dialogs`.
  std::vector<std::function<std::unique_ptr<Dialog>()>> dialogs;
  // Menu rules that depend on a project's own state (which transformations
  // may follow, the Undo label, regression items, check marks), applied by
  // the shell's update menus when the project has data.
  std::function<void(const UnivariateRecord&, MenuState&)> transform_menu;
  std::function<void(const MultivariateRecord&, MenuState&)> multivariate_transform_menu;
};

// Each subsystem's registration; the shell calls them all once.
void register_project_operations(OperationTable& table);
void register_univariate_operations(OperationTable& table);
void register_arma_operations(OperationTable& table);
void register_forecast_operations(OperationTable& table);
void register_multivariate_operations(OperationTable& table);
OperationTable make_operation_table();

// Redraws every open window of a project from its record (after a
// transformation, a new model or new data).
void refresh_project(Session& s, int entry);

}  // namespace zelk
