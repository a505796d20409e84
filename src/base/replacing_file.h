#pragma once
// Saving a file so that it is either wholly new or wholly as it was.
//
// The bytes go to a temporary file beside the target (same directory, so the
// final step is a rename within one file system), which is flushed to the disk
// and then renamed over the target. Any failure removes the temporary file and
// leaves the target byte for byte as it was; there is no moment at which the
// target is missing or half written.
//
// What the target may be:
// * missing: it is created (its directory must exist);
// * a regular file: it is replaced, and the new file takes its permission
//   bits (not its owner, and a hard link to the old file keeps the old bytes);
// * a symbolic link: written through. The link is followed (relative links
//   from the link's own directory, up to 40 links deep) and the file it names
//   is replaced or created; the link itself stays as it is;
// * a directory, or anything else that is not a regular file (a pipe, a
//   device): refused, and left alone.
// The target's directory must be writable, since the new file is made there.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quarl {

// The step a failed save stopped at.
enum class WriteStep {
  None,     // the save succeeded
  Target,   // the target was refused (a directory, a link loop) or not examinable
  Create,   // the temporary file could not be made
  Write,    // writing or flushing the bytes failed (a full disk, a size limit)
  Replace,  // the finished file could not be renamed over the target
};

struct WriteResult {
  WriteStep failedStep = WriteStep::None;
  // The system's words for the failure ("No space left on device"); empty on
  // success.
  std::string reason;

  bool Ok() const { return failedStep == WriteStep::None; }
  explicit operator bool() const { return Ok(); }
};

// A save in two steps, for callers with work between making the new file and
// writing it (the map saver marks the map saved and shows its checks once the
// file exists). An uncommitted temporary file is removed.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile();

  // Examines the target and creates the temporary file beside it.
  WriteResult Create(const std::string& path);
  // Writes the bytes, flushes them to the disk and renames the temporary
  // file over the target.
  WriteResult Commit(std::span<const uint8_t> bytes);

 private:
  void Discard();

  std::filesystem::path target_;
  bool targetExists_ = false;
  std::filesystem::perms permissions_ = std::filesystem::perms::unknown;
  std::filesystem::path temporary_;
  int fd_ = -1;
};

// Create and Commit in one call.
WriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace quarl
