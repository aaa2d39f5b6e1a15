#include "project/atomic_file.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace zelk {

WriteFailure write_file_atomically(const std::string& path, std::string_view content) {
  static std::atomic<unsigned> counter{0};
  std::string tmp = path + ".zelk-tmp-" + std::to_string(
#if defined(__unix__) || defined(__APPLE__)
                                              static_cast<long>(::getpid())
#else
                                              0L
#endif
                                              ) +
                    "-" + std::to_string(counter++);
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return WriteFailure::Open;
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  ok = std::fflush(f) == 0 && ok;
#if defined(__unix__) || defined(__APPLE__)
  ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(tmp, path, ec);
  if (!ok || ec) {
    std::filesystem::remove(tmp, ec);
    return WriteFailure::Write;
  }
  return WriteFailure::None;
}

}  // namespace zelk
