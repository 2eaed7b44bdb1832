// The level code entry: five letters typed over the menu background, looked
// up in every level set on Enter.
#include "app/Display.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "render/Overlay.h"
#include "text/TextSystem.h"
#include "ui/CodeEntry.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/Options.h"

namespace {

class CodeEntryScreen final : public Screen {
 public:
  explicit CodeEntryScreen(int* foundLevel) : m_foundLevel(foundLevel) { *m_foundLevel = -1; }

  void Enter() override {
    SetKeyboardInput(kCodeEntryRepeatDelay, kCodeEntryRepeatInterval, true);
    OpenFontStyle(m_small, kFontMenuSmall);
    m_message = m_small.AddTextW(Label(LabelKey::MessageCode));
    m_small.Upload();
    OpenFontStyle(m_big, kFontMenuBig);
    RenderLetters();
  }

  void Event(const SDL_Event& event) override {
    switch (m_entry.Event(UiEventFrom(event))) {
      case CodeEntryAction::kChanged:
        RenderLetters();
        break;
      case CodeEntryAction::kCancel:
        m_done = true;
        break;
      case CodeEntryAction::kSearch: {
        CodeSearchResult found = SearchLevelCode(m_entry.Code());
        SelectOption(GameMenus(), kOptionLangage, kChoiceLevelSetFirst + found.levelSet);
        if (found.found) *m_foundLevel = found.levelIndex;
        m_done = true;
        break;
      }
      default:
        break;
    }
  }

  void Draw() override {
    DrawMenuBackdrop(false);
    const int W = OverlayScreenWidth(), H = OverlayScreenHeight(), m = MenuMetrics().fontHeight;
    Begin2D();
    DrawHighlight(CodeHighlightRect(m_entry.Cursor(), W, H, m));
    m_small.Draw(m_message, 0, 0, W, H - 64, 1, 1);
    for (int i = 0; i < kCodeLength; ++i) {
      const ScreenRect box = CodeLetterBox(i, W, H, m);
      m_big.Draw(m_letters[i], box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0, 1, 1);
    }
    End2D();
  }

  void Leave() override {
    SetKeyboardInput(kGameRepeatDelay, kGameRepeatInterval, true);
    m_small.Close();
    m_big.Close();
  }

  bool Finished() const override { return m_done; }

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

  int* m_foundLevel;
  CodeEntryModel m_entry;
  GLFontTrueType m_small, m_big;
  int m_message = -1;
  int m_letters[kCodeLength] = {};
  bool m_done = false;
};

}  // namespace

std::unique_ptr<Screen> MakeCodeEntryScreen(int* foundLevel) { return std::make_unique<CodeEntryScreen>(foundLevel); }
