#pragma once
// The INFO texts of the univariate analyses, written from record contents.
// Each writer clears the document first.
#include <span>
#include <string>
#include <string_view>

#include "plot/document.h"
#include "univariate/histogram.h"
#include "model/transform.h"

namespace zelk {

struct UnivariateRecord;
struct ModelAcf;

// label followed by the integer right-aligned in 8 characters.
std::string integer_line(std::string_view label, long long value);
// trim(format_decimals(x, d)): the number as a labelled line shows it.
std::string decimals(double x, int d);

// The project window's summary: points, mean, variance, standard error of
// the mean, the model and its white-noise variance.
void write_summary(TextDocument& doc, const UnivariateRecord& rec);

// The ACF/PACF window's text for the record's display mode; `model` holds
// the model functions when the mode shows them.
void write_acf_report(TextDocument& doc, const UnivariateRecord& rec, const ModelAcf* model);

// Right endpoints and counts of a histogram.
void write_histogram_report(TextDocument& doc, const Histogram& h, bool residuals);

// The classical fit: polynomial, then the seasonal or harmonic part.
void write_fit_report(TextDocument& doc, const Transformation& node, std::size_t n);

}  // namespace zelk
