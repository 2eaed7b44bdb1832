// The board scene's pixels: the cube's look follows the rules' turns (its
// faces upright and unmirrored), ground letters lie only on solution squares,
// glows, the mirror at strength 0, shadows kept on the board, a 1 x 1 board,
// and every theme's levels 1, 30 and 60 drawn without a GL error and the
// same with and without the drawing shortcuts; and a
// renderer leaves no GL object behind.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine3d/Material.h"
#include "engine3d/Texture.h"
#include "puzzle/Cube.h"
#include "tests/render/SceneFixture.h"

using namespace scenetest;
using testsupport::Image;
using testsupport::Rgb;

namespace {

constexpr float s = kSquareSize;

int Brightness(const Rgb& c) { return c.r + c.g + c.b; }
int Difference(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// Tile f: a dark colour of its own with a white bar along the top edge and a
// black one down the left side, so that a turned or mirrored face shows.
const uint8_t kTileColours[6][3] = {{150, 20, 20}, {20, 130, 20}, {20, 30, 150},
                                    {130, 110, 10}, {120, 20, 120}, {10, 110, 120}};
Texture* MarkedAtlas() {
  Texture* texture = new Texture;
  texture->Create(64, 512, 24);
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = &texture->pixels[(static_cast<size_t>(y) * 64 + x) * 3];
      const int tile = y / 64, ty = y % 64;
      const bool bar = ty >= 6 && ty < 18 && x >= 12 && x < 52, side = x >= 4 && x < 20 && ty >= 20 && ty < 52;
      for (int c = 0; c < 3; ++c) p[c] = bar ? 255 : side ? 0 : tile < 6 ? kTileColours[tile][c] : 60;
    }
  return texture;
}

TEST_F(SceneTest, TheMarkOnTopTurnsByTheRulesQuarterTurns) {
  std::vector<std::string> rows(9, std::string(9, '.'));
  rows[4][4] = 'A';
  StartSource(puzzletest::OneLevel(rows, {"A 4 4 h"}));
  Cube& cube = *puzzle.Level().cubes[0];
  for (Material* look : {cube.looks[0], cube.looks[1]}) look->SetBaseTexture(MarkedAtlas());
  std::srand(11);
  frame.drawArrows = 0;
  for (int roll = 0; roll < 40; ++roll) {
    const CameraPose above{0, -90, 0.35f, 1,
                           {(4.5f - puzzle.CubeRecord(0).x - 0.5f) * s, 0, (4.5f - puzzle.CubeRecord(0).y - 0.5f) * s}};
    const Image image = Draw(above);
    // The face spans about a fifth of the height; sample its four sides.
    const int cx = kWidth / 2, cy = kHeight / 2, d = kHeight / 16, half = kHeight / 40;
    const int sides[4] = {Brightness(image.Mean(cx - half, cy - d - half, 2 * half, 2 * half)),   // North
                          Brightness(image.Mean(cx + d - half, cy - half, 2 * half, 2 * half)),   // East
                          Brightness(image.Mean(cx - half, cy + d - half, 2 * half, 2 * half)),   // South
                          Brightness(image.Mean(cx - d - half, cy - half, 2 * half, 2 * half))};  // West
    int brightest = 0;
    for (int k = 1; k < 4; ++k)
      if (sides[k] > sides[brightest]) brightest = k;
    SCOPED_TRACE("roll " + std::to_string(roll));
    ASSERT_EQ(brightest, cube.UpperTurn()) << sides[0] << " " << sides[1] << " " << sides[2] << " " << sides[3];
    // The letter's left, a quarter turn anticlockwise from its top, is the
    // darkest: the face is not mirrored.
    int darkest = 0;
    for (int k = 1; k < 4; ++k)
      if (sides[k] < sides[darkest]) darkest = k;
    ASSERT_EQ(darkest, (brightest + 3) % 4) << "a mirrored face";
    // The tile's own colour says which slot is on top: the side below the
    // letter, less its grey part (light and glow add white), shows it.
    const int below = (brightest + 2) % 4;
    const int dx[4] = {0, d, 0, -d}, dy[4] = {-d, 0, d, 0};
    const Rgb seen = image.Mean(cx + dx[below] - half, cy + dy[below] - half, 2 * half, 2 * half);
    const auto tint = [](double r, double g, double b, double out[3]) {
      const double low = std::min(r, std::min(g, b));
      out[0] = r - low, out[1] = g - low, out[2] = b - low;
      const double length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]) + 1e-9;
      for (int c = 0; c < 3; ++c) out[c] /= length;
    };
    double seenTint[3];
    tint(seen.r, seen.g, seen.b, seenTint);
    int nearest = 0;
    double best = -2;
    for (int tile = 0; tile < 6; ++tile) {
      double tileTint[3];
      tint(kTileColours[tile][0], kTileColours[tile][1], kTileColours[tile][2], tileTint);
      const double match = seenTint[0] * tileTint[0] + seenTint[1] * tileTint[1] + seenTint[2] * tileTint[2];
      if (match > best) best = match, nearest = tile;
    }
    ASSERT_EQ(nearest, cube.positions.upper);

