#include "project/free_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace zelk {
namespace {

constexpr std::size_t kLineLength = 80;  // a record continues on the next line beyond this

bool separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\f' || c == '\v'; }
bool line_end(char c) { return c == '\n' || c == '\r'; }

// "+5" and "-5" both; no blanks, nothing after the digits.
bool parse_int(std::string_view t, int& v) {
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  if (t.empty() || t[0] == '+') return false;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && end == t.data() + t.size();
}

// A finite double; the exponent may be written with D as well as E.
bool parse_real(std::string_view t, double& v) {
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  if (t.empty() || t.size() > 64 || t[0] == '+') return false;
  char buf[64];
  for (std::size_t i = 0; i < t.size(); ++i) buf[i] = (t[i] == 'd' || t[i] == 'D') ? 'e' : t[i];
  auto [end, ec] = std::from_chars(buf, buf + t.size(), v);
  if (end != buf + t.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    // Values too small for a double read as 0; too large ones are refused.
    const char* e = std::find(buf, buf + t.size(), 'e');
    if (e == buf + t.size() || e + 1 == buf + t.size() || e[1] != '-') return false;
    v = buf[0] == '-' ? -0.0 : 0.0;
    return true;
  }
  return ec == std::errc() && std::isfinite(v);
}

}  // namespace

RecordReader::RecordReader(std::string_view text) : text_(text) {
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool RecordReader::token(std::string_view& out) {
  while (pos_ < text_.size() && (separator(text_[pos_]) || line_end(text_[pos_]))) ++pos_;
  if (pos_ >= text_.size()) return false;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !separator(text_[pos_]) && !line_end(text_[pos_])) ++pos_;
  out = text_.substr(start, pos_ - start);
  in_record_ = true;
  return true;
}

bool RecordReader::end_record() {
  // A record of no values still takes its line.
  if (!in_record_ && pos_ >= text_.size()) return false;
  dropped_ = false;
  for (; pos_ < text_.size() && !line_end(text_[pos_]); ++pos_) dropped_ = dropped_ || !separator(text_[pos_]);
  if (pos_ < text_.size()) {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }
  in_record_ = false;
  return true;
}

bool RecordReader::can_hold(std::int64_t count, int chars) const {
  // A value takes at least one character and one separator; the last may lack the separator.
  const auto left = static_cast<std::int64_t>(text_.size() - std::min(pos_, text_.size()));
  return count >= 0 && count <= left / chars + 1;
}

bool RecordReader::skip_record() { return end_record(); }

bool RecordReader::next_is_number() const {
  if (dropped_) return true;
  std::size_t a = pos_;
  while (a < text_.size() && (separator(text_[a]) || line_end(text_[a]))) ++a;
  std::size_t b = a;
  while (b < text_.size() && !separator(text_[b]) && !line_end(text_[b])) ++b;
  double v = 0;
  return b > a && parse_real(text_.substr(a, b - a), v);
}

bool RecordReader::word(std::string& out, std::size_t max) {
  if (pos_ >= text_.size()) return false;
  while (pos_ < text_.size() && separator(text_[pos_]) && text_[pos_] != ',') ++pos_;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !line_end(text_[pos_]) && text_[pos_] != ' ' && text_[pos_] != '\t') ++pos_;
  out.assign(text_.substr(start, std::min(pos_ - start, max)));
  in_record_ = true;
  return end_record();
}

bool RecordReader::line(std::string& out, std::size_t max) {
  if (pos_ >= text_.size()) return false;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !line_end(text_[pos_])) ++pos_;
  // Cut first, then trim: a cut name read again must give itself.
  std::string_view v = text_.substr(start, std::min(pos_ - start, max));
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
  out.assign(v);
  in_record_ = true;
  return end_record();
}

bool RecordReader::integers(std::span<int> out) {
  std::string_view t;
  for (int& v : out)
    if (!token(t) || !parse_int(t, v)) return false;
  return end_record();
}

bool RecordReader::integer(int& v) { return integers({&v, 1}); }

bool RecordReader::logical(bool& v) {
  std::string_view t;
  if (!token(t)) return false;
  if (t[0] == '.') t.remove_prefix(1);
  if (t.empty()) return false;
  if (t[0] == 'T' || t[0] == 't') v = true;
  else if (t[0] == 'F' || t[0] == 'f') v = false;
  else return false;
  return end_record();
}

bool RecordReader::reals(std::span<double> out) {
  if (!can_hold(static_cast<std::int64_t>(out.size()))) return false;
  std::string_view t;
  for (double& v : out)
    if (!token(t) || !parse_real(t, v)) return false;
  return end_record();
}

bool RecordReader::real(double& v) { return reals({&v, 1}); }

bool RecordReader::reals(std::vector<double>& out, std::int64_t count) {
  if (!can_hold(count)) return false;
  std::vector<double> values(static_cast<std::size_t>(count));
  if (!reals(std::span<double>(values))) return false;
  out = std::move(values);
  return true;
}

void RecordWriter::text(std::string_view line) {
  out_.append(line);
  out_ += '\n';
}

template <typename T>
void RecordWriter::record(std::span<const T> values) {
  std::size_t column = 0;
  for (const T& v : values) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);  // shortest text that reads back exactly
    const std::size_t len = ec == std::errc() ? static_cast<std::size_t>(end - buf) : 0;
    if (column > 0 && column + 1 + len > kLineLength) {
      out_ += '\n';
      column = 0;
    }
    if (column > 0) {
      out_ += ' ';
      ++column;
    }
    out_.append(buf, len);
    column += len;
  }
  out_ += '\n';
}

void RecordWriter::integers(std::span<const int> values) { record(values); }
void RecordWriter::reals(std::span<const double> values) { record(values); }

}  // namespace zelk
