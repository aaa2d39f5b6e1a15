#include "project/part_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zelk {
namespace {

constexpr std::size_t kPartHead = 8;     // identifier and length
constexpr std::size_t kHeaderLength = 12;

std::int32_t int_at(std::string_view b, std::size_t at) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[at + i]);
  return static_cast<std::int32_t>(u);
}

double double_at(std::string_view b, std::size_t at) {
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[at + i]);
  double v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

bool starts_as_part_file(std::string_view b) { return b.size() >= kPartHead && int_at(b, 0) == kHeaderPart; }

enum class Scan { Found, NotFound, Corrupt };

// Walks the parts from the start; `body` is set when `id` is found.
Scan scan(std::string_view b, std::int32_t id, std::size_t& body, std::size_t& body_length) {
  std::size_t pos = 0;
  while (pos < b.size()) {
    if (b.size() - pos < kPartHead) return Scan::Corrupt;
    const std::int32_t part = int_at(b, pos), length = int_at(b, pos + 4);
    if (length < static_cast<std::int32_t>(kPartHead) || static_cast<std::size_t>(length) > b.size() - pos)
      return Scan::Corrupt;
    if (part == id) {
      body = pos + kPartHead;
      body_length = static_cast<std::size_t>(length) - kPartHead;
      return Scan::Found;
    }
    pos += static_cast<std::size_t>(length);
  }
  return Scan::NotFound;
}

PartReadResult failed(const char* title, const char* text) { return {PartReadStatus::Failed, {title, text}, {}}; }

}  // namespace

std::optional<std::size_t> find_part(std::string_view bytes, std::int32_t id) {
  if (!starts_as_part_file(bytes)) return std::nullopt;
  std::size_t body = 0, length = 0;
  if (scan(bytes, id, body, length) != Scan::Found) return std::nullopt;
  return body;
}

PartReadResult parse_part_file(std::string_view b) {
  if (!starts_as_part_file(b)) return {};
  // The header's body is the count of parts that follow, each at least 8 bytes.
  if (int_at(b, 4) != static_cast<std::int32_t>(kHeaderLength) || b.size() < kHeaderLength)
    return failed("ReadHeaderPart()", "ZELK file corrupt");
  const std::int32_t parts = int_at(b, kPartHead);
  if (parts < 0 || static_cast<std::size_t>(parts) > (b.size() - kHeaderLength) / kPartHead)
    return failed("ReadHeaderPart()", "ZELK file corrupt");

  std::size_t body = 0, length = 0;
  switch (scan(b, kDataPart, body, length)) {
    case Scan::NotFound: return {PartReadStatus::Read, {}, {}};  // a part file without data
    case Scan::Corrupt: return failed("ReadDataPart()", "File corrupt");
    case Scan::Found: break;
  }
  if (length < 4) return failed("ReadDataPart()", "File corrupt");
  const std::int32_t n = int_at(b, body);
  if (n < 0 || static_cast<std::size_t>(n) > (length - 4) / sizeof(double)) return failed("ReadDataPart()", "File corrupt");
  PartReadResult r{PartReadStatus::Read, {}, std::vector<double>(static_cast<std::size_t>(n))};
  for (std::size_t i = 0; i < r.values.size(); ++i) {
    r.values[i] = double_at(b, body + 4 + i * sizeof(double));
    // A data value must be a finite number, as in every other reader.
    if (!std::isfinite(r.values[i])) return failed("ReadDataPart()", "File corrupt");
  }
  return r;
}

PartReadResult read_part_file(const std::string& path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "rb"));
  if (!f) return failed("FindPart()", "Cannot open file");
  std::string bytes(kPartHead, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f.get()));
  if (!starts_as_part_file(bytes)) return {};
  char buf[1 << 16];
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, f.get())) > 0;) bytes.append(buf, got);
  if (std::ferror(f.get())) return failed("ReadDataPart()", "File corrupt");
  return parse_part_file(bytes);
}

}  // namespace zelk
