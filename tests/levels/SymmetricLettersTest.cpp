// The symmetric letters each language file lists for the French, English and
// Spanish level sets, measured in the cube font: a letter is listed exactly
// when its glyph reads the same after a half turn.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "base/CUString.h"
#include "config/Language.h"
#include "tests/levels/ShippedLevels.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kFaceFontSize = 55;  // the size cube faces are drawn at
// Glyph pixels that differ from the half-turned glyph, relative to all ink.
// Symmetric capitals stay well below (antialiasing and a crossbar a pixel off
// centre, S at 0.10); the nearest others (B at 0.30, D) are far above.
constexpr double kSymmetricBelow = 0.2;

// How far the glyph is from its own half turn, allowing the turned glyph a
// shift of one pixel either way for rounding.
double HalfTurnDifference(TTF_Font* font, char16_t letter) {
  SDL_Color white = {255, 255, 255, 0};
  SDL_Surface* glyph = TTF_RenderGlyph_Blended(font, letter, white);
  if (!glyph) return 1e9;
  SDL_LockSurface(glyph);
  const SDL_PixelFormat* format = glyph->format;
  int left = glyph->w, right = -1, top = glyph->h, bottom = -1;
  std::vector<int> alpha(glyph->w * glyph->h);
  for (int y = 0; y < glyph->h; ++y) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(glyph->pixels) + y * glyph->pitch);
    for (int x = 0; x < glyph->w; ++x) {
      const int a = static_cast<int>((row[x] & format->Amask) >> format->Ashift);
      alpha[y * glyph->w + x] = a;
      if (a > 0) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
  const int width = glyph->w;
  SDL_UnlockSurface(glyph);
  SDL_FreeSurface(glyph);
  if (right < 0) return 1e9;
  auto at = [&](int x, int y) {
    return x < left || x > right || y < top || y > bottom ? 0 : alpha[y * width + x];
  };
  double ink = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) ink += at(x, y);
  double best = 1e18;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      double difference = 0;
      for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) difference += std::abs(at(x, y) - at(left + right - x + dx, top + bottom - y + dy));
      best = std::min(best, difference);
    }
  }
  return best / ink;
}

class SymmetricLetters : public puzzletest::PuzzleTest {
 protected:
  void SetUp() override {
    PuzzleTest::SetUp();
    ASSERT_EQ(TTF_Init(), 0);
    const std::string face = testsupport::GameTreeDir() + "/data/DejaVuSans-Bold.ttf";
    font = TTF_OpenFont(face.c_str(), kFaceFontSize);
    ASSERT_NE(font, nullptr) << face;
  }
  void TearDown() override {
    if (font) TTF_CloseFont(font);
    TTF_Quit();
    PuzzleTest::TearDown();
  }

  TTF_Font* font = nullptr;
};

TEST_F(SymmetricLetters, EveryLanguageFileListsExactlyTheLettersThatSurviveAHalfTurn) {
  for (const char* language : {"en", "fr", "es"}) {
    std::vector<leveltest::ShippedSet> sets = leveltest::LoadShippedSets(language);
    ASSERT_EQ(sets.size(), 3u);
    for (const leveltest::ShippedSet& set : sets) {
      // Every letter the set's cubes carry, and A to Z for the spare faces.
      std::set<char16_t> letters(set.levels.alphabet, set.levels.alphabet + set.levels.alphabetCount);
      for (char16_t c = u'A'; c <= u'Z'; ++c) letters.insert(c);
      for (char16_t letter : letters) {
        const std::string name = CUString(&letter, 1).ToUtf8();
        ASSERT_TRUE(TTF_GlyphIsProvided(font, letter)) << name << " has no glyph in the cube font";
        const double difference = HalfTurnDifference(font, letter);
        EXPECT_EQ(IsSymmetricLetter(set.index, letter), difference < kSymmetricBelow)
            << "text_" << language << ".txt, " << set.file << ": " << name << " differs from its half turn by "
            << difference;
      }
    }
  }
}

}  // namespace
