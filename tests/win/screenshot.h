#pragma once
// Screenshots the tests leave for people to look at: a window as it is on
// the screen, caption and frame included, saved as a PNG under
// build/screenshots.

#include <windows.h>

#include <string>

#include "test_support.h"

namespace quarl::wintest {

// Saves the window's screen rectangle as build/screenshots/<name>.png.
// False when it could not be grabbed or written.
bool SaveScreenshot(HWND window, const std::string& name);
// Saves pixels already read back as build/screenshots/<name>.png.
bool SavePng(const Pixels& pixels, const std::string& name);

}  // namespace quarl::wintest
