// Binary part files from memory: never a read outside the bytes, never an
// allocation beyond what they hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/part_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelk;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PartReadResult r = parse_part_file(bytes);
  if (r.status == PartReadStatus::Read && r.values.size() * sizeof(double) > size) __builtin_trap();
  for (std::int32_t id : {kHeaderPart, kDataPart, kSmoothPart, kForecastPart})
    if (auto at = find_part(bytes, id); at && *at > size) __builtin_trap();
  return 0;
}
