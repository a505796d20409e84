#pragma once
// Opening and saving .map files, with every message the user sees.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/editor.h"

namespace quarl {

// Larger files are refused before they are read: a map's header and
// compressed cells come to well under a megabyte.
constexpr size_t kMaxMapFileBytes = 16u << 20;

// Loads path into a new map document with its own window. 1 loaded, 0 stopped
// (the user was told), -1 zlib could not be loaded.
int OpenMapFile(Editor& editor, const std::string& path);

// Writes doc to its file (asking for a name when it has none or saveAs is
// set). 1 written, 0 cancelled or the file could not be created, -1 zlib or
// its compress2 missing.
int SaveMapFile(Editor& editor, MapDocument& doc, int saveAs);

// The loader's work once doc (a fresh map from CreateNewMAP, with its window)
// holds the path and zlib is bound: reads doc.path and loads it with
// LoadMapFromBytes. A file that cannot be read is reported and doc's window
// destroyed. Returns as OpenMapFile does.
int LoadMapFromFile(Editor& editor, MapDocument& doc, ZlibBinding& zlib);

// The loader's work after the file has been read: fills doc (a fresh map from
// CreateNewMAP, with its window) from the file's bytes, asking and telling
// through editor.ui. Refusals destroy doc's window, which removes doc.
// Returns as OpenMapFile does.
int LoadMapFromBytes(Editor& editor, MapDocument& doc, std::span<const uint8_t> file,
                     ZlibBinding& zlib);

// The saver's file image: header and level-9 compressed cells of doc as it
// stands (no recount, no checks). Nullopt, after telling the user, when the
// header does not fit its 16-bit length or compression fails.
std::optional<std::vector<uint8_t>> BuildMapFile(Editor& editor, const MapDocument& doc, ZlibBinding& zlib);

// The saver's writing step: BuildMapFile, then replace the file at doc.path
// with it. 1 written; 0 (the user was told) when the file could not be built,
// created or written, and the old file is then untouched (WriteFileAtomically).
int WriteMapFile(Editor& editor, const MapDocument& doc, ZlibBinding& zlib);

// path with the saver's extension rule applied.
std::string WithMapExtension(std::string path);

}  // namespace quarl
