#pragma once
// The seam through which the core reaches the user. The Win32 program
// answers it with message boxes and the common Save dialog; tests and
// quarl-map answer it from a script.

#include <optional>
#include <string>

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

  void Tell(const std::string& text, const std::string& title) { ShowMessage(text, title, Buttons::Ok); }
};

}  // namespace quarl
