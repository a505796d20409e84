#pragma once
// The two map reports of Edit > Map Check...: a summary of the map's flags,
// switches, popups and game type, and a list of every flag pole with the flag
// it holds.

#include <string>
#include <vector>

#include "editor/editor.h"
#include "map/map_checks.h"

namespace quarl {

// Both report texts hold at most this many characters (a 4096-byte buffer).
constexpr size_t kReportTextLimit = 4095;

struct MapReportTexts {
  std::string general;     // shown titled "General Information"
  std::string flagPoles;   // shown titled "Flag Poles Information"
};

// The General Information text from the document's current counts.
std::string GeneralInformationText(const MapDocument& doc);

// The Flag Poles Information text from the document's current counts and the
// object list the same count filled. Only whole lines are kept: the text ends
// before the first line that would take it past `limit` characters.
std::string FlagPolesInformationText(const MapDocument& doc, const std::vector<ObjectRecord>& objects,
                                     size_t limit = kReportTextLimit);

// Recounts the document's objects and formats both reports.
MapReportTexts BuildMapReports(MapDocument& doc);

// Runs both reports on the active document and shows them one after the
// other. Returns 1, or 0 when there is no active document.
int ShowMapReports(Editor& editor);

}  // namespace quarl
