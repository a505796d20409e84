#pragma once
// What the .map fuzz targets share: an editor with a scripted user interface
// and real zlib, and two documents reused from input to input.
//
// The documents live outside the open-map list and are reset to the new-map
// state before each input: making 1.5 MB of cells afresh for every input
// would cost the sanitizers far more than the loading itself.

#include <cstdlib>
#include <memory>

#include "app/scripted_user_interface.h"
#include "map/map_document.h"
#include "native_zlib.h"

namespace quarl::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// What CreateNewMAP gives: a default MapDocument's header and blank cells.
inline void ResetToNewMap(MapDocument& doc, WindowId window) {
  static const MapDocument fresh;
  doc.cells = fresh.cells;  // one block copy
  doc.magic = fresh.magic;
  doc.width = fresh.width;
  doc.height = fresh.height;
  doc.popupCount = fresh.popupCount;
  doc.version = fresh.version;
  doc.maxPlayers = fresh.maxPlayers;
  doc.holding = fresh.holding;
  doc.teamCount = fresh.teamCount;
  doc.gameType = fresh.gameType;
  doc.powerups = fresh.powerups;
  doc.switchCount = fresh.switchCount;
  doc.flagCount = fresh.flagCount;
  doc.poleCount = fresh.poleCount;
  doc.poleTeams = fresh.poleTeams;
  doc.laserDamage = fresh.laserDamage;
  doc.specialDamage = fresh.specialDamage;
  doc.rechargeRate = fresh.rechargeRate;
  doc.missiles = fresh.missiles;
  doc.bombs = fresh.bombs;
  doc.bouncies = fresh.bouncies;
  doc.neutralFlagCount = fresh.neutralFlagCount;
  doc.name = fresh.name;
  doc.description = fresh.description;
  doc.path = fresh.path;
  doc.modified = fresh.modified;
  doc.hwnd = window;
}

struct MapHarness {
  Editor editor;
  ScriptedUserInterface ui{editor};
  NativeZlibLibrary zlib;
  std::unique_ptr<ZlibBinding> binding;
  MapDocument loaded;
  MapDocument reloaded;

  static constexpr WindowId kLoadedWindow = 1001;
  static constexpr WindowId kReloadedWindow = 1002;

  MapHarness() {
    editor.ui = &ui;
    editor.zlib = &zlib;
    binding = zlib.Load(editor.programDirectory);
  }

  // Clears what the last input left and makes `loaded` a fresh map with its
  // window; odd-sized inputs answer Yes to the version question.
  MapDocument& Fresh(size_t inputSize) {
    ui.messages.clear();
    ui.titles.clear();
    ui.repaints.clear();
    ui.defaultAnswer = (inputSize % 2) ? Answer::Yes : Answer::No;
    ResetToNewMap(loaded, kLoadedWindow);
    ui.titles[kLoadedWindow] = "Untitled";
    return loaded;
  }

  // A refused map's window is gone and the user was told why.
  void CheckRefusal(int result) {
    Check(result == 0);
    Check(ui.titles.count(kLoadedWindow) == 0);
    Check(!ui.messages.empty());
  }
};

}  // namespace quarl::fuzz
