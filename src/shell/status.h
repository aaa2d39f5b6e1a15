#pragma once
// The three parts of the status bar for the current project.
#include "port/port.h"
#include "port/session.h"

namespace zelk {

// "NONE" before the first project event.
StatusLine startup_status();
// No project: "No project open" and two blanks. Univariate: the project
// window's caption (at most 127 characters), the transformation summary or
// "None", "Iteration  " with the count when at least 1, else a blank.
// Multivariate: the project name, "# of active series = " k and
// "Length of series = " n, or "No data".
StatusLine compute_status(const Session& s);

}  // namespace zelk
