// Project text files: the reader either refuses the text or returns a record
// whose counts agree with its arrays; what it reads must write and read back
// to the same record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelk;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ProjectReadResult r = parse_project_text(text);
  if (r.status != ProjectReadStatus::Read) return 0;
  const UnivariateRecord& rec = r.file.record;
  if (rec.model.p < 0 || rec.model.p > kMaxArmaOrder || rec.model.q < 0 || rec.model.q > kMaxArmaOrder) __builtin_trap();
  if (!rec.x.empty() && rec.last - rec.first + 1 != rec.n()) __builtin_trap();
  const std::string again = project_file_text(rec, r.file.colours);
  ProjectReadResult back = parse_project_text(again);
  if (back.status != ProjectReadStatus::Read || back.file.record.x != rec.x ||
      back.file.record.transforms.size() != rec.transforms.size() || !(back.file.colours == r.file.colours))
    __builtin_trap();
  if (project_file_text(back.file.record, back.file.colours) != again) __builtin_trap();
  return 0;
}
