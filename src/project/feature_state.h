#pragma once
// What each feature keeps in a project (settings remembered between uses of
// its dialogs, results for redrawing and export), by type. A record owns one
// of these, so adding an analysis never edits the record; copying the
// record copies every feature's state, which lets a failed command restore
// the project whole.
#include <any>
#include <map>
#include <typeindex>

namespace zelk {

class FeatureState {
 public:
  // The feature's state, created in its default state on first use.
  template <class T>
  T& get() {
    std::any& slot = items_[std::type_index(typeid(T))];
    if (!slot.has_value()) slot.emplace<T>();
    return std::any_cast<T&>(slot);
  }
  // The state if the feature has any, else null.
  template <class T>
  const T* find() const {
    auto it = items_.find(std::type_index(typeid(T)));
    return it == items_.end() ? nullptr : std::any_cast<T>(&it->second);
  }
  template <class T>
  void reset() {
    items_.erase(std::type_index(typeid(T)));
  }
  void clear() { items_.clear(); }

 private:
  std::map<std::type_index, std::any> items_;
};

}  // namespace zelk