    int direction;
    do {
      direction = std::rand() % 4;
    } while ((direction == North && puzzle.CubeRecord(0).y < 2) || (direction == South && puzzle.CubeRecord(0).y > 6) ||
             (direction == West && puzzle.CubeRecord(0).x < 2) || (direction == East && puzzle.CubeRecord(0).x > 6));
    ASSERT_EQ(puzzle.MoveSelected(direction), 1);
    // Draw the roll on its way, then let it end.
    for (int step = 0; step < 3; ++step) {
      host.ticks += 60;
      Draw(above);
      puzzle.UpdateLevel();
    }
    puzzletest::FinishRoll(puzzle, host);
  }
}

TEST_F(SceneTest, GroundLettersLieOnlyOnSolutionSquares) {
  StartSource(puzzletest::OneLevel({"#######", "#.....#", "#.CAT.#", "#.....#", "#.....#", "#######"},
                                   {"CAT 2 2 h"}));
  // Roll the three cubes off their squares, South.
  CameraPose camera;
  const Image image = RollSouthAndLookDown(3, camera);
  // Plain squares all look alike; the three letter squares differ from them.
  int px, py;
  Project(1 * s, 0, 1 * s, px, py);
  const Rgb plain = image.Mean(px - 3, py - 3, 6, 6);
  for (int y = 1; y <= 2; ++y)
    for (int x = 1; x <= 5; ++x) {
      Project(x * s, 0, y * s, px, py);
      const Rgb here = image.Mean(px - 8, py - 8, 16, 16);
      const bool letter = y == 2 && x >= 2 && x <= 4;
      const Rgb flat = image.Mean(px - 3, py - 3, 6, 6);
      SCOPED_TRACE("square " + std::to_string(x) + "," + std::to_string(y));
      if (letter)
        EXPECT_GT(Difference(here, plain) + Difference(flat, plain), 40);
      else
        EXPECT_LT(Difference(flat, plain), 12);
    }
}

TEST_F(SceneTest, ALetterOutsideTheAlphabetLeavesItsGroundTilePlain) {
  // O and X stand on the board but belong to no word: the level set's
  // alphabet has no place for them.
  StartSource(puzzletest::OneLevel({"#########", "#.......#", "#.O.C.X.#", "#.......#", "#.......#", "#########"},
                                   {"C 4 2 h"}));
  CameraPose camera;
  const Image image = RollSouthAndLookDown(3, camera);
  int ox, oy, xx, xy, cx, cy;
  Project(2 * s, 0, 2 * s, ox, oy);
  Project(6 * s, 0, 2 * s, xx, xy);
  Project(4 * s, 0, 2 * s, cx, cy);
  const int half = static_cast<int>(std::abs(xx - ox) / 8.0 * 0.8);
  int differO = 0, differC = 0;
  for (int dy = -half; dy <= half; ++dy)
    for (int dx = -half; dx <= half; ++dx) {
      differO += Difference(image.At(ox + dx, oy + dy), image.At(xx + dx, xy + dy)) > 24;
      differC += Difference(image.At(ox + dx, oy + dy), image.At(cx + dx, cy + dy)) > 24;
    }
  // Both plain tiles look alike (up to the perspective); C's square shows
  // its letter.
  EXPECT_GT(differC, half * half / 2);
  EXPECT_LT(differO * 4, differC) << differO << " " << differC;
}

