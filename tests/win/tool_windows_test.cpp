// The overview and the Customize Mirror/Rotate window in the running
// program, in a real Wine session.

#include <gtest/gtest.h>

#include <utility>

#include "history/win/customize_window.h"
#include "quarl_session.h"
#include "tools/win/overview_window.h"

namespace quarl::wintest {
namespace {

using ToolWindows = QuarlSession;

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::pair<int, int> ClientSize(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return {rc.right, rc.bottom};
}

TEST_F(ToolWindows, OverviewShowsEachCellAsOnePixelAndOutlinesTheShownPart) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  MapDocument* doc = Doc(map);
  ASSERT_TRUE(doc);
  doc->At(200, 150).tile = 0x0107;
  doc->At(201, 150).SetValues({-1, 0x0203, 0});  // placed in the editor: its id shows

  ASSERT_EQ(win::OpenOverview(*doc), 1);
  HWND overview = App().overviewWindow;
  ASSERT_TRUE(IsWindow(overview));
  EXPECT_EQ(App().overviewDoc, doc);
  EXPECT_EQ(ClassOf(overview), "overview");
  EXPECT_EQ(WindowText(overview), "Overview");
  EXPECT_EQ(GetWindow(overview, GW_OWNER), Frame());
  EXPECT_EQ(ClientSize(overview), std::pair(256, 256));

  const Pixels pixels = GrabClient(overview);
  EXPECT_EQ(pixels.At(200, 150), RGB(1, 7, 7));
  EXPECT_EQ(pixels.At(201, 150), RGB(2, 3, 3));
  EXPECT_EQ(pixels.At(128, 200), RGB(1, 24, 24));  // blank tile 280
  const int w = ClientSize(map).first / 16, h = ClientSize(map).second / 16;
  ASSERT_TRUE(w < 200 && h < 150);
  // The outline's corners and bottom edge are white; inside and past it, the cells.
  for (auto [x, y] : {std::pair{0, 0}, {w, h}, {w / 2, h}}) EXPECT_EQ(pixels.At(x, y), RGB(255, 255, 255)) << x << "," << y;
  for (auto [x, y] : {std::pair{w / 2, h / 2}, {w + 1, h}}) EXPECT_EQ(pixels.At(x, y), RGB(1, 24, 24)) << x << "," << y;

  // A size change puts it back to its fixed size.
  SetWindowPos(overview, nullptr, 0, 0, 400, 100, SWP_NOZORDER);
  EXPECT_EQ(ClientSize(overview), std::pair(256, 256));

  DestroyWindow(overview);
  EXPECT_EQ(App().overviewWindow, nullptr);
  EXPECT_EQ(App().overviewDoc, nullptr);
}

TEST_F(ToolWindows, CustomizeWindowOpensCentredAndOkClosesIt) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(win::OpenCustomizeWindow(), 1);
  HWND window = FindWindowA("Quarl_CUSTOM_MR", nullptr);
  ASSERT_TRUE(window);
  EXPECT_EQ(WindowText(window), "Customize Mirror/Rotate");
  EXPECT_EQ(GetWindow(window, GW_OWNER), Frame());
  RECT rc{};
  GetWindowRect(window, &rc);
  const RECT want{GetSystemMetrics(SM_CXSCREEN) / 2 - 250, rc.top, GetSystemMetrics(SM_CXSCREEN) / 2 + 250, rc.top + 500};
  EXPECT_TRUE(EqualRect(&rc, &want)) << rc.left << " " << rc.right << " " << rc.bottom - rc.top;
  EXPECT_TRUE(IsWindowVisible(window));
  // Each opening makes a new window.
  ASSERT_EQ(win::OpenCustomizeWindow(), 1);
  HWND second = FindWindowA("Quarl_CUSTOM_MR", nullptr);
  EXPECT_NE(second, window);
  SendMessageA(window, WM_COMMAND, 1017, 0);
  EXPECT_FALSE(IsWindow(window));
  DestroyWindow(second);
}

}  // namespace
}  // namespace quarl::wintest
