// The credits: the shipped files of every language, the reader's limits,
// and the scroll and fades as numbers.
#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"
#include "ui/Credits.h"

namespace {

using testsupport::GameTreeDir;

std::vector<CreditLine> ShippedCredits(const std::string& code) {
  std::vector<CreditLine> lines;
  testsupport::ScopedWorkingDirectory cwd(GameTreeDir());
  EXPECT_EQ(ReadCreditLines(CreditFilePath(code.c_str()).c_str(), lines), 1) << code;
  return lines;
}

std::string AllText(const std::vector<CreditLine>& lines) {
  std::string text;
  for (const CreditLine& line : lines) text += line.text.ToUtf8() + "\n";
  return text;
}

TEST(CreditsFiles, EveryLanguageCreditsTheMakersFontsAndLibraries) {
  EXPECT_EQ(CreditFilePath("fr"), "data/credit_fr.txt");
  std::vector<CreditLine> english = ShippedCredits("en");
  ASSERT_FALSE(english.empty());
  EXPECT_EQ(english[0].kind, CreditKind::kHeading);
  EXPECT_EQ(english[0].text.ToUtf8(), "Glyphox");  // shown without its star
  EXPECT_NE(AllText(english).find("the Glyphox developers"), std::string::npos);
  for (const std::string& code : testsupport::ShippedLanguages()) {
    std::vector<CreditLine> lines = ShippedCredits(code);
    EXPECT_LE(lines.size(), 200u) << code;
    EXPECT_EQ(lines.size(), english.size()) << code << " has lines the others lack";
    std::string text = AllText(lines);
    for (const char* name : {"SDL 1.2", "SDL_ttf", "SDL_image", "FreeType", "libmikmod", "Mesa", "GLU", "DejaVu",
                             "GoogleTest", "LGPL", "Glyphox"})
      EXPECT_NE(text.find(name), std::string::npos) << code << " does not name " << name;
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].kind, english[i].kind) << code << " line " << i + 1;
      EXPECT_LE(lines[i].text.Length(), 42u) << code << " line " << i + 1 << " is too wide for 640 pixels";
    }
  }
}

TEST(CreditsFiles, ReaderKeepsTwoHundredLinesAndReportsAMissingFile) {
  testsupport::TempDir dir;
  std::string text;
  for (int i = 0; i < 250; ++i) text += i % 3 == 0 ? "*Head\n" : i % 3 == 1 ? "\n" : "Line\n";
  ASSERT_TRUE(testsupport::WriteFile(dir / "credit_xx.txt", testsupport::Utf16FileContent(text)));
  std::vector<CreditLine> lines;
  EXPECT_EQ(ReadCreditLines((dir / "credit_xx.txt").c_str(), lines), 1);
  ASSERT_EQ(lines.size(), 200u);
  EXPECT_EQ(lines[0].kind, CreditKind::kHeading);
  EXPECT_EQ(lines[0].text.ToUtf8(), "Head");
  EXPECT_EQ(lines[1].kind, CreditKind::kGap);
  EXPECT_EQ(lines[2].kind, CreditKind::kText);
  EXPECT_EQ(lines[2].text.ToUtf8(), "Line");

  testsupport::CapturedStream err(2);
  EXPECT_EQ(ReadCreditLines((dir / "credit_zz.txt").c_str(), lines), 0);
  EXPECT_EQ(err.Text(), "Credit file not found !!!\n");
  EXPECT_TRUE(lines.empty());
  // With no lines the scroll still runs and the screen still ends on a key.
  CreditScroll scroll(480, 0);
  scroll.Advance(1.0f);
  EXPECT_FALSE(CreditsInput().Event(UiEvent::KeyPress(SDLK_a, 'a')));
  EXPECT_TRUE(CreditsInput().Event(UiEvent::KeyRelease(SDLK_a)));
}

TEST(CreditsScroll, MovesUpAndStartsAgainOnceTheWholeTextHasPassed) {
  std::vector<CreditLine> lines = {ParseCreditLine(u"*Title"), ParseCreditLine(u""), ParseCreditLine(u"Text")};
  EXPECT_EQ(TotalCreditHeight(lines, 40, 24), 40 + 32 + 24);
  CreditScroll scroll(480, 96);
  EXPECT_FLOAT_EQ(scroll.Y(), 496.0f);
  for (int i = 0; i < 60; ++i) scroll.Advance(1.0f);  // one second at 60 frames
  EXPECT_NEAR(scroll.Y(), 496.0f - 27.0f, 1e-3);
  scroll.Advance((496.0f - 27.0f + 95.0f) / 0.45f);
  EXPECT_NEAR(scroll.Y(), -95.0f, 1e-2);  // the last pixel row is still on screen
  scroll.Advance(1.0f / 0.45f);
  EXPECT_FLOAT_EQ(scroll.Y(), 496.0f);
}

TEST(CreditsScroll, LinesFadeInAtTheTopAndOutAtTheBottom) {
  const int H = 480;
  // Transparent at either edge, opaque in the middle, half way in between.
  const float alphas[][2] = {{0.0f, 0.0f}, {31.5f, 0.5f}, {200.0f, 1.0f}, {460.0f - 31.5f, 0.5f}, {470.0f, 0.0f}};
  for (const auto& [y, alpha] : alphas) EXPECT_NEAR(CreditLineAlpha(y, 20, H), alpha, 1e-5) << y;
  std::vector<CreditLine> lines = {ParseCreditLine(u"*Title"), ParseCreditLine(u""), ParseCreditLine(u"Text"),
                                   ParseCreditLine(u"More")};
  // Title at -30 (40 high: 10 pixels showing), the gap, Text at 42, More at 66.
  std::vector<PlacedCreditLine> placed = PlaceCreditLines(lines, -30.0f, 40, 24, H);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[1].index, 2);
  EXPECT_FLOAT_EQ(placed[1].y, 42.0f);
  EXPECT_EQ(PlaceCreditLines(lines, -40.0f, 40, 24, H)[0].index, 2) << "a title wholly above is not drawn";
  EXPECT_TRUE(PlaceCreditLines(lines, 480.0f, 40, 24, H).empty()) << "nor lines below the screen";
}

}  // namespace
