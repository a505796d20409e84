#pragma once
// Opening and saving .map files, with every message the user sees.

#include <string>

#include "app/editor.h"

namespace quarl {

// Loads path into a new map document with its own window. 1 loaded, 0 stopped
// (the user was told), -1 zlib could not be loaded.
int OpenMapFile(Editor& editor, const std::string& path);

// Writes doc to its file (asking for a name when it has none or saveAs is
// set). 1 written, 0 cancelled or the file could not be created, -1 zlib or
// its compress2 missing.
int SaveMapFile(Editor& editor, MapDocument& doc, int saveAs);

}  // namespace quarl
