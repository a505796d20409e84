#pragma once
// What the .map fuzz targets share: a scripted user interface, real zlib,
// and two documents reused from input to input.
//
// The documents live outside the open-map list and are reset to the new-map
// state before each input: making 1.5 MB of cells afresh for every input
// would cost the sanitizers far more than the loading itself.

#include <cstdlib>
#include <memory>
#include <span>

#include "base/scripted_user_interface.h"
#include "map/map_document.h"
#include "map/map_files.h"
#include "native_zlib.h"

namespace quarl::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// What CreateNewMAP gives: a default MapDocument's header and blank cells.
inline void ResetToNewMap(MapDocument& doc) {
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
}

struct MapHarness {
  ScriptedUserInterface ui;
  NativeZlibLibrary zlib;
  std::unique_ptr<ZlibBinding> binding = zlib.Load("");
  MapDocument loaded;
  MapDocument reloaded;

  // Clears what the last input left and makes `loaded` a fresh map;
  // odd-sized inputs answer Yes to the version question.
  MapDocument& Fresh(size_t inputSize) {
    ui.messages.clear();
    ui.defaultAnswer = (inputSize % 2) ? Answer::Yes : Answer::No;
    ResetToNewMap(loaded);
    return loaded;
  }

  // Loads the input into a fresh `loaded`; null when the loader refused it,
  // which it must have done with a word to the user.
  MapDocument* Load(const uint8_t* data, size_t size) {
    MapDocument& doc = Fresh(size);
    const MapLoad load = LoadMapFromBytes(doc, std::span<const uint8_t>(data, size), *binding, ui);
    if (load.result == OpenResult::Loaded) return &doc;
    Check(load.result == OpenResult::Stopped);
    Check(!ui.messages.empty());
    return nullptr;
  }
};

}  // namespace quarl::fuzz
