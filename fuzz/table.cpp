// Table text: the first byte chooses the column count m (1 to 32), the rest
// is the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int m = data[0] % 32 + 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  auto r = zelk::parse_table_text(text, m);
  if (r.ok()) {
    const zelk::Table& t = *r.value;
    if (t.m != m || t.values.size() < static_cast<std::size_t>(t.n) * static_cast<std::size_t>(t.m)) __builtin_trap();
    if (t.n > 0) (void)zelk::table_preview(t);
  }
  return 0;
}
