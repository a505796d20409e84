#include "history/mrdata_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/little_endian.h"

namespace quarl {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Remaining() const { return bytes_.size() - pos_; }
  uint16_t U16() {
    const uint16_t v = static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | bytes_[pos_ + static_cast<size_t>(i)];
    pos_ += 4;
    return v;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

MrdataStatus ReadTable(Reader& in, MirrorRotateTable& table) {
  if (in.Remaining() < 2) return MrdataStatus::EndsEarly;
  const uint16_t byteCount = in.U16();
  if (byteCount % kMrdataEntryBytes != 0) return MrdataStatus::ByteCountNotEntries;
  const size_t count = byteCount / kMrdataEntryBytes;
  if (count > static_cast<size_t>(kMaxTableEntries)) return MrdataStatus::TooManyEntries;
  if (in.Remaining() < byteCount) return MrdataStatus::EndsEarly;
  table.entries.clear();
  bool ended = false;
  for (size_t i = 0; i < count; ++i) {
    MirrorRotateEntry entry;
    for (TileRef& slot : entry.slots) slot = in.U32();
    if (entry.slots[0] == END_MARK) ended = true;
    if (!ended) table.entries.push_back(entry);
  }
  return MrdataStatus::Loaded;
}

void PutTable(std::vector<uint8_t>& out, const MirrorRotateTable& table) {
  const int count = table.Count();
  AppendLe16(out, static_cast<uint32_t>(count * kMrdataEntryBytes));
  for (int i = 0; i < count; ++i) {
    for (TileRef slot : table.entries[static_cast<size_t>(i)].slots) AppendLe32(out, slot);
  }
}

std::filesystem::path MrdataPath(const std::string& directory) {
  return std::filesystem::path(directory) / kMrdataFileName;
}

}  // namespace

std::string MrdataStatusText(MrdataStatus status) {
  switch (status) {
    case MrdataStatus::Loaded: return "";
    case MrdataStatus::CannotOpen: return "The Mirror/Rotate data file could not be opened.";
    case MrdataStatus::ByteCountNotEntries:
      return "The Mirror/Rotate data file is damaged: a table size is not a whole number of entries.";
    case MrdataStatus::TooManyEntries:
      return "The Mirror/Rotate data file is damaged: a table holds more than 511 entries.";
    case MrdataStatus::EndsEarly:
      return "The Mirror/Rotate data file is damaged: it ends before the end of its tables.";
  }
  return "The Mirror/Rotate data file is damaged.";
}

MrdataStatus ParseMrdata(std::span<const uint8_t> bytes, MirrorRotateTables& tables) {
  Reader in(bytes);
  MirrorRotateTables read;
  MrdataStatus status = ReadTable(in, read.mirror);
  if (status == MrdataStatus::Loaded) status = ReadTable(in, read.rotate);
  if (status == MrdataStatus::Loaded) tables = std::move(read);
  return status;
}

std::vector<uint8_t> SerializeMrdata(const MirrorRotateTables& tables) {
  std::vector<uint8_t> out;
  out.reserve(4 + kMrdataEntryBytes * static_cast<size_t>(tables.mirror.Count() + tables.rotate.Count()));
  PutTable(out, tables.mirror);
  PutTable(out, tables.rotate);
  return out;
}

MrdataStatus ReadMrdataFile(const std::filesystem::path& path, MirrorRotateTables& tables) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return MrdataStatus::CannotOpen;
  std::ifstream file(path, std::ios::binary);
  if (!file) return MrdataStatus::CannotOpen;
  // Only the first two full tables' worth can matter; a longer file is a
  // stale tail (or something else) and is not read.
  std::vector<uint8_t> bytes(kMrdataMaxBytes);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return MrdataStatus::CannotOpen;
  bytes.resize(static_cast<size_t>(file.gcount()));
  return ParseMrdata(bytes, tables);
}

bool WriteMrdataFile(const std::filesystem::path& path, const MirrorRotateTables& tables) {
  // Opened for update so an existing file is written over, not truncated;
  // only a missing file is created.
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  if (!file.is_open()) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) return false;
    file.open(path, std::ios::out | std::ios::binary);
    if (!file.is_open()) return false;
  }
  const std::vector<uint8_t> bytes = SerializeMrdata(tables);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.flush();
  return file.good();
}

MrdataStatus LoadMirrorRotateTables(const std::string& directory, MirrorRotateTables& tables) {
  return ReadMrdataFile(MrdataPath(directory), tables);
}

bool SaveMirrorRotateTables(const std::string& directory, const MirrorRotateTables& tables) {
  return WriteMrdataFile(MrdataPath(directory), tables);
}

}  // namespace quarl
