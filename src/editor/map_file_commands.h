#pragma once
// Open and Save as the editor runs them: the file work of map/map_files.h
// plus the map window's part (a window for each opened map, its title, its
// first paint).

#include <string>

#include "editor/editor.h"
#include "map/map_files.h"

namespace quarl {

// Opens path in a new map window. A refused file closes the window again; a
// missing zlib leaves the empty "Untitled" map open.
OpenResult OpenMapFile(Editor& editor, const std::string& path);

// Saves the map (asking for a name when it has none or saveAs is set) with
// the editor's scan options, and titles its window after the file.
SaveResult SaveMapFile(Editor& editor, OpenMap& map, bool saveAs);

// "%s (%s)": the map's name and the file name after the last backslash;
// empty for a path without a backslash (the title is then left alone).
std::string MapWindowTitle(const MapDocument& doc);

}  // namespace quarl
