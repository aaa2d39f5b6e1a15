#include "project/atomic_file.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#include <unistd.h>
#define ZELK_POSIX 1
#endif

namespace zelk {
namespace {

#if ZELK_POSIX
// A write past the file-size limit raises SIGXFSZ, which kills the program
// before the temporary file can be removed; ignored, the write just fails.
void ignore_file_size_signal() { std::signal(SIGXFSZ, SIG_IGN); }
#endif

}  // namespace

WriteFailure write_file_atomically(const std::string& path, std::string_view content) {
  static std::atomic<unsigned> counter{0};
  long pid = 0;
#if ZELK_POSIX
  ignore_file_size_signal();
  pid = static_cast<long>(::getpid());
  // An existing target keeps its permission bits; a read-only one is left
  // alone, as editors do (root could write it, so the bits decide too).
  struct stat target{};
  const bool exists = ::stat(path.c_str(), &target) == 0;
  if (exists && ((target.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) return WriteFailure::ReadOnly;
#endif
  const std::string tmp = path + ".zelk-tmp-" + std::to_string(pid) + "-" + std::to_string(counter++);
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return WriteFailure::Open;
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  ok = std::fflush(f) == 0 && ok;
#if ZELK_POSIX
  if (exists) ok = ::fchmod(::fileno(f), target.st_mode & 07777) == 0 && ok;
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
