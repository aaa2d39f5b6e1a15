#pragma once
// Splitting a script line into words the way a shell does.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

// Blanks separate words; double quotes group (a quoted empty word is kept);
// a backslash before a double quote, `#` or a blank takes it literally, other
// backslash pairs are kept as written; `#` outside quotes starts a comment. Empty optional with `error` set when a
// quote is left open.
std::optional<std::vector<std::string>> split_words(std::string_view line, std::string* error);

// \r, \n, \t and \\ in clipboard text.
std::string unescape_text(std::string_view text);

}  // namespace zelk
