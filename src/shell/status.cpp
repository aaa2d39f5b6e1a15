#include "shell/status.h"

#include <algorithm>

namespace zelk {

StatusLine startup_status() { return StatusLine{{"NONE", "", ""}}; }

StatusLine compute_status(const Session& s) {
  const int cur = s.projects.current();
  StatusLine line{{"No project open", " ", " "}};
  if (const UnivariateRecord* rec = s.projects.univariate(cur)) {
    line.parts[0] = rec->name.substr(0, 127);
    line.parts[1] = rec->transforms.empty() ? "None" : rec->transform_summary;
    line.parts[2] = rec->iterations >= 1 ? "Iteration  " + std::to_string(rec->iterations) : " ";
  } else if (s.projects.kind(cur) == ProjectKind::Multivariate) {
    const MultivariateRecord* m = s.projects.multivariate(cur);
    line.parts[0] = m->name.substr(0, 127);
    if (m->data_present()) {
      const auto active = std::count(m->active.begin(), m->active.end(), true);
      line.parts[1] = "# of active series = " + std::to_string(active);
      line.parts[2] = "Length of series = " + std::to_string(m->n);
    } else {
      line.parts[1] = "No data";
    }
  }
  return line;
}

}  // namespace zelk
