// The readable level source: what a source compiles to, the faults it is
// refused for, and that any level file comes back byte for byte through its
// dumped source.
#include "puzzle/LevelSet.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tools/level/LevelSource.h"

using namespace puzzletest;

namespace {

std::string Encode(const LevelSet& set) {
  std::vector<uint8_t> bytes = EncodeLevelFile(set);
  return std::string(bytes.begin(), bytes.end());
}

// Dump, then build: the bytes of the set must come back.
void ExpectRoundTrip(const LevelSet& set) {
  const std::string source = WriteLevelSource(set);
  LevelSet again;
  std::string error;
  ASSERT_TRUE(ParseLevelSource(source, again, error)) << error << "\n" << source;
  EXPECT_EQ(Encode(again), Encode(set)) << source;
  EXPECT_EQ(again.records, set.records) << source;
}

}  // namespace

TEST(LevelSource, TheFormatExampleCompilesToItsLevel) {
  const char* source =
      "; a comment line starts with ';' (blank lines are ignored)\n"
      "\n"
      "\v\n\f \n"  // blank too: vertical tabs and form feeds separate no tokens
      "level                     ; starts a level; an optional title may follow on the line\n"
      "code QZKRT                ; five characters, the plain access code\n"
      "board                     ; the rows follow\n"
      "#########                 ;   '#' wall, '.' free floor,\n"
      "#..CAT..#\n"
      "#...o...#\n"
      "#########\n"
      "word CAT 3 1 h            ; word TEXT X Y h|v\n"
      "end\n";
  LevelSet set;
  std::string error;
  ASSERT_TRUE(ParseLevelSource(source, set, error)) << error;
  ASSERT_EQ(set.levelCount, 1u);
  const LevelRecord& level = set.levels[0];
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(level.code), 5), "QZKRT");
  EXPECT_EQ(level.width, 9u);
  EXPECT_EQ(level.height, 4u);
  EXPECT_EQ(level.walls[0], kWallSouthEast);
  EXPECT_EQ(level.walls[1], kWallHorizontal);
  EXPECT_EQ(level.walls[30], kWallVertical);
  EXPECT_EQ(level.walls[33], CUBE);
  EXPECT_EQ(level.letters[33], u'C');
  EXPECT_EQ(level.walls[31], FLOOR);
  // The static block counts as wall: it continues down into the border.
  EXPECT_EQ(level.walls[64], kWallSouthOpen);
  EXPECT_EQ(level.letters[64], u'O');
  EXPECT_EQ(level.walls[94], kWallSouthClose);
  EXPECT_EQ(level.wordCount, 1u);
  EXPECT_EQ(level.words[0].x, 3);
  EXPECT_EQ(level.words[0].y, 1);
  EXPECT_EQ(level.words[0].length, 3);
  EXPECT_EQ(level.words[0].direction, kWordHorizontal);
  ExpectRoundTrip(set);
}

TEST(LevelSource, AccentedCapitalsAreCubesAndTheirSmallFormsStaticBlocks) {
  LevelSet set = LevelsFrom(OneLevel({"ÉñΩжẞ", "Ñéω.ß"}, {"ÉÑ 0 0 v"}));
  const LevelRecord& level = set.levels[0];
  EXPECT_EQ(level.walls[0], CUBE);
  EXPECT_EQ(level.letters[0], u'É');
  EXPECT_TRUE(IsWallCode(level.walls[1]));
  EXPECT_EQ(level.letters[1], u'Ñ');
  EXPECT_EQ(level.letters[2], u'Ω');
  EXPECT_EQ(level.walls[2], CUBE);
  EXPECT_EQ(level.letters[3], u'Ж');
  EXPECT_TRUE(IsWallCode(level.walls[3]));
  EXPECT_EQ(level.letters[32], u'Ω');
  EXPECT_TRUE(IsWallCode(level.walls[32]));
  // German writes ß in capitals as ẞ: the cube and the block show ẞ.
  EXPECT_EQ(level.walls[4], CUBE);
  EXPECT_EQ(level.letters[4], u'ẞ');
  EXPECT_TRUE(IsWallCode(level.walls[34]));
  EXPECT_EQ(level.letters[34], u'ẞ');
  ExpectRoundTrip(set);
}

