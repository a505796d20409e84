#pragma once
// Demo maps built from the placement tables: a flag game whose right half is
// the mirror image of its left half, and a switch game whose lower half is
// its upper half turned half a circle, both made through the built-in
// mirror and rotate tables. Both start near the map's top-left corner, so
// that the first screen of a map window shows them.

#include <memory>
#include <string>
#include <vector>

#include "map/map_document.h"

namespace quarl::demo {

struct DemoMap {
  std::string fileName;
  std::unique_ptr<MapDocument> doc;
};

std::vector<DemoMap> BuildDemoMaps();

// Writes each map into the directory as a .map file; false with a message.
bool WriteDemoMaps(const std::vector<DemoMap>& maps, const std::string& directory, std::string* error);

}  // namespace quarl::demo
