#pragma once
// Transformations of every component of a multivariate project at once, each
// pushing the node that undoes it.
#include <string>

#include "project/multivariate_record.h"

namespace zelk {

// X(i, t) := X(i, t + d) - X(i, t); the first d points go into the node. Needs 1 <= d < n - 1.
void difference_components(MultivariateRecord& rec, int d);
void subtract_component_means(MultivariateRecord& rec);
// Keeps the time points first'..last' (indices of the data as read);
// needs first <= first' < last' <= last.
void trim_components(MultivariateRecord& rec, int new_first, int new_last);
// Removes the newest node and restores the data it changed; false when there is none.
bool undo_components(MultivariateRecord& rec);

// The Undo item's text for the newest node ("Undo" when there is none).
std::string mv_undo_label(const MultivariateRecord& rec);
// Difference, Subtract Means and Trim wait while means are subtracted.
bool mv_transform_allowed(const MultivariateRecord& rec);

}  // namespace zelk
