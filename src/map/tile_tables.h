#pragma once
// The built-in piece tables that the placement tools build objects from:
// wall sets, conveyors, flags, the switch, holding pens, spawns, bunkers and
// bridges. Tile entries are tile numbers of the sheet; animation entries are
// animation ids.

#include <cstdint>

namespace quarl {

constexpr int32_t SINGLE_WALL_TILE = 13;  // a wall with no wall neighbour

constexpr int wallSetCount = 12;
constexpr int bunkerTypeCount = 3;

constexpr int kWallSetPieces = 15;
constexpr int kConveyorDirections = 4;
constexpr int kConveyorPieces = 6;
constexpr int kFlagTeams = 5;
constexpr int kObjectBlockCells = 9;  // a 3 x 3 block, entry = row * 3 + column
constexpr int kHoldingPenKinds = 2;
constexpr int kHoldingPenEntries = 5;
constexpr int kSpawnRows = 16;
constexpr int kSpawnEntries = 5;
constexpr int kBunkerEntries = 33;    // 0 .. 27 used, the rest 0
constexpr int kBunkerPiecesUsed = 28;
constexpr int kBridgeTileCount = 30;

// Entry k of a wall set is the piece the wall tool's join table selects
// for mask k's row (right, left, down, up, left+right, up+down, ...).
extern int32_t wallSets[wallSetCount][kWallSetPieces];
// Per conveyor direction (0 left, 1 right, 2 up, 3 down): six animations.
extern int32_t conveyorAnims[kConveyorDirections][kConveyorPieces];
// Per team 0..4: the nine animations of the 3 x 3 flag; entry 4 is the flag.
extern int32_t flagObjects[kFlagTeams][kObjectBlockCells];
// The 3 x 3 switch: entry 4 is the switch animation, the others are tiles.
extern int32_t switchObject[kObjectBlockCells];
// Kind 0 holds tiles, kind 1 animations; entry 0 is the filler, 1 + t team t's marker.
extern int32_t holdingPens[kHoldingPenKinds][kHoldingPenEntries];
// Row = spawn style (0, 4, 8) + team; rows 12..15 hold the single-cell spawns.
extern int32_t spawnObjects[kSpawnRows][kSpawnEntries];
extern int32_t bunkerTypes[bunkerTypeCount][kBunkerEntries];
extern int32_t bridgeTiles[kBridgeTileCount];

// Fills every table; returns true. Called once at start-up, before any window.
bool InitTileTables();

}  // namespace quarl
