#include "univariate/reports.h"

#include <cmath>

#include "arma/model_acf.h"
#include "arma/model_text.h"
#include "model/regression_text.h"
#include "plot/format.h"
#include "project/univariate_record.h"
#include "numeric/acf.h"

namespace zelk {
namespace {

// Four values a line, each right-aligned in 15 characters, 5 decimals.
void write_correlations(TextDocument& doc, std::span<const double> values) {
  std::string line;
  int on_line = 0;
  for (double v : values) {
    line += pad_left(decimals(v, 5), 15);
    if (++on_line == 4) {
      doc.write_line(line);
      line.clear();
      on_line = 0;
    }
  }
  if (on_line > 0) doc.write_line(line);
}

// write_line clears on an empty text; a blank line is one blank.
void blank(TextDocument& doc) { doc.write_line(" "); }

std::span<const double> first(std::span<const double> v, int count) {
  return v.first(std::min<std::size_t>(v.size(), static_cast<std::size_t>(std::max(count, 0))));
}

std::string significant(double x) { return trim(format_significant(x, 5)); }

const Transformation* find_mean_node(const UnivariateRecord& rec) {
  for (const Transformation& t : rec.transforms)
    if (t.kind == TransformKind::SubtractMean) return &t;
  return nullptr;
}

}  // namespace

std::string integer_line(std::string_view label, long long value) {
  return std::string(label) + pad_left(std::to_string(value), 8);
}

std::string decimals(double x, int d) { return trim(format_decimals(x, d)); }

void write_summary(TextDocument& doc, const UnivariateRecord& rec) {
  doc.clear();
  doc.write_line("==========");
  doc.write_line("ZELK::(INFO) ");
  doc.write_line("==========");
  doc.write_line(integer_line("# of Data Points = ", rec.n()));
  blank(doc);
  if (rec.n() > 0) {
    const double m = sample_mean(rec.x);
    const std::vector<double> c = sample_acvf(rec.x, 0);
    if (const Transformation* node = find_mean_node(rec))
      doc.write_line("Subtracted Mean = " + decimals(node->subtracted_mean, 4));
    else
      doc.write_line("Sample Mean = " + decimals(m, 4));
    doc.write_line("Sample Variance = " + decimals(c[0], 6));
    doc.write_line("Std.Error(Sample Mean) =  " + decimals(mean_standard_error(rec.x), 6));
    doc.write_line("(square root of (1/n)SUM{(1-|h|/r)acvf(h)}, |h|<r=[sqrt(n)])");
    blank(doc);
  }
  doc.write_line("MODEL:");
  // A blank line is written as one blank: an empty one would clear the text.
  for (const std::string& l : trend_description(rec.regression, false)) doc.write_line(l.empty() ? " " : l);
  write_model_text(doc, rec.model);
  blank(doc);
  doc.write_line("WN Variance = " + decimals(rec.model.sigma2, 6));
}

void write_acf_report(TextDocument& doc, const UnivariateRecord& rec, const ModelAcf* model) {
  const int L = rec.params.acf_lags;
  const bool sample = rec.acf_mode & 1, show_model = (rec.acf_mode & 2) && model && model->ok;
  doc.clear();
  doc.write_line("===============");
  doc.write_line("ZELK::(ACF/PACF)");
  doc.write_line("===============");
  doc.write_line(integer_line("# of Lags = ", L));
  blank(doc);
  if ((rec.acf_mode & 24) == 0) return;
  auto section = [&](const char* title, std::span<const double> values, const std::string* variance) {
    blank(doc);
    doc.write_line(title);
    blank(doc);
    if (variance) {
      doc.write_line(*variance);
      blank(doc);
    }
    write_correlations(doc, values);
    blank(doc);
  };
  const int Lm = rec.params.model_acf_lags;
  if (sample) {
    const std::string v = "Sample Variance = " + decimals(rec.results.sample_variance, 8);
    section("Sample Autocorrelations:", first(rec.results.sample_acf, L), &v);
  }
  if (show_model) {
    const std::string v = "Gamma(0) = " + decimals(model->variance, 8);
    section("Model Autocorrelations:", first(model->acf, Lm), &v);
  }
  if (sample) section("Sample Partial Autocorrelations:", first(rec.results.sample_pacf, L), nullptr);
  if (show_model) section("Model Partial Autocorrelations:", first(model->pacf, Lm), nullptr);
}

void write_histogram_report(TextDocument& doc, const Histogram& h, bool residuals) {
  doc.clear();
  const std::string rule(residuals ? 31 : 21, '=');
  doc.write_line(rule);
  doc.write_line(residuals ? "ZELK::(Residuals Histogram)" : "ZELK::(Histogram)");
  doc.write_line(rule);
  doc.write_line(integer_line("# of Bins = ", static_cast<long long>(h.counts.size())));
  blank(doc);
  doc.write_line("     Right endpt         Count");
  for (std::size_t i = 0; i < h.counts.size(); ++i)
    doc.write_line(pad_left(decimals(h.edges[i + 1], 5), 15) + pad_left(decimals(h.counts[i], 0), 15));
}

void write_fit_report(TextDocument& doc, const Transformation& node, std::size_t n) {
  doc.clear();
  doc.write_line("===============");
  doc.write_line("ZELK::(Fit)");
  doc.write_line("===============");
  blank(doc);
  blank(doc);
  doc.write_line("Polynomial Fit:");
  auto signed_term = [](double v) { return std::string(v < 0 ? " - " : " + ") + significant(std::fabs(v)); };
  const auto& p = node.poly;
  if (node.degree == 0)
    doc.write_line("No regression");
  else if (node.degree == 1)
    doc.write_line("X(t) = " + significant(p[1]) + " * t " + signed_term(p[0]));
  else
    doc.write_line("X(t) = " + significant(p[2]) + " * (t^2) " + signed_term(p[1]) + " * t " + signed_term(p[0]));
  blank(doc);
  if (node.kind == TransformKind::Classical && node.period >= 1) {
    doc.write_line("Seasonal fit of period = " + std::to_string(node.period));
    doc.write_line("Seasonal components:");
    for (std::size_t k = 0; k < node.seasonal.size(); ++k)
      doc.write_line(std::to_string(k + 1) + ")  " + significant(node.seasonal[k]));
  } else if (node.kind == TransformKind::ClassicalHarmonic) {
    doc.write_line("Harmonic regression with " + std::to_string(node.harmonic_count) + " Fourier frequencies.");
    blank(doc);
    doc.write_line("    frequency          alpha           beta");
    const double scale = n > 0 ? 2.0 / static_cast<double>(n) : 0.0;
    for (int i = 0; i < node.harmonic_count; ++i)
      doc.write_line(pad_left(std::to_string(node.fourier_index[i]), 13) +
                     pad_left(decimals(scale * node.cosine_sum[i], 5), 15) +
                     pad_left(decimals(scale * node.sine_sum[i], 5), 15));
  }
}

}  // namespace zelk
