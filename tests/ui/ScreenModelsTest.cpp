// The high-score pages, the name entry and the code entry fed with events as
// the screens will feed them.
#include <gtest/gtest.h>

#include <cmath>

#include "ui/CodeEntry.h"
#include "ui/HighScorePager.h"
#include "ui/NameEntry.h"

namespace {

constexpr int kW = 800, kH = 600, kMenuFont = 40;

TEST(HighScorePages, KeysAndButtonsTurnTenLevelPagesWithinTheTable) {
  ScoreTable table;
  ResetScoreTable(table);
  HighScorePager pager;
  EXPECT_EQ(pager.PageStart(), 0);
  EXPECT_EQ(pager.Highlighted(), kScoreButtonBack);
  // Previous on the first page does nothing.
  EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_LEFT), table), HighScoreAction::kNone);
  EXPECT_EQ(pager.PageStart(), 0);
  for (int page = 1; page < 6; ++page) {
    EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_RIGHT), table), HighScoreAction::kRebuild);
    EXPECT_EQ(pager.PageStart(), page * 10);
  }
  // Next on the last page (levels 51..60) does nothing; key presses never act.
  EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_RIGHT), table), HighScoreAction::kNone);
  EXPECT_EQ(pager.Event(UiEvent::KeyPress(SDLK_LEFT), table), HighScoreAction::kNone);
  EXPECT_EQ(pager.PageStart(), 50);

  // The button line starts at base - m/2 = trunc(600 - 60) - 20 = 520.
  pager.PointerMoved(10, 520, kW, kH, kMenuFont);
  EXPECT_EQ(pager.Highlighted(), kScoreButtonBack) << "on the edge, still above the buttons";
  pager.PointerMoved(10, 521, kW, kH, kMenuFont);
  EXPECT_EQ(pager.Highlighted(), kScoreButtonPrevious);
  EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_KP_ENTER), table), HighScoreAction::kRebuild);
  EXPECT_EQ(pager.PageStart(), 40);
  // Press over Previous, release over Next: nothing; press and release over Next.
  pager.Event(UiEvent::ButtonPress(1, 10, 560), table);
  pager.PointerMoved(700, 560, kW, kH, kMenuFont);
  EXPECT_EQ(pager.Event(UiEvent::ButtonRelease(1, 700, 560), table), HighScoreAction::kNone);
  pager.Event(UiEvent::ButtonPress(1, 700, 560), table);
  EXPECT_EQ(pager.Event(UiEvent::ButtonRelease(1, 700, 560), table), HighScoreAction::kRebuild);
  EXPECT_EQ(pager.PageStart(), 50);
  // The pointer leaving the buttons keeps the highlight; Enter presses it.
  pager.PointerMoved(400, 100, kW, kH, kMenuFont);
  EXPECT_EQ(pager.Highlighted(), kScoreButtonNext);
  pager.PointerMoved(400, 560, kW, kH, kMenuFont);
  EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_RETURN), table), HighScoreAction::kLeave);
  EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_ESCAPE), table), HighScoreAction::kLeave);

  table.entries[55].moves = 12;
  EXPECT_EQ(pager.Event(UiEvent::KeyRelease(SDLK_F1), table), HighScoreAction::kRebuild);
  EXPECT_EQ(table.entries[55].moves, 10000);
}

TEST(HighScorePages, RowsShowLevelMovesAndName) {
  ScoreTable table;
  ResetScoreTable(table);
  table.entries[14].moves = 37;
  ScoreRowTexts row = ScoreRow(table, 12, 14);  // level 13 of a reordered set keeps record 15
  EXPECT_EQ(row.level, " 13");  // "% 2d": a blank for the sign
  EXPECT_EQ(row.moves, "37");
  EXPECT_EQ(row.name.ToUtf8(), "ORB GAMES");
  EXPECT_EQ(ScoreRow(table, 0, 0).level, " 1");
}

void Type(NameEntryModel& entry, int key, int character) {
  entry.Event(UiEvent::KeyPress(key, character), kH);
  entry.EndFrame();
}

