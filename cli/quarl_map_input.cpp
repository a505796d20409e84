#include "quarl_map_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quarl {
namespace {

// Why a file with this status cannot be read as an input, or empty.
std::string Refusal(const struct stat& status, size_t maxBytes, const char* kind) {
  if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(status.st_mode)) return "not a regular file";
  if (status.st_size < 0 || static_cast<uintmax_t>(status.st_size) > maxBytes) {
    return "too large for " + std::string(kind) + " (" + std::to_string(status.st_size) + " bytes, at most " +
           std::to_string(maxBytes) + ")";
  }
  return "";
}

}  // namespace

bool ReadInputFile(const std::string& path, size_t maxBytes, const char* kind, std::vector<uint8_t>& bytes,
                   std::string& why) {
  bytes.clear();
  // Looked at before opening: opening a pipe waits for a writer, and opening
  // a device can do more than read.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    why = std::strerror(errno);
    return false;
  }
  if (why = Refusal(status, maxBytes, kind); !why.empty()) return false;

  // Without blocking, and checked again once open: the path may have been
  // replaced in between.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  if (::fstat(fd, &status) != 0) {
    why = std::strerror(errno);
  } else {
    why = Refusal(status, maxBytes, kind);
  }
  if (!why.empty()) {
    ::close(fd);
    return false;
  }

  // One byte more than allowed is asked for, to notice a file that grew.
  bytes.resize(static_cast<size_t>(status.st_size) + 1);
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = std::strerror(errno);
      break;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
    if (got == bytes.size() && got <= maxBytes) bytes.resize(std::min(maxBytes + 1, 2 * bytes.size()));
  }
  ::close(fd);
  if (!why.empty()) return false;
  if (got > maxBytes) {
    why = "too large for " + std::string(kind) + " (more than " + std::to_string(maxBytes) + " bytes)";
    return false;
  }
  bytes.resize(got);
  return true;
}

}  // namespace quarl
