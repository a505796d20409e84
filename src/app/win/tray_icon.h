#pragma once
// Minimising the frame to the notification area: one icon, "ZOR maped",
// whose double-click brings the frame back and removes the icon.

#include <windows.h>

namespace quarl::win {

// The message the icon sends the frame.
constexpr UINT kTrayNotifyMessage = 0x333;

// Adds the icon for the frame and hides the frame (no ordinary minimise).
void MinimizeToTray(HWND frame);

// The icon's notifications: a left double-click shows the frame and removes
// the icon; everything else is ignored. Always 0.
LRESULT OnTrayNotify(HWND frame, LPARAM notification);

// Removes the icon, whether or not it is shown.
void RemoveTrayIcon(HWND frame);

}  // namespace quarl::win
