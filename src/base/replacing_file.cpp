#include "base/replacing_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#define QUARL_FSYNC(fd) _commit(fd)
#define QUARL_FILENO(f) _fileno(f)
#else
#include <unistd.h>
#define QUARL_FSYNC(fd) fsync(fd)
#define QUARL_FILENO(f) fileno(f)
#endif

namespace fs = std::filesystem;

namespace quarl {
namespace {

std::string ReasonOf(int error) { return std::strerror(error); }

// The file a write to target really lands in: a symbolic link is followed
// to its final target, which may not exist yet.
std::string ResolveTarget(const std::string& target, std::error_code& error) {
  fs::path path(target);
  if (!fs::is_symlink(fs::symlink_status(path, error))) return target;
  fs::path resolved = fs::weakly_canonical(path, error);
  return error ? target : resolved.string();
}

}  // namespace

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
  }
  temporary_.clear();
}

bool ReplacingFile::Create(const std::string& target) {
  Discard();
  error_.clear();
  std::error_code error;
  target_ = ResolveTarget(target, error);
  fs::file_status status = fs::status(target_, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    error_ = fs::is_directory(status) ? "Is a directory" : "Not a regular file";
    return false;
  }

  // A name of our own beside the target, so that the rename stays on one file
  // system; "x" refuses a name that is already taken.
  fs::path directory = fs::path(target_).parent_path();
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path name = fs::path(target_).filename();
    name += ".quarl-" + std::to_string(random() % 1000000) + ".tmp";
    std::string candidate = (directory / name).string();
    errno = 0;
    file_ = std::fopen(candidate.c_str(), "wbx");
    if (file_) {
      temporary_ = candidate;
      return true;
    }
    if (errno != EEXIST) break;
  }
  error_ = ReasonOf(errno ? errno : EIO);
  return false;
}

bool ReplacingFile::Commit(std::span<const uint8_t> bytes) {
  if (!file_) {
    if (error_.empty()) error_ = "No file was created";
    return false;
  }
  errno = 0;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() && std::fflush(file_) == 0 &&
            QUARL_FSYNC(QUARL_FILENO(file_)) == 0;
  int writeError = errno;
  ok = std::fclose(file_) == 0 && ok;
  if (!writeError) writeError = errno;
  file_ = nullptr;
  if (!ok) {
    error_ = ReasonOf(writeError ? writeError : EIO);
    Discard();
    return false;
  }
  // On Windows the C++ library renames with MoveFileExW and
  // MOVEFILE_REPLACE_EXISTING, so the target is replaced in one step there too.
  std::error_code error;
  fs::rename(temporary_, target_, error);
  if (error) {
    error_ = error.message();
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace quarl
