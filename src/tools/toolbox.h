#pragma once
// The toolbox's rules apart from its window: where the buttons and the grip
// lie in the two layouts, where the docking drag puts its ghost, which popup
// each tool opens with which items and command numbers, and what a choice or
// a dismissal does to the tool state. The Win32 toolbox shows what these
// answer; quarl-map and the tests read the same state.

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "tools/animations.h"
#include "tools/tool_state.h"

namespace quarl {

constexpr int kToolButtonPixels = 32;
constexpr int kToolsPerVerticalRow = 4;
// The grip: below the buttons in the vertical layout, a strip right of
// them in the horizontal one.
constexpr int kVerticalGripTop = 160;
constexpr int kHorizontalGripLeft = 552;
constexpr int kHorizontalGripRight = 557;

// Button `index` (0..16) of the layout, in toolbox client pixels.
Rect ToolButtonRect(int index, bool vertical);
// The button under a click released at (x, y), or -1 for none.
int ToolButtonAt(int x, int y, bool vertical);
// Whether a press at (x, y) starts the docking drag.
bool IsOnGrip(int x, int y, bool vertical);

// The sunken frame around the current tool: from (x, y), w x h. The first
// row of the vertical layout and the horizontal bar start 3 pixels down
// (the etched line along the top stays visible).
struct SunkenFrame {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const SunkenFrame&) const = default;
};
SunkenFrame ToolHighlight(int index, bool vertical);

// The docking drag: where the ghost goes for the cursor at (dx, dy) from the
// frame's top-left corner, with the frame `frameWidth` wide and T = caption +
// menu bar + sizing border height. `changes` is false when the cursor is in
// neither docking band for the current layout; otherwise `ghost` is the
// target in frame-window coordinates and `vertical` the layout it docks.
struct DockTarget {
  bool changes = false;
  Rect ghost;
  bool vertical = false;
};
DockTarget DockTargetAt(int dx, int dy, int frameWidth, int T, bool vertical);

// ---- popups -------------------------------------------------------------------

// One item of a tool popup: text, or a picture of tiles `columns` wide laid
// out row by row, 16 x 16 pixels each.
struct PopupItem {
  int command = 0;
  std::string text;
  std::vector<int32_t> tiles;
  int columns = 0;
};

// What the toolbox does after a command or a popup choice.
struct ToolboxAction {
  std::vector<PopupItem> popup;      // a popup to show (empty: none)
  int frameCommand = 0;              // a command to send the frame (copy, cut, paste, rotate, mirror)
  bool repaintToolbox = false;
  std::string messageTitle, message;  // a message to show first, when not empty
};

constexpr char kNeutralPoleTitle[] = "Error - Quick Info";
constexpr char kNeutralPoleMessage[] = "Neutral flag poles are not possible\nMust start as a flag.";

// Popup command numbers.
constexpr int kWallSetItems = 1125;
constexpr int kBunkerTypeItems = 1225;  // then the four directions
constexpr int kMirrorItems = 1325;
constexpr int kConveyorItems = 1425;
constexpr int kPoleFlagItems = 1625;
constexpr int kBridgeItems = 1725;
constexpr int kSpawnKindItems = 1825;
constexpr int kSpawnStyleItems = 1827;
constexpr int kHoldingPenItems = 1925;

// A command reaching the toolbox with high word 0 (a button's command, or
// one sent by another window). Sets the tool state; popups set their
// pending flag.
ToolboxAction RunToolboxCommand(ToolState& tools, int command);
// The tools a button click makes current (after running its command):
// Edit, Select, Flag, Switch and Tile Picker.
bool SelectedByClick(ToolCommand tool);
// A popup item chosen: clears the pending flags and sets what the item
// chooses; may answer another popup (bunker directions, spawn styles).
// When the number is no popup item nothing changes and `chosen` is false.
ToolboxAction ChoosePopupItem(ToolState& tools, int choice, const AnimationList& animations, bool* chosen = nullptr);
// A menu closed while a popup was pending: TOOL_EDIT becomes current and
// the flags clear. True when a popup was pending.
bool DismissToolPopups(ToolState& tools);

// The 3 x 3 picture of a five-tile spawn style (0..2), tile numbers row by
// row, from the style's Green row; an animation shows its first frame.
std::vector<int32_t> SpawnStylePicture(int style, const AnimationList& animations);

}  // namespace quarl
