#pragma once
// Free-form text records, the layout of project files. A record starts on a
// new line and holds values separated by blanks; a long record continues on
// the following lines. The reader takes values across line ends until it has
// what it wants, then drops the rest of that last line.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

class RecordReader {
 public:
  explicit RecordReader(std::string_view text);

  // Each returns false when the record is missing or a value cannot be read;
  // the reader is then left where it stopped.
  bool skip_record();
  // The first word of the next line (empty for a blank line), at most `max` characters.
  bool word(std::string& out, std::size_t max);
  // The whole next line without its trailing blanks, at most `max` characters.
  bool line(std::string& out, std::size_t max);
  bool integer(int& v);
  bool integers(std::span<int> out);
  bool logical(bool& v);
  bool real(double& v);
  bool reals(std::span<double> out);
  // `count` values as one record. A count that the rest of the text cannot
  // hold fails before anything is allocated.
  bool reals(std::vector<double>& out, std::int64_t count);
  bool at_end() const { return pos_ >= text_.size(); }
  // Whether the record just read left items on its last line, or the next
  // line starts with a number: a record that holds more values than asked.
  bool next_is_number() const;
  // Whether the rest of the text can hold `count` items of at least `chars` characters each.
  bool can_hold(std::int64_t count, int chars = 2) const;

 private:
  bool token(std::string_view& out);
  bool end_record();
  std::string_view text_;
  std::size_t pos_ = 0;
  bool in_record_ = false;  // values of the current record have been taken
  bool dropped_ = false;    // the last record's line held more than was read
};

class RecordWriter {
 public:
  void text(std::string_view line);
  void integer(int v) { integers({&v, 1}); }
  void integers(std::span<const int> values);
  void logical(bool v) { text(v ? "T" : "F"); }
  void real(double v) { reals({&v, 1}); }
  // Written so that reading them back gives the same doubles.
  void reals(std::span<const double> values);
  const std::string& str() const { return out_; }

 private:
  template <typename T>
  void record(std::span<const T> values);
  std::string out_;
};

}  // namespace zelk
