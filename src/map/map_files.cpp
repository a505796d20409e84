#include "map/map_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "base/paths.h"
#include "base/replacing_file.h"
#include "map/map_checks.h"
#include "map/map_file_format.h"

namespace quarl {
namespace {

constexpr int kZlibOk = 0;

enum class ReadResult { Ok, CannotOpen, TooLarge };

ReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  std::error_code error;
  uintmax_t size = std::filesystem::file_size(path, error);  // fails for a directory
  if (error) return ReadResult::CannotOpen;
  if (size > kMaxMapFileBytes) return ReadResult::TooLarge;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return ReadResult::CannotOpen;
  std::setvbuf(file, nullptr, _IONBF, 0);  // one read straight into out
  out.resize(static_cast<size_t>(size));
  size_t got = std::fread(out.data(), 1, out.size(), file);
  out.resize(got);  // a file that shrank meanwhile is taken as it is now
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return failed ? ReadResult::CannotOpen : ReadResult::Ok;
}

// The damaged-cells notices: the map stays open with the cells that could be
// read, and the user knows that the rest are blank, or that a full set of
// cells came out of a stream zlib did not accept (a bad checksum, or more
// data than a map holds).
void TellIncompleteCells(UserInterface& ui, size_t cellsRead) {
  if (cellsRead < static_cast<size_t>(kCellCount)) {
    ui.Tell("The map's cell data is incomplete or damaged.\nOnly " + std::to_string(cellsRead) + " of " +
             std::to_string(kCellCount) + " cells could be read; the others are left blank.",
         "Error - Non-fatal");
  } else {
    ui.Tell("The map's cell data is damaged.\nAll its cells were read, but some may be wrong.",
         "Error - Non-fatal");
  }
}

// Unless the path ends in ".map" in any letter case: exactly four characters
// become "untitled.map", anything else gets ".map" appended.
void ApplyMapExtension(std::string& path) {
  if (path.size() >= 4) {
    std::string tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    if (tail == ".map") return;
  }
  if (path.size() == 4) {
    path = "untitled.map";
  } else {
    path += ".map";
  }
}

void ShowCheckResult(UserInterface& ui, const CheckResult& result, const char* title) {
  if (result.Problem()) ui.Tell(CheckMessage(result), title);
}

}  // namespace

std::string WithMapExtension(std::string path) {
  ApplyMapExtension(path);
  return path;
}

std::unique_ptr<ZlibBinding> BindZlib(ZlibLibrary* library, const std::string& programDirectory, ZlibUse use,
                                      UserInterface& ui) {
  const char* consequence = use == ZlibUse::Open ? "Open cannot continue" : "Save not possible";
  const char* title = use == ZlibUse::Open ? "Open..." : "Save...";
  std::unique_ptr<ZlibBinding> zlib = library ? library->Load(programDirectory) : nullptr;
  if (!zlib) {
    ui.Tell(std::string("Unable to find zlib.dll\n") + consequence, title);
    return nullptr;
  }
  // A library without the entry point the job needs is as good as missing.
  if (use == ZlibUse::Open ? !zlib->HasUncompress() : !zlib->HasCompress2()) {
    ui.Tell(std::string("Invalid zlib.dll\n") + consequence, title);
    return nullptr;
  }
  return zlib;
}

MapLoad LoadMapFromBytes(MapDocument& doc, std::span<const uint8_t> file, ZlibBinding& zlib, UserInterface& ui) {
  MapFilePrelude prelude = ReadMapPrelude(file, doc);
  uint8_t version = prelude.version;
  if (version > 3) {
    if (ui.ShowMessage("Invalid Version on map, Continue?", "Error", Buttons::YesNo) != Answer::Yes) return {};
    version = 1;
  }

  // teamCount above 4: refused. The per-team lists that follow it cannot be
  // held, and guessing where the fields after them lie would load garbage.
  if (ReadMapHeader(file, prelude, doc) == HeaderStatus::TooManyTeams) {
    ui.Tell("Invalid team count on map (" + std::to_string(doc.teamCount) +
                "); a map has at most 4 teams.\nOpen cannot continue",
            "Error - Halting Open");
    return {};
  }

  // The cell block is whatever follows the header; a headerLength beyond the
  // end of the file leaves it empty.
  size_t cellOffset = std::min(CellBlockOffset(prelude), file.size());
  std::span<const uint8_t> block = file.subspan(cellOffset);

  if (!CellBlockIsCompressed(version)) {
    // Raw cells: a short block decodes the whole words it has and leaves the
    // other cells blank; the user is told.
    size_t decoded = DecodeCells(block.first(std::min(block.size(), kCellBlockBytes)), doc.cells);
    if (decoded < static_cast<size_t>(kCellCount)) TellIncompleteCells(ui, decoded);
    return {OpenResult::Loaded, false};
  }

  // Compressed cells. A stream that fails to inflate or yields fewer than
  // 131072 bytes keeps the cells it did inflate (zlib reports how far it
  // got), the others stay blank, and the user is told. Bytes after the end
  // of the stream are ignored. Only the bytes zlib reports as written are
  // decoded, so the buffer needs no clearing.
  auto inflated = std::make_unique_for_overwrite<uint8_t[]>(kCellBlockBytes);
  unsigned long inflatedLength = 0;
  int result = -1;
  if (!block.empty()) {
    inflatedLength = kCellBlockBytes;
    result = zlib.Uncompress(inflated.get(), &inflatedLength, block.data(),
                             static_cast<unsigned long>(block.size()));
    inflatedLength = std::min<unsigned long>(inflatedLength, kCellBlockBytes);
  }
  size_t decoded = DecodeCells(std::span<const uint8_t>(inflated.get(), inflatedLength), doc.cells);
  if (result != kZlibOk || decoded < static_cast<size_t>(kCellCount)) TellIncompleteCells(ui, decoded);
  return {OpenResult::Loaded, true};
}

