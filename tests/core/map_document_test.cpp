#include <gtest/gtest.h>

#include "app/scripted_user_interface.h"
#include "map/new_map.h"

namespace quarl {
namespace {

TEST(MapDocumentList, WalksInCreationOrderAndFindsByWindow) {
  Editor editor;
  ScriptedUserInterface ui(editor);
  editor.ui = &ui;
  MapDocument* a = CreateNewMAP(editor);
  MapDocument* b = CreateNewMAP(editor);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(editor.activeMapWindow, b->hwnd);
  EXPECT_EQ(editor.maps.First(), a);
  EXPECT_EQ(editor.maps.FindMapDocument(b->hwnd), b);
  EXPECT_EQ(editor.maps.FindMapDocument(0), nullptr);
  EXPECT_EQ(editor.maps.FindMapDocument(9999), nullptr);
  editor.maps.RemoveMapDocument(a->hwnd);
  EXPECT_EQ(editor.maps.First(), b);
  EXPECT_EQ(editor.maps.Size(), 1u);
}

TEST(CreateNewMAP, GivesTheNewMapDefaults) {
  Editor editor;
  ScriptedUserInterface ui(editor);
  editor.ui = &ui;
  MapDocument* doc = CreateNewMAP(editor);
  ASSERT_TRUE(doc);
  for (const Cell& c : doc->cells) ASSERT_EQ(c.Values(), (CellValues{280, -1, -1}));
  EXPECT_TRUE(doc->cellHistories.empty());
  EXPECT_EQ(doc->name, "Untitled");
  EXPECT_EQ(doc->nameLength(), 8);
  EXPECT_TRUE(doc->path.empty());
  EXPECT_EQ(doc->maxPlayers, 64);
  EXPECT_EQ(doc->holding, 20);
  EXPECT_EQ(doc->teamCount, 2);
  EXPECT_EQ(doc->powerups, 12);
  EXPECT_EQ(doc->laserDamage, 2);
  EXPECT_EQ(doc->bouncies, 1);
  EXPECT_EQ(doc->magic, 0x4278);
  EXPECT_EQ(ui.titles[doc->hwnd], "Untitled");
}

TEST(CreateNewMAP, ClassRegistrationIsTriedOnceAndFailureIsReported) {
  Editor editor;
  ScriptedUserInterface ui(editor);
  editor.ui = &ui;
  ui.classRegistrationSucceeds = false;
  EXPECT_EQ(CreateNewMAP(editor), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Unable to register window class!");
  EXPECT_EQ(ui.messages[0].title, "Error - Non-fatal");
  EXPECT_TRUE(editor.maps.Empty());
  ui.classRegistrationSucceeds = true;  // not asked again
  EXPECT_EQ(CreateNewMAP(editor), nullptr);
}

}  // namespace
}  // namespace quarl
