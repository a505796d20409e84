// Stand-ins for the map file reader and writer, used only while
// src/map/map_files.cpp is not part of the tree: they tell the user that
// maps cannot be opened or saved by this build and change nothing.

#include "map/map_files.h"

namespace quarl {

int OpenMapFile(Editor& editor, const std::string& path) {
  editor.ui->ShowMessage("Opening maps is not available in this build.\n" + path, "Open...", Buttons::Ok);
  return 0;
}

int SaveMapFile(Editor& editor, MapDocument& doc, int saveAs) {
  editor.ui->ShowMessage("Saving maps is not available in this build.", "Save...", Buttons::Ok);
  return 0;
}

}  // namespace quarl
