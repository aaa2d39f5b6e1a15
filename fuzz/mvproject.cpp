// Multivariate project files: the reader either refuses the text or returns
// a record whose counts agree with its arrays and whose transformations undo
// to bounds inside the data as read; what it reads writes and reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/multivariate_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelk;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  MultivariateReadResult r = parse_multivariate_text(text);
  if (r.status != MultivariateReadStatus::Read) {
    if (r.status == MultivariateReadStatus::Failed && r.error.text.empty()) __builtin_trap();
    return 0;
  }
  const MultivariateRecord& rec = r.record;
  if (rec.m < 0 || rec.m > kMaxComponents) __builtin_trap();
  if (rec.data.size() != static_cast<std::size_t>(rec.m) * rec.n) __builtin_trap();
  if (rec.m > 0 && (rec.last - rec.first + 1 != rec.n || rec.names.size() != static_cast<std::size_t>(rec.m) ||
                    rec.active.size() != static_cast<std::size_t>(rec.m)))
    __builtin_trap();
  const std::string again = multivariate_file_text(rec, r.colours);
  MultivariateReadResult back = parse_multivariate_text(again);
  if (back.status != MultivariateReadStatus::Read || back.record.data != rec.data ||
      !(back.record.transforms == rec.transforms) || !(back.colours == r.colours))
    __builtin_trap();
  if (multivariate_file_text(back.record, back.colours) != again) __builtin_trap();
  return 0;
}
