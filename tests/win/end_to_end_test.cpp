// quarl.exe itself, started as a user would start it: from the game
// directory, with map files on its command line.

#include <gtest/gtest.h>

#include "quarl_session.h"
#include "resource_ids.h"

namespace quarl::wintest {
namespace {

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
    const std::string exe = gameDir + "\\quarl.exe";
    if (!CopyFileA(ToWindowsPath(QUARL_EXE).c_str(), exe.c_str(), FALSE)) return false;
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, gameDir.c_str(), &startup,
                          &process_) != 0;
  }
  DWORD ExitCode() {
    EXPECT_EQ(WaitForSingleObject(process_.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }
  PROCESS_INFORMATION process_ = {};
};

TEST_F(EndToEnd, OpensCommandLineMapsLastFirstAndExitsCleanly) {
  ASSERT_TRUE(WriteMap(gameDir + "\\first.map", "First"));
  ASSERT_TRUE(WriteMap(gameDir + "\\second.map", "Second"));
  ASSERT_TRUE(Launch(gameDir + "\\first.map " + gameDir + "\\second.map"));
  HWND frame = nullptr, mdiClient = nullptr;
  std::vector<HWND> maps;  // by child id, that is in opening order
  ASSERT_TRUE(PumpUntil([&] {
    DWORD pid = 0;
    frame = FindWindowA("zormaped", nullptr);
    GetWindowThreadProcessId(frame, &pid);
    if (!frame || pid != process_.dwProcessId) return false;
    mdiClient = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    maps.clear();
    for (int id = FIRST_MDI_CHILD_ID; HWND child = GetDlgItem(mdiClient, id); ++id) maps.push_back(child);
    return maps.size() == 2 && WindowText(maps[1]) != "Untitled";
  }, 20000)) << "quarl.exe did not show its frame with two maps";
  EXPECT_EQ(WindowText(maps[0]) + "|" + WindowText(maps[1]), "Second (second.map)|First (first.map)");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0)), maps[1]);
  // File > Exit with unmodified maps: no questions; the exit code is the
  // wParam of the last message the loop took, the Exit command.
  PostMessageA(frame, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(ExitCode(), static_cast<DWORD>(CMD_EXIT));
}

}  // namespace
}  // namespace quarl::wintest
