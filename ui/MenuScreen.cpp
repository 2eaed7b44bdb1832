// The menu screen: the four menus drawn over the animated background, their
// input, and the commands their entries start.
#include "ui/MenuScreen.h"

#include <GL/gl.h>

#include "audio/Audio.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "render/Renderer.h"
#include "text/TextSystem.h"
#include "ui/ModalScreens.h"

namespace {

const char* const kHighlightPath = "data/gfx/2d/selection.png";
constexpr int kCopyrightHeight = 24;

// What a changed choice does outside the settings record, through the game.
class ActionsOptionsHost final : public OptionsHost {
 public:
  explicit ActionsOptionsHost(MenuActions& actions) : m_actions(actions) {}
  bool LoadChosenLevelSet() override { return m_actions.LoadChosenLevelSet(); }
  void SetGameDifficulty(int difficulty) override { m_actions.SetDifficulty(difficulty); }
  void SetMusicOn(bool on) override { m_actions.SetMusicOn(on); }
  void SetSoundOn(bool on) override { m_actions.SetSoundOn(on); }
  void SetSpeed(int speed) override { m_actions.SetSpeed(speed); }

 private:
  MenuActions& m_actions;
};

}  // namespace

int MenuSystem::SetUpFont(int width, int height) {
  SetScreenSize(width, height);
  if (!OpenFontStyle(m_font, kFontMenuBig)) return 0;
  m_metrics.fontHeight = m_font.Size();
  return 1;
}

void MenuSystem::Begin2D() const { m_renderer->overlay.Begin2D(); }
void MenuSystem::End2D() const { m_renderer->overlay.End2D(); }

void MenuSystem::SetScreenSize(int width, int height) {
  m_metrics.screenWidth = width;
  m_metrics.screenHeight = height;
}

int MenuSystem::Build(const std::vector<ScreenSize>& sizes) {
  if (!m_soundPlayer) m_soundPlayer = [](int sound) { PlaySound(sound); };
  BuildMainMenus(m_menus);
  m_sizes = sizes;
  BuildOptionsMenu(m_menus, m_sizes);
  SelectOptionsFromSettings(m_menus, g_settings, m_sizes);
  m_pending.width = g_settings.width;
  m_pending.height = g_settings.height;
  SetCurrentMenu(m_menus, m_menus.mainMenu);
  LayOut();
  return 1;
}

void MenuSystem::Free() {
  ReleaseTexts();
  m_menus = MenuSet();
  m_input = MenuInput();
}

int MenuSystem::LoadHighlightTexture() {
  FreeHighlightTexture();
  auto texture = std::make_unique<Texture>();
  // The loader prints "Couldn't load texture %s" itself.
  if (!texture->Load(kHighlightPath)) return 0;
  texture->Upload();
  m_highlight = std::move(texture);
  return 1;
}

void MenuSystem::FreeHighlightTexture() { m_highlight.reset(); }

void MenuSystem::PrepareTexts() {
  m_labelTexts.clear();
  GLFontTrueType& font = m_font;
  const int wrap = ScreenTextWidth(ScreenWidth());
  for (Menu* menu : {&m_menus.mainMenu, &m_menus.gameMenu, &m_menus.optionsMenu, &m_menus.pauseMenu})
    for (MenuItem& item : menu->items) {
      m_labelTexts[&item] = font.AddTextW(item.label, wrap);
      for (MenuChoice& choice : item.choices) m_labelTexts[&choice] = font.AddTextW(choice.label, wrap);
    }
  m_pausedText = font.AddTextW(Label(LabelKey::Paused), wrap);
  m_copyrightFont.Close();
  if (OpenFontStyle(m_copyrightFont, kFontCopyright)) {
    m_copyrightFont.top[0] = m_copyrightFont.top[1] = m_copyrightFont.top[2] = 1.0f;
    m_copyrightFont.bottom[0] = m_copyrightFont.bottom[1] = m_copyrightFont.bottom[2] = 1.0f;
    m_copyrightText = m_copyrightFont.AddTextW(Label(LabelKey::Copyright), wrap);
    m_copyrightFont.Upload();
  }
  m_font.Upload();
}

