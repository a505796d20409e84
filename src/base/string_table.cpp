#include "base/string_table.h"

namespace quarl {

const char* StringText(int id) {
  switch (id) {
    case IDS_NO_TILES_BMP: return "Unable to locate tiles.bmp\nQuarl must be in the same directory as ZOR.exe";
    case IDS_NO_ANIMS_DAT: return "Unable to locate anims.dat\nQuarl must be in the same directory as ZOR.exe";
    case IDS_REGISTER_CLASS: return "Unable to register window class!";
    case IDS_TOOL_WINDOWS: return "Unable to load tool windows!";
    case IDS_NO_SELECTION:
      return "You have not created a selection mask\nSee zormpd.rtf for information on the Select Tool";
    case IDS_CLIPBOARD_ERROR: return "Error with the clipboard";
    case IDS_TOO_MANY_FLAG_TYPES: return "More active types of flags than there are number of teams";
    case IDS_MORE_FLAGS_THAN_POLES: return "More flags than there are flag poles for them";
    case IDS_TOO_FEW_FLAG_TYPES: return "Less active types of flags than there are number of teams";
    case IDS_LESS_FLAGS_THAN_POLES: return "Less flags than there are flag poles for them";
    case IDS_SWITCHES_AND_FLAGS: return "Switches and flags reside in the map.\nChoose one or the other";
    case IDS_NO_MRDATA: return "The Mirror/Rotate data file was not found.\nLoading defaults.";
    case IDS_PEN_FOR_ABSENT_TEAM: return "Holding pen exists for non-existant team";
    case IDS_NO_PEN_FOR_TEAM: return "Holding pen non-existant for a team that exists";
    case IDS_SPAWN_FOR_ABSENT_TEAM: return "Spawn point exists for non-existant team";
    case IDS_NO_SPAWN_FOR_TEAM: return "Spawn point non-existant for a team that exists";
    case IDS_SWITCHES_MORE_THAN_2_TEAMS: return "ZOR does not allow switches for more than 2 teams";
    default: return "";
  }
}

}  // namespace quarl