TEST_F(SceneTest, AStaticBlockGlowsFromTheStartAMovableCubeOnlyInPlace) {
  StartSource(puzzletest::OneLevel({"#########", "#.......#", "#.b.....#", "#.......#", "#.....A.#", "#.......#",
                                    "#########"},
                                   {"B 2 2 h", "A 6 4 h"}));
  // Cube 0 is the static B, cube 1 the movable A. Roll A until its letter
  // is no longer upright on top.
  ASSERT_EQ(puzzle.CubeRecord(0).inPlace, 1);
  puzzle.SelectCube(1);
  std::vector<int> rolls;
  for (int direction : {North, West, North, West}) {
    if (!puzzle.CubeRecord(1).inPlace) break;
    ASSERT_EQ(puzzle.MoveSelected(direction), 1);
    puzzletest::FinishRoll(puzzle, host);
    rolls.push_back(direction);
  }
  ASSERT_EQ(puzzle.CubeRecord(1).inPlace, 0);
  frame.drawArrows = 0;
  const CameraPose camera = TopView();
  // A glow pulses: its rim changes between two moments, nothing else does.
  const auto pulse = [&](int cube) {
    Aim(camera);
    int px, py;
    Project(puzzle.CubeRecord(cube).x * s, 0.5f * s, puzzle.CubeRecord(cube).y * s, px, py);
    frame.elapsedFrames = 0;
    const Image wide = Draw(camera);
    frame.elapsedFrames = 32;
    const Image narrow = Draw(camera);
    int changed = 0;
    for (int y = py - 30; y <= py + 30; ++y)
      for (int x = px - 30; x <= px + 30; ++x) changed += Difference(wide.At(x, y), narrow.At(x, y)) > 6;
    return changed;
  };
  EXPECT_GT(pulse(0), 20);
  EXPECT_EQ(pulse(1), 0);
  for (auto back = rolls.rbegin(); back != rolls.rend(); ++back) {  // back, upright again
    ASSERT_EQ(puzzle.MoveSelected(OppositeDirection(*back)), 1);
    puzzletest::FinishRoll(puzzle, host);
  }
  ASSERT_EQ(puzzle.CubeRecord(1).inPlace, 1);
  EXPECT_GT(pulse(1), 20);
}

TEST_F(SceneTest, MirrorAtStrengthZeroIsTheSameAsNoMirror) {
  StartSource(puzzletest::OneLevel({"#######", "#.....#", "#.CAT.#", "#..#..#", "#######"}, {"CAT 2 2 h"}));
  const CameraPose camera = OverviewCamera();
  frame.options.reflect = 0;
  const Image plain = Draw(camera);
  frame.options.reflect = 1;
  renderer->themes.values.reflectStrength = 0.0f;
  const Image zero = Draw(camera);
  EXPECT_EQ(plain.rgb, zero.rgb);
  renderer->themes.values.reflectStrength = 0.6f;
  const Image mirrored = Draw(camera);
  EXPECT_NE(plain.rgb, mirrored.rgb);
}

TEST_F(SceneTest, ShadowsNeverLeaveTheBoard) {
  StartSource(puzzletest::OneLevel({"#######", "#.....#", "#.CAT.#", "#..#..#", "#######"}, {"CAT 2 2 h"}));
  const CameraPose camera = TopView();
  Aim(camera);
  int left, top, right, bottom;
  Project(-0.5f * s, 0, -0.5f * s, left, top);
  Project(6.5f * s, 0, 4.5f * s, right, bottom);
  for (const float height : {0.05f, 0.0f}) {
    SCOPED_TRACE("light height " + std::to_string(height));
    float* light = renderer->lights.values.position0;
    const float saved[4] = {light[0], light[1], light[2], 0};
    light[0] = 1.0f, light[1] = height, light[2] = 0.3f;
    frame.options.shadow = 0;
    const Image none = Draw(camera);
    frame.options.shadow = 2;
    const Image shadowed = Draw(camera);
    for (int k = 0; k < 3; ++k) light[k] = saved[k];
    int outside = 0, inside = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const bool out = x < left - 1 || x > right + 1 || y < top - 1 || y > bottom + 1;
        const bool differs = Difference(none.At(x, y), shadowed.At(x, y)) > 0;
        (out ? outside : inside) += differs;
      }
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(height == 0 || inside > 100) << inside << " pixels: the long shadows are there";
  }
}

TEST_F(SceneTest, AOneByOneBoardDrawsATileAndItsBorder) {
  StartSource(puzzletest::OneLevel({"A"}, {"A 0 0 h"}));
  const CameraPose camera{0, -40, 0.3f, 0, {0, 0, 0}};
  const Image image = Draw(camera);
  Aim(camera);
  int px, py;
  Project(0, 0.5f * s, 0, px, py);
  EXPECT_EQ(PickAt(camera, px, py).kind, kPickCube);
  // The border's front side shows below the cube, one square wide: the
  // background is beside it.
  int fx, fy, ox, oy;
  Aim(camera);
  Project(0, -0.5f * s, 0.5f * s, fx, fy);
  Project(1.2f * s, -0.5f * s, 0.5f * s, ox, oy);
  const Rgb border = image.Mean(fx - 2, fy - 2, 4, 4), beside = image.Mean(ox - 2, oy - 2, 4, 4);
  EXPECT_GT(Difference(border, beside), 30);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneTest, AThemeWithoutItsOptionalTexturesStillLoadsAndSaysWhatIsMissing) {
  testsupport::TempDir game;
  const std::string tree = testsupport::GameTreeDir();
  const std::string setup = "mkdir -p " + game / "data/gfx" + " && cp -r " + tree + "/data/gfx/theme1 " +
                            game / "data/gfx/" + " && ln -s " + tree + "/data/*.ttf " + game / "data/" +
                            " && rm " + game / "data/gfx/theme1/texture/shadowarrow.png " +
                            game / "data/gfx/theme1/texture/bordure.png " + game / "data/gfx/theme1/texture/halo2.png";
  ASSERT_EQ(std::system(setup.c_str()), 0);
  testsupport::ScopedWorkingDirectory cwd(game.Path());
  ASSERT_EQ(renderer->ScanThemes(), 1);
  testsupport::CapturedStream err(2);
  EXPECT_EQ(renderer->LoadTheme(0), 1);
  const std::string said = err.Text();
  for (const char* file : {"shadowarrow.png", "bordure.png", "halo2.png"})
    EXPECT_NE(said.find(file), std::string::npos) << file << " in:\n" << said;
  StartSource(puzzletest::OneLevel({"#####", "#.A.#", "#####"}, {"A 2 1 h"}));
  frame.options.shadow = 1;
  Draw(OverviewCamera());  // the border and marker untextured, no GL error
}

