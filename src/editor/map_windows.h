#pragma once
// The seam through which the editor makes and changes map windows. The Win32
// program answers it with MDI children; tests and quarl-map with records.

#include <string>

#include "base/geometry.h"
#include "editor/open_maps.h"

namespace quarl {

class MapWindows {
 public:
  virtual ~MapWindows() = default;

  // Registers the map window class; asked on the first new map only.
  virtual bool RegisterMapWindowClass() { return true; }
  // Creates, shows and activates the window (and status bar) of a map and
  // returns its id; 0 when it could not be created.
  virtual WindowId CreateMapWindow(OpenMap& map) = 0;
  // Destroys a map window. Its map leaves the open-map list with it
  // (CloseMapWindow in editor/editor.h).
  virtual void DestroyMapWindow(WindowId window) = 0;
  virtual void SetWindowTitle(WindowId window, const std::string& title) = 0;
  virtual void FocusWindow(WindowId window) {}
  // Invalidates the whole client area and paints it at once.
  virtual void RepaintWindow(WindowId window) {}
  // Repaints a freshly loaded map completely (scroll down by a page and back).
  virtual void ForceFullRepaint(WindowId window) { RepaintWindow(window); }
};

}  // namespace quarl
