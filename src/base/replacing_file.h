#pragma once
// Writing a file so that a failure never costs the file already there: the
// new bytes go to a temporary file beside the target, which is flushed to
// disk and then renamed over the target in one step.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace quarl {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // An uncommitted temporary file is removed.
  ~ReplacingFile();

  // Creates the temporary file beside target. A symbolic link is written
  // through (its final target is replaced, the link stays); a directory or
  // any other non-regular file is refused. False, with error() set, when the
  // temporary file cannot be made.
  bool Create(const std::string& target);

  // Writes bytes to the temporary file, flushes it to disk and renames it
  // over the target. False, with error() set and the target untouched, when
  // any step fails.
  bool Commit(std::span<const uint8_t> bytes);

  // Create and Commit in one call.
  bool WriteAll(const std::string& target, std::span<const uint8_t> bytes) {
    return Create(target) && Commit(bytes);
  }

  // The system's reason for the last failure ("No space left on device").
  const std::string& error() const { return error_; }

 private:
  void Discard();

  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::string error_;
};

}  // namespace quarl