MapLoad LoadMapFile(MapDocument& doc, ZlibBinding& zlib, UserInterface& ui, const std::string& directory) {
  std::vector<uint8_t> file;
  switch (ReadWholeFile(ResolvePath(directory, doc.path), file)) {
    case ReadResult::CannotOpen:
      ui.Tell("Unable to open " + doc.path, "Error - Halting Open");
      return {};
    case ReadResult::TooLarge:
      // No map comes near this size; reading it all would only waste memory.
      ui.Tell(doc.path + " is too large to be a map", "Error - Halting Open");
      return {};
    case ReadResult::Ok:
      break;
  }
  return LoadMapFromBytes(doc, file, zlib, ui);
}

std::optional<std::vector<uint8_t>> BuildMapFile(const MapDocument& doc, ZlibBinding& zlib, UserInterface& ui) {
  if (!HeaderLengthFits(doc)) {
    ui.Tell("The map's name and description are too long\nSave not possible", "Save...");
    return std::nullopt;
  }
  auto cells = std::make_unique_for_overwrite<uint8_t[]>(kCellBlockBytes);
  EncodeCells(doc.cells, cells.get());
  auto compressed = std::make_unique_for_overwrite<uint8_t[]>(kCompressBufferBytes);
  unsigned long compressedLength = kCompressBufferBytes;
  int result = zlib.Compress2(compressed.get(), &compressedLength, cells.get(),
                              static_cast<unsigned long>(kCellBlockBytes), kCompressLevel);
  // zlib always fits 131072 bytes into 131200; anything else means the
  // library failed, and nothing may be written.
  if (result != kZlibOk || compressedLength > kCompressBufferBytes) {
    ui.Tell("Unable to compress the map\nSave not possible", "Save...");
    return std::nullopt;
  }
  std::vector<uint8_t> bytes = EncodeMapHeader(doc);
  bytes.insert(bytes.end(), compressed.get(), compressed.get() + compressedLength);
  return bytes;
}

SaveResult SaveMapDocument(MapDocument& doc, const SaveSettings& settings, ZlibLibrary* library,
                           UserInterface& ui, std::string* failureReason) {
  if (doc.path.empty() || settings.saveAs) {
    std::optional<std::string> chosen = ui.ChooseSaveFileName();
    if (!chosen) return SaveResult::NotWritten;
    doc.path = *chosen;
  }

  std::unique_ptr<ZlibBinding> zlib = BindZlib(library, settings.programDirectory, ZlibUse::Save, ui);
  if (!zlib) return SaveResult::NoZlib;

  ApplyMapExtension(doc.path);

  const int32_t wasModified = doc.modified;
  auto fail = [&](const std::string& reason) {
    doc.modified = wasModified;
    if (failureReason) *failureReason = reason;
    return SaveResult::NotWritten;
  };
  // The new file is made first, beside the old one, which stays as it is
  // until the new one has been written in full.
  ReplacingFile file;
  if (WriteResult created = file.Create(ResolvePath(settings.programDirectory, doc.path)); !created) {
    ui.Tell("Unable to open a file descriptor", "Error");
    return fail(created.reason);
  }
  doc.modified = 0;
  doc.magic = kMapMagic;
  CountMapObjects(doc);
  if (settings.flagScan && doc.gameType != 0) ShowCheckResult(ui, CheckFlags(doc), "Possible Flag Error!");
  if (settings.spawnScan) ShowCheckResult(ui, CheckSpawnsAndPens(doc), "Spawn/Holding Pen Error!");
  doc.version = kSavedMapVersion;

  std::optional<std::vector<uint8_t>> bytes = BuildMapFile(doc, *zlib, ui);
  if (!bytes) return fail("the map could not be encoded");
  if (WriteResult written = file.Commit(*bytes); !written) {
    if (written.failedStep == WriteStep::Write) {
      ui.Tell("Unable to write " + doc.path, "Error");
    } else {
      ui.Tell("Unable to open a file descriptor", "Error");
    }
    return fail(written.reason);
  }
  return SaveResult::Written;
}

}  // namespace quarl
