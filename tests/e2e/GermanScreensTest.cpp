// The German words and texts as a player meets them, at 800 x 600 and
// 1024 x 768: the main menu, the options, the high scores, the how-to-play
// page and a level with an umlaut on a cube, each text inside the box its
// screen gives it. German runs longer than English; a text too wide for its
// box shows its ink along the box's edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/PageScript.h"
#include "puzzle/LevelSet.h"
#include "tests/support/GameDriver.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

// The texts of menus, top bar and pages are white to light blue; the
// backdrops, the glow of a highlight and the orange numbers are not.
bool Ink(Rgb c) { return c.r + c.g + c.b >= 540 && c.b >= 200; }

struct Box {
  int x0, y0, x1, y1;
  bool centred = true;  // else the text starts at the left and only the right edge is watched
};

// Boxes side by side over rows y0..y1, the width cut where the screen cuts it.
std::vector<Box> Columns(int y0, int y1, const std::vector<int>& cuts) {
  std::vector<Box> boxes;
  for (size_t i = 0; i + 1 < cuts.size(); ++i) boxes.push_back({cuts[i], y0, cuts[i + 1], y1, true});
  return boxes;
}

// Where the screens put their texts (menus: entries 36 pixels apart from
// 252 and 432 pixels above the bottom; options: labels in the left half,
// choices in the right; the top bar and the score buttons in thirds).
std::vector<Box> MainMenuBoxes(int w, int h) { return Columns(h - 252, h, {0, w}); }
std::vector<Box> OptionsBoxes(int w, int h) {
  std::vector<Box> boxes = Columns(h - 432, h - 432 + 8 * 36, {0, w / 2, w});
  boxes.push_back({0, h - 432 + 8 * 36, w, h - 432 + 9 * 36, true});
  return boxes;
}
std::vector<Box> ThirdsBoxes(int w, int y0, int y1) {
  return Columns(y0, y1, {0, static_cast<int>(w * 0.33), static_cast<int>(w * 0.66), w});
}
std::vector<Box> ScoresBoxes(int w, int h) {
  std::vector<Box> boxes = Columns(0, 36, {0, w});
  for (const Box& box : Columns(64, 96, {0, w / 4, w * 3 / 4, w})) boxes.push_back(box);
  for (const Box& box : ThirdsBoxes(w, h - 40, h - 4)) boxes.push_back(box);
  return boxes;
}

// The framed boxes of a page script, scaled from the page to the screen:
// their texts start at the left, and the right edge is where the box turns
// solid (it fades in over 24 page pixels from its frame, over whatever the
// page shows behind it).
std::vector<Box> PageBoxes(const std::string& script, int w, int h) {
  constexpr int kSoftEdge = 24;
  const std::string bytes = ReadFile(script);
  std::u16string units;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
  std::vector<Box> boxes;
  std::unique_ptr<PageDescription> page = ReadPageScript(units.data(), units.size());
  if (!page) return boxes;
  for (const PageElement& e : page->elements)
    if (e.kind == kPageCarreDegrade)
      boxes.push_back({e.x * w / kPageWidth, (e.y + kSoftEdge) * h / kPageHeight,
                       (e.x + e.w - kSoftEdge) * w / kPageWidth, (e.y + e.h - kSoftEdge) * h / kPageHeight, false});
  return boxes;
}

constexpr int kEdge = 3;  // pixels along the sides of a box that its text leaves free
constexpr int kShowsText = 40;  // ink pixels of a box that holds a text

bool EveryBoxShowsText(const Image& shot, const std::vector<Box>& boxes) {
  for (const Box& b : boxes)
    if (shot.Count(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, Ink) <= kShowsText) return false;
  return !shot.Empty();
}

void ExpectTextsInside(const Image& shot, const std::vector<Box>& boxes, const std::string& screen) {
  ASSERT_FALSE(shot.Empty()) << screen;
  for (const Box& b : boxes) {
    const std::string where = screen + " box " + std::to_string(b.x0) + "," + std::to_string(b.y0) + " to " +
                              std::to_string(b.x1) + "," + std::to_string(b.y1);
    const int height = b.y1 - b.y0;
    EXPECT_GT(shot.Count(b.x0, b.y0, b.x1 - b.x0, height, Ink), kShowsText) << where << " shows no text";
    const int left = b.centred ? shot.Count(b.x0, b.y0, kEdge, height, Ink) : 0;
    EXPECT_EQ(left + shot.Count(b.x1 - kEdge, b.y0, kEdge, height, Ink), 0) << where << ": a text runs past it";
  }
}

// Pixels of the boxes that are ink in one picture and not in the other.
int InkChanges(const Image& a, const Image& b, const std::vector<Box>& boxes) {
  int changes = 0;
  for (const Box& box : boxes)
    for (int y = box.y0; y < box.y1; ++y)
      for (int x = box.x0; x < box.x1; ++x) changes += Ink(a.At(x, y)) != Ink(b.At(x, y));
  return changes;
}

