#pragma once
// The program's life: start-up, the main loop and shutdown. WinMain runs the
// three in turn; the Windows tests run them too, one test at a time.

#include <windows.h>

#include <string>

namespace quarl::win {

// Start-up up to and including opening the command-line maps. commandLine is
// the full command line (program path first), arguments the text after the
// program name. False when start-up stopped before the frame existed (the
// user has been told).
bool StartQuarl(HINSTANCE instance, const std::string& commandLine, const std::string& arguments);

// Runs until the stop flag is set; returns the wParam of the last message
// taken. It waits for messages while nothing is to be done, and paces itself
// while the active map pans on its own.
WPARAM RunMainLoop();

// One pass of the loop's auto-pan step: sends the active map window one
// scroll message per set pan flag when auto-pan is on. True when any was sent.
bool AutoPanActiveMap();

// Releases everything start-up made, unregisters the window classes and
// writes the mirror and rotate tables back. Safe after a failed start-up.
void ShutDownQuarl();

// The milliseconds between two auto-pan steps.
constexpr DWORD kAutoPanIntervalMs = 15;

}  // namespace quarl::win
