#pragma once
// What every operation works in: the port to the user, the open projects,
// their windows and the settings shared by all graphs.
#include "plot/colours.h"
#include "project/project_table.h"
#include "shell/desktop.h"
#include "shell/operations.h"
#include "shell/port.h"

namespace zelk {

enum class MenuKind : int { Univariate = 1, Multivariate = 2 };

struct Session {
  explicit Session(UiPort& p) : port(p), desktop(p) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  UiPort& port;
  ProjectTable projects;
  Desktop desktop;
  ColourTable colours = ColourTable::defaults();
  int zoom_mode = 0;  // 1 region, 2 range, 3 out
  MenuKind menu = MenuKind::Univariate;
  const OperationTable* operations = nullptr;  // set by the shell at start-up
};

}  // namespace zelk
