// The dialog script itself: boxes are recorded and answered as scripted.

#include <gtest/gtest.h>

#include "test_support.h"

#include <commdlg.h>

namespace {

using quarl::wintest::DialogScript;

TEST(DialogScript, RecordsTitleTextAndGivesTheScriptedAnswers) {
  DialogScript dialogs;
  dialogs.Answer(IDNO);
  dialogs.Answer(IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "First\nquestion", "Title one", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Second", "Title two", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "Third", "Title three", MB_OK), IDOK);  // unscripted
  ASSERT_EQ(dialogs.Seen().size(), 3u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Title one");
  EXPECT_EQ(dialogs.Seen()[0].text, "First\nquestion");
  EXPECT_TRUE(dialogs.Seen()[0].scripted);
  EXPECT_EQ(dialogs.Seen()[1].answer, IDCANCEL);
  EXPECT_FALSE(dialogs.Seen()[2].scripted);
  EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

TEST(DialogScript, AnAnswerTheBoxLacksFallsBackInsteadOfHanging) {
  DialogScript dialogs;
  dialogs.Answer(IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "Only OK here", "t", MB_OK), IDOK);
  EXPECT_FALSE(dialogs.Seen().at(0).scripted);
}

TEST(DialogScript, AnswersTheSaveDialogWithAPath) {
  DialogScript dialogs;
  dialogs.AnswerFile("Z:\\tmp\\quarl-dialog-test.map");
  char name[MAX_PATH] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = "Map Files\0*.map\0\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = "Save As...";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  ASSERT_TRUE(GetSaveFileNameA(&ofn));
  EXPECT_STREQ(name, "Z:\\tmp\\quarl-dialog-test.map");
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_TRUE(dialogs.Seen()[0].fileDialog);
  EXPECT_EQ(dialogs.Seen()[0].title, "Save As...");

  dialogs.AnswerFile("");
  EXPECT_FALSE(GetSaveFileNameA(&ofn));
}

LRESULT CALLBACK TwoColourProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT left = {0, 0, 20, 30}, right = {20, 0, 40, 30};
    HBRUSH green = CreateSolidBrush(RGB(10, 200, 30)), red = CreateSolidBrush(RGB(250, 5, 5));
    FillRect(dc, &left, green);
    FillRect(dc, &right, red);
    DeleteObject(green);
    DeleteObject(red);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(Pixels, ReadsBackWhatAWindowPainted) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = TwoColourProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "quarl_two_colours";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 10, 10, 40, 30, nullptr, nullptr,
                              wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  quarl::wintest::PumpMessages(50);
  auto pixels = quarl::wintest::ReadClientPixels(hwnd);
  ASSERT_EQ(pixels.width, 40);
  ASSERT_EQ(pixels.height, 30);
  EXPECT_EQ(pixels.At(0, 0), RGB(10, 200, 30));
  EXPECT_EQ(pixels.At(19, 29), RGB(10, 200, 30));
  EXPECT_EQ(pixels.At(20, 0), RGB(250, 5, 5));
  EXPECT_EQ(pixels.At(39, 29), RGB(250, 5, 5));
  DestroyWindow(hwnd);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

}  // namespace
