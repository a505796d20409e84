// The main loop: auto-pan steps without input while a pan flag is set,
// nothing while auto-pan is off, and only the stop flag ends it.

#include <gtest/gtest.h>

#include "app/win/startup.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

void CALLBACK StopLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  win::App().stopFlag = 1;
}

struct MainLoop : QuarlSession {
  // Runs the program's loop for about ms milliseconds with no input; the
  // map window's scroll position after it.
  std::pair<int, int> RunLoopFor(HWND map, UINT ms) {
    SetTimer(nullptr, 0, ms, StopLoop);
    win::RunMainLoop();
    App().stopFlag = 0;
    return {GetScrollPos(map, SB_HORZ), GetScrollPos(map, SB_VERT)};
  }
};

TEST_F(MainLoop, PansWithoutInputWhileAFlagIsSetAndOnlyTheStopFlagEndsIt) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  View(map)->autoPan[PAN_RIGHT] = 1;
  PostQuitMessage(0);  // taken and ignored
  const auto [x, y] = RunLoopFor(map, 300);
  EXPECT_EQ(std::pair(x > 4 * 16, y), std::pair(true, 0));  // a cell a step
  View(map)->autoPan[PAN_RIGHT] = 0;
  View(map)->autoPan[PAN_DOWN] = 1;
  const auto [x2, y2] = RunLoopFor(map, 200);
  EXPECT_EQ(std::pair(x2, y2 > 2 * 16), std::pair(x, true));
  TheEditor().options.winpan = 0;
  EXPECT_EQ(RunLoopFor(map, 200), std::pair(x2, y2));
}

}  // namespace
}  // namespace quarl::wintest
