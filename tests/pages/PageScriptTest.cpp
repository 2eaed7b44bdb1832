// The page script reader: sections, properties, commands and their arguments,
// and the bounds that keep malformed scripts harmless.
#include <gtest/gtest.h>

#include <string>

#include "pages/PageScript.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace pagetest;
using testsupport::CapturedStream;
using testsupport::TempDir;

namespace {

const char* const kFullScript = R"(junk FONTES words before {
  Titre {
    FICHIER = "DejaVuSans-Bold.ttf"
    SIZE = 40
    OMBRAGE = (2,3)
    OUTLINE = 1
    DEGRADE = (10,20,30)/(40,50,60)
    GRAS
    ITALIQUE
  }
  SansTaille
  {
    FICHIER = "DejaVuSans.ttf"
  }
  SansFichier {
    SIZE = 20
  }
}
ignored
BITMAPS {
  Fond { CLOUDS = (1,2,3,40,30)
    FICHIER = "picture.png"
  }
  Nuage {
    FICHIER = "picture.png"
    CLOUDS = (255,128,0,64,32)
    OMBRAGE = (1,1)
    OUTLINE = 2
  }
  Rien {
    OUTLINE = 1
  }
}
COMPOSITION {
  MOSAIC=Nuage (10,0)
  xFBITMAP=Fond (5,6)
  BITMAP=Fond (7,8)
  ETIRER=Fond (0,1)
  CARREDEGRADE=COULEUR(300,20,-4) (1,2) (30,40)
  TEXTE=Titre (11,12) "Deux    mots
     et   une fin" ignored
  unknown
  ONDEOMBREE=(4,5) (6,7)
  ONDE=(8,9)
  EMBOSS=(1,2,3) (4,5,6)
}
MOSAIC=Never (0,0)
)";

TEST(PageScript, ReadsEveryPropertyAndEveryCommandInScriptOrder) {
  auto page = Parse(kFullScript);
  ASSERT_TRUE(page);
  ASSERT_EQ(page->fonts.size(), 1u) << "fonts without a size or a file are dropped";
  const PageFont& f = page->fonts[0];
  EXPECT_EQ(f.name, U("Titre"));
  EXPECT_EQ(f.fileName, "DejaVuSans-Bold.ttf");
  // The later of GRAS and ITALIQUE wins: style 2.
  EXPECT_EQ((std::vector<int>{f.size, f.shadow, f.shadowDx, f.shadowDy, f.outline, f.gradient, f.first[2], f.second[0], f.style}),
            (std::vector<int>{40, 1, 2, 3, 1, kGradientStraight, 30, 40, 2}));

  ASSERT_EQ(page->bitmaps.size(), 2u) << "a bitmap with neither file nor clouds is dropped";
  const PageBitmap& b = page->bitmaps[1];
  EXPECT_EQ(page->bitmaps[0].kind, kBitmapFromFile) << "the later of FICHIER and CLOUDS decides";
  EXPECT_EQ((std::vector<int>{b.kind, b.width, b.height, b.cloudColor[1], b.outline}),
            (std::vector<int>{kBitmapClouds, 64, 32, 128, 2}));

  // Kind, x, y, w, h, r, g, b, wave1, wave2 in script order; colours are clamped.
  const std::vector<int> expected[] = {
      {kPageMosaic, 10, 0, 0, 0, 0, 0, 0, 0, 0},        {kPageFBitmap, 5, 6, 0, 0, 0, 0, 0, 0, 0},
      {kPageBitmap, 7, 8, 0, 0, 0, 0, 0, 0, 0},         {kPageEtirer, 0, 1, 0, 0, 0, 0, 0, 0, 0},
      {kPageCarreDegrade, 1, 2, 30, 40, 255, 20, 0, 0, 0}, {kPageTexte, 11, 12, 0, 0, 0, 0, 0, 0, 0},
      {kPageOndeOmbree, 6, 7, 0, 0, 0, 0, 0, 4, 5},     {kPageOnde, 0, 0, 0, 0, 0, 0, 0, 8, 9},
      {kPageEmboss, 1, 2, 3, 0, 4, 5, 6, 0, 0}};
  const auto& e = page->elements;
  ASSERT_EQ(e.size(), 9u);
  for (size_t i = 0; i < 9; ++i)
    EXPECT_EQ((std::vector<int>{e[i].kind, e[i].x, e[i].y, e[i].w, e[i].h, e[i].r, e[i].g, e[i].b, e[i].wave1, e[i].wave2}),
              expected[i]) << i;
  EXPECT_EQ(e[0].name, U("Nuage"));
  EXPECT_EQ(e[1].name, U("Fond")) << "FBITMAP is told from BITMAP";
  EXPECT_EQ(e[5].text, U("Deux mots et une fin")) << "blanks and line ends inside a text become one blank";
}

TEST(PageScript, EndStopsTheScriptAndTheByteOrderMarkIsNoWord) {
  auto page = Parse("\xEF\xBB\xBF" "FONTES { F { \n FICHIER = \"a.ttf\"\n SIZE=9\n}\n}\nEND\nBITMAPS { B {\nCLOUDS=(1,1,1,4,4)\n}\n}");
  ASSERT_EQ(page->fonts.size(), 1u);
  EXPECT_TRUE(page->bitmaps.empty());
}

