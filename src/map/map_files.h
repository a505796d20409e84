#pragma once
// Reading and writing .map files, with every message the user sees. Nothing
// here knows of windows: the editor (editor/map_file_commands.h) adds the
// map window's part, and quarl-map calls these directly.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/user_interface.h"
#include "map/map_document.h"
#include "map/zlib_library.h"

namespace quarl {

// Larger files are refused before they are read: a map's header and
// compressed cells come to well under a megabyte.
constexpr size_t kMaxMapFileBytes = 16u << 20;

enum class OpenResult : int {
  NoZlib = -1,  // zlib.dll or its uncompress missing
  Stopped = 0,  // refused or unreadable; the user was told
  Loaded = 1,
};

enum class SaveResult : int {
  NoZlib = -1,     // zlib.dll or its compress2 missing
  NotWritten = 0,  // cancelled, or the file could not be made; the user was told
  Written = 1,
};

// What a load found besides its result.
struct MapLoad {
  OpenResult result = OpenResult::Stopped;
  // False for a version 1 file (or one read as version 1), whose cells are
  // stored raw: the editor leaves such a map's title and paint alone.
  bool compressedCells = false;
};

// zlib bound for one load (uncompress) or one save (compress2), or null after
// telling the user ("Unable to find zlib.dll" / "Invalid zlib.dll").
enum class ZlibUse { Open, Save };
std::unique_ptr<ZlibBinding> BindZlib(ZlibLibrary* library, const std::string& programDirectory, ZlibUse use,
                                      UserInterface& ui);

// Fills doc (a fresh map) from a .map file image, asking and telling through
// ui. Stopped means doc must be thrown away.
MapLoad LoadMapFromBytes(MapDocument& doc, std::span<const uint8_t> file, ZlibBinding& zlib, UserInterface& ui);

// Reads doc.path (a relative one taken from directory) and loads it with
// LoadMapFromBytes. A file that cannot be read is reported ("Unable to open
// ...") and gives Stopped.
MapLoad LoadMapFile(MapDocument& doc, ZlibBinding& zlib, UserInterface& ui, const std::string& directory = "");

// The saver's file image: header and level-9 compressed cells of doc as it
// stands (no recount, no checks). Nullopt, after telling the user, when the
// header does not fit its 16-bit length or compression fails.
std::optional<std::vector<uint8_t>> BuildMapFile(const MapDocument& doc, ZlibBinding& zlib, UserInterface& ui);

struct SaveSettings {
  bool saveAs = false;     // ask for a name even when the map has one
  bool flagScan = true;    // run the flag check (not for a Frag game)
  bool spawnScan = true;   // run the spawn and holding pen check
  std::string programDirectory;  // where zlib.dll is, and what a relative path is taken from
};

// Saves doc: asks for a name when it has none or saveAs is set, applies the
// extension rule, creates the new file beside the target, marks the map
// unmodified, recounts its objects, shows what the checks find, then writes
// and renames the new file over the old one. A failure leaves the old file as
// it was and the map modified.
// failureReason, when given, receives the system's reason for a file that
// could not be written ("No space left on device").
SaveResult SaveMapDocument(MapDocument& doc, const SaveSettings& settings, ZlibLibrary* library,
                           UserInterface& ui, std::string* failureReason = nullptr);

// path with the saver's extension rule applied.
std::string WithMapExtension(std::string path);

}  // namespace quarl
