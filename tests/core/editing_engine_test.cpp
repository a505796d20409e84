// The editing engine driven as the map window drives it: presses, drags and
// releases of every tool, the rectangle tools, walls, game objects, the
// selection keys, Fill, Delete, Cut and Paste, through the real tables.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "editor/clipboard_commands.h"
#include "editor/editing_tools.h"
#include "editor/game_objects.h"
#include "editor/selection.h"
#include "editor/selection_transforms.h"
#include "editor/undo_commands.h"
#include "history/default_tables.h"
#include "history/transforms.h"
#include "history/undo.h"
#include "map/map_checks.h"
#include "map/tile_tables.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitTileTables());
    map = CreateNewMAP(t.editor);
    ASSERT_TRUE(map);
    ActivateMapWindow(t.editor, map->view.window);
    t.editor.tables = DefaultMirrorRotateTables();
    t.editor.tools.blockWidth = t.editor.tools.blockHeight = 1;
  }
  MapDocument& Doc() { return *map->doc; }
  WindowId Window() const { return map->view.window; }
  void Use(ToolCommand tool) { t.editor.tools.currentTool = tool, t.editor.tools.currentToolCommand = tool; }
  // The pointer in the middle of a cell, the window not scrolled.
  static ClientPoint In(int column, int row) { return {column * 16 + 8, row * 16 + 8}; }
  // Press in the first cell, move through the others, release in the last.
  void Drag(std::vector<std::pair<int, int>> cells) {
    gesture.Press(t.editor, Window(), In(cells[0].first, cells[0].second), {});
    for (size_t i = 1; i < cells.size(); ++i) gesture.Move(t.editor, Window(), In(cells[i].first, cells[i].second), {});
    gesture.Release(t.editor, Window());
  }
  void Click(int column, int row) { Drag({{column, row}}); }
  void Select(const Rect& r) {
    map->view.selection = r, map->view.selectionShown = 1;
    ActivateMapWindow(t.editor, Window());
  }
  CellValues At(int column, int row) { return Doc().At(column, row).Values(); }
  std::vector<int32_t> Tiles(std::vector<std::pair<int, int>> cells) {
    std::vector<int32_t> tiles;
    for (auto [c, r] : cells) tiles.push_back(At(c, r).tile);
    return tiles;
  }
  // Distinct plain tiles in every cell of a rectangle, to see what changes.
  void Paint(int x, int y, int w, int h) {
    for (int i = 0; i < w * h; ++i) Doc().At(x + i % w, y + i / w).SetValues({1000 + i, -1, -1});
  }
  // The painted rectangle, 'X' where a cell changed, rows joined by '/'.
  std::string Changes(int column, int row, int width, int height) {
    return Picture(width, height, [&](int c, int r) { return At(column + c, row + r).tile != 1000 + r * width + c; });
  }
  static std::string Picture(int width, int height, const std::function<bool(int, int)>& marked) {
    std::string picture;
    for (int i = 0; i < width * height; ++i) {
      picture += std::string(i && i % width == 0 ? "/" : "") + (marked(i % width, i / width) ? 'X' : '.');
    }
    return picture;
  }

  testing::TestEditor t;
  OpenMap* map = nullptr;
  PointerGesture gesture;
};

TEST_F(EngineTest, EditDragsOneStepPerCellActsOnlyInsideTheMapAndThePickerPicks) {
  t.editor.tools.currentTile = 7;
  Drag({{1, 0}, {0, 0}, {-1, 0}, {-1, -1}, {0, 0}, {0, 0}});
  // Press, one new cell, the cells outside run nothing, the way back in does.
  EXPECT_EQ(std::pair(Tiles({{1, 0}, {0, 0}}), Doc().undoCount()), std::pair(std::vector{7, 7}, 3));
  gesture.Press(t.editor, Window(), {-4, 8}, {});  // just left of the map, not column 0
  gesture.Release(t.editor, Window());
  gesture.Press(t.editor, Window(), {8, 8}, {160, 32});  // scrolled
  gesture.Release(t.editor, Window());
  EXPECT_EQ(std::pair(At(10, 2).tile, Doc().undoCount()), std::pair(7, 4));
  t.editor.tools.animationMode = 1, t.editor.tools.currentAnimation = 3;
  t.editor.tools.animOffsetText = "12345";  // the offset reads four characters
  Click(2, 2);
  EXPECT_EQ(At(2, 2), (CellValues{-1, 3, 1234}));

  Use(TOOL_TILE_PICKER);  // the picker picks an animation with its offset
  Doc().At(3, 3).SetValues({-1, 40, 9});
  EXPECT_TRUE(gesture.Press(t.editor, Window(), In(3, 3), {}).animationPalette);
  gesture.Release(t.editor, Window());
  EXPECT_EQ((std::tuple{t.editor.tools.animationMode, t.editor.tools.currentAnimation, t.editor.tools.animOffsetText}),
            (std::tuple{1, 40, std::string("9")}));
}

