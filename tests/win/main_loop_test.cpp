// The main loop: auto-pan steps without input while a pan flag is set,
// nothing while auto-pan is off, and only the stop flag ends it.

#include <gtest/gtest.h>

#include <map>

#include "app/win/startup.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

std::map<std::pair<UINT, WPARAM>, int> g_scrolls;  // scroll messages sent to the map window
WNDPROC g_original = nullptr;

LRESULT CALLBACK CountScrolls(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return CallWindowProcA(g_original, hwnd, message, wParam, lParam);
  ++g_scrolls[{message, wParam}];
  return 0;
}

void CALLBACK StopLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  win::App().stopFlag = 1;
}

struct MainLoop : QuarlSession {
  // Runs the program's loop for about ms milliseconds with no input.
  void RunLoopFor(UINT ms) {
    g_scrolls.clear();
    SetTimer(nullptr, 0, ms, StopLoop);
    win::RunMainLoop();
    App().stopFlag = 0;
  }
};

TEST_F(MainLoop, PansWithoutInputWhileAFlagIsSetAndOnlyTheStopFlagEndsIt) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(map, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountScrolls)));
  View(map)->autoPan[PAN_RIGHT] = 1;
  PostQuitMessage(0);  // taken and ignored
  RunLoopFor(300);
  EXPECT_GT((g_scrolls[{WM_HSCROLL, SB_LINERIGHT}]), 4);
  EXPECT_EQ(g_scrolls.size(), 1u);
  View(map)->autoPan[PAN_RIGHT] = 0;
  View(map)->autoPan[PAN_DOWN] = 1;
  RunLoopFor(200);
  EXPECT_GT((g_scrolls[{WM_VSCROLL, SB_LINEDOWN}]), 2);
  EXPECT_EQ(g_scrolls.size(), 1u);
  TheEditor().options.winpan = 0;
  RunLoopFor(200);
  EXPECT_TRUE(g_scrolls.empty());
  SetWindowLongPtrA(map, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
}

}  // namespace
}  // namespace quarl::wintest
