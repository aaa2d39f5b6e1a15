#include "project/transform_rules.h"

#include "project/univariate_record.h"

namespace zelk {

bool transform_allowed(std::span<const Transformation> list, bool regression_removed, TransformCommand c) {
  bool box_cox = true, classical = true, difference = true, mean = true, subsequence = true, show_fit = false;
  auto block_to_subsequence = [&] { box_cox = classical = mean = difference = subsequence = false; };
  if (regression_removed) block_to_subsequence();
  for (const Transformation& t : list) {
    switch (t.kind) {
      case TransformKind::Difference: box_cox = classical = false; break;
      case TransformKind::BoxCox: box_cox = false; break;
      case TransformKind::Classical:
      case TransformKind::ClassicalHarmonic:
        box_cox = classical = difference = false;
        show_fit = true;
        break;
      case TransformKind::SubtractMean: box_cox = classical = mean = difference = false; break;
      case TransformKind::Subsequence: block_to_subsequence(); break;
    }
  }
  switch (c) {
    case TransformCommand::Difference: return difference;
    case TransformCommand::BoxCox: return box_cox;
    case TransformCommand::Classical: return classical;
    case TransformCommand::SubtractMean: return mean;
    case TransformCommand::Subsequence: return subsequence;
    case TransformCommand::ShowClassicalFit: return show_fit;
  }
  return false;
}

bool regression_removed(const UnivariateRecord& rec) {
  // An estimated trend has been subtracted from the working series.
  return rec.regression.removed || rec.regression.estimation != 0;
}

bool transform_allowed(const UnivariateRecord& rec, TransformCommand c) {
  return rec.data_present() && transform_allowed(rec.transforms, regression_removed(rec), c);
}

}  // namespace zelk
