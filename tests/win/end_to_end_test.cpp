// quarl.exe itself, started as a user would start it: from the game
// directory, with map files on its command line.

#include <gtest/gtest.h>

#include <algorithm>

#include "quarl_session.h"
#include "resource_ids.h"

namespace quarl::wintest {
namespace {

struct FindFrame {
  DWORD processId;
  HWND frame;
};

BOOL CALLBACK MatchFrame(HWND hwnd, LPARAM lParam) {
  auto* find = reinterpret_cast<FindFrame*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == find->processId && std::string(cls) == "zormaped") {
    find->frame = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* cls) {
  std::vector<HWND> children;
  for (HWND child = FindWindowExA(parent, nullptr, cls, nullptr); child;
       child = FindWindowExA(parent, child, cls, nullptr))
    children.push_back(child);
  std::sort(children.begin(), children.end(),
            [](HWND a, HWND b) { return GetWindowLongPtrA(a, GWLP_ID) < GetWindowLongPtrA(b, GWLP_ID); });
  return children;
}

class EndToEnd : public QuarlSession {
 protected:
  void TearDown() override {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    QuarlSession::TearDown();
  }
  bool Launch(const std::string& arguments) {
    std::string exe = gameDir + "\\quarl.exe";
    if (!CopyFileA(ToWindowsPath(QUARL_EXE).c_str(), exe.c_str(), FALSE)) return false;
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, gameDir.c_str(), &startup,
                          &process_) != 0;
  }
  PROCESS_INFORMATION process_ = {};
};

TEST_F(EndToEnd, OpensCommandLineMapsLastFirstAndExitsCleanly) {
  std::string first = gameDir + "\\first.map", second = gameDir + "\\second.map";
  ASSERT_TRUE(WriteMap(first, "First"));
  ASSERT_TRUE(WriteMap(second, "Second"));
  ASSERT_TRUE(Launch(first + " " + second));

  FindFrame find = {process_.dwProcessId, nullptr};
  HWND mdiClient = nullptr;
  std::vector<HWND> maps;
  ASSERT_TRUE(PumpUntil(
      [&] {
        find.frame = nullptr;
        EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&find));
        if (!find.frame) return false;
        mdiClient = FindWindowExA(find.frame, nullptr, "MDIClient", nullptr);
        maps = ChildrenOfClass(mdiClient, "newmap");
        return maps.size() == 2 && WindowText(maps[1]) != "Untitled";
      },
      20000))
      << "quarl.exe did not show its frame with two maps";
  EXPECT_EQ(WindowText(find.frame), "Quarl");

  // The last name on the command line is opened first.
  EXPECT_EQ(WindowText(maps[0]), "Second (second.map)");
  EXPECT_EQ(WindowText(maps[1]), "First (first.map)");
  EXPECT_EQ(GetWindowLongPtrA(maps[0], GWLP_ID), FIRST_MDI_CHILD_ID);
  // ... so the first name ends up active.
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0)), maps[1]);

  // File > Exit with unmodified maps: no questions, the process ends.
  PostMessageA(find.frame, WM_COMMAND, CMD_EXIT, 0);
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 1;
  GetExitCodeProcess(process_.hProcess, &code);
  // The exit code is the wParam of the last message the loop took: the Exit
  // command that ended it.
  EXPECT_EQ(code, static_cast<DWORD>(CMD_EXIT));
  EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(EndToEnd, WithoutTheTileSheetItSaysSoAndEnds) {
  ASSERT_TRUE(DeleteFileA((gameDir + "\\tiles.bmp").c_str()));
  ASSERT_TRUE(Launch(""));
  // The box belongs to the other process; find it and answer it.
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (box = FindWindowA("#32770", "Error - Fatal")) != nullptr; }, 20000));
  HWND text = GetDlgItem(box, 0xFFFF);
  EXPECT_EQ(WindowText(text), "Unable to locate tiles.bmp\nQuarl must be in the same directory as ZOR.exe");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 1;
  GetExitCodeProcess(process_.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace quarl::wintest
