#pragma once
// The multivariate project text file: header, colours, data with names and
// active flags, the transformation list and the transfer-function group.
#include <string>
#include <string_view>

#include "plot/colours.h"
#include "project/data_file.h"
#include "project/multivariate_record.h"

namespace zelk {

// A trim node's bound lines carry the number of time points cut at that end
// after the bound ("old first, head count"), so that a file with several
// trims reads back without guessing; readers that take one value a line see
// only the bounds.
std::string multivariate_file_text(const MultivariateRecord& rec, const ColourTable& colours);

enum class MultivariateReadStatus { NotProjectFile, Read, Failed };

struct MultivariateReadResult {
  MultivariateReadStatus status = MultivariateReadStatus::NotProjectFile;
  FileMessage error;          // when Failed
  MultivariateRecord record;  // data, names, flags, bounds and transformations
  ColourTable colours;
};

// A multivariate project file starts with "ZELK Multivariate". Every count
// is checked against what the rest of the text can hold before allocating.
MultivariateReadResult parse_multivariate_text(std::string_view text);
MultivariateReadResult read_multivariate_file(const std::string& path);

}  // namespace zelk
