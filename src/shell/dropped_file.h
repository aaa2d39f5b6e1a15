#pragma once
// A file dropped on the frame is read by the import command a user would
// choose for it: Import Table for CSV and TSV files, Import File for the
// rest (plain data and project files).
#include <string_view>

namespace zelk {

int import_command_for(std::string_view path);

}  // namespace zelk