TEST(PageScript, LongLinesNamesAndTextsAreCutAndCountsBounded) {
  std::string longName(400, 'N');
  std::string script = "BITMAPS {\n";
  for (int i = 0; i < 300; ++i) script += "B" + std::to_string(i) + " {\nCLOUDS = (1,1,1,2,2)" + std::string(600, ' ') + "\n}\n";
  script += longName + " {\nFICHIER = \"" + std::string(500, 'f') + "\"\n}\n}\nCOMPOSITION {\n";
  for (int i = 0; i < 300; ++i) script += "ONDE=(1,1)\n";
  script += "TEXTE=" + longName + " (0,0) \"" + std::string(300, 'x') + " " + std::string(300, 'y') + "\"\n}\n";
  auto page = Parse(script);
  EXPECT_EQ(page->bitmaps.size(), 256u);
  EXPECT_EQ(page->elements.size(), 256u);

  // A property line longer than 255 units keeps its first 255.
  auto cut = Parse("BITMAPS {\nB {\nCLOUDS = (1,1,1,2,2)\n" + std::string(250, ' ') + "OUTLINE = 1\n}\nC {\n"
                   "CLOUDS = (1,1,1,2,2)\n" + std::string(200, ' ') + "OUTLINE = 1\n}\n}\n");
  ASSERT_EQ(cut->bitmaps.size(), 2u);
  EXPECT_EQ(cut->bitmaps[0].outline, 0) << "the keyword lay past the 255th unit";
  EXPECT_EQ(cut->bitmaps[1].outline, 1);

  auto names = Parse("FONTES {\n" + longName + " {\nFICHIER = \"" + std::string(400, 'f') + "\"\nSIZE=8\n}\n}\n");
  ASSERT_EQ(names->fonts.size(), 1u);
  EXPECT_EQ(names->fonts[0].name.size(), 255u);
  EXPECT_LE(names->fonts[0].fileName.size(), 255u);
}

TEST(PageScript, MalformedElementsAreSkippedWithOneLineAndTheRestIsKept) {
  CapturedStream err(2);
  auto page = Parse("COMPOSITION {\nMOSAIC=A (x,y)\nCARREDEGRADE=COULEUR(1,2) (0,0) (1,1)\nTEXTE=F (0,0) no quote\nONDE=(1,2)\n}");
  std::string text = err.Text();
  ASSERT_EQ(page->elements.size(), 1u);
  EXPECT_EQ(page->elements[0].kind, kPageOnde);
  EXPECT_NE(text.find("MOSAIC element with bad arguments skipped"), std::string::npos) << text;
  EXPECT_NE(text.find("CARREDEGRADE element"), std::string::npos) << text;
  // An unterminated text at the end of the file ends the script quietly.
  EXPECT_TRUE(Parse("COMPOSITION { TEXTE=F (0,0) \"open").get()->elements.empty());
  // A unit above 255 ends a file name.
  auto names = Parse("BITMAPS { B {\nFICHIER = \"ab\xE2\x82\xAC" "cd.png\"\n}\n}");
  ASSERT_EQ(names->bitmaps.size(), 1u);
  EXPECT_EQ(names->bitmaps[0].fileName, "ab");
}

class PageFiles : public WithFonts {};

// Every reason a page cannot be shown gives one line and no page.
TEST_F(PageFiles, MissingOrBadFilesGiveOneMessageAndNoPage) {
  TempDir dir;
  std::string clouds;
  for (int i = 0; i < 5; ++i) clouds += "N" + std::to_string(i) + " {\nCLOUDS = (9,9,9,2048,2048)\n}\n";
  using testsupport::Utf16FileContent;
  const struct {
    const char* file;
    std::string content, message;
  } cases[] = {
      {"none.txt", "", "Page script " + (dir / "none.txt") + " not found\n"},
      {"utf8.txt", "FONTES {}", dir / "utf8.txt" + " : Not a Unicode UTF16 File\n"},
      {"bitmap.txt", Utf16FileContent("BITMAPS { B {\nFICHIER = \"missing.png\"\n}\n}\nEND"),
       "Couldn't load page bitmap " + dir.Path() + "/missing.png\n"},
      {"font.txt", Utf16FileContent("FONTES { F {\nFICHIER = \"gone.ttf\"\nSIZE = 20\n}\n}\n"),
       "Couldn't open page font " + dir.Path() + "/gone.ttf\n"},
      {"large.txt", Utf16FileContent("BITMAPS {\n" + clouds + "}\n"), "Page bitmaps too large at N4\n"},
  };
  for (const auto& c : cases) {
    if (!c.content.empty()) testsupport::WriteFile(dir / c.file, c.content);
    CapturedStream err(2);
    EXPECT_FALSE(ParsePageScript((dir / c.file).c_str(), (dir.Path() + "/").c_str())) << c.file;
    EXPECT_EQ(err.Text(), c.message);
  }
}

}  // namespace
