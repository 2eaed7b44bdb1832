// The level code entry: five letters typed over the menu background, looked
// up in every level set on Enter. A code no set holds says so and the screen
// stays for another try.
#include <algorithm>

#include "platform/Display.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "text/TextSystem.h"
#include "ui/CodeEntry.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/Options.h"

namespace {

class CodeEntryScreen final : public Screen {
 public:
  CodeEntryScreen(MenuSystem& menus, std::function<void(int)> found) : m_menus(menus), m_found(std::move(found)) {}

  void Enter() override {
    SetKeyboardInput(kCodeEntryRepeatDelay, kCodeEntryRepeatInterval, true);
    OpenFontStyle(m_small, kFontMenuSmall);
    const int wrap = ScreenTextWidth(m_menus.ScreenWidth());
    m_message = m_small.AddTextW(Label(LabelKey::MessageCode), wrap);
    m_unknown = m_small.AddTextW(Label(LabelKey::UnknownCode), wrap);
    m_small.Upload();
    OpenFontStyle(m_big, kFontMenuBig);
    RenderLetters();
  }

  void Event(const SDL_Event& event) override {
    switch (m_entry.Event(UiEventFrom(event))) {
      case CodeEntryAction::kChanged:
        m_showUnknown = false;
        RenderLetters();
        break;
      case CodeEntryAction::kCancel:
        Flow().Pop();
        break;
      case CodeEntryAction::kSearch: {
        CodeSearchResult found = SearchLevelCode(m_menus.ThePuzzle(), m_entry.Code());
        if (!found.found) {
          m_showUnknown = true;
          break;
        }
        SelectOption(m_menus.Menus(), kOptionLangage, kChoiceLevelSetFirst + found.levelSet);
        // Off the stack first: the level starts under this screen.
        Flow().Pop();
        if (m_found) m_found(found.levelIndex);
        break;
      }
      default:
        break;
    }
  }

  void Update(const FrameTime& time, const Pointer&) override { m_elapsed = time.elapsed; }

  int FrameRate() const override { return kMenuFrameRate; }
  void Draw() override {
    m_menus.DrawBackdrop(m_elapsed, false);
    const int W = m_menus.ScreenWidth(), H = m_menus.ScreenHeight(), m = m_menus.Metrics().fontHeight;
    m_menus.Begin2D();
    m_menus.DrawHighlight(CodeHighlightRect(m_entry.Cursor(), W, H, m));
    m_small.Draw(m_message, 0, 0, W, H - 64, 1, 1);
    if (m_showUnknown) {
      // In warm colours, under the letters.
      GLFontTrueType& font = m_small;
      const float top[3] = {font.top[0], font.top[1], font.top[2]}, bottom[3] = {font.bottom[0], font.bottom[1], font.bottom[2]};
      const float warmTop[3] = {1.0f, 0.85f, 0.4f}, warmBottom[3] = {1.0f, 0.5f, 0.2f};
      std::copy(warmTop, warmTop + 3, font.top);
      std::copy(warmBottom, warmBottom + 3, font.bottom);
      font.Draw(m_unknown, 0, H / 2 + 3 * m, W, m, 1, 1);
      std::copy(top, top + 3, font.top);
      std::copy(bottom, bottom + 3, font.bottom);
    }
    for (int i = 0; i < kCodeLength; ++i) {
      const ScreenRect box = CodeLetterBox(i, W, H, m);
      m_big.Draw(m_letters[i], box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0, 1, 1);
    }
    m_menus.End2D();
  }

  void Leave() override {
    SetKeyboardInput(kGameRepeatDelay, kGameRepeatInterval, true);
    m_small.Close();
    m_big.Close();
  }

 private:
  void RenderLetters() {
    m_big.ReleaseTextures();
    m_big.Clear();
    for (int i = 0; i < kCodeLength; ++i) {
      const char letter[2] = {static_cast<char>(m_entry.Code()[i]), 0};
      m_letters[i] = m_big.AddText(letter);
    }
    m_big.Upload();
  }

  MenuSystem& m_menus;
  std::function<void(int)> m_found;
  CodeEntryModel m_entry;
  GLFontTrueType m_small, m_big;
  int m_message = -1;
  int m_unknown = -1;
  bool m_showUnknown = false;
  int m_letters[kCodeLength] = {};
  float m_elapsed = 0.0f;
};

}  // namespace

std::unique_ptr<Screen> MakeCodeEntryScreen(MenuSystem& menus, std::function<void(int)> found) {
  return std::make_unique<CodeEntryScreen>(menus, std::move(found));
}
