#pragma once
// The core's user-interface seam answered with real Windows: message boxes
// with no owner, the common Save dialog and the map windows.

#include "base/user_interface.h"

namespace quarl::win {

class WinUserInterface : public UserInterface {
 public:
  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) override;
  std::optional<std::string> ChooseSaveFileName() override;
  bool RegisterMapWindowClass() override;
  WindowId CreateMapWindow(MapDocument& doc) override;
  void DestroyMapWindow(WindowId window) override;
  void SetWindowTitle(WindowId window, const std::string& title) override;
  void FocusWindow(WindowId window) override;
  void RepaintWindow(WindowId window) override;
  void ForceFullRepaint(WindowId window) override;
};

}  // namespace quarl::win
