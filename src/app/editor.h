#pragma once
// The editor's process-wide state. The program keeps one; tests and
// quarl-map make their own.

#include <string>

#include "app/options.h"
#include "app/user_interface.h"
#include "history/mirror_rotate_tables.h"
#include "map/map_document.h"
#include "map/zlib_library.h"
#include "tools/animations.h"
#include "tools/tool_state.h"

namespace quarl {

struct Editor {
  MapDocumentList maps;
  WindowId activeMapWindow = 0;
  Options options;
  std::string programDirectory = ".";
  UserInterface* ui = nullptr;
  ZlibLibrary* zlib = nullptr;

  // The active map window's selection: start cell index, width and height in
  // cells; all -1 while it has none.
  int32_t selectionStart = -1;
  int32_t selectionWidth = -1;
  int32_t selectionHeight = -1;

  ToolState tools;
  AnimationList animations;
  MirrorRotateTables tables;

  bool mapWindowClassTried = false;
  bool mapWindowClassRegistered = false;

  MapDocument* ActiveDocument() const { return maps.FindMapDocument(activeMapWindow); }
};

}  // namespace quarl
