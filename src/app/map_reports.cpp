#include "app/map_reports.h"

#include <algorithm>
#include <cstdio>

namespace quarl {
namespace {

// Like the program's fixed report buffers: snprintf into 4096 bytes keeps at
// most 4095 characters.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[kReportTextLimit + 1];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

const char* RecommendedGameType(const MapDocument& doc, int total) {
  if (doc.switchCount > 0) return "Switch game";
  if (total != 0) return "Flag game";
  return "Frag game";
}

}  // namespace

std::string GeneralInformationText(const MapDocument& doc) {
  int activeTypes = 0;
  int teamFlags = 0;
  for (uint8_t count : doc.flagCount) {
    if (count > 0) ++activeTypes;
    teamFlags += count;
  }
  const int total = teamFlags + doc.neutralFlagCount;
  return Format(
      "Flags:\n\tNeutral: %i, Green: %i, Red: %i\n\tBlue: %i, Yellow: %i\n\n\tNumber Active: %i\n"
      "\tNumber of Active Types: %i\n\tTotal: %i\nSwitches: %i\nPopups: %i\n\n"
      "Recommended game type: %s\nCurrent type: %i (%s)\n\nNumber of Teams: %i",
      int{doc.neutralFlagCount}, int{doc.flagCount[0]}, int{doc.flagCount[1]}, int{doc.flagCount[2]},
      int{doc.flagCount[3]}, total - doc.neutralFlagCount, activeTypes, total, int{doc.switchCount},
      int{doc.popupCount}, RecommendedGameType(doc, total), int{doc.gameType}, GameTypeName(doc.gameType),
      int{doc.teamCount});
}

std::string FlagPolesInformationText(const MapDocument& doc, const std::vector<ObjectRecord>& objects,
                                     size_t limit) {
  std::string text;
  // A line that does not fit ends the report, so it never shows half a line.
  auto append = [&text, limit](const std::string& line) {
    if (text.size() + line.size() > limit) return false;
    text += line;
    return true;
  };

  for (int team = 0; team < 4; ++team) {
    if (!append(Format("%s Team:\n", TeamName(team)))) return text;
    const size_t poles = std::min<size_t>(doc.poleCount[team], doc.poleTeams[team].size());
    size_t next = 0;  // walks the object list for this team's records
    for (size_t j = 0; j < poles; ++j) {
      while (next < objects.size() && !IsPoleAnim(team, objects[next].anim)) ++next;
      // A full object list may hold fewer of this team's poles than were
      // counted; the ones it lacks have no position to show.
      if (next == objects.size()) break;
      const ObjectRecord& pole = objects[next++];
      const std::string line = Format("\t%i: for %s flag (x,y,data: %i,%i,0x%X)\n", static_cast<int>(j),
                                      TeamName(doc.poleTeams[team][j]), int{pole.column}, int{pole.row},
                                      unsigned{pole.anim});
      if (!append(line)) return text;
    }
  }
  return text;
}

MapReportTexts BuildMapReports(MapDocument& doc) {
  std::vector<ObjectRecord> objects;
  objects.reserve(kObjectListCapacity);
  CountMapObjects(doc, &objects);
  return {GeneralInformationText(doc), FlagPolesInformationText(doc, objects)};
}

int ShowMapReports(Editor& editor) {
  MapDocument* doc = editor.ActiveDocument();
  if (!doc || !editor.ui) return 0;
  const MapReportTexts reports = BuildMapReports(*doc);
  editor.ui->ShowMessage(reports.general, "General Information", Buttons::Ok);
  editor.ui->ShowMessage(reports.flagPoles, "Flag Poles Information", Buttons::Ok);
  return 1;
}

}  // namespace quarl
