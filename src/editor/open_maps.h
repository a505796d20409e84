#pragma once
// The open maps: each document with the view of its map window, in the
// order they were opened. The list owns both.

#include <list>
#include <memory>

#include "editor/map_view.h"
#include "map/map_document.h"

namespace quarl {

struct OpenMap {
  std::unique_ptr<MapDocument> doc;
  MapView view;
};

class OpenMapList {
 public:
  OpenMap& Append(std::unique_ptr<MapDocument> doc);
  // The first document (in opening order) whose window is `window`, or null.
  MapDocument* FindMapDocument(WindowId window) const;
  MapView* FindView(WindowId window) const;
  OpenMap* Find(WindowId window) const;
  // Unlinks and releases every map whose window is `window`.
  void RemoveMapDocument(WindowId window);
  OpenMap* First() const;
  bool Empty() const { return maps_.empty(); }
  size_t Size() const { return maps_.size(); }
  // Maps in opening order. Removing a map while walking keeps the iterators
  // of the others valid.
  auto begin() const { return maps_.begin(); }
  auto end() const { return maps_.end(); }
  void Clear() { maps_.clear(); }

 private:
  // A list of nodes, so that a map's address stays put while others come and go.
  mutable std::list<OpenMap> maps_;
};

}  // namespace quarl
