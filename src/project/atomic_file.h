#pragma once
// Whole-file writes that never leave a half-written target: the text goes to
// a temporary file in the same folder, which replaces the target only once it
// is complete and flushed.
#include <string>
#include <string_view>

namespace zelk {

// ReadOnly: the target exists and may not be written; it is left untouched.
enum class WriteFailure { None, Open, Write, ReadOnly };

// The new file gets the permission bits of the one it replaces.
WriteFailure write_file_atomically(const std::string& path, std::string_view content);

}  // namespace zelk
