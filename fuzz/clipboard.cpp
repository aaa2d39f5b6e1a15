// Clipboard text imported into a project, through a session as the Import
// Clipboard command does it. The first byte's low bit chooses a univariate
// (0) or a multivariate (1) project; the rest is the clipboard text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/project_ops.h"
#include "shell/command_table.h"
#include "port/scripted_port.h"
#include "port/session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const zelk::Registry registry = zelk::make_registry();
  zelk::ScriptedPort port;
  zelk::Session s(port);
  s.registry = &registry;
  port.set_clipboard(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  if (data[0] & 1) {
    zelk::MultivariateRecord& rec = s.projects.create_multivariate(1);
    if (zelk::import_clipboard(s, 1, rec)) {
      if (rec.m < 1 || rec.n < 1 || rec.data.size() != static_cast<std::size_t>(rec.m) * rec.n) __builtin_trap();
      for (double v : rec.data)
        if (!std::isfinite(v)) __builtin_trap();
    } else if (rec.m != 0 || port.shown().empty()) {
      __builtin_trap();
    }
  } else {
    zelk::create_univariate_project(s, 1);
    zelk::UnivariateRecord& rec = *s.projects.univariate(1);
    if (zelk::import_clipboard(s, 1, rec)) {
      if (rec.n() < 1 || rec.first != 1 || rec.last != rec.n()) __builtin_trap();
      for (double v : rec.x)
        if (!std::isfinite(v)) __builtin_trap();
    } else if (rec.n() != 0 || port.shown().empty()) {
      __builtin_trap();  // a refusal says why and leaves the project as it was
    }
  }
  return 0;
}
