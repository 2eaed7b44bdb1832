// The credits: the lines of the player's language scrolling up over the menu
// background, fading in at the top and out at the bottom, until a key or a
// click.
#include <vector>

#include "config/Settings.h"
#include "text/TextSystem.h"
#include "ui/Credits.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"

namespace {

class CreditsScreen final : public Screen {
 public:
  explicit CreditsScreen(MenuSystem& menus) : m_menus(menus) {}

  void Enter() override {
    OpenFontStyle(m_heading, kFontCreditBig);
    OpenFontStyle(m_text, kFontCreditSmall);
    ReadCreditLines(CreditFilePath(g_settings.lang.c_str()).c_str(), m_lines);
    for (const CreditLine& line : m_lines) {
      if (line.kind == CreditKind::kHeading) m_ids.push_back(m_heading.AddTextW(line.text));
      else if (line.kind == CreditKind::kText) m_ids.push_back(m_text.AddTextW(line.text));
      else m_ids.push_back(-1);
    }
    m_heading.Upload();
    m_text.Upload();
    m_headingHeight = LineHeight(m_heading, CreditKind::kHeading);
    m_textHeight = LineHeight(m_text, CreditKind::kText);
    m_scroll = CreditScroll(m_menus.ScreenHeight() - Top(), TotalCreditHeight(m_lines, m_headingHeight, m_textHeight));
  }

  void Event(const SDL_Event& event) override {
    if (m_input.Event(UiEventFrom(event))) Flow().Pop();
  }

  void Update(const FrameTime& time, const Pointer&) override {
    m_elapsed = time.elapsed;
    m_scroll.Advance(time.delta);
  }

  void Draw() override {
    m_menus.DrawBackdrop(m_elapsed, true);
    const int W = m_menus.ScreenWidth(), H = m_menus.ScreenHeight();
    m_menus.Begin2D();
    for (const PlacedCreditLine& placed :
         PlaceCreditLines(m_lines, m_scroll.Y(), m_headingHeight, m_textHeight, H - Top())) {
      GLFontTrueType& font = m_lines[placed.index].kind == CreditKind::kHeading ? m_heading : m_text;
      font.alpha = placed.alpha;
      font.Draw(m_ids[placed.index], 0, Top() + static_cast<int>(placed.y), W, placed.height, 1, 1);
    }
    m_menus.End2D();
  }

  void Leave() override {
    m_heading.Close();
    m_text.Close();
    m_lines.clear();
    m_ids.clear();
  }

 private:
  // The lines scroll and fade below the title logo, which takes the upper
  // part of the screen at any size.
  int Top() const { return m_menus.ScreenHeight() * 29 / 50; }

  // The height of the first text of that kind: the font's line as drawn.
  int LineHeight(const GLFontTrueType& font, CreditKind kind) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
      if (m_lines[i].kind == kind && m_ids[i] >= 0) return font.TextHeight(m_ids[i]);
    return font.Size();
  }

  MenuSystem& m_menus;
  GLFontTrueType m_heading, m_text;
  std::vector<CreditLine> m_lines;
  std::vector<int> m_ids;
  int m_headingHeight = 0, m_textHeight = 0;
  CreditScroll m_scroll{0, 0};
  CreditsInput m_input;
  float m_elapsed = 0.0f;
};

}  // namespace

std::unique_ptr<Screen> MakeCreditsScreen(MenuSystem& menus) { return std::make_unique<CreditsScreen>(menus); }
