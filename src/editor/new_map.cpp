#include "editor/new_map.h"

#include "base/string_table.h"

namespace quarl {

OpenMap* CreateNewMAP(Editor& editor) {
  // The class is registered on the first call only; without it no map window
  // can be made, so every later call fails the same way.
  if (!editor.mapWindowClassTried) {
    editor.mapWindowClassTried = true;
    editor.mapWindowClassRegistered = editor.windows->RegisterMapWindowClass();
  }
  if (!editor.mapWindowClassRegistered) {
    editor.ui->Tell(StringText(IDS_REGISTER_CLASS), "Error - Non-fatal");
    return nullptr;
  }

  OpenMap& linked = editor.maps.Append(std::make_unique<MapDocument>());
  WindowId window = editor.windows->CreateMapWindow(linked);
  if (window == 0) {
    editor.maps.RemoveMapDocument(0);
    return nullptr;
  }
  linked.view.window = window;
  editor.activeMapWindow = window;
  return &linked;
}

}  // namespace quarl
