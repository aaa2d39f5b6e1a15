#pragma once
// Binary part files (read only): little-endian parts, each an identifier, a
// length in bytes that counts the identifier and the length, and a body. A
// header part 9923 comes first; the data part 9924 holds n and n doubles;
// smooth (9925) and forecast (9926) parts are skipped.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/data_file.h"

namespace zelk {

enum PartId : std::int32_t { kHeaderPart = 9923, kDataPart = 9924, kSmoothPart = 9925, kForecastPart = 9926 };

enum class PartReadStatus { NotPartFile, Read, Failed };

struct PartReadResult {
  PartReadStatus status = PartReadStatus::NotPartFile;
  FileMessage error;           // when Failed
  std::vector<double> values;  // when Read; empty when the file has no data part
};

// Offset of the body of the first part with `id`, scanning from the start;
// nothing when the file does not start with a header part, when no such part
// exists, or when a length points outside the bytes.
std::optional<std::size_t> find_part(std::string_view bytes, std::int32_t id);

// Every length and count is checked against the bytes there are before
// anything is allocated.
PartReadResult parse_part_file(std::string_view bytes);
// Reads no more than the first part of a file that is not a part file.
PartReadResult read_part_file(const std::string& path);

}  // namespace zelk