TEST(NameEntry, EditsByTheLastKeyOfAFrameWithinTwentyCharacters) {
  NameEntryModel entry("Bo\x01" "b");  // the last name, cleaned of what no name holds
  EXPECT_EQ(entry.Name(), "Bob");
  EXPECT_EQ(entry.NameLine().ToUtf8(), "Bob_");
  Type(entry, SDLK_BACKSPACE, 8);
  EXPECT_EQ(entry.Name(), "Bo");
  // Several presses in one frame (key repeat outrunning the frame rate): only
  // the last one counts.
  entry.Event(UiEvent::KeyPress(SDLK_x, 'x'), kH);
  entry.Event(UiEvent::KeyPress(SDLK_y, 'y'), kH);
  EXPECT_TRUE(entry.EndFrame());
  EXPECT_FALSE(entry.EndFrame());
  EXPECT_EQ(entry.Name(), "Boy");
  Type(entry, SDLK_SEMICOLON, ';');  // not a name character
  Type(entry, SDLK_UNKNOWN, 0x416);  // Cyrillic: the menu font's Latin-1 only
  Type(entry, SDLK_WORLD_73, 0xE9);  // é
  Type(entry, SDLK_SPACE, ' ');
  Type(entry, SDLK_7, '7');
  EXPECT_EQ(entry.Name(), "Boy\xE9 7");
  for (int i = 0; i < 30; ++i) Type(entry, SDLK_a, 'A');
  EXPECT_EQ(entry.Name().size(), 20u);
  EXPECT_EQ(entry.Name(), "Boy\xE9 7AAAAAAAAAAAAAA");
  EXPECT_EQ(entry.NameLine().ToUtf8(), "Boy\xC3\xA9 7AAAAAAAAAAAAAA_");
  EXPECT_FALSE(entry.Done());
  entry.Event(UiEvent::KeyRelease(SDLK_RETURN), kH);
  EXPECT_TRUE(entry.Done());
}

TEST(NameEntry, AnEmptyNameIsNotAcceptedAndOkNeedsPressAndReleaseOnIt) {
  NameEntryModel entry("");
  Type(entry, SDLK_BACKSPACE, 8);
  EXPECT_EQ(entry.Name(), "");
  entry.Event(UiEvent::KeyRelease(SDLK_RETURN), kH);
  EXPECT_FALSE(entry.Done());
  // Ok: oy = trunc(300 + 48) = 348, open band 332 < y < 364.
  EXPECT_FALSE(NameEntryModel::OkUnderPointer(332, kH));
  EXPECT_TRUE(NameEntryModel::OkUnderPointer(333, kH));
  EXPECT_TRUE(NameEntryModel::OkUnderPointer(363, kH));
  EXPECT_FALSE(NameEntryModel::OkUnderPointer(364, kH));
  entry.Event(UiEvent::ButtonPress(1, 400, 348), kH);
  entry.Event(UiEvent::ButtonRelease(1, 400, 348), kH);
  EXPECT_FALSE(entry.Done()) << "empty name";
  Type(entry, SDLK_z, 'z');
  entry.Event(UiEvent::ButtonPress(1, 400, 100), kH);
  entry.Event(UiEvent::ButtonRelease(1, 400, 348), kH);
  EXPECT_FALSE(entry.Done()) << "pressed elsewhere";
  entry.Event(UiEvent::ButtonPress(1, 400, 340), kH);
  entry.Event(UiEvent::ButtonRelease(1, 400, 350), kH);
  EXPECT_TRUE(entry.Done());
  EXPECT_EQ(entry.Name(), "z");
}

std::string CodeText(const CodeEntryModel& entry) { return std::string(reinterpret_cast<const char*>(entry.Code()), 5); }

TEST(CodeEntry, LettersGoUpperCaseAtTheCursorWhichStaysInFive) {
  CodeEntryModel entry;
  EXPECT_EQ(CodeText(entry), "AAAAA");
  EXPECT_EQ(entry.Event(UiEvent::KeyPress(SDLK_l, 'l')), CodeEntryAction::kChanged);
  EXPECT_EQ(entry.Event(UiEvent::KeyPress(SDLK_1, '1')), CodeEntryAction::kNone);
  entry.Event(UiEvent::KeyPress(SDLK_m, 'M'));
  EXPECT_EQ(entry.Cursor(), 2);
  for (char c : std::string("fwhxyz")) entry.Event(UiEvent::KeyPress(SDLK_a + (c - 'a'), c));
  EXPECT_EQ(CodeText(entry), "LMFWZ");  // the last letters overwrite the fifth
  EXPECT_EQ(entry.Cursor(), 4);
  entry.Event(UiEvent::KeyRelease(SDLK_RIGHT));
  EXPECT_EQ(entry.Cursor(), 4);
  entry.Event(UiEvent::KeyRelease(SDLK_BACKSPACE));
  entry.Event(UiEvent::KeyRelease(SDLK_LEFT));
  EXPECT_EQ(entry.Cursor(), 2);
  for (int i = 0; i < 4; ++i) entry.Event(UiEvent::KeyRelease(SDLK_LEFT));
  EXPECT_EQ(entry.Cursor(), 0);
  entry.Event(UiEvent::KeyPress(SDLK_BACKSPACE, 8));  // presses of editing keys type nothing
  EXPECT_EQ(CodeText(entry), "LMFWZ");
  EXPECT_EQ(entry.Event(UiEvent::KeyRelease(SDLK_KP_ENTER)), CodeEntryAction::kSearch);
  EXPECT_EQ(entry.Event(UiEvent::KeyRelease(SDLK_ESCAPE)), CodeEntryAction::kCancel);
}

}  // namespace