void MenuSystem::ReleaseTexts() {
  m_font.ReleaseTextures();
  m_font.Clear();
  m_labelTexts.clear();
  m_pausedText = -1;
  m_copyrightFont.Close();
  m_copyrightText = -1;
  m_noticeText = -1;
}

void MenuSystem::LayOut() {
  LayOutMenus(m_menus, m_metrics.screenHeight > 0 ? m_metrics.screenHeight : g_settings.height);
}

void MenuSystem::ShowMainMenu() { SetCurrentMenu(m_menus, m_menus.mainMenu); }
void MenuSystem::ShowPauseMenu() { SetCurrentMenu(m_menus, m_menus.pauseMenu); }

int MenuSystem::TextOf(const void* record) const {
  auto found = m_labelTexts.find(record);
  return found == m_labelTexts.end() ? -1 : found->second;
}

void MenuSystem::RunCommand(int id, ScreenFlow& flow) {
  switch (id) {
    case kCommandHighScores:
      flow.Push(MakeHighScoreScreen(*this));
      break;
    case kCommandOrder:
      m_actions.ShowOrderPage();
      break;
    case kCommandAbout:
      flow.Push(MakeCreditsScreen(*this));
      break;
    case kCommandQuit:
      m_actions.QuitGame();
      break;
    case kCommandPlay:
      m_actions.NewGame();
      break;
    case kCommandCode:
      flow.Push(MakeCodeEntryScreen(*this, [this](int level) { m_actions.PlayLevel(level); }));
      break;
    case kCommandLoad:
    case kCommandPauseLoad:
      flow.Push(MakeLoadScreen(*this, [this] { m_actions.LoadedGame(); }));
      break;
    case kCommandResume:
      m_actions.ResumeGame();
      break;
    case kCommandPauseSave:
      flow.Push(MakeSaveScreen(*this));
      break;
    case kCommandPauseQuit:
      m_actions.QuitToMainMenu();
      break;
    case kCommandOptionsBack:
      if (ResolutionChangeWanted(m_pending, g_settings)) m_actions.ChangeResolution(m_pending.width, m_pending.height);
      break;
    default:  // the links have already changed the current menu
      break;
  }
}

bool MenuSystem::RunPoll(MenuPoll poll, int itemId, int choiceId, ScreenFlow& flow) {
  switch (poll) {
    case kMenuBack:
      if (m_menus.currentMenu == &m_menus.pauseMenu) m_actions.ResumeGame();
      return true;
    case kMenuMoved:
      m_soundPlayer(kMenuMoveSound);
      return true;
    case kMenuActivated:
      m_soundPlayer(kMenuActionSound);
      RunCommand(itemId, flow);
      return true;
    case kMenuChoiceChanged: {
      m_soundPlayer(kMenuActionSound);
      ActionsOptionsHost host(m_actions);
      SetNotice(nullptr);
      if (!ApplyOptionChoice(choiceId, g_settings, m_pending, m_sizes, host)) {
        // The entry shows the set still in play, and the line below the menu
        // why.
        SelectOption(m_menus, kOptionLangage, kChoiceLevelSetFirst + g_settings.langLevel);
        SetNotice(&Label(LabelKey::LevelSetFailed));
      }
      m_actions.RenderChoicesChanged();
      return true;
    }
    default:
      return false;
  }
}

bool MenuSystem::HandleEvent(const SDL_Event& event, int pointerY, ScreenFlow& flow) {
  // The pointer first: a menu that has just opened under a resting pointer
  // highlights the entry below it before a key or button counts.
  const int y = event.type == SDL_MOUSEMOTION ? event.motion.y : pointerY;
  const bool moved = RunPoll(m_input.PointerMoved(m_menus, y), -1, -1, flow);
  if (event.type == SDL_MOUSEMOTION) return moved;
  int item = -1, choice = -1;
  MenuPoll poll = m_input.Event(m_menus, UiEventFrom(event), item, choice);
  return RunPoll(poll, item, choice, flow) || moved;
}