TEST_F(EngineTest, ABlockAtTheRightEdgeDropsWhatLiesPastIt) {
  t.editor.tools.currentTile = 45;
  t.editor.tools.blockWidth = 3, t.editor.tools.blockHeight = 2;
  map->view.selectionShown = 1;
  EXPECT_EQ(PlaceWithEditTool(t.editor, Window(), 254, 7, 0, Gesture::kPress), 1);
  // The next sheet row below; nothing wraps onto column 0.
  EXPECT_EQ(Tiles({{255, 7}, {254, 8}, {0, 8}}), (std::vector<int32_t>{46, 85, BLANK_TILE}));
  EXPECT_EQ(std::pair(Doc().undoSteps, map->view.selectionShown),
            std::pair(std::vector<HistoryStep>{{7 * 256 + 254, 3, 2, HISTORY_REGION}}, 0));
  EXPECT_EQ(PlaceWithEditTool(t.editor, Window(), 256, 0, 0, Gesture::kDrag), 0);
}

// The rubber band in each direction from an anchor at cell (10, 10).
TEST_F(EngineTest, TheRubberBandIncludesThePointerCellOnlyGoingRightOrDown) {
  Use(TOOL_SELECT);
  struct Case { int column, row; Rect expected; };
  const Case cases[] = {
      {12, 11, {160, 160, 208, 192}},  // right and down: to the far side of the pointer's cell
      {8, 11, {144, 160, 160, 192}},   // left: stops short of the pointer's cell and the anchor's
      {12, 8, {160, 144, 208, 160}},   // up
      {8, 8, {144, 144, 160, 160}},    // left and up
      {300, -5, {160, 0, 4096, 160}},  // past the map: the corner stays on it
  };
  for (const Case& c : cases) {
    Drag({{10, 10}, {c.column, c.row}});
    EXPECT_EQ(map->view.selection, c.expected) << c.column << "," << c.row;
    EXPECT_EQ(map->view.selectionCells, SelectionCellsOf(c.expected));
  }
  Drag({{10, 10}, {9, 12}});  // no width: hidden
  EXPECT_EQ((std::pair{map->view.selectionShown, Doc().undoCount()}), (std::pair{0, 0}));
}

TEST_F(EngineTest, WallsJoinTheirNeighboursAndUndoTakesBackOnlyThePlacedCell) {
  Use(TOOL_WALL);
  t.editor.tools.currentWallSet = 1;
  const auto& set = wallSets[1];
  // A crossing: four arms first, then the middle.
  Drag({{20, 19}, {20, 21}});
  for (auto [column, row] : {std::pair{19, 20}, {21, 20}, {20, 20}}) Click(column, row);
  EXPECT_EQ(Tiles({{20, 20}, {20, 19}, {21, 20}}), (std::vector{set[14], set[2], set[1]}));
  ASSERT_EQ(UndoLastStep(t.editor), 1);
  EXPECT_EQ(Tiles({{20, 20}, {20, 19}}), (std::vector{BLANK_TILE, set[2]}));  // the re-joined arm keeps its piece
  // Column 255 does not join column 0; the piece at column 0 joins right.
  Click(255, 5);
  Drag({{0, 5}, {1, 5}});
  EXPECT_EQ(Tiles({{0, 5}, {1, 5}}), (std::vector{set[0], set[1]}));
}

