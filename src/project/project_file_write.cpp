#include <algorithm>
#include <vector>

#include "project/free_form.h"
#include "project/project_file.h"

namespace zelk {
namespace {

constexpr std::size_t kSeriesLabelWidth = 132;

// Exactly `count` values: a record whose array is short is padded with zeros
// so that the file always reads back.
void reals_of_length(RecordWriter& w, const std::vector<double>& v, std::size_t count) {
  if (v.size() == count) {
    w.reals(v);
    return;
  }
  std::vector<double> padded(count, 0.0);
  std::copy_n(v.begin(), std::min(v.size(), count), padded.begin());
  w.reals(padded);
}

std::string series_label(std::string name) {
  // A line end inside the name would split the record.
  std::replace_if(name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  name.resize(kSeriesLabelWidth, ' ');
  return name;
}

void write_regression(RecordWriter& w, const RegressionTrend& r, std::size_t n) {
  w.text("Regression components");
  w.logical(r.present);
  if (!r.present) return;
  w.integer(r.estimation);
  w.logical(r.intercept);
  w.integer(r.component_count);
  w.integers(r.counts);
  for (int c : r.more_counts) w.integer(c);
  const std::size_t m = static_cast<std::size_t>(std::max(0, r.regressor_count()));
  if (r.estimation > 0) {
    w.text("Regression coefficients");
    reals_of_length(w, r.coefficients, m);
    reals_of_length(w, r.fitted_trend, n);
    if (r.estimation == 2) reals_of_length(w, r.covariance, m * m);
  }
  reals_of_length(w, r.design, n * m);
}

void write_transformation(RecordWriter& w, const Transformation& t) {
  w.integer(static_cast<int>(t.kind));
  switch (t.kind) {
    case TransformKind::Difference:
      w.text("Differencing");
      w.integer(static_cast<int>(t.start_values.size()));
      w.reals(t.start_values);
      break;
    case TransformKind::BoxCox:
      w.text("Box-Cox");
      w.real(t.lambda);
      break;
    case TransformKind::Classical:
      w.text("Deseason");
      w.integer(t.period);
      reals_of_length(w, t.seasonal, static_cast<std::size_t>(std::max(0, t.period)));
      w.integer(t.degree);
      w.reals(t.poly);
      break;
    case TransformKind::ClassicalHarmonic:
      w.text("Harmonic");
      w.integer(t.harmonic_count);
      w.integers(t.fourier_index);
      w.reals(t.cosine_sum);
      w.reals(t.sine_sum);
      w.real(t.harmonic_mean);
      w.integer(t.degree);
      w.reals(t.poly);
      break;
    case TransformKind::SubtractMean:
      w.text("Subtract-Mean");
      w.real(t.subtracted_mean);
      break;
    case TransformKind::Subsequence:
      w.text("Trim");
      w.integer(t.previous_first);
      w.integer(t.previous_last);
      // Only the ends that were cut have a record.
      if (!t.values_before.empty()) w.reals(t.values_before);
      if (!t.values_after.empty()) w.reals(t.values_after);
      break;
  }
}

}  // namespace

int colour_value(Rgb c) { return c.r + 256 * c.g + 65536 * c.b; }

std::string project_file_text(const UnivariateRecord& rec, const ColourTable& colours) {
  RecordWriter w;
  w.text("ZELK Univariate Project");
  w.text("Color");
  std::vector<int> values;
  for (Rgb c : colours.pane) values.push_back(colour_value(c));
  for (Rgb c : colours.further) values.push_back(colour_value(c));
  w.integers(values);

  const ArmaModel& m = rec.model;
  w.text("Model");
  w.integer(m.p);
  w.integer(m.q);
  auto phi = m.phi, theta = m.theta;
  for (int i = std::max(0, m.p); i < kMaxArmaOrder; ++i) phi[i] = 0;
  for (int j = std::max(0, m.q); j < kMaxArmaOrder; ++j) theta[j] = 0;
  w.reals(phi);
  w.reals(theta);
  w.real(m.sigma2);
  w.logical(rec.model_flag);

  w.text("Data");
  // A project without data is written as the empty range 1..0.
  const bool data = rec.data_present();
  w.integer(data ? rec.first : 1);
  w.integer(data ? rec.last : 0);
  w.text(series_label(rec.series_name));
  w.reals(rec.x);

  write_regression(w, rec.regression, rec.x.size());

  w.text("Transformation(s)");
  w.integer(static_cast<int>(rec.transforms.size()));
  for (const Transformation& t : rec.transforms) write_transformation(w, t);

  if (m.fractional) {
    w.text("Fractional");
    w.logical(true);
    w.real(m.d);
    w.integer(m.M);
  }

  // Optional sections follow; a reader that does not know one stops before it.
  const RegressionTrend& g = rec.regression;
  if (g.present && g.auxiliary_count() > 0) {
    w.text("Auxiliary regressors");
    w.integer(g.auxiliary_rows);
    reals_of_length(w, g.auxiliary, static_cast<std::size_t>(g.auxiliary_rows) * g.auxiliary_count());
  }
  return w.str();
}

}  // namespace zelk
