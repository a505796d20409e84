#include "map/new_map.h"

#include "app/string_table.h"

namespace quarl {

MapDocument* CreateNewMAP(Editor& editor) {
  auto doc = std::make_unique<MapDocument>();

  // The class is registered on the first call only; without it no map window
  // can be made, so every later call fails the same way.
  if (!editor.mapWindowClassTried) {
    editor.mapWindowClassTried = true;
    editor.mapWindowClassRegistered = editor.ui->RegisterMapWindowClass();
  }
  if (!editor.mapWindowClassRegistered) {
    editor.ui->ShowMessage(StringText(IDS_REGISTER_CLASS), "Error - Non-fatal", Buttons::Ok);
    return nullptr;
  }

  MapDocument& linked = editor.maps.Append(std::move(doc));
  WindowId window = editor.ui->CreateMapWindow(linked);
  if (window == 0) {
    editor.maps.RemoveMapDocument(0);
    return nullptr;
  }
  linked.hwnd = window;
  editor.activeMapWindow = window;
  return &linked;
}

}  // namespace quarl
