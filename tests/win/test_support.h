#pragma once
// Helpers for Windows tests that run in a real Wine session.
//
// Usage:
//
//   quarl::wintest::DialogScript dialogs;          // hooks this thread (WH_CBT)
//   dialogs.Answer(IDNO);                           // next message box: "No"
//   dialogs.AnswerFile(quarl::wintest::ToWindowsPath("/tmp/x.map"));  // next file dialog
//   SendMessageA(frame, WM_COMMAND, 40003, 0);      // anything that shows boxes
//   ASSERT_EQ(dialogs.Seen().size(), 1u);
//   EXPECT_EQ(dialogs.Seen()[0].title, "Save As...");
//
//   quarl::wintest::PumpMessages(50);               // let posted messages run
//   auto pixels = quarl::wintest::ReadClientPixels(hwnd);   // repaint, then read
//   EXPECT_EQ(pixels.At(3, 4), RGB(0, 0, 0));
//
// A box or file dialog that finds no scripted answer is answered all the same
// (OK, else Cancel, else No; a file dialog is cancelled), so that a test that
// did not expect it fails on its assertions instead of hanging. Seen() lists
// every box and dialog in the order they appeared, with the answer given.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quarl::wintest {

struct SeenDialog {
  std::string title;
  std::string text;          // the message text; for a file dialog, the name given
  bool fileDialog = false;
  int answer = 0;            // IDOK, IDYES, IDNO or IDCANCEL as posted
  bool scripted = false;     // false: no scripted answer was left for it
  HWND owner = nullptr;      // the window that owns the box or dialog
};

class DialogScript {
 public:
  DialogScript();   // installs the hook on the calling thread
  ~DialogScript();  // removes it
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Queues the button (IDOK, IDYES, IDNO, IDCANCEL) for the next message box.
  void Answer(int button) { boxAnswers_.push_back(button); }
  // Queues a Windows path for the next open or save dialog; "" cancels it.
  void AnswerFile(const std::string& windowsPath) { fileAnswers_.push_back(windowsPath); }

  const std::vector<SeenDialog>& Seen() const { return seen_; }
  // The message boxes only (file dialogs left out).
  std::vector<SeenDialog> Boxes() const;
  size_t PendingAnswers() const { return boxAnswers_.size() + fileAnswers_.size(); }
  void Clear() { seen_.clear(); boxAnswers_.clear(); fileAnswers_.clear(); }

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

// Dispatches this thread's messages for about ms milliseconds.
void PumpMessages(DWORD ms);
// Dispatches messages until done() is true or timeoutMs ran out; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colours;  // row-major, top row first
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};
// Repaints the window at once, then copies its client area into a DIB.
Pixels ReadClientPixels(HWND hwnd);

// Text helpers.
std::string WindowText(HWND hwnd);
std::string MenuItemText(HMENU menu, int position);
// MF_GRAYED / MF_CHECKED state bits of an item by position.
UINT MenuItemState(HMENU menu, int position);

}  // namespace quarl::wintest
