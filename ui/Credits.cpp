#include "ui/Credits.h"

#include <cstdio>
#include <string>

#include "base/FileAccess.h"
#include "config/CUTextFile.h"

std::string CreditFilePath(const char* languageCode) {
  char path[256];
  std::snprintf(path, sizeof path, "data/credit_%s.txt", languageCode ? languageCode : "");
  return path;
}

CreditLine ParseCreditLine(const CUString& line) {
  if (line.Empty()) return {CreditKind::kGap, CUString()};
  if (line[0] == u'*') return {CreditKind::kHeading, CUString(line.Data() + 1, line.Length() - 1)};
  return {CreditKind::kText, line};
}

int ReadCreditLines(const char* path, std::vector<CreditLine>& lines) {
  lines.clear();
  CUTextFile file;
  if (!file.Open(path, 0)) {
    if (!FileExists(path)) {
      std::fprintf(stderr, "Credit file not found !!!\n");
    } else {
      const std::string why = WhyUnreadable(path);
      if (!why.empty()) std::fprintf(stderr, "Credit file %s %s\n", path, why.c_str());
    }
    return 0;
  }
  CUString line;
  while (lines.size() < static_cast<size_t>(kMaxCreditLines) && file.ReadLine(line))
    lines.push_back(ParseCreditLine(line));
  file.Close();
  return 1;
}

namespace {

int LineHeight(const CreditLine& line, int headingHeight, int textHeight) {
  switch (line.kind) {
    case CreditKind::kGap:
      return kCreditGap;
    case CreditKind::kHeading:
      return headingHeight;
    default:
      return textHeight;
  }
}

}  // namespace

int TotalCreditHeight(const std::vector<CreditLine>& lines, int headingHeight, int textHeight) {
  int total = 0;
  for (const CreditLine& line : lines) total += LineHeight(line, headingHeight, textHeight);
  return total;
}

CreditScroll::CreditScroll(int screenHeight, int totalHeight)
    : m_screenHeight(screenHeight), m_totalHeight(totalHeight), m_y(static_cast<float>(screenHeight + kCreditStartBelow)) {}

void CreditScroll::Advance(float frameDelta) {
  m_y -= frameDelta * kCreditScrollRate;
  // Wrapping on the real height of the text (not 32 pixels a line) lets the
  // last line leave the screen before the first comes back, whatever the fonts.
  if (m_y <= -static_cast<float>(m_totalHeight)) m_y = static_cast<float>(m_screenHeight + kCreditStartBelow);
}

float CreditLineAlpha(float y, int height, int screenHeight) {
  const float band = kCreditFadeBand - 1;
  if (y < kCreditFadeBand) return y < 0 ? 0.0f : y / band;
  if (y + height <= screenHeight - kCreditFadeBand) return 1.0f;
  float alpha = (screenHeight - (y + height)) / band;
  return alpha < 0 ? 0.0f : alpha;
}

std::vector<PlacedCreditLine> PlaceCreditLines(const std::vector<CreditLine>& lines, float y, int headingHeight,
                                               int textHeight, int screenHeight) {
  std::vector<PlacedCreditLine> placed;
  for (size_t i = 0; i < lines.size(); ++i) {
    int height = LineHeight(lines[i], headingHeight, textHeight);
    if (lines[i].kind != CreditKind::kGap && y < screenHeight && y + height > 0)
      placed.push_back({static_cast<int>(i), y, height, CreditLineAlpha(y, height, screenHeight)});
    y += height;
  }
  return placed;
}

bool CreditsInput::Event(const UiEvent& event) {
  if (event.kind == UiEvent::kKeyRelease) return true;
  if (event.kind == UiEvent::kButtonPress) m_pressed = true;
  return event.kind == UiEvent::kButtonRelease && m_pressed;
}
