#pragma once
// A registry whose commands keep their descriptions (texts, places, rules)
// but run only the stand-ins a test gives, so that the shell's own rules can
// be tested without the real file and analysis code.
#include <algorithm>
#include <map>
#include <vector>

#include "port/registry.h"
#include "shell/command_table.h"

namespace zelk::testing {

struct OperationStubs {
  std::map<int, UnivariateOperation> univariate;
  std::map<int, MultivariateOperation> multivariate;
  std::map<int, SessionOperation> session;
  std::map<Slot, WindowHandlers> slots;
  std::vector<DialogFactory> dialogs;
  std::vector<int> real;  // commands that keep their own handlers
};

inline Registry stub_registry(OperationStubs stubs) {
  const Registry& full = standard_registry();
  Feature f;
  f.name = "stubs";
  for (CommandSpec c : full.commands()) {
    if (std::find(stubs.real.begin(), stubs.real.end(), c.id) != stubs.real.end()) {
      f.commands.push_back(c);
      continue;
    }
    c.univariate = nullptr;
    c.multivariate = nullptr;
    c.session = nullptr;
    if (auto it = stubs.univariate.find(c.id); it != stubs.univariate.end()) c.univariate = it->second;
    if (auto it = stubs.multivariate.find(c.id); it != stubs.multivariate.end()) c.multivariate = it->second;
    if (auto it = stubs.session.find(c.id); it != stubs.session.end()) c.session = it->second;
    f.commands.push_back(c);
  }
  f.popups = full.popups();
  for (auto& [slot, h] : stubs.slots) {
    h.slot = slot;
    f.windows.push_back(h);
  }
  f.dialogs = std::move(stubs.dialogs);
  Registry r;
  r.add(std::move(f));
  return r;
}

}  // namespace zelk::testing