TEST_F(EngineTest, FlagsAndSwitchesAreCutAtTheEdgeAndAskOnThePressOnly) {
  Use(TOOL_FLAG);
  t.editor.tools.currentTeam = TEAM_BLUE;
  map->view.selectionShown = 1;
  Drag({{254, 10}, {254, 11}});
  EXPECT_EQ((std::vector{At(255, 10), At(0, 11)}), (std::vector<CellValues>{{-1, flagObjects[TEAM_BLUE][1], 0}, {}}));
  EXPECT_EQ(map->view.selectionShown, 0);
  // Once for the drag, answered No.
  EXPECT_EQ(testing::Shown(t.ui), testing::Texts{"Flag Placed: Would you like to set the game type to \"Flag Game\""});

  Use(TOOL_SWITCH);
  Doc().gameType = 2;
  Click(40, 40);
  EXPECT_EQ(t.ui.messages.size(), 1u);  // nothing asked on a Switch game
  // At the corner the switch is cut, as one step that undoes whole.
  map->view.hoverRect = Rect{16, 16, 32, 32};
  Click(254, 254);
  EXPECT_EQ(std::tuple(At(254, 255), At(255, 255), map->view.hoverRect),
            std::tuple(CellValues{switchObject[3], -1, -1}, CellValues{-1, SWITCH_ANIM, 0}, Rect{}));
  ASSERT_TRUE(UndoLastStep(t.editor));
  EXPECT_EQ(std::pair(At(255, 255), At(41, 41).anim), std::pair(CellValues{}, SWITCH_ANIM));
}

TEST_F(EngineTest, SpawnsWriteTheirFiveCellsAsOneStepOfTheirKind) {
  Use(TOOL_SPAWN);
  t.editor.tools.animOffsetText = "6";
  t.editor.tools.spawnKind = 1, t.editor.tools.currentTeam = TEAM_NEUTRAL;
  Doc().At(1, 1).SetValues({55, -1, -1});
  Click(1, 1);
  EXPECT_EQ(At(1, 1), (CellValues{55, spawnObjects[12][0], 6}));  // the tile word stays

  t.editor.tools.spawnKind = 0, t.editor.tools.currentTeam = TEAM_RED;
  for (int style : {0, 8}) {
    t.editor.tools.spawnStyle = style;
    Paint(10, 10, 3, 3);
    Click(10, 10);
    EXPECT_EQ(At(11, 11).tile, spawnObjects[style + TEAM_RED][2]);
    EXPECT_EQ(Changes(10, 10, 3, 3), style == 8 ? "X.X/.X./X.X" : ".X./XXX/.X.");
    EXPECT_EQ(Doc().undoSteps.back().kind, style == 8 ? HISTORY_SPAWN_CROSS : HISTORY_SPAWN_PLUS);
  }
}

