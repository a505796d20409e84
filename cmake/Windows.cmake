# Windows build (MinGW-w64 cross compile): quarl.exe and its tests under Wine.
# Filled in with the Win32 program.
