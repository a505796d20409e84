#pragma once
// The program's string table. The Windows resources carry the same texts
// (resources/quarl.rc); a Windows test checks that the two agree.

namespace quarl {

enum StringId : int {
  IDS_NO_TILES_BMP = 1,
  IDS_NO_ANIMS_DAT = 2,
  IDS_REGISTER_CLASS = 5,
  IDS_TOOL_WINDOWS = 6,
  IDS_NO_SELECTION = 7,
  IDS_CLIPBOARD_ERROR = 8,
  IDS_TOO_MANY_FLAG_TYPES = 9,
  IDS_MORE_FLAGS_THAN_POLES = 10,
  IDS_TOO_FEW_FLAG_TYPES = 11,
  IDS_LESS_FLAGS_THAN_POLES = 12,
  IDS_SWITCHES_AND_FLAGS = 13,
  IDS_NO_MRDATA = 14,
  IDS_PEN_FOR_ABSENT_TEAM = 15,
  IDS_NO_PEN_FOR_TEAM = 16,
  IDS_SPAWN_FOR_ABSENT_TEAM = 17,
  IDS_NO_SPAWN_FOR_TEAM = 18,
  IDS_SWITCHES_MORE_THAN_2_TEAMS = 19,
};

// The text of a string id; empty for an id the table does not hold.
const char* StringText(int id);

}  // namespace quarl