void MenuSystem::DrawBackdrop(float elapsed, bool withTitle) const {
  // No clear: the backdrop covers every pixel at every size (the art test
  // checks it) and clears the depth buffer itself.
  Renderer& renderer = *m_renderer;
  renderer.SetBoardProjection();
  PlaceMenuCamera();
  renderer.lights.Menu();
  renderer.DrawMenuBackground(elapsed);
  if (withTitle) renderer.DrawMenuTitle(elapsed);
}

void MenuSystem::DrawHighlight(const ScreenRect& r) const {
  if (!m_highlight || !m_highlight->HasName()) return;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(m_highlight->glName));
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, m_highlight->envMode);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2i(r.x0, r.y0);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2i(r.x0, r.y1);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2i(r.x1, r.y1);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2i(r.x1, r.y0);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
}

void MenuSystem::DrawPanel(const ScreenRect& r) const {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.08f, 0.6f);
  glRecti(r.x0, r.y0, r.x1, r.y1);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
}

void MenuSystem::SetNotice(const CUString* text) {
  if (!text) {
    m_noticeText = -1;
    return;
  }
  m_noticeText = m_copyrightFont.AddTextW(*text);
  m_copyrightFont.Upload();
}

void MenuSystem::Draw(float elapsed) {
  const Menu* current = m_menus.currentMenu;
  DrawBackdrop(elapsed, current == &m_menus.mainMenu || current == &m_menus.gameMenu);
  const int W = ScreenWidth(), H = ScreenHeight();
  Begin2D();
  const bool notice = m_noticeText >= 0 && current == &m_menus.optionsMenu;
  m_copyrightFont.Draw(notice ? m_noticeText : m_copyrightText, 0, H - kCopyrightHeight, W, kCopyrightHeight, 1, 1);
  if (current == &m_menus.pauseMenu) {
    // The title over the entries says what the game is doing.
    const int m = m_metrics.fontHeight;
    m_font.Draw(m_pausedText, 0, current->y - 4 * m, W, 2 * m, 1, 1);
  }
  if (current) {
    const int m = m_metrics.fontHeight;
    for (int i = 0; i < static_cast<int>(current->items.size()); ++i) {
      const MenuItem& item = current->items[i];
      const int y = static_cast<int>(MenuItemY(*current, i));
      if (item.highlighted) DrawHighlight(MenuHighlightRect(*current, i, static_cast<int>(item.label.Length()), W, m));
      if (item.kind != kMenuChoiceList) {
        m_font.Draw(TextOf(&item), 0, y, W, m, 1, 1);
        continue;
      }
      m_font.Draw(TextOf(&item), 0, y, W / 2, m, 1, 1);
      if (const MenuChoice* choice = CurrentChoice(item)) m_font.Draw(TextOf(choice), W / 2, y, W / 2, m, 1, 1);
    }
  }
  End2D();
}

void MainMenuScreen::Enter() { m_idle = 0.0f; }

int MainMenuScreen::PointerYAfter(const SDL_Event& event, int pointerY) {
  if (event.type == SDL_MOUSEMOTION) return event.motion.y;
  if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) return event.button.y;
  return pointerY;
}

void MainMenuScreen::Event(const SDL_Event& event) {
  m_pointerY = PointerYAfter(event, m_pointerY);
  if (m_menus.HandleEvent(event, m_pointerY, Flow())) m_idle = 0.0f;
}

void MainMenuScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_elapsed = time.elapsed;
  m_pointerY = pointer.y;
  // Only an untouched main menu counts: a submenu keeps the count at 0.
  if (!m_menus.MainMenuCurrent()) {
    m_idle = 0.0f;
  } else if (m_idle > kIdleFramesBeforeDemonstration) {
    m_idle = 0.0f;
    m_menus.Actions().StartDemonstration();
  } else {
    m_idle += time.delta;
  }
}

void MainMenuScreen::Uncovered() { m_idle = 0.0f; }

void PauseMenuScreen::Enter() { m_menus.ShowPauseMenu(); }

void PauseMenuScreen::Event(const SDL_Event& event) {
  m_pointerY = MainMenuScreen::PointerYAfter(event, m_pointerY);
  m_menus.HandleEvent(event, m_pointerY, Flow());
}

void PauseMenuScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_elapsed = time.elapsed;
  m_pointerY = pointer.y;
}
