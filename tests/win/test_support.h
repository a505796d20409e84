#pragma once
// Helpers for the Windows tests, which run in a real Wine session.
//
//   quarl::wintest::DialogScript dialogs;   // hooks this thread (WH_CBT)
//   dialogs.Answer(IDNO);                    // next message box: "No"
//   dialogs.AnswerFile("Z:\\tmp\\x.map");     // next file dialog; "" cancels it
//   SendMessageA(frame, WM_COMMAND, 40003, 0);
//   EXPECT_EQ(dialogs.Seen()[0].title, "Save As...");
//
// A box or file dialog that finds no scripted answer is answered all the same
// (OK, else Cancel, else No; a file dialog is cancelled), so that a test that
// did not expect it fails on its assertions instead of hanging.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quarl::wintest {

struct SeenDialog {
  std::string title;
  std::string text;  // the message text; for a file dialog, the name given
  bool fileDialog = false;
  int answer = 0;    // IDOK, IDYES, IDNO or IDCANCEL as posted
  HWND owner = nullptr;
};

class DialogScript {
 public:
  DialogScript();   // installs the hook on the calling thread
  ~DialogScript();  // removes it
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  void Answer(int button) { boxAnswers_.push_back(button); }
  void AnswerFile(const std::string& windowsPath) { fileAnswers_.push_back(windowsPath); }
  const std::vector<SeenDialog>& Seen() const { return seen_; }
  std::vector<SeenDialog> Boxes() const;  // the message boxes only
  void Clear() { seen_.clear(), boxAnswers_.clear(), fileAnswers_.clear(); }

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND dialog);

  HHOOK hook_ = nullptr;
  std::deque<int> boxAnswers_;
  std::deque<std::string> fileAnswers_;
  std::vector<SeenDialog> seen_;
  std::vector<HWND> handled_;
};

// "/tmp/a b/x.map" -> "Z:\tmp\a b\x.map" (the drive Wine maps to "/").
std::string ToWindowsPath(const std::string& unixPath);
std::string WindowText(HWND hwnd);

// Dispatches this thread's messages for about ms milliseconds, or until done().
void PumpMessages(DWORD ms);
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> colours;  // row-major, top row first
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};
// The client area as it is on the screen, after a repaint at once when asked
// (without one, outlines drawn since stay). A map window's private context
// keeps its origin at the scroll position; the copy starts at that origin.
Pixels GrabClient(HWND hwnd, bool repaint = true);

}  // namespace quarl::wintest
