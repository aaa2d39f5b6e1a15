#include "project/project_table.h"

#include <stdexcept>


namespace zelk {

ProjectTable::Entry& ProjectTable::at(int entry) {
  if (entry < 1 || entry > kMaxProjects) throw std::out_of_range("project entry");
  return entries_[entry - 1];
}

const ProjectTable::Entry& ProjectTable::at(int entry) const {
  if (entry < 1 || entry > kMaxProjects) throw std::out_of_range("project entry");
  return entries_[entry - 1];
}

int ProjectTable::free_entry() const {
  for (int i = 1; i <= kMaxProjects; ++i)
    if (at(i).kind == ProjectKind::Free) return i;
  return 0;
}

int ProjectTable::last_open_entry() const {
  for (int i = kMaxProjects; i >= 1; --i)
    if (at(i).kind != ProjectKind::Free) return i;
  return 0;
}

UnivariateRecord& ProjectTable::create_univariate(int entry) {
  Entry& e = at(entry);
  if (e.kind != ProjectKind::Free) throw std::logic_error("project entry in use");
  e.uni = std::make_unique<UnivariateRecord>();
  e.kind = ProjectKind::Univariate;
  return *e.uni;
}

MultivariateRecord& ProjectTable::create_multivariate(int entry) {
  Entry& e = at(entry);
  if (e.kind != ProjectKind::Free) throw std::logic_error("project entry in use");
  e.multi = std::make_unique<MultivariateRecord>();
  e.kind = ProjectKind::Multivariate;
  return *e.multi;
}

void ProjectTable::close(int entry) {
  Entry& e = at(entry);
  e = Entry{};
  if (current_ == entry) current_ = last_open_entry();
}

ProjectKind ProjectTable::kind(int entry) const {
  return entry >= 1 && entry <= kMaxProjects ? at(entry).kind : ProjectKind::Free;
}

UnivariateRecord* ProjectTable::univariate(int entry) {
  return kind(entry) == ProjectKind::Univariate ? at(entry).uni.get() : nullptr;
}

const UnivariateRecord* ProjectTable::univariate(int entry) const {
  return kind(entry) == ProjectKind::Univariate ? at(entry).uni.get() : nullptr;
}

MultivariateRecord* ProjectTable::multivariate(int entry) {
  return kind(entry) == ProjectKind::Multivariate ? at(entry).multi.get() : nullptr;
}

const MultivariateRecord* ProjectTable::multivariate(int entry) const {
  return kind(entry) == ProjectKind::Multivariate ? at(entry).multi.get() : nullptr;
}

int ProjectTable::open_count() const {
  int n = 0;
  for (const Entry& e : entries_) n += e.kind != ProjectKind::Free;
  return n;
}

void ProjectTable::set_current(int entry) {
  if (entry != 0 && kind(entry) == ProjectKind::Free) throw std::logic_error("current project must be open");
  current_ = entry;
}

}  // namespace zelk
