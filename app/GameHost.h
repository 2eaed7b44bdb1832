// The game's side of the puzzle's host interface: the real clock (or the
// timedemo's fixed one), the sound effects, the themes, the level-start
// capture, the top bar, the scene lists and the cube looks.
#pragma once

#include <cstdint>

#include "puzzle/PuzzleHost.h"

class Game;

class GameHost final : public PuzzleHost {
 public:
  explicit GameHost(Game& game) : m_game(game) {}

  uint32_t Ticks() override;
  void PlaySound(int number) override;
  bool DemonstrationRunning() override { return !m_captureLevelStarts; }
  void CaptureLevelStartScreen() override;
  bool ChooseThemeForLevel() override;
  void ShowWordList() override;
  void ClearSceneLists() override;
  void BeginSceneBuild() override;
  void EndSceneBuild() override;
  void PrepareTopBar(bool full) override;
  void SettingsChanged(int difficulty, int levelSet) override;
  void LoadCubeAppearance(Cube& cube) override;
  void SetItemLook(Item& item, int look) override;
  void ReleaseItem(Item& item) override;

  // The rolls' clock: the platform's, or (timedemo) one that the caller
  // advances by a fixed step each frame.
  void UseFixedClock(bool fixed) { m_fixedClock = fixed; }
  void AdvanceFixedClock(uint32_t milliseconds) { m_fixedTicks += milliseconds; }
  // The demonstration starts its levels without the level start screen and
  // so without its capture of the screen.
  void CaptureLevelStarts(bool on) { m_captureLevelStarts = on; }
  // Whether a level start captured the screen since the last call.
  bool TakeCapture() {
    const bool captured = m_captured;
    m_captured = false;
    return captured;
  }

 private:
  Game& m_game;
  bool m_fixedClock = false;
  uint32_t m_fixedTicks = 0;
  bool m_captureLevelStarts = true;
  bool m_captured = false;
};
