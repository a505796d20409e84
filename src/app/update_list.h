#pragma once
// The update list "plovnik.upd": pairs of file names left behind by the
// download step. At start-up each source file is copied over its destination
// and then deleted. The list itself is only read, never changed.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "base/user_interface.h"

namespace quarl {

constexpr const char* kUpdateListName = "plovnik.upd";
constexpr size_t kMaxUpdateNameLength = 127;

struct UpdateEntry {
  std::string source;       // the freshly downloaded file
  std::string destination;  // the file it replaces
  bool operator==(const UpdateEntry&) const = default;
};

struct ParsedUpdateList {
  std::vector<UpdateEntry> entries;
  // Empty for a sound list. Otherwise what is wrong and where; `entries` is
  // then empty, because a damaged list is not trusted in part.
  std::string damage;
};

// Reads the entries of a list: each is a length byte (1..127) and that many
// bytes of source name, then the same for the destination name, up to the end
// of the data. The data is taken as raw bytes: a carriage return, line feed or
// byte 26 is part of a name or length like any other byte.
//
// A list is damaged when a length byte is 0 or 128 and above, when the data
// ends inside an entry, or when a name holds a zero byte (it could not name a
// file). A damaged list gives no entries at all: it most likely comes from an
// interrupted or corrupted download, and installing half of it could leave a
// mix of old and new files.
ParsedUpdateList ParseUpdateList(const uint8_t* bytes, size_t size);

// The bytes of a list holding `entries` (names longer than 127 bytes are cut).
std::vector<uint8_t> FormatUpdateList(const std::vector<UpdateEntry>& entries);

// The two file operations an update makes. Tests replace them to make a step
// fail on purpose.
class UpdateFileOperations {
 public:
  virtual ~UpdateFileOperations() = default;
  // Copies source over destination, replacing it when it exists.
  virtual bool CopyReplacing(const std::filesystem::path& source, const std::filesystem::path& destination);
  virtual bool Remove(const std::filesystem::path& file);
};

// Copies each entry's source over its destination (replacing it when it
// exists), then deletes the source. Relative names are taken from
// `programDirectory`. A failed copy shows the source name titled "Failed to
// install:" and goes on with the next entry; a failed delete shows it titled
// "Failed to remove:". Returns the number of entries installed.
int InstallUpdateEntries(const std::vector<UpdateEntry>& entries, const std::filesystem::path& programDirectory,
                         UserInterface& ui, UpdateFileOperations& files);
int InstallUpdateEntries(const std::vector<UpdateEntry>& entries, const std::filesystem::path& programDirectory,
                         UserInterface& ui);

// Runs the list file `listPath`. Returns 1 when it was read and run, 0 when
// there is no such file and -1 when it could not be read or is damaged; a
// damaged list is reported in one "Failed to install:" box and nothing of it
// is installed.
int RunUpdateList(const std::filesystem::path& listPath, const std::filesystem::path& programDirectory,
                  UserInterface& ui);

// The start-up step: runs plovnik.upd of the program directory when it exists.
int RunUpdateList(Editor& editor);

}  // namespace quarl
