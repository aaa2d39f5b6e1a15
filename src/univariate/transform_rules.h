#pragma once
// Which transformation may follow which: at most one Box-Cox, first; then
// differencings or one classical decomposition; then at most one mean
// subtraction; then at most one subsequence. A removed regression trend
// blocks them all.
#include <span>

#include "univariate/transform.h"

namespace zelk {

struct UnivariateRecord;

// The Transform menu's commands.
enum class TransformCommand : int {
  Difference = 40044,
  BoxCox = 40056,
  Classical = 40066,
  SubtractMean = 40061,
  Subsequence = 40067,
  ShowClassicalFit = 40115,
};

bool transform_allowed(std::span<const Transformation> list, bool regression_removed, TransformCommand c);
bool transform_allowed(const UnivariateRecord& rec, TransformCommand c);
// True while a regression trend is taken out of the series: transformations
// and their undo wait until it is put back.
bool regression_removed(const UnivariateRecord& rec);

}  // namespace zelk
