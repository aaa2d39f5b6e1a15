#pragma once
// Enable rules that many commands share.
#include "port/registry.h"

namespace zelk::rules {

inline bool project_open(const ProjectView& v) { return v.univariate || v.multivariate; }
inline bool univariate_data(const ProjectView& v) { return v.univariate && v.data(); }
inline bool multivariate_data(const ProjectView& v) { return v.multivariate && v.data(); }
// Greyed only while the current project has no data yet.
inline bool unless_empty_project(const ProjectView& v) { return !project_open(v) || v.data(); }

}  // namespace zelk::rules
