#pragma once
// Which transformation may follow which: at most one Box-Cox, first; then
// differencings or one classical decomposition; then at most one mean
// subtraction; then at most one subsequence. A removed regression trend
// blocks them all.
#include <span>

#include "model/transform.h"

namespace zelk {

struct UnivariateRecord;

// The Transform menu's commands.
enum class TransformCommand {
  Difference,
  BoxCox,
  Classical,
  SubtractMean,
  Subsequence,
  ShowClassicalFit,
};

bool transform_allowed(std::span<const Transformation> list, bool regression_removed, TransformCommand c);
bool transform_allowed(const UnivariateRecord& rec, TransformCommand c);
// True while a regression trend is taken out of the series: transformations
// and their undo wait until it is put back.
bool regression_removed(const UnivariateRecord& rec);

}  // namespace zelk
