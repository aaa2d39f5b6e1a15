#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

#include "model/causality.h"
#include "numeric/finite.h"
#include "project/free_form.h"
#include "project/project_file.h"

namespace zelk {
namespace {

constexpr const char* kOpenTitle = "ZELK Open File Error";
constexpr const char* kReadTitle = "ZELK Read Error";
constexpr std::size_t kHeaderWordLength = 30;
constexpr std::size_t kSeriesNameLength = 128;

// A read stops at the first failure; the message depends on where.
struct ReadFailure {
  FileMessage message;
};
// Every refusal names the record, so a user (or a bug report) can find it.
void need(bool ok, const std::string& what) {
  if (!ok) throw ReadFailure{{kReadTitle, "File corrupt: " + what + "."}};
}

// Values beyond what any analysis can square and sum are refused as they
// come in, as a data file's are.
bool moderate(std::span<const double> v) { return numeric::all_within(v, numeric::kLargestDataValue); }
bool moderate(double v) { return std::fabs(v) <= numeric::kLargestDataValue; }

Rgb colour_of(int v) {
  return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
          static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

void read_colours(RecordReader& in, ColourTable& colours) {
  std::array<int, 30> v{};
  need(in.integers(v), "the Color record does not hold 30 colours");
  for (int c : v) need(c >= 0 && c <= 0xFFFFFF, "a colour of the Color record is out of range");
  for (int i = 0; i < 25; ++i) colours.pane[i] = colour_of(v[i]);
  for (int i = 0; i < 5; ++i) colours.further[i] = colour_of(v[25 + i]);
}

void read_model(RecordReader& in, UnivariateRecord& rec) {
  ArmaModel& m = rec.model;
  need(in.integer(m.p) && m.p >= 0 && m.p <= kMaxArmaOrder, "the AR order of the Model record");
  need(in.integer(m.q) && m.q >= 0 && m.q <= kMaxArmaOrder, "the MA order of the Model record");
  need(in.reals(m.phi) && in.reals(m.theta), "the coefficients of the Model record");
  need(in.real(m.sigma2) && m.sigma2 > 0, "the white-noise variance of the Model record is not positive");
  need(in.logical(rec.model_flag), "the model flag of the Model record");
  need(check_causal({m.phi.data(), static_cast<std::size_t>(m.p)}), "the model of the Model record is not causal");
  for (int i = m.p; i < kMaxArmaOrder; ++i) m.phi[i] = 0;
  for (int j = m.q; j < kMaxArmaOrder; ++j) m.theta[j] = 0;
  // As after Specify Model: the non-zero coefficients are free.
  for (int i = 1; i <= m.p + m.q; ++i)
    if (m.beta(i) != 0) m.free_parameters.push_back(i);
}

void read_data(RecordReader& in, UnivariateRecord& rec) {
  need(in.integer(rec.first) && in.integer(rec.last), "the indices of the Data record");
  const std::int64_t n = static_cast<std::int64_t>(rec.last) - rec.first + 1;
  need(n >= 0 && (n == 0 || rec.first >= 1), "the indices of the Data record");
  std::string name;
  // The whole line: a name of several words comes back whole, and a one-word
  // name padded with blanks reads as before.
  need(in.line(name, kSeriesNameLength), "the series name of the Data record");
  rec.series_name = name.substr(std::min(name.find_first_not_of(" \t"), name.size()));
  need(in.reals(rec.x, n), "the Data record holds fewer than the " + std::to_string(n) + " values its indices give");
  // A surplus value would otherwise be dropped without a word.
  need(!in.next_is_number(), "the Data record holds more than the " + std::to_string(n) + " values its indices give");
  need(moderate(rec.x), "the Data record holds values too large to analyse");
  if (n == 0) rec.first = rec.last = 0;
}

void read_regression(RecordReader& in, RegressionTrend& r, std::int64_t n) {
  const std::string what = "the Regression record";
  need(in.skip_record(), what);
  need(in.logical(r.present), what);
  if (!r.present) return;
  need(in.integer(r.estimation) && r.estimation >= 0 && r.estimation <= 2, what);
  need(in.logical(r.intercept), what);
  need(in.integer(r.component_count) && r.component_count >= 0 && r.component_count <= 4, what);
  need(in.integers(r.counts), what);
  for (int& c : r.more_counts) need(in.integer(c), what);
  const int p = r.more_counts[0], m = r.more_counts[1], a = r.more_counts[2];
  need(p >= 0 && p <= 10 && a >= 0 && a <= std::numeric_limits<int>::max() - 20, what);
  // The regressors: the intercept, t..t^p, a cosine and a sine per harmonic, the auxiliaries.
  need(static_cast<std::int64_t>(m) == static_cast<std::int64_t>(a) + 2 * r.component_count + p + (r.intercept ? 1 : 0), what);
  if (r.estimation > 0) {
    need(in.skip_record(), what);
    need(in.reals(r.coefficients, m), what);
    need(in.reals(r.fitted_trend, n), what);
    if (r.estimation == 2) need(in.reals(r.covariance, static_cast<std::int64_t>(m) * m), what);
  }
  need(in.reals(r.design, n * m), what);
  r.removed = r.estimation != 0;
}

Transformation read_transformation(RecordReader& in, const UnivariateRecord& rec, int index) {
  Transformation t;
  const std::string what = "the Transformation(s) record " + std::to_string(index);
  int kind = 0;
  need(in.integer(kind), what);
  need(in.skip_record(), what);
  switch (kind) {
    case 1: {
      t.kind = TransformKind::Difference;
      need(in.integer(t.lag) && t.lag >= 1, what);
      need(in.reals(t.start_values, t.lag), what);
      break;
    }
    case 2:
      t.kind = TransformKind::BoxCox;
      need(in.real(t.lambda), what);
      // The Box-Cox dialog's range; beyond it Undo cannot restore the data.
      need(t.lambda >= 0 && t.lambda <= 1.5, what + ": the Box-Cox parameter is outside [0, 1.5]");
      break;
    case 4:
      t.kind = TransformKind::Classical;
      // -1: a polynomial fit alone.
      need(in.integer(t.period) && (t.period == -1 || t.period >= 1), what);
      need(in.reals(t.seasonal, std::max(0, t.period)), what);
      need(in.integer(t.degree) && t.degree >= 0 && t.degree <= 2, what);
      need(in.reals(t.poly), what);
      break;
    case 8:
      t.kind = TransformKind::ClassicalHarmonic;
      need(in.integer(t.harmonic_count) && t.harmonic_count >= 0 && t.harmonic_count <= 4, what);
      need(in.integers(t.fourier_index) && in.reals(t.cosine_sum) && in.reals(t.sine_sum), what);
      need(in.real(t.harmonic_mean), what);
      need(in.integer(t.degree) && t.degree >= 0 && t.degree <= 2, what);
      need(in.reals(t.poly), what);
      break;
    case 16:
      t.kind = TransformKind::SubtractMean;
      need(in.real(t.subtracted_mean) && moderate(t.subtracted_mean), what);
      break;
    case 32: {
      t.kind = TransformKind::Subsequence;
      need(in.integer(t.previous_first) && in.integer(t.previous_last), what);
      // Nothing may follow a subsequence that moves the indices, so the
      // record's own indices are the ones right after the trim.
      const std::int64_t before = static_cast<std::int64_t>(rec.first) - t.previous_first;
      const std::int64_t after = static_cast<std::int64_t>(t.previous_last) - rec.last;
      need(before >= 0 && after >= 0, what);
      if (before > 0) need(in.reals(t.values_before, before), what);
      if (after > 0) need(in.reals(t.values_after, after), what);
      break;
    }
    default:
      need(false, what);
  }
  return t;
}

// Undoing the whole list must lead back to data that start at index 1, with
// every node's values where its inverse expects them and every classical fit
// within the bounds its dialog sets for the series it was made on.
bool consistent(const UnivariateRecord& rec) {
  if (rec.x.empty()) return rec.transforms.empty();
  std::int64_t first = rec.first, last = rec.last, n = rec.n();
  for (auto it = rec.transforms.rbegin(); it != rec.transforms.rend(); ++it) {
    if (n != last - first + 1 || first < 1) return false;
    // The classical dialog's bounds, against the length the fit was made on.
    if (it->kind == TransformKind::Classical && it->period >= 1 && it->period > n / 3) return false;
    if (it->kind == TransformKind::ClassicalHarmonic)
      for (int i = 0; i < it->harmonic_count; ++i)
        if (it->fourier_index[i] < 1 || it->fourier_index[i] >= n / 2) return false;
    if (it->kind == TransformKind::Difference) {
      first -= static_cast<std::int64_t>(it->start_values.size());
      n += static_cast<std::int64_t>(it->start_values.size());
    } else if (it->kind == TransformKind::Subsequence) {
      if (static_cast<std::int64_t>(it->values_before.size()) != first - it->previous_first ||
          static_cast<std::int64_t>(it->values_after.size()) != it->previous_last - last)
        return false;
      n += static_cast<std::int64_t>(it->values_before.size() + it->values_after.size());
      first = it->previous_first;
      last = it->previous_last;
    }
  }
  return first == 1 && n == last;
}

void read_fractional(RecordReader& in, ArmaModel& m) {
  std::string label;
  RecordReader probe = in;
  if (!probe.word(label, 16) || label != "Fractional") return;
  in = probe;
  need(in.logical(m.fractional) && in.real(m.d) && in.integer(m.M), "the Fractional record");
  need(m.d > -0.5 && m.d < 0.5 && m.M >= 50 && m.M <= 10000, "the Fractional record is out of range");
  need(!m.fractional || check_invertible({m.theta.data(), static_cast<std::size_t>(m.q)}),
       "the fractional model of the Fractional record is not invertible");
  if (!m.fractional) {
    m.d = 0;
    m.M = 50;
  }
}

// The auxiliary columns of the regression (files written without them read
// as before: the regression then has no values beyond its design matrix).
void read_auxiliary(RecordReader& in, RegressionTrend& r, std::int64_t n) {
  RecordReader probe = in;
  std::string label;
  if (!probe.word(label, 16) || label != "Auxiliary") return;
  in = probe;
  const int a = r.more_counts[2];
  need(r.present && a > 0, "the Auxiliary regressors record");
  need(in.integer(r.auxiliary_rows) && r.auxiliary_rows >= n, "the Auxiliary regressors record");
  need(in.reals(r.auxiliary, static_cast<std::int64_t>(r.auxiliary_rows) * a), "the Auxiliary regressors record");
}

}  // namespace

// The first record's word: a project file says "ZELK". An empty file has no
// first record at all.
ProjectReadResult head_of(RecordReader& in) {
  std::string word;
  if (!in.word(word, kHeaderWordLength)) return {ProjectReadStatus::Failed, {kOpenTitle, "Cannot open file"}, {}};
  return {word == "ZELK" ? ProjectReadStatus::Read : ProjectReadStatus::NotProjectFile, {}, {}};
}

ProjectReadResult parse_project_text(std::string_view text) {
  RecordReader in(text);
  ProjectReadResult r = head_of(in);
  if (r.status != ProjectReadStatus::Read) return r;
  ProjectFile& f = r.file;
  UnivariateRecord& rec = f.record;
  try {
    need(in.skip_record(), "the Color label is missing");
    read_colours(in, f.colours);
    need(in.skip_record(), "the Model label is missing");
    read_model(in, rec);
    need(in.skip_record(), "the Data label is missing");
    read_data(in, rec);
    read_regression(in, rec.regression, rec.n());
    need(in.skip_record(), "the Transformation(s) label is missing");
    int c = 0;
    // Every entry takes at least three lines of a character or more.
    need(in.integer(c) && c >= 0 && in.can_hold(c, 5), "the count of the Transformation(s) record");
    rec.transforms.reserve(static_cast<std::size_t>(c));
    for (int i = 0; i < c; ++i) rec.transforms.push_back(read_transformation(in, rec, i + 1));
    need(consistent(rec), "the Transformation(s) record does not fit the data");
    read_fractional(in, rec.model);
    read_auxiliary(in, rec.regression, rec.n());
  } catch (const ReadFailure& e) {
    r.status = ProjectReadStatus::Failed;
    r.error = e.message;
    r.file = ProjectFile{};
    return r;
  }
  r.status = ProjectReadStatus::Read;
  return r;
}

ProjectReadResult read_project_file(const std::string& path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "rb"));
  if (!f) return {ProjectReadStatus::Failed, {kOpenTitle, "Cannot open file"}, {}};
  // The first line decides; a long data file is not read any further here.
  std::string text(256, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), f.get()));
  RecordReader first_line(std::string_view(text).substr(0, text.find_first_of("\r\n")));
  ProjectReadResult head = head_of(first_line);
  if (head.status != ProjectReadStatus::Read) return head;
  char buf[1 << 16];
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, f.get())) > 0;) text.append(buf, got);
  if (std::ferror(f.get())) return {ProjectReadStatus::Failed, {kReadTitle, "Cannot read file"}, {}};
  return parse_project_text(text);
}

}  // namespace zelk
