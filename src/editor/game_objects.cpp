#include "editor/game_objects.h"

#include <string>

#include "history/cell_edit.h"
#include "history/undo.h"
#include "map/map_checks.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

constexpr uint8_t kFlagGame = 1;
constexpr uint8_t kSwitchGame = 2;

void AskFor(UserInterface& ui, MapDocument& doc, uint8_t gameType, const char* gameName, const char* title,
            QuestionWording wording) {
  if (doc.gameType == gameType) return;
  const std::string text = std::string(wording == QuestionWording::kPlacing
                                           ? "Would you like to set the game type to \""
                                           : "Would you like to set game type to \"") +
                           gameName + "\"";
  if (ui.ShowMessage(text, title, Buttons::YesNo) == Answer::Yes) doc.gameType = gameType;
}

}  // namespace

void AskGameTypeForAnimation(UserInterface& ui, MapDocument& doc, int32_t anim, QuestionWording wording) {
  if (anim == SWITCH_ANIM) AskFor(ui, doc, kSwitchGame, "Switch Game", "Switch Placed", wording);
  for (int team = TEAM_GREEN; team <= TEAM_YELLOW; ++team) {
    if (IsFlagAnim(team, anim) || IsPoleAnim(team, anim)) {
      AskFor(ui, doc, kFlagGame, "Flag Game", "Flag Placed", wording);
      break;
    }
  }
}

int PlaceSwitch(Editor& editor, WindowId window, int32_t column, int32_t row, Gesture gesture) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || column < 0 || column >= kMapCells || row < 0 || row >= kMapCells) return 0;
  MapDocument& doc = *map->doc;
  map->view.hoverRect = Rect{};

  CellEdit edit(doc, {row * kMapCells + column, 3, 3, HISTORY_REGION});
  for (int32_t r = 0; r < 3; ++r) {
    for (int32_t c = 0; c < 3; ++c) {
      const int32_t slot = r * 3 + c;
      const CellValues values = slot == 4 ? CellValues{-1, switchObject[4], 0} : CellValues{switchObject[slot], -1, -1};
      edit.Set(column + c, row + r, values);  // cells past the map's edges are dropped
    }
  }
  edit.Commit();
  map->view.selectionShown = 0;
  if (editor.windows) editor.windows->RepaintWindow(window);
  if (gesture == Gesture::kPress && editor.ui) {
    AskFor(*editor.ui, doc, kSwitchGame, "Switch Game", "Switch Placed", QuestionWording::kPlacing);
  }
  return 1;
}

}  // namespace quarl
