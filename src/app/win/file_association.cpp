#include "app/win/file_association.h"

#include <windows.h>

#include "app/command_line.h"

namespace quarl::win {
namespace {

constexpr const char* kDocumentKey = "Quarl.Document";

// Sets a string value, its terminating zero counted in its length.
void SetString(HKEY key, const char* name, const std::string& text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

HKEY Create(HKEY parent, const char* name) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

void Close(HKEY key) {
  if (key) RegCloseKey(key);
}

}  // namespace

void RegisterFileAssociation(const std::string& commandLine) {
  const std::string program = AssociationProgramPath(commandLine);
  // ".map" is taken over whatever it named before.
  HKEY extension = Create(HKEY_CLASSES_ROOT, ".map");
  if (extension) SetString(extension, nullptr, kDocumentKey);
  Close(extension);

  HKEY document = Create(HKEY_CLASSES_ROOT, kDocumentKey);
  if (!document) return;
  HKEY icon = Create(document, "DefaultIcon");
  if (icon) SetString(icon, nullptr, program + ",1");
  Close(icon);
  SetString(document, nullptr, "Map File");
  HKEY shell = Create(document, "Shell");
  Close(document);
  HKEY open = shell ? Create(shell, "open") : nullptr;
  if (open) {
    static constexpr BYTE kEditFlags[8] = {0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    RegSetValueExA(open, "EditFlags", 0, REG_BINARY, kEditFlags, sizeof kEditFlags);
    if (HKEY command = Create(open, "command")) {
      SetString(command, nullptr, AssociationOpenCommand(program));
      Close(command);
    }
  }
  Close(shell);
  Close(open);
}

}  // namespace quarl::win
