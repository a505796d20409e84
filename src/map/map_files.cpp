#include "map/map_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "map/atomic_file.h"
#include "map/map_checks.h"
#include "map/map_file_format.h"
#include "map/new_map.h"

namespace quarl {
namespace {

constexpr int kZlibOk = 0;
constexpr size_t kOpenPathChars = 255;  // the loader keeps this much of a path
constexpr size_t kSavePathChars = 260;  // the Save As dialog's file name buffer

void Tell(Editor& editor, const std::string& text, const std::string& title) {
  editor.ui->ShowMessage(text, title, Buttons::Ok);
}

// "%s (%s)": the map's name and the file name after the last backslash.
// Paths without a backslash leave the title alone.
void TitleFromPath(Editor& editor, const MapDocument& doc) {
  size_t slash = doc.path.rfind('\\');
  if (slash == std::string::npos) return;
  editor.ui->SetWindowTitle(doc.hwnd, doc.name.c_str() + std::string(" (") + doc.path.substr(slash + 1) + ")");
}

// Destroying the window removes the document with it.
void CloseMap(Editor& editor, MapDocument& doc) { editor.ui->DestroyMapWindow(doc.hwnd); }

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
void TellIncompleteCells(Editor& editor, size_t cellsRead) {
  if (cellsRead < static_cast<size_t>(kCellCount)) {
    Tell(editor,
         "The map's cell data is incomplete or damaged.\nOnly " + std::to_string(cellsRead) + " of " +
             std::to_string(kCellCount) + " cells could be read; the others are left blank.",
         "Error - Non-fatal");
  } else {
    Tell(editor, "The map's cell data is damaged.\nAll its cells were read, but some may be wrong.",
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

void ShowCheckResult(Editor& editor, const CheckResult& result, const char* title) {
  if (result.Problem()) Tell(editor, CheckMessage(result), title);
}

}  // namespace

std::string WithMapExtension(std::string path) {
  ApplyMapExtension(path);
  return path;
}

int LoadMapFromBytes(Editor& editor, MapDocument& doc, std::span<const uint8_t> file,
                     ZlibBinding& zlib) {
  MapFilePrelude prelude = ReadMapPrelude(file, doc);
  uint8_t version = prelude.version;
  if (version > 3) {
    Answer answer = editor.ui->ShowMessage("Invalid Version on map, Continue?", "Error", Buttons::YesNo);
    if (answer != Answer::Yes) {
      CloseMap(editor, doc);
      return 0;
    }
    version = 1;
  }

  // teamCount above 4: refused. The per-team lists that follow it cannot be
  // held, and guessing where the fields after them lie would load garbage.
  if (ReadMapHeader(file, prelude, doc) == HeaderStatus::TooManyTeams) {
    Tell(editor,
         "Invalid team count on map (" + std::to_string(doc.teamCount) +
             "); a map has at most 4 teams.\nOpen cannot continue",
         "Error - Halting Open");
    CloseMap(editor, doc);
    return 0;
  }

  // The cell block is whatever follows the header; a headerLength beyond the
  // end of the file leaves it empty.
  size_t cellOffset = std::min(CellBlockOffset(prelude), file.size());
  std::span<const uint8_t> block = file.subspan(cellOffset);

  if (!CellBlockIsCompressed(version)) {
    // Raw cells: a short block decodes the whole words it has and leaves the
    // other cells blank; the user is told.
    std::error_code ignored;
    std::filesystem::current_path(editor.programDirectory, ignored);
    size_t decoded = DecodeCells(block.first(std::min(block.size(), kCellBlockBytes)), doc.cells);
    if (decoded < static_cast<size_t>(kCellCount)) TellIncompleteCells(editor, decoded);
    return 1;
  }

  // Compressed cells. A stream that fails to inflate or yields fewer than
  // 131072 bytes keeps the cells it did inflate (zlib reports how far it
  // got), the others stay blank, and the user is told. Bytes after the end
  // of the stream are ignored.
  // Only the bytes zlib reports as written are decoded, so the buffer needs
  // no clearing.
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
  if (result != kZlibOk || decoded < static_cast<size_t>(kCellCount)) TellIncompleteCells(editor, decoded);

  editor.ui->FocusWindow(doc.hwnd);
  TitleFromPath(editor, doc);
  editor.ui->ForceFullRepaint(doc.hwnd);
  return 1;
}

int OpenMapFile(Editor& editor, const std::string& requestedPath) {
  std::string path = requestedPath.substr(0, kOpenPathChars);

  MapDocument* doc = CreateNewMAP(editor);
  if (!doc) {
    Tell(editor, "CreateNewMAP() returned FALSE", "Error - Halting Open");
    return 0;
  }
  doc->path = path;

  std::unique_ptr<ZlibBinding> zlib = editor.zlib ? editor.zlib->Load(editor.programDirectory) : nullptr;
  if (!zlib) {
    Tell(editor, "Unable to find zlib.dll\nOpen cannot continue", "Open...");
    return -1;
  }
  // A library without uncompress is treated like a missing one: the empty
  // map stays open.
  if (!zlib->HasUncompress()) {
    Tell(editor, "Invalid zlib.dll\nOpen cannot continue", "Open...");
    return -1;
  }

  return LoadMapFromFile(editor, *doc, *zlib);
}

int LoadMapFromFile(Editor& editor, MapDocument& doc, ZlibBinding& zlib) {
  std::vector<uint8_t> file;
  switch (ReadWholeFile(doc.path, file)) {
    case ReadResult::CannotOpen:
      Tell(editor, "Unable to open " + doc.path, "Error - Halting Open");
      CloseMap(editor, doc);
      return 0;
    case ReadResult::TooLarge:
      // No map comes near this size; reading it all would only waste memory.
      Tell(editor, doc.path + " is too large to be a map", "Error - Halting Open");
      CloseMap(editor, doc);
      return 0;
    case ReadResult::Ok:
      break;
  }
  return LoadMapFromBytes(editor, doc, file, zlib);
}

std::optional<std::vector<uint8_t>> BuildMapFile(Editor& editor, const MapDocument& doc, ZlibBinding& zlib) {
  if (!HeaderLengthFits(doc)) {
    Tell(editor, "The map's name and description are too long\nSave not possible", "Save...");
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
    Tell(editor, "Unable to compress the map\nSave not possible", "Save...");
    return std::nullopt;
  }
  std::vector<uint8_t> bytes = EncodeMapHeader(doc);
  bytes.insert(bytes.end(), compressed.get(), compressed.get() + compressedLength);
  return bytes;
}

int WriteMapFile(Editor& editor, const MapDocument& doc, ZlibBinding& zlib) {
  // The whole file is made in memory first: a map that cannot be encoded or
  // compressed never costs the user the file already on disk.
  std::optional<std::vector<uint8_t>> bytes = BuildMapFile(editor, doc, zlib);
  if (!bytes) return 0;

  // Written beside the old file and renamed over it: a save that fails at any
  // step leaves the old file as it was.
  const WriteResult result = WriteFileAtomically(doc.path, *bytes);
  if (result.failedStep == WriteStep::Write) {
    Tell(editor, "Unable to write " + doc.path, "Error");
    return 0;
  }
  if (!result) {
    Tell(editor, "Unable to open a file descriptor", "Error");
    return 0;
  }
  return 1;
}

int SaveMapFile(Editor& editor, MapDocument& doc, int saveAs) {
  if (doc.path.empty() || saveAs) {
    std::optional<std::string> chosen = editor.ui->ChooseSaveFileName();
    if (!chosen) return 0;
    doc.path = chosen->substr(0, kSavePathChars);
  }

  std::unique_ptr<ZlibBinding> zlib = editor.zlib ? editor.zlib->Load(editor.programDirectory) : nullptr;
  if (!zlib) {
    Tell(editor, "Unable to find zlib.dll\nSave not possible", "Save...");
    return -1;
  }
  if (!zlib->HasCompress2()) {
    Tell(editor, "Invalid zlib.dll\nSave not possible", "Save...");
    return -1;
  }

  ApplyMapExtension(doc.path);

  doc.magic = kMapMagic;
  CountMapObjects(doc);
  if (editor.options.flagscan && doc.gameType != 0) {
    ShowCheckResult(editor, CheckFlags(doc), "Possible Flag Error!");
  }
  if (editor.options.shscan) {
    ShowCheckResult(editor, CheckSpawnsAndPens(doc), "Spawn/Holding Pen Error!");
  }
  doc.version = kSavedMapVersion;

  int written = WriteMapFile(editor, doc, *zlib);
  if (written != 1) return written;
  doc.modified = 0;

  TitleFromPath(editor, doc);
  return 1;
}

}  // namespace quarl
