#include "shell/script_words.h"

namespace zelk {

std::optional<std::vector<std::string>> split_words(std::string_view line, std::string* error) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size()) {
      // Other pairs (\n, \\) stay for the clipboard text to interpret.
      const char next = line[++i];
      if (next == '"' || next == '#' || next == ' ') {
        word += next;
      } else {
        word += '\\';
        word += next;
      }
      in_word = true;
    } else if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else if (!quoted && c == '#') {
      break;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (quoted) {
    if (error) *error = "a double quote is not closed";
    return std::nullopt;
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

std::string unescape_text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      switch (text[++i]) {
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        default: out += text[i]; break;
      }
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace zelk
