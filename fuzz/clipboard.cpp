// Clipboard text imported into a project, through a session as the Import
// Clipboard command does it. The first byte's low bit chooses a univariate
// (0) or a multivariate (1) project; the rest is the clipboard text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "project/project_ops.h"
#include "shell/operations.h"
#include "shell/scripted_port.h"
#include "shell/session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const zelk::OperationTable operations = zelk::make_operation_table();
  zelk::ScriptedPort port;
  zelk::Session s(port);
  s.operations = &operations;
  port.set_clipboard(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  if (data[0] & 1) {
    zelk::MultivariateRecord& rec = s.projects.create_multivariate(1);
    if (zelk::import_clipboard(s, 1, rec)) {
      if (rec.m < 1 || rec.data.size() != static_cast<std::size_t>(rec.m) * rec.n) __builtin_trap();
    }
  } else {
    zelk::create_univariate_project(s, 1);
    zelk::UnivariateRecord& rec = *s.projects.univariate(1);
    if (zelk::import_clipboard(s, 1, rec)) {
      if (rec.first != 1 || rec.last != rec.n()) __builtin_trap();
    }
  }
  return 0;
}
