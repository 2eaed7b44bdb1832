// The credits screen without its drawing: the lines of "data/credit_%s.txt",
// their scroll and their fades.
//
//   std::vector<CreditLine> lines;
//   ReadCreditLines(CreditFilePath(g_settings.lang.c_str()).c_str(), lines);
//   render each line's text in its font (heading: "FontCreditBig", text:
//   "FontCreditSmall"; gaps have none), then
//   CreditScroll scroll(H, TotalCreditHeight(lines, bigHeight, smallHeight));
//   each frame: scroll.Advance(frameDelta);
//               for each PlaceCreditLines(...) entry draw line index at y
//               with alpha, centred in (0, y, W, height);
//               CreditsInput::Event(e) true ends the screen.
#pragma once

#include <string>
#include <vector>

#include "base/CUString.h"
#include "ui/UiEvent.h"

constexpr int kMaxCreditLines = 200;
constexpr int kCreditGap = 32;            // pixels of an empty line
constexpr float kCreditScrollRate = 0.45f;  // pixels per frame unit (27 a second)
constexpr int kCreditFadeBand = 64;       // pixels of fade at the top and the bottom
constexpr int kCreditStartBelow = 16;     // the text starts this far below the screen

enum class CreditKind { kGap, kHeading, kText };

struct CreditLine {
  CreditKind kind;
  CUString text;  // the heading without its star
};

// "data/credit_%s.txt" with the language code.
std::string CreditFilePath(const char* languageCode);
// A line starting with "*" is a heading, an empty line a gap, any other a text.
CreditLine ParseCreditLine(const CUString& line);
// Reads at most 200 lines of the UTF-16 credits file into lines. Returns 1, or
// 0 after "Credit file not found !!!\n" (lines then empty).
int ReadCreditLines(const char* path, std::vector<CreditLine>& lines);

// The height of all lines in pixels: a gap is 32, a line its font's height.
int TotalCreditHeight(const std::vector<CreditLine>& lines, int headingHeight, int textHeight);

// The scroll position: starts 16 pixels below the screen, moves up 0.45
// pixels per frame unit, and starts again below the screen once the whole
// text has passed the top.
class CreditScroll {
 public:
  CreditScroll(int screenHeight, int totalHeight);
  void Advance(float frameDelta);
  float Y() const { return m_y; }

 private:
  int m_screenHeight;
  int m_totalHeight;
  float m_y;
};

// Opacity of a line of height h whose top is at y on a screen H high: fading
// in over the top 64 pixels and out over the bottom 64.
float CreditLineAlpha(float y, int height, int screenHeight);

struct PlacedCreditLine {
  int index;  // into the lines
  float y;
  int height;
  float alpha;
};
// The text lines that are on screen for scroll position y.
std::vector<PlacedCreditLine> PlaceCreditLines(const std::vector<CreditLine>& lines, float y, int headingHeight,
                                               int textHeight, int screenHeight);

// A key release ends the screen, so does a button release after a button
// press made during the screen.
class CreditsInput {
 public:
  bool Event(const UiEvent& event);

 private:
  bool m_pressed = false;
};
