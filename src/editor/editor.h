#pragma once
// The editor's session: the open maps, the active one, the tool state and
// the tables every edit reads. The program keeps one; tests and quarl-map
// make their own.

#include <string>

#include "base/options.h"
#include "base/user_interface.h"
#include "editor/map_windows.h"
#include "editor/open_maps.h"
#include "history/mirror_rotate_tables.h"
#include "map/zlib_library.h"
#include "tools/animations.h"
#include "tools/tool_state.h"

namespace quarl {

struct Editor {
  OpenMapList maps;
  WindowId activeMapWindow = 0;
  Options options;
  std::string programDirectory = ".";
  UserInterface* ui = nullptr;
  MapWindows* windows = nullptr;
  ZlibLibrary* zlib = nullptr;

  ToolState tools;
  AnimationList animations;
  MirrorRotateTables tables;
  // Which edge Alt+arrow moves: 0 the one on the arrow's side (grow), 1 the
  // opposite one (shrink). F1 in any map window toggles it.
  int32_t edgeExtendMode = 0;

  bool mapWindowClassTried = false;
  bool mapWindowClassRegistered = false;

  MapDocument* ActiveDocument() const { return maps.FindMapDocument(activeMapWindow); }
  MapView* ActiveView() const { return maps.FindView(activeMapWindow); }
  // The selection the editing commands work on: the active view's, or -1s.
  SelectionCells Selection() const;
};

// A map window became the active one: it is what the commands act on, and
// the selection follows its shown rectangle.
void ActivateMapWindow(Editor& editor, WindowId window);

// A map window is gone: its map leaves the list, and the first map still open
// (or none) becomes the active one, which is returned. The Win32 window's
// destruction and the scripted windows both end here.
WindowId CloseMapWindow(Editor& editor, WindowId window);

}  // namespace quarl
