// Plain data text: one value per line, read in free form.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto r = zelk::parse_data_text(text);
  if (r.ok() && r.value->empty()) __builtin_trap();  // success always carries values
  return 0;
}
