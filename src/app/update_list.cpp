#include "app/update_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quarl {
namespace {

// Reads one length-prefixed name at `pos`; on success advances `pos`.
// Returns a description of the damage, or an empty string.
std::string ReadName(const uint8_t* bytes, size_t size, size_t& pos, const char* which, std::string& name) {
  const size_t start = pos;
  if (pos >= size) return std::string("the list ends before the ") + which + " name's length (byte " +
                          std::to_string(start) + ")";
  const size_t length = bytes[pos];
  if (length == 0 || length > kMaxUpdateNameLength)
    return std::string("the ") + which + " name's length is " + std::to_string(length) + " (byte " +
           std::to_string(start) + "); names are 1 to 127 bytes";
  if (size - pos - 1 < length)
    return std::string("the list ends inside the ") + which + " name that starts at byte " +
           std::to_string(start);
  const char* first = reinterpret_cast<const char*>(bytes + pos + 1);
  if (std::find(first, first + length, '\0') != first + length)
    return std::string("the ") + which + " name at byte " + std::to_string(start) + " holds a zero byte";
  name.assign(first, length);
  pos += 1 + length;
  return {};
}

}  // namespace

ParsedUpdateList ParseUpdateList(const uint8_t* bytes, size_t size) {
  ParsedUpdateList list;
  size_t pos = 0;
  while (pos < size) {
    UpdateEntry entry;
    list.damage = ReadName(bytes, size, pos, "source", entry.source);
    if (list.damage.empty()) list.damage = ReadName(bytes, size, pos, "destination", entry.destination);
    if (!list.damage.empty()) {
      list.entries.clear();
      return list;
    }
    list.entries.push_back(std::move(entry));
  }
  return list;
}

std::vector<uint8_t> FormatUpdateList(const std::vector<UpdateEntry>& entries) {
  std::vector<uint8_t> bytes;
  auto put = [&bytes](const std::string& name) {
    const size_t length = std::min(name.size(), kMaxUpdateNameLength);
    bytes.push_back(static_cast<uint8_t>(length));
    bytes.insert(bytes.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length));
  };
  for (const UpdateEntry& entry : entries) {
    put(entry.source);
    put(entry.destination);
  }
  return bytes;
}

bool UpdateFileOperations::CopyReplacing(const std::filesystem::path& source,
                                         const std::filesystem::path& destination) {
  std::error_code error;
  std::filesystem::copy_file(source, destination, std::filesystem::copy_options::overwrite_existing, error);
  return !error;
}

bool UpdateFileOperations::Remove(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::remove(file, error) && !error;
}

int InstallUpdateEntries(const std::vector<UpdateEntry>& entries, const std::filesystem::path& programDirectory,
                         UserInterface& ui) {
  UpdateFileOperations files;
  return InstallUpdateEntries(entries, programDirectory, ui, files);
}

int InstallUpdateEntries(const std::vector<UpdateEntry>& entries, const std::filesystem::path& programDirectory,
                         UserInterface& ui, UpdateFileOperations& files) {
  int installed = 0;
  for (const UpdateEntry& entry : entries) {
    // An absolute name stays as it is; a relative one hangs off the program directory.
    const std::filesystem::path source = programDirectory / entry.source;
    const std::filesystem::path destination = programDirectory / entry.destination;
    if (!files.CopyReplacing(source, destination)) {
      ui.ShowMessage(entry.source, "Failed to install:", Buttons::Ok);
      continue;
    }
    ++installed;
    if (!files.Remove(source))
      ui.ShowMessage(entry.source, "Failed to remove:", Buttons::Ok);
  }
  return installed;
}

int RunUpdateList(const std::filesystem::path& listPath, const std::filesystem::path& programDirectory,
                  UserInterface& ui) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(listPath, error)) return 0;
  std::ifstream file(listPath, std::ios::binary);
  if (!file) return -1;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return -1;

  const ParsedUpdateList list = ParseUpdateList(bytes.data(), bytes.size());
  if (!list.damage.empty()) {
    ui.ShowMessage(std::string(kUpdateListName) + " is damaged: " + list.damage +
                       ".\nNothing in it was installed.",
                   "Failed to install:", Buttons::Ok);
    return -1;
  }
  InstallUpdateEntries(list.entries, programDirectory, ui);
  return 1;
}

int RunUpdateList(Editor& editor) {
  if (!editor.ui) return 0;
  const std::filesystem::path directory(editor.programDirectory);
  return RunUpdateList(directory / kUpdateListName, directory, *editor.ui);
}

}  // namespace quarl
