// The main loop: auto-pan steps without input while a pan flag is set,
// nothing while auto-pan is off, and only the stop flag ends it.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "app/win/startup.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

int g_scrolls[2 * 9];  // vertical * 9 + scroll code, sent to the map window
WNDPROC g_original = nullptr;

LRESULT CALLBACK CountScrolls(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL || message == WM_VSCROLL) {
    ++g_scrolls[(message == WM_VSCROLL) * 9 + std::min<WPARAM>(wParam, 8)];
    return 0;
  }
  return CallWindowProcA(g_original, hwnd, message, wParam, lParam);
}

void CALLBACK StopLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  win::App().stopFlag = 1;
}

class MainLoop : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    map_ = NewMap();
    g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(map_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountScrolls)));
  }
  void TearDown() override {
    SetWindowLongPtrA(map_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
    QuarlSession::TearDown();
  }
  // Runs the program's loop for about ms milliseconds with no input.
  void RunLoopFor(UINT ms) {
    std::fill(std::begin(g_scrolls), std::end(g_scrolls), 0);
    SetTimer(nullptr, 0, ms, StopLoop);
    win::RunMainLoop();
    App().stopFlag = 0;
  }
  int Total() { return std::accumulate(std::begin(g_scrolls), std::end(g_scrolls), 0); }
  HWND map_ = nullptr;
};

TEST_F(MainLoop, PansWithoutInputWhileAFlagIsSetAndOnlyTheStopFlagEndsIt) {
  View(map_)->autoPan[PAN_RIGHT] = 1;
  PostQuitMessage(0);  // taken and ignored
  RunLoopFor(300);
  EXPECT_GT(g_scrolls[SB_LINERIGHT], 4);
  EXPECT_EQ(Total(), g_scrolls[SB_LINERIGHT]);
  View(map_)->autoPan[PAN_RIGHT] = 0;
  View(map_)->autoPan[PAN_DOWN] = 1;
  RunLoopFor(200);
  EXPECT_GT(g_scrolls[9 + SB_LINEDOWN], 2);
  EXPECT_EQ(Total(), g_scrolls[9 + SB_LINEDOWN]);
  TheEditor().options.winpan = 0;
  RunLoopFor(200);
  EXPECT_EQ(Total(), 0);
}

}  // namespace
}  // namespace quarl::wintest