// Undo of each kind is tested on the history itself; here the tool picks the kind.
TEST_F(EngineTest, RectangleToolsFitTheRubberBandAndWriteTheCellsOfTheirUndoKind) {
  Use(TOOL_HOLDING_PEN);
  t.editor.tools.currentTeam = TEAM_BLUE;
  Drag({{0, 0}, {3, 2}});  // 4 x 3
  EXPECT_EQ(Tiles({{2, 1}, {1, 1}}), (std::vector{holdingPens[0][1 + TEAM_BLUE], holdingPens[0][0]}));
  EXPECT_EQ(map->view.selectionCells, (SelectionCells{0, 4, 3}));

  Use(TOOL_CONVEYOR);
  t.editor.tools.conveyorDirection = 1;
  Paint(20, 20, 5, 4);
  Drag({{20, 20}, {24, 23}});
  const int32_t* e = conveyorAnims[1];
  EXPECT_EQ((std::vector{At(20, 20).anim, At(24, 20).anim, At(20, 21).anim, At(22, 21).anim}),
            (std::vector{e[0], e[1], e[2], e[5]}));
  EXPECT_EQ(Changes(20, 20, 5, 4), "XXXXX/XXXXX/...../.....");  // two rows only

  Use(TOOL_BUNKER);
  for (int variant = TOOL_BUNKER_LEFT; variant <= TOOL_BUNKER_DOWN; ++variant) {
    t.editor.tools.currentVariantCommand = variant;
    Paint(50, 50, 4, 3);
    Drag({{50, 50}, {53, 52}});
    const int32_t kind = Doc().undoSteps.back().kind;
    EXPECT_EQ(Changes(50, 50, 4, 3), Picture(4, 3, [&](int c, int r) { return StepKindHasCell(kind, r, c, 4, 3); }));
  }

  Use(TOOL_BRIDGE);  // rows and columns take their classes
  t.editor.tools.currentVariantCommand = TOOL_BRIDGE_LEFT_RIGHT;
  Drag({{0, 0}, {2, 2}});  // 3 rows: top, second, bottom
  EXPECT_EQ(Tiles({{0, 1}, {1, 2}}), (std::vector{bridgeTiles[18], bridgeTiles[28]}));
  t.editor.tools.currentVariantCommand = TOOL_BRIDGE_UP_DOWN;
  Drag({{10, 0}, {15, 2}});  // 6 wide: first, second, inner, inner, second-to-last, last
  EXPECT_EQ(Tiles({{13, 1}, {14, 2}, {11, 0}}), (std::vector{bridgeTiles[7], bridgeTiles[13], bridgeTiles[1]}));
}

TEST_F(EngineTest, FillCoversTheSelectionWithTheBlockAndAsksForAnimations) {
  map->view.selection = Rect{0, 0, 5 * 16, 3 * 16};
  EXPECT_EQ(FillSelection(t.editor, Window()), -1);  // not shown
  map->view.selectionShown = 1;
  t.editor.tools.currentTile = 100;
  t.editor.tools.blockWidth = t.editor.tools.blockHeight = 2;
  EXPECT_EQ(FillSelection(t.editor, Window()), 1);
  // The third copy cut to one column, the second band to one row.
  EXPECT_EQ(Tiles({{4, 0}, {3, 1}, {1, 2}}), (std::vector{100, 141, 101}));
  t.editor.tools.animationMode = 1, t.editor.tools.currentAnimation = flagObjects[TEAM_BLUE][4];
  FillSelection(t.editor, Window());
  EXPECT_EQ(testing::Shown(t.ui), testing::Texts{"Flag Placed: Would you like to set game type to \"Flag Game\""});
}

// Keys on a 2 x 1 selection at cell (5, 4), scrolled to (0, 0), client 320 x 240.
TEST_F(EngineTest, SelectionKeysInBothEdgeModes) {
  struct Case { SelectionKey key; bool alt; int mode; Rect start, expected; KeyScroll scroll; };
  const Rect two{80, 64, 112, 80};
  const Case cases[] = {
      {SelectionKey::kLeft, false, 0, two, {64, 64, 96, 80}, {}},
      {SelectionKey::kRight, false, 0, {256, 64, 288, 80}, {272, 64, 304, 80}, {2, 0}},
      {SelectionKey::kLeft, true, 0, two, {64, 64, 112, 80}, {}},
      {SelectionKey::kRight, true, 0, {80, 64, 4096, 80}, {80, 64, 4096, 80}, {}},
      {SelectionKey::kLeft, true, 1, two, {80, 64, 96, 80}, {}},  // shrinks from the right
      {SelectionKey::kLeft, true, 1, {80, 64, 96, 80}, {64, 64, 80, 80}, {}},  // one wide: moves
      {SelectionKey::kLeft, true, 1, {0, 64, 16, 80}, {0, 64, 16, 80}, {}},
      {SelectionKey::kDown, false, 0, {80, 176, 112, 192}, {80, 192, 112, 208}, {0, 2}},
      {SelectionKey::kUp, true, 1, {80, 64, 112, 80}, {80, 48, 112, 64}, {}},  // one tall: moves
  };
  for (const Case& c : cases) {
    t.editor.edgeExtendMode = c.mode;
    Select(c.start);
    const KeyScroll scroll = PressSelectionKey(t.editor, Window(), c.key, c.alt, {0, 0, 320, 240});
    EXPECT_EQ(std::tuple(map->view.selection, map->view.selectionCells, scroll),
              std::tuple(c.expected, SelectionCellsOf(c.expected), c.scroll)) << int(c.key) << c.alt << c.mode;
  }
  t.editor.edgeExtendMode = 0;
  PressSelectionKey(t.editor, Window(), SelectionKey::kF1, true, {});
  EXPECT_EQ(t.editor.edgeExtendMode, 1);
}

