#include "project/multivariate_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

#include "model/causality.h"
#include "project/free_form.h"
#include "project/project_file.h"

namespace zelk {
namespace {

constexpr const char* kOpenTitle = "ZELK Open File Error";
constexpr const char* kReadTitle = "ZELK Read Error";
constexpr std::size_t kNameWidth = 128;

struct ReadFailure {
  FileMessage message;
};
[[noreturn]] void fail(const char* title, const char* text) { throw ReadFailure{{title, text}}; }
void need(bool ok) {
  if (!ok) fail(kReadTitle, "Cannot read file");
}

std::string name_field(std::string name) {
  // A line end inside the name would split the record.
  std::replace_if(name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  name.resize(kNameWidth, ' ');
  return name;
}

const char* node_name(MvTransformKind k) {
  switch (k) {
    case MvTransformKind::Difference: return "Differencing";
    case MvTransformKind::SubtractMeans: return "Subtract-Mean";
    case MvTransformKind::Trim: return "Trim";
  }
  return "";
}

void write_node(RecordWriter& w, const MvTransform& t, int m) {
  w.integer(static_cast<int>(t.kind));
  w.text(node_name(t.kind));
  switch (t.kind) {
    case MvTransformKind::Difference:
      w.integer(t.lag);
      w.reals(t.saved);
      break;
    case MvTransformKind::SubtractMeans: w.reals(t.means); break;
    case MvTransformKind::Trim: {
      const int cut_head = m > 0 ? static_cast<int>(t.head.size()) / m : 0;
      const int cut_tail = m > 0 ? static_cast<int>(t.tail.size()) / m : 0;
      w.integers(std::array{t.old_first, cut_head});
      w.integers(std::array{t.old_last, cut_tail});
      if (!t.head.empty()) w.reals(t.head);
      if (!t.tail.empty()) w.reals(t.tail);
      break;
    }
  }
}

// The transfer group, one item a line in the record's order. The residual
// array goes last with its length first, so that a reader knows how much
// follows.
void write_transfer(RecordWriter& w, const TransferModel& t) {
  w.logical(t.estimated);
  w.integers(std::array{t.input, t.output});
  w.integer(t.input_model.p);
  w.integer(t.input_model.q);
  w.reals(t.input_model.phi);
  w.reals(t.input_model.theta);
  w.real(t.input_model.sigma2);
  w.integer(t.delay);
  w.integer(t.s);
  w.integer(t.r);
  w.reals(t.w);
  w.reals(t.v);
  w.integer(t.noise.p);
  w.integer(t.noise.q);
  w.reals(t.noise.phi);
  w.reals(t.noise.theta);
  w.real(t.noise.sigma2);
  w.integer(static_cast<int>(t.residuals.size()));
  if (!t.residuals.empty()) w.reals(t.residuals);
}

bool order(int k) { return k >= 0 && k <= kMaxTransferOrder; }

// Coefficients beyond an order must be zero, as the dialog leaves them.
template <std::size_t N>
bool zero_beyond(const std::array<double, N>& a, std::size_t used) {
  for (std::size_t i = used; i < N; ++i)
    if (a[i] != 0) return false;
  return true;
}

TransferModel read_transfer(RecordReader& in, int m) {
  TransferModel t;
  std::array<int, 2> io{};
  need(in.logical(t.estimated) && in.integers(io));
  t.input = io[0];
  t.output = io[1];
  need(t.input >= 1 && t.input <= m && t.output >= 1 && t.output <= m);
  auto arma = [&in](TransferArma& a) {
    need(in.integer(a.p) && in.integer(a.q) && order(a.p) && order(a.q));
    need(in.reals(a.phi) && in.reals(a.theta));
    need(zero_beyond(a.phi, static_cast<std::size_t>(a.p)) && zero_beyond(a.theta, static_cast<std::size_t>(a.q)));
    need(check_causal(a.ar()) && check_invertible(a.ma()));
  };
  auto variance = [&in](TransferArma& a) { need(in.real(a.sigma2) && a.sigma2 > 0 && std::isfinite(a.sigma2)); };
  arma(t.input_model);
  variance(t.input_model);
  need(in.integer(t.delay) && in.integer(t.s) && in.integer(t.r));
  need(t.delay >= 1 && order(t.s) && order(t.r));
  need(in.reals(t.w) && in.reals(t.v));
  need(zero_beyond(t.w, static_cast<std::size_t>(t.s) + 1) && zero_beyond(t.v, static_cast<std::size_t>(t.r)));
  need(check_causal(t.denominator()));
  arma(t.noise);
  variance(t.noise);
  int count = 0;
  need(in.integer(count) && count >= 0);
  if (count > 0) need(in.reals(t.residuals, count));
  return t;
}

Rgb colour_of(int v) {
  return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
          static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

MvTransform read_node(RecordReader& in, int m) {
  MvTransform t;
  int kind = 0;
  need(in.integer(kind));
  need(in.skip_record());
  const auto count = [m](int k) { return static_cast<std::int64_t>(m) * k; };
  switch (kind) {
    case 1:
      t.kind = MvTransformKind::Difference;
      need(in.integer(t.lag) && t.lag >= 1 && in.reals(t.saved, count(t.lag)));
      break;
    case 16:
      t.kind = MvTransformKind::SubtractMeans;
      need(in.reals(t.means, m));
      break;
    case 32: {
      t.kind = MvTransformKind::Trim;
      std::array<int, 2> a{}, b{};
      need(in.integers(a) && in.integers(b) && a[1] >= 0 && b[1] >= 0);
      t.old_first = a[0];
      t.old_last = b[0];
      if (a[1] > 0) need(in.reals(t.head, count(a[1])));
      if (b[1] > 0) need(in.reals(t.tail, count(b[1])));
      break;
    }
    default: need(false);
  }
  return t;
}

// Walking back from the newest node, each must lead to bounds that the one
// before it accepts, ending inside the data as read.
bool consistent(const MultivariateRecord& r) {
  long long first = r.first, last = r.last;
  const std::size_t m = static_cast<std::size_t>(r.m);
  for (auto it = r.transforms.rbegin(); it != r.transforms.rend(); ++it) {
    switch (it->kind) {
      case MvTransformKind::Difference: first -= it->lag; break;
      case MvTransformKind::SubtractMeans:
        if (it->means.size() != m) return false;
        break;
      case MvTransformKind::Trim:
        if (it->old_first > first || it->old_last < last) return false;
        if (it->head.size() != m * static_cast<std::size_t>(first - it->old_first)) return false;
        if (it->tail.size() != m * static_cast<std::size_t>(it->old_last - last)) return false;
        first = it->old_first;
        last = it->old_last;
        break;
    }
    if (first < 1) return false;
  }
  return true;
}

}  // namespace

std::string multivariate_file_text(const MultivariateRecord& rec, const ColourTable& colours) {
  RecordWriter w;
  w.text("ZELK Multivariate Project");
  w.text("Color");
  std::vector<int> values;
  for (Rgb c : colours.pane) values.push_back(colour_value(c));
  for (Rgb c : colours.further) values.push_back(colour_value(c));
  w.integers(values);
  w.text("Model");
  w.text("Data");
  const bool data = rec.data_present();
  w.integer(data ? rec.first : 0);
  w.integer(data ? rec.last : 0);
  w.integer(data ? rec.m : 0);
  if (data) {
    for (int j = 0; j < rec.m; ++j) w.text(name_field(j < static_cast<int>(rec.names.size()) ? rec.names[j] : ""));
    for (int j = 0; j < rec.m; ++j) w.integer(j < static_cast<int>(rec.active.size()) && rec.active[j] ? 1 : 0);
    std::vector<double> by_time(rec.data.size());
    for (int t = 0; t < rec.n; ++t)
      for (int j = 0; j < rec.m; ++j)
        by_time[static_cast<std::size_t>(t) * rec.m + j] = rec.data[static_cast<std::size_t>(j) * rec.n + t];
    w.reals(by_time);
  }
  w.text("Transformation(s)");
  w.integer(data ? static_cast<int>(rec.transforms.size()) : 0);
  if (data)
    for (const MvTransform& t : rec.transforms) write_node(w, t, rec.m);
  w.text("Transfer function model");
  w.logical(data && rec.transfer.has_value());
  if (data && rec.transfer) write_transfer(w, *rec.transfer);
  return w.str();
}

MultivariateReadResult parse_multivariate_text(std::string_view text) {
  MultivariateReadResult r;
  RecordReader in(text);
  std::string head;
  if (!in.line(head, 64)) {
    r.status = MultivariateReadStatus::Failed;
    r.error = {kOpenTitle, "Cannot open file"};
    return r;
  }
  if (head.rfind("ZELK Multivariate", 0) != 0) return r;
  MultivariateRecord& rec = r.record;
  try {
    need(in.skip_record());
    std::array<int, 30> c{};
    need(in.integers(c));
    for (int v : c) need(v >= 0 && v <= 0xFFFFFF);
    for (int i = 0; i < 25; ++i) r.colours.pane[i] = colour_of(c[i]);
    for (int i = 0; i < 5; ++i) r.colours.further[i] = colour_of(c[25 + i]);
    need(in.skip_record() && in.skip_record());
    need(in.integer(rec.first) && in.integer(rec.last) && in.integer(rec.m));
    if (rec.m == 0) {
      rec.first = rec.last = rec.n = 0;
    } else {
      need(rec.m >= 1 && rec.m <= kMaxComponents && rec.first >= 1 && rec.last >= rec.first);
      const std::int64_t n = static_cast<std::int64_t>(rec.last) - rec.first + 1;
      need(in.can_hold(rec.m * 2 + rec.m * n));
      rec.n = static_cast<int>(n);
      for (int j = 0; j < rec.m; ++j) {
        std::string name;
        need(in.line(name, kNameWidth));
        rec.names.push_back(name.empty() ? "Series " + std::to_string(j + 1) : name);
      }
      for (int j = 0; j < rec.m; ++j) {
        int a = 0;
        need(in.integer(a));
        rec.active.push_back(a > 0);
      }
      std::vector<double> by_time;
      if (!in.reals(by_time, rec.m * n)) fail(kReadTitle, "Cannot read file");
      rec.data.resize(by_time.size());
      for (int t = 0; t < rec.n; ++t)
        for (int j = 0; j < rec.m; ++j)
          rec.data[static_cast<std::size_t>(j) * rec.n + t] = by_time[static_cast<std::size_t>(t) * rec.m + j];
    }
    need(in.skip_record());
    int k = 0;
    // Every node takes at least three lines of a character or more.
    need(in.integer(k) && k >= 0 && in.can_hold(k, 5));
    for (int i = 0; i < k; ++i) rec.transforms.push_back(read_node(in, rec.m));
    need(rec.m > 0 || k == 0);
    need(consistent(rec));
    need(in.skip_record());
    bool transfer = false;
    need(in.logical(transfer));
    if (transfer) {
      need(rec.m > 0);
      rec.transfer = read_transfer(in, rec.m);
    }
  } catch (const ReadFailure& e) {
    r.status = MultivariateReadStatus::Failed;
    r.error = e.message;
    r.record = MultivariateRecord{};
    return r;
  }
  r.status = MultivariateReadStatus::Read;
  return r;
}

MultivariateReadResult read_multivariate_file(const std::string& path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  MultivariateReadResult r;
  std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    r.status = MultivariateReadStatus::Failed;
    r.error = {kOpenTitle, "Cannot open file"};
    return r;
  }
  std::string text(64, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), f.get()));
  // Only a file that says what it is gets read whole.
  if (text.rfind("ZELK Multivariate", 0) != 0 && text.rfind("\xEF\xBB\xBFZELK Multivariate", 0) != 0) return r;
  char buf[1 << 16];
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, f.get())) > 0;) text.append(buf, got);
  if (std::ferror(f.get())) {
    r.status = MultivariateReadStatus::Failed;
    r.error = {kReadTitle, "Cannot read file"};
    return r;
  }
  return parse_multivariate_text(text);
}

}  // namespace zelk
