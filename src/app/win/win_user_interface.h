#pragma once
// The core's seams answered with real Windows: message boxes with no owner
// and the common Save dialog; the map windows as MDI children.

#include "base/user_interface.h"
#include "editor/map_windows.h"

namespace quarl::win {

class WinUserInterface : public UserInterface {
 public:
  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) override;
  std::optional<std::string> ChooseSaveFileName() override;
};

class WinMapWindows : public MapWindows {
 public:
  bool RegisterMapWindowClass() override;
  WindowId CreateMapWindow(OpenMap& map) override;
  void DestroyMapWindow(WindowId window) override;
  void SetWindowTitle(WindowId window, const std::string& title) override;
  void FocusWindow(WindowId window) override;
  void RepaintWindow(WindowId window) override;
  void ForceFullRepaint(WindowId window) override;
};

}  // namespace quarl::win
