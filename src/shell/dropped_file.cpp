#include "shell/dropped_file.h"

#include <cctype>
#include <string>

#include "port/commands.h"

namespace zelk {

int import_command_for(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  std::string ext;
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
    for (char c : path.substr(dot)) ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".csv" || ext == ".tsv" ? cmd::ImportTable : cmd::ImportFile;
}

}  // namespace zelk
