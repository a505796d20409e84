#pragma once
// Helpers for the Windows tests, which run in a real Wine session.
//
//   quarl::wintest::DialogScript dialogs;  // hooks this thread (WH_CBT)
//   dialogs.Answer(IDNO);                   // next message box: "No"
//   dialogs.AnswerFile("Z:\\tmp\\x.map");    // next file dialog; "" cancels it
//   ... anything that shows boxes ...
//   EXPECT_EQ(dialogs.Seen()[0].title, "Save As...");
//
// A box or file dialog without a scripted answer is answered all the same
// (OK, else Cancel, else No; a file dialog is cancelled), so that a test that
// did not expect it fails on its assertions instead of hanging.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quarl::wintest {

struct SeenDialog {
  std::string title, text;  // for a file dialog, text is the name given
  bool fileDialog = false;
  int answer = 0;
  HWND owner = nullptr;
};

class DialogScript {
 public:
  DialogScript();
  ~DialogScript();
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

std::string ToWindowsPath(const std::string& unixPath);  // "/tmp/x" -> "Z:\tmp\x"
std::string WindowText(HWND hwnd);
RECT PlacedRect(HWND hwnd);  // the window's rectangle in its parent's client coordinates
void SetClientSize(HWND hwnd, int width, int height);  // scroll bars and frame kept outside it

// Dispatches this thread's messages for about ms milliseconds, or until done().
void PumpMessages(DWORD ms);
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> colours;  // row-major, top row first
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};
// The client area as it is on the screen, after a repaint at once unless
// asked not to (outlines drawn since then stay). A map window's own context
// keeps its origin at the scroll position; the copy starts at that origin.
Pixels GrabClient(HWND hwnd, bool repaint = true);
// The pixels of a rectangle of a device context.
Pixels GrabArea(HDC dc, int x, int y, int width, int height);

// Screenshots left for people to look at, as build/screenshots/<name>.png:
// a window's screen rectangle (caption and frame included), or pixels
// already read back. False when nothing could be grabbed or written.
bool SaveScreenshot(HWND window, const std::string& name);
bool SavePng(const Pixels& pixels, const std::string& name);

}  // namespace quarl::wintest
