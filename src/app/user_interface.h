#pragma once
// The seam through which the core reaches the user and the map windows.
// The Win32 program answers it with message boxes, common dialogs and real
// windows; tests and quarl-map answer it from a script.

#include <optional>
#include <string>

#include "map/map_document.h"

namespace quarl {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A message box with no owner window; returns the button pressed.
  virtual Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) = 0;

  // The Save As dialog; nullopt when the user cancels.
  virtual std::optional<std::string> ChooseSaveFileName() = 0;

  // Registers the map window class; asked on the first new map only.
  virtual bool RegisterMapWindowClass() { return true; }
  // Creates, shows and activates the map window (and its status bar) of doc
  // and returns its id; 0 when it could not be created.
  virtual WindowId CreateMapWindow(MapDocument& doc) = 0;
  // Destroys a map window. Its document leaves the open-map list with it.
  virtual void DestroyMapWindow(WindowId window) = 0;
  virtual void SetWindowTitle(WindowId window, const std::string& title) = 0;
  virtual void FocusWindow(WindowId window) {}
  // Invalidates the whole client area and paints it at once.
  virtual void RepaintWindow(WindowId window) {}
  // Repaints a freshly loaded map completely (scroll down by a page and back).
  virtual void ForceFullRepaint(WindowId window) { RepaintWindow(window); }
};

}  // namespace quarl
