#include "multivariate/mv_transform.h"

namespace zelk {
namespace {

std::size_t at(int j, int t, int n) { return static_cast<std::size_t>(j) * n + t; }

}  // namespace

void difference_components(MultivariateRecord& rec, int d) {
  const int n = rec.n, m = rec.m;
  MvTransform node;
  node.kind = MvTransformKind::Difference;
  node.lag = d;
  std::vector<double> out(static_cast<std::size_t>(m) * (n - d));
  for (int j = 0; j < m; ++j) {
    for (int t = 0; t < d; ++t) node.saved.push_back(rec.data[at(j, t, n)]);
    for (int t = 0; t + d < n; ++t) out[at(j, t, n - d)] = rec.data[at(j, t + d, n)] - rec.data[at(j, t, n)];
  }
  rec.data = std::move(out);
  rec.n = n - d;
  rec.first += d;
  rec.transforms.push_back(std::move(node));
}

void subtract_component_means(MultivariateRecord& rec) {
  MvTransform node;
  node.kind = MvTransformKind::SubtractMeans;
  for (int j = 0; j < rec.m; ++j) {
    double sum = 0;
    for (int t = 0; t < rec.n; ++t) sum += rec.data[at(j, t, rec.n)];
    const double mean = sum / rec.n;
    for (int t = 0; t < rec.n; ++t) rec.data[at(j, t, rec.n)] -= mean;
    node.means.push_back(mean);
  }
  rec.transforms.push_back(std::move(node));
}

void trim_components(MultivariateRecord& rec, int new_first, int new_last) {
  const int n = rec.n, head = new_first - rec.first, keep = new_last - new_first + 1;
  MvTransform node;
  node.kind = MvTransformKind::Trim;
  node.old_first = rec.first;
  node.old_last = rec.last;
  std::vector<double> out(static_cast<std::size_t>(rec.m) * keep);
  for (int j = 0; j < rec.m; ++j) {
    for (int t = 0; t < head; ++t) node.head.push_back(rec.data[at(j, t, n)]);
    for (int t = head + keep; t < n; ++t) node.tail.push_back(rec.data[at(j, t, n)]);
    for (int t = 0; t < keep; ++t) out[at(j, t, keep)] = rec.data[at(j, head + t, n)];
  }
  rec.data = std::move(out);
  rec.n = keep;
  rec.first = new_first;
  rec.last = new_last;
  rec.transforms.push_back(std::move(node));
}

bool undo_components(MultivariateRecord& rec) {
  if (rec.transforms.empty()) return false;
  const MvTransform& node = rec.transforms.back();
  const int m = rec.m, n = rec.n;
  switch (node.kind) {
    case MvTransformKind::Difference: {
      const int d = node.lag, n0 = n + d;
      std::vector<double> out(static_cast<std::size_t>(m) * n0);
      for (int j = 0; j < m; ++j) {
        for (int t = 0; t < d; ++t) out[at(j, t, n0)] = node.saved[static_cast<std::size_t>(j) * d + t];
        for (int t = 0; t < n; ++t) out[at(j, t + d, n0)] = rec.data[at(j, t, n)] + out[at(j, t, n0)];
      }
      rec.data = std::move(out);
      rec.n = n0;
      rec.first -= d;
      break;
    }
    case MvTransformKind::SubtractMeans:
      for (int j = 0; j < m; ++j)
        for (int t = 0; t < n; ++t) rec.data[at(j, t, n)] += node.means[static_cast<std::size_t>(j)];
      break;
    case MvTransformKind::Trim: {
      const int head = static_cast<int>(node.head.size()) / m, tail = static_cast<int>(node.tail.size()) / m;
      const int n0 = head + n + tail;
      std::vector<double> out(static_cast<std::size_t>(m) * n0);
      for (int j = 0; j < m; ++j) {
        for (int t = 0; t < head; ++t) out[at(j, t, n0)] = node.head[static_cast<std::size_t>(j) * head + t];
        for (int t = 0; t < n; ++t) out[at(j, head + t, n0)] = rec.data[at(j, t, n)];
        for (int t = 0; t < tail; ++t) out[at(j, head + n + t, n0)] = node.tail[static_cast<std::size_t>(j) * tail + t];
      }
      rec.data = std::move(out);
      rec.n = n0;
      rec.first = node.old_first;
      rec.last = node.old_last;
      break;
    }
  }
  rec.transforms.pop_back();
  return true;
}

std::string mv_undo_label(const MultivariateRecord& rec) {
  if (rec.transforms.empty()) return "Undo";
  const MvTransform& head = rec.transforms.back();
  switch (head.kind) {
    case MvTransformKind::Difference: return "Undo Differencing (" + std::to_string(head.lag) + ")";
    case MvTransformKind::SubtractMeans: return "Undo Subtract Mean";
    case MvTransformKind::Trim: return "Undo Trimming";
  }
  return "Undo";
}

bool mv_transform_allowed(const MultivariateRecord& rec) {
  return rec.transforms.empty() || rec.transforms.back().kind != MvTransformKind::SubtractMeans;
}

}  // namespace zelk
