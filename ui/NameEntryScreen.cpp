// The name entry after a record: the player types a name over the level just
// won, and it goes into the score table.
#include <algorithm>

#include "platform/Display.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/NameEntry.h"
#include "ui/Scores.h"

namespace {

class NameEntryScreen final : public Screen {
 public:
  NameEntryScreen(MenuSystem& menus, int record, SceneDrawer drawScene)
      : m_menus(menus), m_record(record), m_drawScene(std::move(drawScene)), m_entry(menus.Scores().LastName()) {}

  void Enter() override {
    SetKeyboardInput(kNameEntryRepeatDelay, kNameEntryRepeatInterval, true);
    OpenFontStyle(m_big, kFontMenuBig);
    OpenFontStyle(m_small, kFontMenuSmall);
    RenderTexts();
  }

  void Event(const SDL_Event& event) override {
    m_entry.Event(UiEventFrom(event), m_menus.ScreenHeight());
    if (m_entry.Done() && !m_popped) {
      m_popped = true;
      Flow().Pop();
    }
  }

  void Update(const FrameTime& time, const Pointer& pointer) override {
    m_time = time;
    m_pointerY = pointer.y;
    if (m_entry.EndFrame()) RenderTexts();
  }

  void Draw() override {
    if (m_drawScene)
      m_drawScene(m_time);
    else
      m_menus.DrawBackdrop(m_time.elapsed, false);
    const int W = m_menus.ScreenWidth(), H = m_menus.ScreenHeight();
    m_menus.Begin2D();
    // On a panel over the level just won, a line apart: the title, the
    // prompt, the name being typed and OK (whose place the model knows).
    int half = m_big.TextWidth(m_name) / 2;
    for (int id : {m_title, m_ok}) half = std::max(half, m_big.TextWidth(id) / 2);
    half = std::min(std::max(half, m_small.TextWidth(m_prompt) / 2) + 32, W / 2);
    m_menus.DrawPanel({W / 2 - half, H / 2 - 128, W / 2 + half, H / 2 + 80});
    if (NameEntryModel::OkUnderPointer(m_pointerY, H)) m_menus.DrawHighlight(NameEntryModel::OkHighlightRect(W, H));
    m_big.Draw(m_title, 0, -96, W, H, 1, 1);
    m_small.Draw(m_prompt, 0, -50, W, H, 1, 1);
    m_big.Draw(m_name, 0, -6, W, H, 1, 1);
    m_big.Draw(m_ok, 0, 48, W, H, 1, 1);
    m_menus.End2D();
  }

  void Leave() override {
    if (!m_entry.Name().empty()) m_menus.Scores().SetName(m_record, m_entry.Name().c_str());
    SetKeyboardInput(kGameRepeatDelay, kGameRepeatInterval, true);
    m_big.Close();
    m_small.Close();
  }

 private:
  // Every text again: the name line changes with each key.
  void RenderTexts() {
    for (GLFontTrueType* font : {&m_big, &m_small}) {
      font->ReleaseTextures();
      font->Clear();
    }
    m_title = m_big.AddTextW(Label(LabelKey::HighScores1));
    m_ok = m_big.AddTextW(Label(LabelKey::Ok));
    m_name = m_big.AddTextW(m_entry.NameLine());
    m_prompt = m_small.AddTextW(Label(LabelKey::HighScores2));
    m_big.Upload();
    m_small.Upload();
  }

  MenuSystem& m_menus;
  int m_record;
  SceneDrawer m_drawScene;
  NameEntryModel m_entry;
  FrameTime m_time;
  int m_pointerY = 0;
  bool m_popped = false;
  GLFontTrueType m_big, m_small;
  int m_title = -1, m_prompt = -1, m_name = -1, m_ok = -1;
};

}  // namespace

std::unique_ptr<Screen> MakeNameEntryScreen(MenuSystem& menus, int record, SceneDrawer drawScene) {
  return std::make_unique<NameEntryScreen>(menus, record, std::move(drawScene));
}
