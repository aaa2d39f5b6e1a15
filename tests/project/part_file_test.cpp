#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "project/part_file.h"

namespace zelk {
namespace {

// Little-endian bytes written out by hand, independent of the reader.
std::string le32(std::int64_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
          static_cast<char>(u >> 24)};
}
std::string le64(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  std::string s;
  for (int i = 0; i < 8; ++i) s += static_cast<char>((u >> (8 * i)) & 0xFF);
  return s;
}
std::string part(int id, const std::string& body) { return le32(id) + le32(static_cast<std::int64_t>(body.size()) + 8) + body; }
std::string header(int parts = 1) { return part(9923, le32(parts)); }
std::string data(const std::vector<double>& v) {
  std::string body = le32(static_cast<std::int64_t>(v.size()));
  for (double d : v) body += le64(d);
  return part(9924, body);
}

std::string failure(const std::string& bytes) {
  PartReadResult r = parse_part_file(bytes);
  if (r.status != PartReadStatus::Failed) return "not a failure";
  return "[" + r.error.title + "] " + r.error.text;
}

TEST(PartFile, ReadsTheDataPartSkippingTheOthers) {
  const std::string smooth = part(9925, le64(1) + le64(2)), forecast = part(9926, "");
  const std::string file = header(3) + smooth + data({1.5, -2, 1e10}) + forecast;
  PartReadResult r = parse_part_file(file);
  ASSERT_EQ(r.status, PartReadStatus::Read);
  EXPECT_EQ(r.values, (std::vector<double>{1.5, -2, 1e10}));
  // Bodies start after the 8 bytes of identifier and length.
  EXPECT_EQ(find_part(file, 9923), 8u);
  EXPECT_EQ(find_part(file, 9925), 20u);
  EXPECT_EQ(find_part(file, 9924), 12u + 24u + 8u);
  EXPECT_EQ(find_part(file, 9926), file.size());
  EXPECT_FALSE(find_part(file, 9927));
}

TEST(PartFile, NeedsTheHeaderPartFirst) {
  EXPECT_EQ(parse_part_file("12.5\n13\n").status, PartReadStatus::NotPartFile);
  EXPECT_EQ(parse_part_file(data({1}) + header()).status, PartReadStatus::NotPartFile);
  EXPECT_EQ(parse_part_file(le32(9923)).status, PartReadStatus::NotPartFile);  // too short for a part
  EXPECT_FALSE(find_part(data({1}), 9924));
  // Without a data part there is nothing to read, and that is no error.
  PartReadResult r = parse_part_file(header(1) + part(9925, le64(3)));
  ASSERT_EQ(r.status, PartReadStatus::Read);
  EXPECT_TRUE(r.values.empty());
}

TEST(PartFile, RefusesCountsAndLengthsOutsideTheFile) {
  const std::string head = "[ReadHeaderPart()] ZELK file corrupt", body = "[ReadDataPart()] File corrupt";
  EXPECT_EQ(failure(part(9923, le32(1) + le32(0)) + data({1})), head);  // header length 16
  EXPECT_EQ(failure(le32(9923) + le32(12)), head);                      // header cut short
  EXPECT_EQ(failure(header(-1) + data({1})), head);
  EXPECT_EQ(failure(header(2147483647) + data({1})), head);

  EXPECT_EQ(failure(header() + part(9924, le32(2147483647) + le64(1))), body);
  EXPECT_EQ(failure(header() + part(9924, le32(-1))), body);
  EXPECT_EQ(failure(header() + part(9924, le32(2) + le64(1))), body);  // n beyond its part
  EXPECT_EQ(failure(header() + part(9924, "")), body);                   // no room for n
  EXPECT_EQ(failure(header() + le32(9925) + le32(1000) + "xx" + data({1})), body);
  EXPECT_EQ(failure(header() + le32(9925) + le32(2147483647) + data({1})), body);
  EXPECT_EQ(failure(header() + le32(9925) + le32(4) + data({1})), body);  // shorter than its own head
  EXPECT_EQ(failure(header() + le32(9925) + le32(-8) + data({1})), body);
  EXPECT_EQ(failure(header(0) + "abc"), body);                          // a part head cut short
  EXPECT_EQ(failure(header() + data({1, std::numeric_limits<double>::quiet_NaN()})), body);
  EXPECT_EQ(failure(header() + data({std::numeric_limits<double>::infinity()})), body);
  // A length pointing outside the file is never followed.
  EXPECT_FALSE(find_part(header() + le32(9925) + le32(1000) + data({1}), 9924));
}

}  // namespace
}  // namespace zelk