TEST(LevelSource, SourcesWithFaultsAreRefusedWithTheirLine) {
  struct Case {
    std::string source;
    std::string error;
  };
  const Case cases[] = {
      {"level\ncode AAAAA\nboard\n....\n...\nend\n", "line 5: every row of a board has the same length"},
      {"level\ncode AAAAA\nboard\n..*.\nend\n", "line 4: \"*\" is not a board character"},
      {"level\nboard\n....\nend\n", "line 1: the level has no code"},
      {"level\ncode AAAA\nboard\n....\nend\n", "line 2: \"code\" takes five one-byte characters"},
      {"level\ncode AAAAA\nend\n", "line 1: the level has no board rows"},
      {"level\ncode AAAAA\nboard\n.?..\nend\n", "line 4: a '?' square needs a \"cell\" line"},
      {"level\ncode AAAAA\nboard\nAB..\nword AB 0 0 d\nend\n", "line 5: the word's direction is h or v"},
      {"level\ncode AAAAA\nboard\n" + std::string(31, '.') + "\nend\n", "line 4: a board has at most 30 columns"},
      {"level\ncode AAAAA\nboard\nA...\nword " + std::string(32, 'A') + " 0 0 h\nend\n",
       "line 5: a word has at most 31 letters"},
      {"level\ncode AAAAA\nboard\nA...\nfoo bar\nend\n", "line 5: unknown line \"foo\""},
      {"word AB 0 0 h\n", "line 1: \"word\" outside a level"},
      {"level\ncode AAAAA\nboard\n....\n", "line 1: the level has no \"end\""},
      {"level\ncode AAAAA\nboard\nA...\ncell 1 0 20 0000\nend\n", "line 1: level 1: cube square (1, 0) has no letter"},
      {"level\ncode AAAAA\nboard\nA...\ncell 9 0 22 0000\nend\n", "line 5: the cell lies outside the board"},
      {"level\ncode AAAAA\nboard\nA...\nrecord 0\nend\n", "line 5: \"record\" takes the level's first place"},
      {"level\ncode AAAAA\nboard\nA...\nrecord 2\nend\n", "line 1: record 2 is past the 1 levels"},
      {"level\ncode AAAAA\nboard\nA\nend\nlevel\ncode BBBBB\nboard\nB\nrecord 1\nend\n",
       "line 6: record 1 is also level 1's"},
  };
  for (const Case& c : cases) {
    LevelSet set;
    std::string error;
    EXPECT_FALSE(ParseLevelSource(c.source, set, error)) << c.source;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.source << "\ngave: " << error;
  }
  // Six words are one too many.
  std::string six = "level\ncode AAAAA\nboard\nA...\n";
  for (int i = 0; i < 6; ++i) six += "word A 0 0 h\n";
  LevelSet set;
  std::string error;
  EXPECT_FALSE(ParseLevelSource(six + "end\n", set, error));
  EXPECT_EQ(error, "line 10: more than 5 words");
}

TEST(LevelSource, AnyLevelFileComesBackThroughItsSource) {
  LevelSet set = LevelsFrom(OneLevel({"#..CAT..#", "#...o...#"}, {"CAT 3 0 h"}) +
                            OneLevel({"AB"}, {"AB 0 0 h"}, "XYZZY"));
  ASSERT_EQ(set.levelCount, 2u);
  ExpectRoundTrip(set);
  set.records = {1, 0};  // reordered since first published
  ExpectRoundTrip(set);

  // What the readable form cannot say.
  LevelRecord& odd = set.levels[1];
  const uint8_t code[5] = {0x00, ';', ' ', 0xFF, 'Q'};
  std::copy(code, code + 5, odd.code);  // a narrow board's code
  odd.words[0].length = 1;                // a length that is not the text's
  odd.words[0].text[7] = u'Z';            // letters after the end of the text
  odd.words[1] = odd.words[0];
  odd.wordCount = 3;
  odd.words[1].text[0] = u' ';            // blanks and comment marks
  odd.words[1].text[1] = u';';
  odd.words[2] = LevelWord{};             // an empty word
  odd.words[2].x = 200;
  odd.words[2].direction = kWordVertical;
  odd.walls[0] = kWallInside;             // a static block whose wall shape...
  odd.letters[0] = u'ß';                  // ...and letter have no readable form
  odd.letters[1] = u'b';                  // a small letter on a cube
  LevelRecord& walls = set.levels[0];
  walls.walls[0] = kWallAlone;            // a wall shape unlike its neighbours'
  walls.walls[30 + 4] = kWallInside;      // the static block's own shape
  walls.letters[30 + 8] = u'1';           // a digit on a wall
  ExpectRoundTrip(set);
  const std::string source = WriteLevelSource(set);
  EXPECT_NE(source.find("codebytes 00 3B 20 FF 51\n"), std::string::npos) << source;
  EXPECT_NE(source.find("wordhex "), std::string::npos);
  EXPECT_NE(source.find("cell 0 0 3 00DF\n"), std::string::npos) << source;
  EXPECT_NE(source.find("cell 1 0 20 0062\n"), std::string::npos) << source;
  EXPECT_NE(source.find("cell 0 0 0 0000\n"), std::string::npos) << source;
  EXPECT_NE(source.find("cell 8 1 "), std::string::npos) << source;
}
