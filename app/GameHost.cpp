#include "app/GameHost.h"

#include <SDL.h>

#include "app/Game.h"
#include "audio/Audio.h"
#include "render/CubeLooks.h"
#include "render/GameRenderer.h"

uint32_t GameHost::Ticks() { return m_fixedClock ? m_fixedTicks : SDL_GetTicks(); }
void GameHost::PlaySound(int number) { ::PlaySound(number); }
void GameHost::CaptureLevelStartScreen() {
  CaptureScreenForLevelStart();
  m_captured = true;
}
bool GameHost::ChooseThemeForLevel() { return m_game.ChooseThemeForLevel(); }
void GameHost::ShowWordList() { m_game.Bar().showWordList = true; }
void GameHost::ClearSceneLists() { ClearBoardScene(); }
void GameHost::BeginSceneBuild() { BeginBoardScene(); }
void GameHost::EndSceneBuild() { EndBoardScene(); }
void GameHost::PrepareTopBar(bool full) { m_game.Bar().Prepare(full); }
void GameHost::LoadCubeAppearance(Cube& cube) { ::LoadCubeAppearance(cube); }
void GameHost::SetItemLook(Item& item, int look) { ::SetItemLook(item, look); }
void GameHost::ReleaseItem(Item& item) { ::ReleaseItem(item); }
