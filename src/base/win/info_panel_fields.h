#pragma once
// The info panel's child controls (window class "zorinfo", app/win/info_panel.h),
// by id: other windows write its displays and read its anim offset.

namespace quarl::win {

constexpr int kAnimOffsetEdit = 102;
constexpr int kTileDisplay = 103;
constexpr int kUseAnimCheck = 104;
constexpr int kOffsetDisplay = 105;
constexpr int kFirstTeamButton = 107;  // Green; Red, Blue, Yellow, Neutral follow

}  // namespace quarl::win
