#include "editor/open_maps.h"

namespace quarl {

SelectionCells SelectionCellsOf(const Rect& s) {
  return {(s.top / kCellPixels) * kMapCells + s.left / kCellPixels, (s.right - s.left) / kCellPixels,
          (s.bottom - s.top) / kCellPixels};
}

OpenMap& OpenMapList::Append(std::unique_ptr<MapDocument> doc) {
  maps_.push_back(OpenMap{std::move(doc), MapView{}});
  return maps_.back();
}

OpenMap* OpenMapList::Find(WindowId window) const {
  for (OpenMap& map : maps_) {
    if (map.view.window == window) return &map;
  }
  return nullptr;
}

MapDocument* OpenMapList::FindMapDocument(WindowId window) const {
  OpenMap* map = Find(window);
  return map ? map->doc.get() : nullptr;
}

MapView* OpenMapList::FindView(WindowId window) const {
  OpenMap* map = Find(window);
  return map ? &map->view : nullptr;
}

void OpenMapList::RemoveMapDocument(WindowId window) {
  maps_.remove_if([window](const OpenMap& map) { return map.view.window == window; });
}

OpenMap* OpenMapList::First() const { return maps_.empty() ? nullptr : &maps_.front(); }

}  // namespace quarl