TEST_F(EngineTest, CutBlanksAndPasteRefusesShortBlocks) {
  EXPECT_EQ(DeleteSelection(t.editor, Window()), 1);  // no selection: a step that changes nothing
  EXPECT_EQ(Doc().undoSteps.back(), (HistoryStep{-1, -1, -1, HISTORY_REGION}));
  Doc().At(250, 3).SetValues({-1, 5, 3});
  Select(Rect{250 * 16, 3 * 16, 252 * 16, 5 * 16});
  const std::optional<std::vector<uint8_t>> bytes = CutSelectionBytes(t.editor);
  ASSERT_TRUE(bytes && bytes->size() == 16u);
  EXPECT_EQ(At(250, 3), CellValues{});
  EXPECT_EQ(Doc().undoSteps.back(), (HistoryStep{3 * 256 + 250, 2, 2, HISTORY_REGION}));
  // Paste refuses a block one byte short, changing nothing.
  EXPECT_EQ(PasteClipboardBytes(t.editor, std::vector<uint8_t>(bytes->begin(), bytes->end() - 1)), 1);
  EXPECT_EQ(Doc().undoCount(), 2);
  // The whole block pasted back at the selection.
  EXPECT_EQ(PasteClipboardBytes(t.editor, *bytes), 1);
  EXPECT_EQ(At(250, 3), (CellValues{-1, 5, 3}));
}

TEST_F(EngineTest, MirrorRotateAndCopyNeedASelection) {
  EXPECT_EQ(MirrorSelection(t.editor) + RotateSelection(t.editor), 0);
  EXPECT_FALSE(CopySelectionBytes(t.editor));
  EXPECT_EQ(testing::Shown(t.ui), testing::Texts(3, "Error - Non-Fatal: You have not created a selection mask\n"
                                                     "See zormpd.rtf for information on the Select Tool"));
  EXPECT_TRUE(Doc().undoSteps.empty());
  map->view.selectionCells = SelectionCells{5, 0, 3};  // a band with no width keeps its height
  EXPECT_EQ(*CopySelectionBytes(t.editor), (std::vector<uint8_t>{'Z', 'O', 'R', '0', 0, 0, 0, 3}));
}

TEST_F(EngineTest, MirrorKeepsTheSelectionAndRotateTurnsIt) {
  t.editor.tables.mirror.entries = {{{1, 2, 3, 4}}};  // tile 1 mirrors to 2 top to bottom and turns into 5
  t.editor.tables.rotate.entries = {{{1, 5, 6, 7}}};
  Doc().At(20, 5).SetValues({1, -1, -1});
  Select(Rect{320, 80, 368, 96});
  t.editor.tools.mirrorDirection = MIRROR_DOWN;
  EXPECT_EQ(MirrorSelection(t.editor), 1);
  EXPECT_EQ(std::pair(At(20, 6).tile, t.editor.Selection()), std::pair(2, SelectionCells{5 * 256 + 20, 3, 1}));
  Doc().At(50, 60).SetValues({1, -1, -1});
  Select(Rect{800, 960, 848, 976});
  EXPECT_EQ(RotateSelection(t.editor), 1);
  EXPECT_EQ(std::pair(map->view.selection, At(50, 60).tile), std::pair(Rect{800, 960, 816, 1008}, 5));
  Select(Rect{4064, 0, 4080, 64});  // near the right edge the turned selection is cut at the map's last column
  EXPECT_EQ(RotateSelection(t.editor), 1);
  EXPECT_EQ(std::pair(t.editor.Selection(), map->view.selection),
            std::pair(SelectionCells{254, 2, 1}, Rect{4064, 0, 4096, 16}));
}

}  // namespace
}  // namespace quarl
