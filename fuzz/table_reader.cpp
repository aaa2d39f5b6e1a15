// Delimited table text: the first byte chooses whether the header is
// detected, forced or refused; the rest is the file. Every column the scan
// offers is then read.
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string_view>
#include <vector>

#include "project/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::optional<bool> header;
  if (data[0] % 3 == 1) header = true;
  if (data[0] % 3 == 2) header = false;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const zelk::TableScan scan = zelk::scan_table(text, header);
  if (!scan.shape) {
    if (scan.error.empty()) __builtin_trap();
    return 0;
  }
  const zelk::TableShape& s = *scan.shape;
  if (s.columns < 1 || s.rows < 1 || s.names.size() != static_cast<std::size_t>(s.columns) ||
      s.kinds.size() != static_cast<std::size_t>(s.columns) || s.preview.empty())
    __builtin_trap();
  for (int j : zelk::value_columns(s))
    if (j < 0 || j >= s.columns) __builtin_trap();
  std::vector<int> all(static_cast<std::size_t>(s.columns));
  std::iota(all.begin(), all.end(), 0);
  const zelk::TableColumns c = zelk::read_table_columns(text, s, all);
  if (c.ok()) {
    if (c.values.size() != all.size()) __builtin_trap();
    for (const auto& v : c.values)
      if (v.size() != static_cast<std::size_t>(s.rows)) __builtin_trap();
  } else if (!c.values.empty()) {
    __builtin_trap();
  }
  return 0;
}
