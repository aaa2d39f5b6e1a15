#pragma once
// The univariate project text file: header, colours, model, data, regression
// trend and transformation list, as free-form records. Writing and reading
// are pure functions of text; the Save commands and Import File use them.
#include <string>
#include <string_view>

#include "plot/colours.h"
#include "project/data_file.h"
#include "project/univariate_record.h"

namespace zelk {

// What a project file restores: the record's model, model flag, data,
// series name, regression trend and transformation list, and the colours.
struct ProjectFile {
  UnivariateRecord record;
  ColourTable colours;
};

// The file's text. Coefficients above the orders are written as 0. A
// fractionally integrated model adds a "Fractional" record group after the
// transformations, which readers that stop there never see.
std::string project_file_text(const UnivariateRecord& rec, const ColourTable& colours);

enum class ProjectReadStatus { NotProjectFile, Read, Failed };

struct ProjectReadResult {
  ProjectReadStatus status = ProjectReadStatus::NotProjectFile;
  FileMessage error;  // when Failed
  ProjectFile file;   // when Read
};

// A project file is one whose first word is "ZELK". Every count is checked
// against what the rest of the text can hold before anything is allocated.
ProjectReadResult parse_project_text(std::string_view text);
// Reads only the first word of a file that is not a project file.
ProjectReadResult read_project_file(const std::string& path);

// The colour table entry as written in files: r + 256 g + 65536 b.
int colour_value(Rgb c);

}  // namespace zelk