// The window once a screen has come in: it differs from what stood before in
// a twentieth of its pixels, each of its boxes shows text, and its texts
// stand still from one look to the next a second later (screens fade in, and
// take their time on a loaded machine). Empty when none came.
Image ShownScreen(const GameDriver& game, const Image& before, const std::vector<Box>& boxes) {
  Image last, shown;
  GameDriver::WaitUntil(
      [&] {
        const Image shot = game.Screenshot();
        const bool changed =
            before.Empty() || shot.CountDifferent(before, 0, 0, shot.width, shot.height) > shot.width * shot.height / 20;
        const bool still = !last.Empty() && InkChanges(shot, last, boxes) <= kShowsText;
        last = shot;
        if (changed && still && EveryBoxShowsText(shot, boxes)) shown = shot;
        return !shown.Empty();
      },
      30000, 1000);
  return shown;
}

// The first level of the set with Ä or Ü on a movable cube, and its code.
int UmlautLevel(const LevelSet& set, std::string& code) {
  for (size_t i = 0; i < set.levels.size(); ++i) {
    const LevelRecord& level = set.levels[i];
    for (int square = 0; square < kLayerSquares; ++square) {
      const char16_t letter = level.letters[square];
      if (level.walls[square] == CUBE && (letter == u'Ä' || letter == u'Ü')) {
        code.assign(reinterpret_cast<const char*>(level.code), kCodeLength);
        return static_cast<int>(i);
      }
    }
  }
  return -1;
}

// Starts the game with the German set and language at the size.
bool StartGerman(GameDriver& game, int w, int h, const std::vector<std::string>& args = {"-windowed"}) {
  game.WriteFile("config.ini", "Width=" + std::to_string(w) + "\nHeight=" + std::to_string(h) +
                                   "\nSpeed=8\nSound=0\nMusic=0\nDifficulty=0\nReflect=1\nShadow=1\n"
                                   "LangLevel=3\nLang=de\n");
  if (!game.Start(args)) return false;
  game.MoveMouse(2, 2);
  return true;
}

class GermanScreens : public ::testing::TestWithParam<std::pair<int, int>> {};

// Each screen from a fresh start, as the main menu reaches it.
TEST_P(GermanScreens, MenusOptionsScoresAndPageKeepEveryTextInsideItsBox) {
  const auto [w, h] = GetParam();
  const std::string size = std::to_string(w) + "x" + std::to_string(h) + " ";
  const struct {
    const char* name;
    std::vector<std::string> keys;  // from the main menu
    std::vector<Box> boxes;
  } screens[] = {
      {"main menu", {}, MainMenuBoxes(w, h)},
      {"options", {"Down", "Return"}, OptionsBoxes(w, h)},
      {"high scores", {"Down", "Down", "Return"}, ScoresBoxes(w, h)},
      {"how-to-play page", {"Down", "Down", "Down", "Return"},
       PageBoxes(GameTreeDir() + "/data/order/scriptorder2_de.txt", w, h)},
  };
  for (const auto& screen : screens) {
    GameDriver game;
    ASSERT_TRUE(StartGerman(game, w, h)) << game.Stderr();
    const Image menu = ShownScreen(game, Image(), MainMenuBoxes(w, h));
    ASSERT_FALSE(menu.Empty()) << size << "no main menu";
    game.Keys(screen.keys);
    const Image shot = screen.keys.empty() ? menu : ShownScreen(game, menu, screen.boxes);
    ASSERT_FALSE(shot.Empty()) << size << screen.name << " did not come";
    ExpectTextsInside(shot, screen.boxes, size + screen.name);
    EXPECT_EQ(game.Stop(), 0);
    EXPECT_NE(game.Stdout().find("--- Deutsch german.lvl\n"), std::string::npos) << game.Stdout();
    EXPECT_EQ(game.Stderr(), "");
  }
}

// The first German level with an umlaut on a cube, its words listed in the
// top bar under the level's start message.
TEST_P(GermanScreens, ALevelWithAnUmlautKeepsTheTopBarInItsThirds) {
  const auto [w, h] = GetParam();
  LevelSet german;
  std::string error, code;
  ASSERT_TRUE(ReadLevelSetFile((GameTreeDir() + "/data/level/german.lvl").c_str(), german, error)) << error;
  const int level = UmlautLevel(german, code);
  ASSERT_GE(level, 0) << "no German level has Ä or Ü on a cube";
  const std::string number = std::to_string(level + 1);
  GameDriver game;
  ASSERT_TRUE(StartGerman(game, w, h, {"-windowed", "-level", number})) << game.Stderr();
  ASSERT_TRUE(game.WaitForStdout("Level " + number + ": Code " + code, 10000)) << game.Stdout();
  const std::vector<Box> bar = ThirdsBoxes(w, 0, 112);
  const Image shot = ShownScreen(game, Image(), bar);
  ASSERT_FALSE(shot.Empty()) << "no top bar";
  ExpectTextsInside(shot, bar, std::to_string(w) + "x" + std::to_string(h) + " top bar of level " + number);
  EXPECT_EQ(game.Stop(), 0);
  EXPECT_EQ(game.Stderr(), "");
}

INSTANTIATE_TEST_SUITE_P(Sizes, GermanScreens, ::testing::Values(std::make_pair(800, 600), std::make_pair(1024, 768)));

}  // namespace
