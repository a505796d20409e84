// The main loop: auto-pan steps without input while a pan flag is set,
// nothing while auto-pan is off, and only the stop flag ends it.

#include <gtest/gtest.h>

#include "app/win/startup.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

struct ScrollCounter {
  WNDPROC original = nullptr;
  int left = 0, right = 0, up = 0, down = 0, other = 0;
};
ScrollCounter g_counter;
bool g_timerFired = false;

LRESULT CALLBACK CountScrolls(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL) {
    (wParam == SB_LINELEFT ? g_counter.left : wParam == SB_LINERIGHT ? g_counter.right : g_counter.other)++;
    return 0;
  }
  if (message == WM_VSCROLL) {
    (wParam == SB_LINEUP ? g_counter.up : wParam == SB_LINEDOWN ? g_counter.down : g_counter.other)++;
    return 0;
  }
  return CallWindowProcA(g_counter.original, hwnd, message, wParam, lParam);
}

void CALLBACK StopLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_timerFired = true;
  win::App().stopFlag = 1;
}

class MainLoop : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    map_ = NewMap();
    ASSERT_NE(map_, nullptr);
    g_counter = {};
    g_counter.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(map_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountScrolls)));
  }
  void TearDown() override {
    if (IsWindow(map_)) SetWindowLongPtrA(map_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_counter.original));
    QuarlSession::TearDown();
  }
  // Runs the program's loop for about ms milliseconds with no input.
  void RunLoopFor(UINT ms) {
    g_timerFired = false;
    SetTimer(nullptr, 0, ms, StopLoop);
    win::RunMainLoop();
    App().stopFlag = 0;
  }
  MapView* Doc() { return TheEditor().maps.FindView(win::ToWindowId(map_)); }
  HWND map_ = nullptr;
};

TEST_F(MainLoop, PansWithoutInputWhileAFlagIsSet) {
  Doc()->autoPan[1] = 1;  // right
  RunLoopFor(400);
  EXPECT_GT(g_counter.right, 5);
  EXPECT_EQ(g_counter.left + g_counter.up + g_counter.down + g_counter.other, 0);

  g_counter.right = 0;
  Doc()->autoPan[1] = 0;
  Doc()->autoPan[3] = 1;  // down
  RunLoopFor(200);
  EXPECT_GT(g_counter.down, 2);
  EXPECT_EQ(g_counter.right, 0);
}

TEST_F(MainLoop, AutoPanOffSendsNothing) {
  TheEditor().options.winpan = 0;
  Doc()->autoPan[0] = 1;
  RunLoopFor(300);
  EXPECT_EQ(g_counter.left, 0);
}

TEST_F(MainLoop, QuitMessagesDoNotEndIt) {
  PostQuitMessage(0);
  PostMessageA(Frame(), WM_NULL, 0, 0);
  RunLoopFor(200);
  // The loop took WM_QUIT and went on until the timer set the stop flag.
  EXPECT_TRUE(g_timerFired);
  EXPECT_TRUE(IsWindow(Frame()));
}

}  // namespace
}  // namespace quarl::wintest
