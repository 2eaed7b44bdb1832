#include "app/GameHost.h"

#include <SDL.h>

#include "app/Game.h"
#include "audio/Audio.h"
#include "config/Settings.h"
#include "render/CubeLooks.h"
#include "render/Renderer.h"

uint32_t GameHost::Ticks() { return m_fixedClock ? m_fixedTicks : SDL_GetTicks(); }
void GameHost::PlaySound(int number) { ::PlaySound(number); }
void GameHost::CaptureLevelStartScreen() {
  m_game.TheRenderer().overlay.CaptureScreenForLevelStart();
  m_captured = true;
}
bool GameHost::ChooseThemeForLevel() { return m_game.ChooseThemeForLevel(); }
void GameHost::ShowWordList() { m_game.Bar().showWordList = true; }
void GameHost::ClearSceneLists() { m_game.TheRenderer().ClearScene(); }
void GameHost::BeginSceneBuild() { m_game.TheRenderer().BeginScene(); }
void GameHost::EndSceneBuild() { m_game.TheRenderer().EndScene(); }
void GameHost::PrepareTopBar(bool full) { m_game.Bar().Prepare(full); }
void GameHost::SettingsChanged(int difficulty, int levelSet) {
  // A loaded game plays at its own difficulty and in its own set, and the
  // options say so from now on.
  g_settings.difficulty = difficulty;
  g_settings.langLevel = levelSet;
}
void GameHost::LoadCubeAppearance(Cube& cube) { m_game.TheRenderer().LoadCubeAppearance(cube); }
// Looks and their textures belong to the item, not to a renderer: an item
// may go after the renderer (the last level ends with the game).
void GameHost::SetItemLook(Item& item, int look) { ::SetItemLook(item, look); }
void GameHost::ReleaseItem(Item& item) { ::ReleaseItem(item); }
