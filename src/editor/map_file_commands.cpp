#include "editor/map_file_commands.h"

#include "editor/new_map.h"

namespace quarl {
namespace {

constexpr size_t kOpenPathChars = 255;  // the Open dialog's record keeps this much of a path

void TitleAfterFile(Editor& editor, const OpenMap& map) {
  std::string title = MapWindowTitle(*map.doc);
  if (!title.empty()) editor.windows->SetWindowTitle(map.view.window, title);
}

}  // namespace

std::string MapWindowTitle(const MapDocument& doc) {
  size_t slash = doc.path.rfind('\\');
  if (slash == std::string::npos) return "";
  return doc.name + " (" + doc.path.substr(slash + 1) + ")";
}

OpenResult OpenMapFile(Editor& editor, const std::string& path) {
  OpenMap* map = CreateNewMAP(editor);
  if (!map) {
    editor.ui->Tell("CreateNewMAP() returned FALSE", "Error - Halting Open");
    return OpenResult::Stopped;
  }
  map->doc->path = path.substr(0, kOpenPathChars);

  std::unique_ptr<ZlibBinding> zlib = BindZlib(editor.zlib, editor.programDirectory, ZlibUse::Open, *editor.ui);
  if (!zlib) return OpenResult::NoZlib;

  const WindowId window = map->view.window;
  MapLoad load = LoadMapFile(*map->doc, *zlib, *editor.ui, editor.programDirectory);
  if (load.result != OpenResult::Loaded) {
    // Destroying the window removes the map with it.
    editor.windows->DestroyMapWindow(window);
    return load.result;
  }
  // A raw (version 1) map keeps its "Untitled" title and first paint.
  if (load.compressedCells) {
    editor.windows->FocusWindow(window);
    TitleAfterFile(editor, *map);
    editor.windows->ForceFullRepaint(window);
  }
  return OpenResult::Loaded;
}

SaveResult SaveMapFile(Editor& editor, OpenMap& map, bool saveAs) {
  SaveSettings settings;
  settings.saveAs = saveAs;
  settings.flagScan = editor.options.flagscan != 0;
  settings.spawnScan = editor.options.shscan != 0;
  settings.programDirectory = editor.programDirectory;
  SaveResult result = SaveMapDocument(*map.doc, settings, editor.zlib, *editor.ui);
  if (result == SaveResult::Written) TitleAfterFile(editor, map);
  return result;
}

}  // namespace quarl