// Drawn with the shortcuts and without them, from above, close over a corner
// of the board, low over an edge and from far off, the sky just past the
// ground's rim: the pictures are the same, to a unit of
// rounding a channel and a few edge pixels.
TEST_F(SceneTest, EveryThemeDrawsLevels1_30And60WithoutAGLErrorAndTheShortcutsKeepThePicture) {
  // And the largest board: 30 x 30 squares, 150 cubes.
  const std::string stress = std::string(std::getenv("GLYPHOX_BINARY_DIR")) + "/bench/stress.lvl";
  for (const std::string& file : {std::string("data/level/english.lvl"), std::string("data/level/french.lvl"),
                                  std::string("data/level/spanish.lvl"), std::string("data/level/german.lvl"), stress}) {
    ASSERT_EQ(puzzle.LoadLevelSet(file.c_str()), 1);
    for (int theme = 0; theme < renderer->ThemeCount(); ++theme) {
      host.theme = theme;
      for (int level : file == stress ? std::vector<int>{0} : std::vector<int>{0, 29, 59}) {
        SCOPED_TRACE(file + " theme " + std::to_string(theme + 1) + " level " + std::to_string(level + 1));
        ASSERT_EQ(puzzle.StartLevel(level), 1);
        const CameraPose overview = OverviewCamera();
        const float corner[3] = {puzzle.Board().width * s * 0.4f, 0, puzzle.Board().height * s * 0.4f};
        const CameraPose cameras[] = {overview,
                                      {30, -35, overview.zoom * 0.3f, 1, {corner[0], 0, corner[2]}},
                                      {-20, -20, overview.zoom * 0.25f, 1, {-corner[0], 0, 0}},
                                      // Every ray downwards, but the sky shows past the ground's rim.
                                      {0, -35, 50, 0, {0, 0, 0}}};
        for (const CameraPose& camera : cameras) {
          frame.options = RenderOptions{1, 2, 1, 1, 0};
          frame.frameDelta = 0;  // the glows stay as they are between the two
          // The mirrored arrows take their sphere map from the frame before.
          Draw(camera);
          const Image full = Draw(camera);
          frame.options.skipUnseen = 1;
          const Image cheap = Draw(camera);
          // The wall batch moves corners to their squares before the camera
          // does: an edge may pass the other side of a pixel's centre.
          int differ = 0;
          for (size_t i = 0; i < full.rgb.size(); i += 3)
            differ += std::abs(full.rgb[i] - cheap.rgb[i]) > 1 || std::abs(full.rgb[i + 1] - cheap.rgb[i + 1]) > 1 ||
                      std::abs(full.rgb[i + 2] - cheap.rgb[i + 2]) > 1;
          EXPECT_LE(differ, kWidth * kHeight / 10000) << "camera tilt " << camera.tilt;
          if (&camera == &cameras[0]) {
            EXPECT_GT(cheap.CountLit(), kWidth * kHeight / 2);
          }
        }
      }
    }
  }
}

TEST_F(SceneTest, ARendererFreesEveryGLObjectItMade) {
  // The texture and display-list names alive (the driver hands out small
  // numbers first).
  const auto LiveGLObjects = [] {
    int live = 0;
    for (GLuint name = 1; name < 4096; ++name) live += glIsTexture(name) + glIsList(name);
    return live;
  };
  StartSource(puzzletest::OneLevel({"#######", "#.....#", "#.CAT.#", "#..#..#", "#######"}, {"CAT 2 2 h"}));
  frame.options = RenderOptions{1, 2, 1, 1};
  renderer->StartParticleBurst();
  Draw(OverviewCamera());
  renderer->overlay.CaptureScreenForLevelStart();
  EXPECT_GT(LiveGLObjects(), 50);
  puzzle.EndLevel();
  renderer.reset();
  EXPECT_EQ(LiveGLObjects(), 0);
}

}  // namespace
