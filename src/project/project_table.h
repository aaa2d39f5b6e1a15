#pragma once
// The open projects: three entries numbered 1 to 3 and the current one.
#include <array>
#include <memory>

#include "project/multivariate_record.h"
#include "project/univariate_record.h"

namespace zelk {



enum class ProjectKind : int { Free = 0, Univariate = 1, Multivariate = 2 };

inline constexpr int kMaxProjects = 3;

class ProjectTable {
 public:
  // Lowest free entry 1..3; 0 when all are taken.
  int free_entry() const;
  int last_open_entry() const;

  UnivariateRecord& create_univariate(int entry);
  MultivariateRecord& create_multivariate(int entry);
  void close(int entry);

  ProjectKind kind(int entry) const;
  UnivariateRecord* univariate(int entry);
  MultivariateRecord* multivariate(int entry);
  const UnivariateRecord* univariate(int entry) const;
  const MultivariateRecord* multivariate(int entry) const;
  int open_count() const;

  int current() const { return current_; }
  void set_current(int entry);
  UnivariateRecord* current_univariate() { return univariate(current_); }
  MultivariateRecord* current_multivariate() { return multivariate(current_); }

 private:
  struct Entry {
    ProjectKind kind = ProjectKind::Free;
    std::unique_ptr<UnivariateRecord> uni;
    std::unique_ptr<MultivariateRecord> multi;
  };
  Entry& at(int entry);
  const Entry& at(int entry) const;
  std::array<Entry, kMaxProjects> entries_;
  int current_ = 0;
};

}  // namespace zelk
