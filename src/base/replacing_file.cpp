#include "base/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quarl {
namespace {

namespace fs = std::filesystem;

#ifndef O_BINARY
constexpr int O_BINARY = 0;
#endif
#ifndef O_CLOEXEC
constexpr int O_CLOEXEC = 0;
#endif
#ifndef O_NOINHERIT
constexpr int O_NOINHERIT = 0;  // the Windows name for "not inherited by child processes"
#endif

constexpr int kMaxLinkDepth = 40;
// A file name may be 255 bytes; the temporary one adds a dot in front and
// ".xxxxxxxx.tmp" behind, so long names are shortened for it.
constexpr size_t kMaxTempStemChars = 200;
constexpr int kMaxCreateAttempts = 100;
constexpr size_t kMaxWriteChunk = size_t{1} << 30;  // write() takes an unsigned int on Windows

std::string SystemText(int error) { return std::generic_category().message(error); }

WriteResult Failure(WriteStep step, std::string reason) {
  WriteResult result;
  result.failedStep = step;
  result.reason = std::move(reason);
  return result;
}

struct Target {
  fs::path path;
  bool exists = false;
  fs::perms permissions = fs::perms::unknown;
};

// Follows path through any symbolic links to the file that is to be replaced
// or created, and refuses what is not a regular file.
WriteResult ResolveTarget(const std::string& path, Target& target) {
  target.path = fs::path(path);
  for (int depth = 0;; ++depth) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target.path, error);
    switch (status.type()) {
      case fs::file_type::not_found:
        target.exists = false;
        return {};
      case fs::file_type::regular:
        target.exists = true;
        target.permissions = status.permissions();
        return {};
      case fs::file_type::directory:
        return Failure(WriteStep::Target, SystemText(EISDIR));
      case fs::file_type::symlink: {
        if (depth == kMaxLinkDepth) return Failure(WriteStep::Target, SystemText(ELOOP));
        const fs::path link = fs::read_symlink(target.path, error);
        if (error) return Failure(WriteStep::Target, error.message());
        target.path = link.is_absolute() ? link : target.path.parent_path() / link;
        break;
      }
      case fs::file_type::none:  // the status could not be read
        return Failure(WriteStep::Target, error ? error.message() : SystemText(EIO));
      default:
        return Failure(WriteStep::Target, "not a regular file");
    }
  }
}

uint32_t RandomSuffix() {
  thread_local std::mt19937 generator([] {
    std::random_device device;
    const auto now = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seed{device(), device(), now};
    return std::mt19937(seed);
  }());
  return static_cast<uint32_t>(generator());
}

// Built from the target's name in the system's own characters: on Windows a
// narrow path converts to wide text one way and back another, so the name is
// never taken through a narrow string.
fs::path TemporaryPathBeside(const fs::path& target) {
  fs::path::string_type name = target.filename().native();
  if (name.size() > kMaxTempStemChars) name.resize(kMaxTempStemChars);
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(RandomSuffix()));
  name.insert(name.begin(), fs::path::value_type('.'));
  for (const char* c = suffix; *c; ++c) name.push_back(fs::path::value_type(*c));
  return target.parent_path() / name;
}

int CreateExclusively(const fs::path& path) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY | O_CLOEXEC | O_NOINHERIT;
#ifdef _WIN32
  return ::_wopen(path.c_str(), kFlags, _S_IREAD | _S_IWRITE);
#else
  return ::open(path.c_str(), kFlags, 0666);
#endif
}

// Writes all bytes; 0 or the errno of the failure.
int WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const size_t chunk = std::min(bytes.size(), kMaxWriteChunk);
    const auto written = ::write(fd, bytes.data(), static_cast<unsigned>(chunk));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    bytes = bytes.subspan(static_cast<size_t>(written));
  }
  return 0;
}

// Asks the system to put the file's bytes on the disk; 0 or an errno.
int FlushToDisk(int fd) {
#ifdef _WIN32
  return ::_commit(fd) == 0 ? 0 : errno;
#else
  return ::fsync(fd) == 0 ? 0 : errno;
#endif
}

// After the rename, the directory entry itself; a failure here changes
// nothing the caller could act on.
void FlushDirectory([[maybe_unused]] const fs::path& directory) {
#if !defined(_WIN32) && defined(O_DIRECTORY)
  const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
#endif
}

}  // namespace

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  std::error_code ignored;
  if (!temporary_.empty()) fs::remove(temporary_, ignored);
  temporary_.clear();
}

WriteResult ReplacingFile::Create(const std::string& path) {
  Discard();
  Target target;
  if (WriteResult refused = ResolveTarget(path, target); !refused) return refused;
  target_ = target.path;
  targetExists_ = target.exists;
  permissions_ = target.permissions;
  for (int attempt = 0; fd_ < 0; ++attempt) {
    temporary_ = TemporaryPathBeside(target_);
    fd_ = CreateExclusively(temporary_);
    if (fd_ < 0 && (errno != EEXIST || attempt + 1 == kMaxCreateAttempts)) {
      const int error = errno;
      temporary_.clear();
      return Failure(WriteStep::Create, SystemText(error));
    }
  }
  return {};
}

WriteResult ReplacingFile::Commit(std::span<const uint8_t> bytes) {
  if (fd_ < 0) return Failure(WriteStep::Create, SystemText(EBADF));
  int error = WriteAll(fd_, bytes);
  if (error == 0) error = FlushToDisk(fd_);
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  std::error_code ignored;
  if (error != 0) {
    Discard();
    return Failure(WriteStep::Write, SystemText(error));
  }
#ifndef _WIN32
  // Before the rename, so the new file is never more open than the old one
  // was. (Windows keeps only a read-only bit, which would stop both the
  // replace and the clean-up.)
  if (targetExists_) fs::permissions(temporary_, permissions_, ignored);
#endif

  // One step from the old file to the new: rename(2) here; on Windows
  // libstdc++ does it with MoveFileExW and MOVEFILE_REPLACE_EXISTING.
  std::error_code renameError;
  fs::rename(temporary_, target_, renameError);
  if (renameError) {
    Discard();
    return Failure(WriteStep::Replace, renameError.message());
  }
  temporary_.clear();
  FlushDirectory(target_.parent_path());
  return {};
}

WriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
  ReplacingFile file;
  if (WriteResult created = file.Create(path); !created) return created;
  return file.Commit(bytes);
}

}  // namespace quarl
