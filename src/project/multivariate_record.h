#pragma once
// A multivariate project: m component series (1 to 25) of common length n.
#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/transfer_model.h"
#include "project/feature_state.h"

namespace zelk {

inline constexpr int kMaxComponents = 25;

enum class MvTransformKind : int { Difference = 1, SubtractMeans = 16, Trim = 32 };

// One transformation of all components, with what undoing it needs. Matrices
// are component-major: component j's values are one contiguous run.
struct MvTransform {
  MvTransformKind kind = MvTransformKind::Difference;
  int lag = 0;                     // differencing
  std::vector<double> saved;       // differencing: the first `lag` points, m x lag
  std::vector<double> means;       // subtract means: m
  int old_first = 0, old_last = 0; // trim: the bounds before
  std::vector<double> head, tail;  // trim: values cut at each end, m x count (empty: none)
  friend bool operator==(const MvTransform&, const MvTransform&) = default;
};

struct MultivariateRecord {
  int m = 0;
  int n = 0;
  std::vector<double> data;  // column-major: component j at data[j*n .. j*n+n-1]
  std::vector<bool> active;
  std::vector<std::string> names;
  int first = 0, last = 0;              // 1-based bounds of the data within the data as read
  std::vector<MvTransform> transforms;  // oldest first, newest last
  std::optional<TransferModel> transfer;  // absent until specified
  std::string name = "New Multivariate Project";
  std::string file_name;
  bool project_file_known = false;
  // Each feature's own settings and results, as in a univariate record.
  FeatureState kept;
  FeatureState derived;
  bool data_present() const { return m > 0 && n > 0; }
  std::span<const double> component(int j) const {
    return {data.data() + static_cast<std::size_t>(j) * n, static_cast<std::size_t>(n)};
  }
  int active_count() const { return static_cast<int>(std::count(active.begin(), active.end(), true)); }
};

}  // namespace zelk
