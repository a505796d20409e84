#pragma once
// The click tools' gestures in a map window: what a press, each new cell
// entered while the left button is held, and the release do with the
// current tool. The map window's capture loop turns its mouse messages into
// calls of a PointerGesture; repaints of the map window go through the
// MapWindows seam, and what else must be redrawn comes back as
// GestureEffects.

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "editor/editor.h"

namespace quarl {

// A press starts a gesture; each new cell entered while the button is held
// is a drag step. Only a press asks the game-type questions.
enum class Gesture { kPress, kDrag };

// The anim offset value of the "Anim Offset:" text: its leading decimal
// number (an optional sign, then digits) read from at most maxChars
// characters; 0 when there is none. Values past 32 bits stop at the limit.
int32_t AnimOffsetValue(const std::string& text, size_t maxChars = std::string::npos);

// The Edit tool at cell (column, row) of the window's map, as one history
// step. Out of animation mode it writes the current tile block with its
// top-left tile on the cell, dropping what lies past the map's right or
// bottom edge (the step still names the whole block), and hides the
// selection. In animation mode it writes the current animation with
// animOffset as its data into that one cell; a press then asks about the
// game type (a switch or a team's flag or pole), a drag step hides the
// selection instead. The window is repainted. Returns 1 when it placed, 0
// when the window has no map or the cell lies outside it.
int PlaceWithEditTool(Editor& editor, WindowId window, int32_t column, int32_t row, int32_t animOffset,
                      Gesture gesture);

// What the window must redraw besides the map (repainted through the seam).
struct GestureEffects {
  bool toolbox = false;           // the current tool changed
  bool tilePalette = false;       // a tile was picked: its highlight moved
  bool animationPalette = false;  // an animation was picked
  bool infoPanel = false;         // "Use Anim:" or the "Anim Offset:" text changed
};

// Client pixels of a map window. During a captured drag they may lie outside
// the window, and the cell under them outside the map.
struct ClientPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The window's scroll positions in map pixels.
struct ScrollPosition {
  int32_t x = 0;
  int32_t y = 0;
};

// The cell under a pointer: map pixels divided by 16, rounded down, so a
// pointer left of or above the map lies in column or row -1 or less.
int32_t CellOfPixel(int32_t mapPixel);

// One gesture of the left button in one map window, from the press to the
// release. A press or new cell outside the map runs no tool action (the last
// cell still follows it), but the rubber band keeps following the pointer,
// its corner held to the map.
class PointerGesture {
 public:
  GestureEffects Press(Editor& editor, WindowId window, ClientPoint point, ScrollPosition scroll);
  // A mouse message during the capture: acts when the pointer entered a cell
  // other than the last one. Nothing outside a gesture.
  GestureEffects Move(Editor& editor, WindowId window, ClientPoint point, ScrollPosition scroll);
  // The button went up: the rectangle tools finish their rectangle. A bunker
  // or bridge is built with the variant command standing in for the tool
  // command, which is put back afterwards.
  GestureEffects Release(Editor& editor, WindowId window);

  bool Active() const { return active_; }
  int32_t LastColumn() const { return lastColumn_; }
  int32_t LastRow() const { return lastRow_; }

 private:
  GestureEffects ActOnCell(Editor& editor, WindowId window, ClientPoint point, ScrollPosition scroll,
                           Gesture gesture);
  void StartBand(MapView& view, ClientPoint point, ScrollPosition scroll);
  void ExtendBand(MapView& view, ClientPoint point, ScrollPosition scroll);

  bool active_ = false;
  bool bandStarted_ = false;
  int32_t lastColumn_ = 0;
  int32_t lastRow_ = 0;
  int32_t anchorX_ = 0;  // the rubber band's fixed corner, map pixels
  int32_t anchorY_ = 0;
};

// The Tile Picker at cell (column, row): a plain cell's tile becomes the
// current 1 x 1 tile block (animation mode off) and is outlined in the
// palette; an animated cell's animation becomes the current one (animation
// mode on) and its data the "Anim Offset:" text. Either way the Edit tool
// becomes current.
GestureEffects PickCell(Editor& editor, WindowId window, int32_t column, int32_t row);

}  // namespace quarl
