// The program's entry point.

#include <windows.h>

#include "app/win/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  if (!quarl::win::StartQuarl(instance, GetCommandLineA(), arguments ? arguments : "")) return 0;
  WPARAM code = quarl::win::RunMainLoop();
  quarl::win::ShutDownQuarl();
  return static_cast<int>(code);
}
