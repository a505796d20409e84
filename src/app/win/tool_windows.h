#pragma once
// The tool windows the frame creates around the MDI client: the tile palette
// ("zortiles"), the animation palette ("anims"), the toolbox ("zortoolbox")
// and the info panel ("zorinfo").

#include <windows.h>

#include <cstdint>
#include <span>

#include "tools/animations.h"

namespace quarl::win {

// Registers "zortiles" and creates the tile palette; 1, or 0 on failure.
int CreateTilePalette(HWND frame);

// Reads anims.dat (current directory) into the animation list, registers
// "anims" and creates the animation palette. 1, or -1 when anims.dat cannot
// be opened (the user has been told).
int LoadAnimations(HWND frame);

// Registers "zortoolbox" and creates the toolbox. 0, or the system's error
// code (-1 when it gave none).
int CreateToolbox(HWND frame);

bool RegisterInfoPanelClass();
HWND CreateInfoPanel(HWND frame);

// The animations of an anims.dat image: 66-byte records numbered from 0; a
// frame slot whose low 15 bits are 0 ends a record's frames early. A
// trailing partial record is ignored.
void ReadAnimationRecords(std::span<const uint8_t> bytes, AnimationList& animations);

// Info panel control ids.
constexpr int kAnimOffsetEdit = 102;
constexpr int kTileDisplay = 103;
constexpr int kUseAnimCheck = 104;
constexpr int kOffsetDisplay = 105;
constexpr int kFirstTeamButton = 107;  // Green; Red, Blue, Yellow, Neutral follow

}  // namespace quarl::win
